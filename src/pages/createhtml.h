#pragma once

#include "pagekit/pagelists.h"

namespace mosaicon {

// The create-HTML driver: the advanced page after a toolbar "advhtml", the
// vertically aligned page otherwise.
void go_create_html(PageLists& lists);

} // namespace mosaicon
