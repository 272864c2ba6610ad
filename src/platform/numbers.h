#pragma once

#include <QString>

#include <cmath>
#include <optional>

// Number conventions the program's files and pages were designed with.
namespace mosaicon::platform {

constexpr int twipsPerPixel = 15;

// The numeric value of a text's leading number, as the classic Val() gives it:
// blanks are skipped anywhere, an optional sign, digits with one decimal point
// and an exponent; "&H" and "&O" prefixes give hex and octal; "" or no digits gives 0.
double val(const QString& text);

// Rounds to the nearest integer, halves to the even neighbour (the platform's
// integer conversion did so: 2.5 gives 2, 3.5 gives 4); empty for NaN, infinity
// and values beyond 64 bits, which no cast may be given.
std::optional<qint64> roundHalfEven(double value);

// Val() rounded into a 16-bit integer; empty when the value does not fit.
std::optional<qint16> valToInt16(const QString& text);

// Val() with its fraction dropped (as a cast drops it) when that lies within
// [min, max]; empty otherwise, so that a stored "1e300" never reaches a cast.
std::optional<qint64> valToInteger(const QString& text, qint64 min, qint64 max);

// The platform's Str(): a blank before a non-negative number, a minus sign
// before a negative one (" 0", " 12632256", "-5").
QString strForm(qint64 value);

// Str() of a single-precision number: up to 7 significant digits, no
// exponent for ordinary sizes, the same leading blank rule.
QString strFormSingle(double value);

// The general number form with up to 15 significant digits and the leading
// blank for the sign (" 66.6666666666667").
QString strFormDouble(double value);

inline double pixelsToTwips(double pixels)
{
    return pixels * twipsPerPixel;
}
// The nearest whole number of pixels for a length in twips.
inline int pixels(double twips)
{
    return qRound(twips / twipsPerPixel);
}
// Whole pixels for a length in twips, the fraction dropped: the main window's
// layout and the prompt's picture limit were designed with it.
inline int pixelsTruncated(double twips)
{
    return int(twips / twipsPerPixel);
}
// Whole pixels that cover at least that many twips.
inline int pixelsAtLeast(double twips)
{
    return int(std::ceil(twips / twipsPerPixel));
}

} // namespace mosaicon::platform
