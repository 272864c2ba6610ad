#include "platform/wincolor.h"

namespace mosaicon::platform {

QColor colorFromWin(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 winFromColor(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return quint32(qRed(rgb)) | (quint32(qGreen(rgb)) << 8) | (quint32(qBlue(rgb)) << 16);
}

} // namespace mosaicon::platform
