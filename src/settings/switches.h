#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon {

// The command-line switches. The arguments are looked at one by one:
// "/f" (any case) takes the next argument, unchanged, as the list file
// ("/fNAME" takes NAME); "/s", "/v" and "/x" count only as whole arguments,
// so a path such as /srv/pics never reads as "/s".
//
// On return the switch holds: for "/f" the list file's name when that file
// exists, else ""; for "/s", "/v", "/x" itself when given, else "". Any other
// switch is left as it was.
void check_switch(QString& switch_name);

// The paths of a list file, one a line, up to its end or to the first line
// (trimmed) that names no existing file; an empty line stops it too.
QStringList read_list_file(const QString& path);

} // namespace mosaicon
