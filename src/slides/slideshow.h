#pragma once

#include "pagekit/pagelists.h"

namespace mosaicon {

// The slide show of the file list's GIF and JPEG files.
void go_create_slideshow(PageLists& lists);

} // namespace mosaicon
