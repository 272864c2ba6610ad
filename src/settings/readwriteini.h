#pragma once

#include <QString>

namespace mosaicon {

namespace platform {
class MainFormView;
}

// Moves every setting between memory and the settings file: "READ" loads them
// (and repairs or forces a few), "WRITE" saves them, in any case; any other
// mode does nothing. The main window, when there is one, shows what was read
// and has its place saved.
void readwriteini(const QString& mode, platform::MainFormView* view = nullptr);

// True for exactly "quick", "simple", "advanced" and "vertical".
bool is_html_style(const QString& text);

} // namespace mosaicon
