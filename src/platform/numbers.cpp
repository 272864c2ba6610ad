#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace mosaicon::platform {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Val() ignores blanks everywhere, so " 1 2" is 12.
QString withoutBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c))
            out.append(c);
    }
    return out;
}

double radixValue(const QString& digits, int radix)
{
    // Sixteen hex digits fill 64 bits: only an unsigned sum holds them all.
    quint64 value = 0;
    int count = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() ? c.unicode() - '0'
                      : (c.toLower() >= u'a' && c.toLower() <= u'f') ? c.toLower().unicode() - 'a' + 10
                                                                      : radix;
        if (d >= radix || count >= 16)
            break;
        value = value * radix + d;
        ++count;
    }
    // Hex literals are 16 or 32-bit two's complement in the classic runtime.
    if (radix == 16 && count <= 4 && value > 0x7FFF)
        return double(qint64(value) - 0x10000);
    if (radix == 16 && count > 4 && count <= 8 && value > 0x7FFFFFFF)
        return double(qint64(value) - 0x100000000LL);
    return double(value);
}

} // namespace

double val(const QString& text)
{
    const QString s = withoutBlanks(text);
    if (s.startsWith(u"&h", Qt::CaseInsensitive))
        return radixValue(s.mid(2), 16);
    if (s.startsWith(u"&o", Qt::CaseInsensitive))
        return radixValue(s.mid(2), 8);

    int i = 0;
    QString number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number.append(s[i++]);
    bool digits = false;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        number.append(s[i++]);
        digits = true;
    }
    if (i < s.size() && s[i] == u'.') {
        number.append(s[i++]);
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            number.append(s[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        QString exponent = QStringLiteral("e");
        int j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent.append(s[j++]);
        bool expDigits = false;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            exponent.append(s[j++]);
            expDigits = true;
        }
        if (expDigits)
            number.append(exponent);
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

namespace {

// Casting a double outside qint64's range is undefined; NaN fails both tests.
bool fitsInt64(double value)
{
    constexpr double twoTo63 = 9223372036854775808.0;
    return value >= -twoTo63 && value < twoTo63;
}

} // namespace

std::optional<qint64> roundHalfEven(double value)
{
    // The default rounding mode is to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!fitsInt64(rounded))
        return std::nullopt;
    return qint64(rounded);
}

std::optional<qint16> valToInt16(const QString& text)
{
    const std::optional<qint64> r = roundHalfEven(val(text));
    if (!r || *r < std::numeric_limits<qint16>::min() || *r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(*r);
}

std::optional<qint64> valToInteger(const QString& text, qint64 min, qint64 max)
{
    const double whole = std::trunc(val(text));
    if (!fitsInt64(whole))
        return std::nullopt;
    const qint64 n = qint64(whole);
    if (n < min || n > max)
        return std::nullopt;
    return n;
}

QString strForm(qint64 value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

namespace {

QString generalForm(double value, int digits)
{
    QString text = QString::number(value, 'g', digits);
    // The classic form writes ".5" without a leading zero.
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

} // namespace

QString strFormSingle(double value)
{
    return generalForm(double(float(value)), 7);
}

QString strFormDouble(double value)
{
    return generalForm(value, 15);
}

} // namespace mosaicon::platform
