#pragma once

namespace mosaicon {

// Tells the real dialogs how to show every window of the program, so that a
// value handed to the modal seam comes up in its window.
void registerWindows();

} // namespace mosaicon
