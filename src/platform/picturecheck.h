#pragma once

#include <QString>

namespace mosaicon::platform {

// Why the picture in that file must not be decoded, or empty when nothing is
// wrong with it as far as its headers tell. A chunk or segment length that
// exceeds the file makes the decoder allocate that much before it reads a
// byte (a 300-byte PNG can ask for 2 GB), so such a file is called damaged.
// Only PNG and JPEG, known by their signatures, are checked; only headers are
// read. A file that cannot be opened is left to the decoder to report.
QString pictureDamage(const QString& path);

// A JPEG whose end marker is missing: its scan was cut short. Decoders still
// read it, painting the missing part grey.
bool jpegCutShort(const QString& path);

} // namespace mosaicon::platform
