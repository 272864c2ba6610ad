#pragma once

#include <QString>

namespace mosaicon {

// Tells the user of a problem in a message box under the program's title;
// an empty text shows nothing.
void warn(const QString& text);

} // namespace mosaicon
