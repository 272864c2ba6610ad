#pragma once

#include <QColor>
#include <QtGlobal>

namespace mosaicon::platform {

// Colours are stored in settings and passed between callers as Windows colour
// numbers, laid out 0x00BBGGRR (red in the lowest byte). The top byte is
// ignored: only plain RGB values are used by this program.
QColor colorFromWin(quint32 value);
// The colour's RGB as a Windows colour number; alpha is dropped.
quint32 winFromColor(const QColor& color);

} // namespace mosaicon::platform
