#pragma once

class QWidget;

namespace mosaicon::platform {

// Centres a window on its screen.
void centerForm(QWidget* window);

// The first time a window is shown (shownOnce is still false): gives it its
// designed height in twips (0 keeps its height) and centres it.
void placeOnFirstShow(QWidget* window, bool& shownOnce, double heightTwips = 0);

} // namespace mosaicon::platform
