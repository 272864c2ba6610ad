#include "pages/createhtml.h"

namespace mosaicon {

// The page writers are not part of the program yet: both commands do nothing.
void go_create_html(PageLists&) {}

void go_create_simple_html(PageLists&) {}

} // namespace mosaicon
