#pragma once

#include <QString>

namespace mosaicon {

// What is wrong with a thumbnail size as typed or stored.
enum class ThumbSizeFault
{
    None,
    Blank,
    Zero,        // exactly "0"
    LeadingZero, // begins with "0", as "05" or "00"
};

// A thumbnail size text by the one rule every box and reader keeps: it
// stands, or it is blank, "0" or begins with "0" and gives way to the
// default of the settings table. Any other text stands as typed.
struct ThumbSizeText
{
    QString size;
    ThumbSizeFault fault = ThumbSizeFault::None;
};
ThumbSizeText parse_thumb_size(const QString& text);

// The warning a box shows when it replaced a typed size; "" for None.
QString thumb_size_warning(ThumbSizeFault fault);

// The size in pixels a thumbnail is made at: the text's number when it is
// above zero (a fraction dropped), otherwise the default.
int thumb_size_pixels(const QString& text);

} // namespace mosaicon
