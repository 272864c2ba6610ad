#pragma once

#include <QStringList>

namespace mosaicon::platform {

// The extensions of the picture types this program shows and makes
// thumbnails of: lower case, without the dot, in alphabetical order.
const QStringList& pictureExtensions();

} // namespace mosaicon::platform
