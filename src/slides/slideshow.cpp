#include "slides/slideshow.h"

namespace mosaicon {

// The slide-show writers are not part of the program yet: the command does nothing.
void go_create_slideshow(PageRun&) {}

} // namespace mosaicon
