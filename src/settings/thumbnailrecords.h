#pragma once

#include <QString>

namespace mosaicon {

// In: an image path; out: its recorded thumbnail when that file exists, else
// "". A record of the page run ([Thumbnails (ir)]) is used up when handed out;
// a viewer record ([Thumbnails (vi)]) stays.
void find_thumbnail(QString& path);

} // namespace mosaicon
