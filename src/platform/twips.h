#pragma once

#include <QtGlobal>

namespace mosaicon::platform {

// Window sizes and places are kept in twips, as the program's layouts give them.
constexpr double twipsPerPixel = 15.0;

// The nearest whole number of pixels for a length in twips.
constexpr int pixels(double twips)
{
    return qRound(twips / twipsPerPixel);
}

} // namespace mosaicon::platform
