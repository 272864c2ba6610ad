#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace mosaicon::platform {

// The lines of a text with CR LF, LF or CR line ends; a final line end
// starts no empty line.
QStringList splitLines(const QString& text);

// The lines of a UTF-8 text file; nothing when it cannot be opened.
std::optional<QStringList> readTextLines(const QString& path);

} // namespace mosaicon::platform
