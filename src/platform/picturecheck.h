#pragma once

#include <QString>

namespace mosaicon::platform {

// Why the picture in that file is damaged, or empty when nothing is wrong
// with it as far as a look at its structure tells. Every reader of pictures
// refuses a damaged one (ImageControl does it before any decoder runs), so a
// window, a page and a catalog call the same files damaged, for the same
// reason. Only PNG and JPEG, known by their signatures, are checked; a file
// that cannot be opened is left to the decoder to report. It reads headers,
// and a JPEG's tail for its end marker: no picture is decoded.
//
// Damaged are:
// - an empty file;
// - a chunk or segment length that exceeds the file: the decoder would
//   allocate that much before reading a byte (a 300-byte PNG can ask for 2 GB);
// - a JPEG whose end marker is missing: its scan was cut short, and a decoder
//   would paint the missing part grey;
// - a stated size the file's data cannot fill: a decoder would spend time and
//   memory on a grey picture of that size.
QString pictureDamage(const QString& path);

// Why the file is not the picture its name says, in the one wording every
// window and page tells it in; "" when nothing is wrong as far as its bytes
// tell without decoding. The most precise reason: its damage, then contents no
// reader recognises ("its contents are not a picture"), then a picture of
// another type than a ".jpg" or ".gif" name says.
QString pictureFault(const QString& path);

} // namespace mosaicon::platform
