#pragma once

#include <QString>

#include <functional>

namespace mosaicon::platform {

// Hands the user a message; the caller chooses how it is shown.
using Tell = std::function<void(const QString& message)>;

// Opens a file or an address with its associated program. When it cannot,
// at once or when the desktop's opener gives up later, `tell` hears one
// message that names the file (or the address) and says why. False when it
// failed at once.
bool shell_open(const QString& target, const Tell& tell);

// The program associated with the extension (a leading "." is dropped), or "".
QString get_associated_program(const QString& extension);

} // namespace mosaicon::platform
