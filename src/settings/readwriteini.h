#pragma once

#include <QString>

namespace mosaicon {

// Moves every setting between memory and the settings file: "READ" loads them
// (and repairs or forces a few), "WRITE" saves them, in any case; any other
// mode does nothing.
void readwriteini(const QString& mode);

// True for exactly "quick", "simple", "advanced" and "vertical".
bool is_html_style(const QString& text);

} // namespace mosaicon
