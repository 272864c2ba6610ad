#pragma once

class QWidget;

namespace mosaicon::platform {

// Centres a window on its screen.
void centerForm(QWidget* window);

} // namespace mosaicon::platform
