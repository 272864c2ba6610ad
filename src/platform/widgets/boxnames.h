#pragma once

class QWidget;

namespace mosaicon::platform {

// Gives every list box of the window that has no accessible name yet the
// caption of the label paired with it, or else that of the frame it stands
// in: a screen reader would otherwise read its object name, its current entry
// or nothing. Combo boxes are named by their buddy labels instead.
void nameBoxesByTheirCaptions(QWidget* window);

} // namespace mosaicon::platform
