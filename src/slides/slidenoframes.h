#pragma once

namespace mosaicon {

class PageRun;
struct SlideShow;

// The slide show without frames: one page per slide, an index page when the
// user asked for one, and the end page, all in the show's folder.
void create_slideshow(PageRun& run, SlideShow& show);

} // namespace mosaicon
