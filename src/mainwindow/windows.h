#pragma once

namespace mosaicon {

// Registers every window of the program, in this one place: how the real
// dialogs show each value handed to the modal seam, and which windows code
// below them opens by name. A window left out here is told to the user when
// it is asked for, and the window walk's test fails.
void registerWindows();

} // namespace mosaicon
