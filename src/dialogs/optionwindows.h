#pragma once

namespace mosaicon {

// Lets the page prompt's Options menu open the option windows built so far.
void installOptionWindows();

} // namespace mosaicon
