#pragma once

#include "pages/pagelists.h"

namespace mosaicon::platform {
class ImageControl;
}

namespace mosaicon {

// The hidden engine that makes the page runs' thumbnails.
platform::ImageControl& o_tn();
// The thumbnail size in pixels: 100 when the setting is empty or 0.
int thumbnail_size();

// The create-HTML driver: the advanced page after a toolbar "advhtml", the
// vertically aligned page otherwise.
void go_create_html(PageLists& lists);

} // namespace mosaicon
