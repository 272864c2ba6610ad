#pragma once

#include <QString>

namespace mosaicon {

// Tells the user of a problem in a message box under the program's title;
// an empty text shows nothing.
void warn(const QString& text);

// Tells the user something worth knowing, not a problem, in a message box
// under the program's title.
void inform(const QString& text);

// When the status line hears of the problem: already while the box is up, or
// once it is closed.
enum class StatusLine { BeforeBox, AfterBox };

// Warns as `warn` does and puts the same text on the main window's status line.
void warn_and_show_status(const QString& text, StatusLine when = StatusLine::BeforeBox);

} // namespace mosaicon
