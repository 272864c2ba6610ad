#pragma once

#include <QString>

namespace mosaicon::platform {

// The folder of the program's settings, logs, thumbnails and icons: the
// environment variable MOSAICON_HOME when set; else the folder of the
// executable when it is writable; else a per-user data folder, seeded with
// the program's own icon and help files from the executable's folder.
QString programFolder();

// The folder the executable's data files were installed beside.
QString executableFolder();

} // namespace mosaicon::platform
