#pragma once

#include "pages/pagelists.h"

namespace mosaicon {

// The create-HTML driver: the advanced page after a toolbar "advhtml", the
// vertically aligned page otherwise.
void go_create_html(PageLists& lists);

// The simple page of the file list's GIF and JPEG files.
void go_create_simple_html(PageLists& lists);

} // namespace mosaicon
