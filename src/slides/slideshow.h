#pragma once

namespace mosaicon {

class PageRun;

// The slide show of the file list's GIF and JPEG files: copies them into the
// internet directory with their records, then writes the show.
void go_create_slideshow(PageRun& run);

} // namespace mosaicon
