#pragma once

#include <QString>

namespace mosaicon {

// Read the pixel width and height of a GIF or a JPEG from its headers, without
// decoding the picture, into program().img_width and img_height. The values
// are only set: a file whose size cannot be found leaves them as they were.
void read_gif_info(const QString& path);
void read_jpg_info(const QString& path);

} // namespace mosaicon
