#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace mosaicon {

// The pixel width and height of a GIF or a JPEG, read from its headers
// without decoding the picture; nothing when the headers do not give it.
std::optional<QSize> read_gif_info(const QString& path);
std::optional<QSize> read_jpg_info(const QString& path);

// The header size chosen by the name's ending (".gif" or ".jpg" in any case);
// nothing for another type.
std::optional<QSize> image_pixel_size(const QString& path);

} // namespace mosaicon
