#pragma once

namespace mosaicon {

class PageRun;

// The advanced page: a table of thumbnails with captions and one full-size
// page for each image.
void create_advanced_html(PageRun& run);

} // namespace mosaicon
