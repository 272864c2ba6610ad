#pragma once

namespace mosaicon {

class PageRun;

// The vertically aligned page: every GIF and JPEG image of the run, one
// below the other, each with its associated text placed as the full-size
// pages place it. One page, no full-size pages.
void create_vertical_html(PageRun& run);

} // namespace mosaicon
