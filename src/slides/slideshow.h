#pragma once

namespace mosaicon {

class PageRun;

// The slide show of the file list's GIF and JPEG files.
void go_create_slideshow(PageRun& run);

} // namespace mosaicon
