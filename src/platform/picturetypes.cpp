#include "platform/picturetypes.h"

namespace mosaicon::platform {

const QStringList& pictureExtensions()
{
    static const QStringList list{"art", "bmp", "cut", "dib", "emf", "gem", "gif", "hrz",
                                  "iff", "img", "jpg", "lbm", "mac", "msp", "pcx", "png",
                                  "ras", "rle", "tga", "tif", "wmf", "wpg"};
    return list;
}

} // namespace mosaicon::platform
