#pragma once

#include <QString>

namespace mosaicon {

namespace platform {
class MainFormView;
}

// What readwriteini does with the settings file.
enum class IniMode
{
    Read,  // loads every setting (and repairs or forces a few)
    Write, // saves every setting
};

// Moves every setting between memory and the settings file. The main window,
// when there is one, shows what was read and has its place saved.
void readwriteini(IniMode mode, platform::MainFormView* view = nullptr);

// True for exactly "quick", "simple", "advanced" and "vertical".
bool is_html_style(const QString& text);

} // namespace mosaicon
