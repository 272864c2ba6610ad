#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon {

// An image's recorded thumbnail when that file exists, else "". A record of the page run
// ([Thumbnails (ir)]) is used up when handed out; a viewer record ([Thumbnails (vi)]) stays.
QString find_thumbnail(const QString& path);

// Enters a target directory once in [Thumbnail Directories] (dir1, dir2, ...
// first empty key).
void register_thumbnail_directory(const QString& dir);
// Every directory of [Thumbnail Directories] in key order (dir1 up to the
// first empty key).
QStringList thumbnail_directories();

} // namespace mosaicon
