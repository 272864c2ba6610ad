#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon {

// The command-line switches. The arguments are looked at one by one:
// "/f" (any case) takes the next argument, unchanged, as the list file
// ("/fNAME" takes NAME); "/s", "/v" and "/x" count only as whole arguments,
// so a path such as /srv/pics never reads as "/s".
//
// Gives: for "/f" the list file's name when that file exists, else ""; for
// "/s", "/v", "/x" the switch itself when given, else "". Any other switch
// comes back as it was.
QString check_switch(const QString& switch_name);

// The paths of a list file, one a line, up to its end or to the first line
// (trimmed) that names no existing file; an empty line stops it too.
// stoppedAt gets the number (from 1) of the line that stopped it, 0 when none did.
QStringList read_list_file(const QString& path, qsizetype* stoppedAt = nullptr);

} // namespace mosaicon
