#pragma once

namespace mosaicon {

class PageRun;
struct SlideShow;

// The slide show in two frames: the index page on the left, the start page
// and then the slides in the "body" frame, the end page, and the frameset
// page that holds them, all in the show's folder.
void create_slideshow_frames(PageRun& run, SlideShow& show);

} // namespace mosaicon
