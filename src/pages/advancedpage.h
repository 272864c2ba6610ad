#pragma once

#include "pagekit/pagelists.h"

namespace mosaicon {

// The advanced page: a table of thumbnails with captions and one full-size
// page for each image.
void create_advanced_html(PageLists& lists);

} // namespace mosaicon
