#pragma once

namespace mosaicon {

class PageRun;

// The create-HTML driver: copies the file list's images into the internet
// directory with their thumbnails, then writes the advanced page after a
// toolbar "advhtml" and the vertically aligned page otherwise.
void go_create_html(PageRun& run);

} // namespace mosaicon
