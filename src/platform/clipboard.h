#pragma once

#include <QImage>
#include <QString>

namespace mosaicon::platform {

// The system clipboard (empty text and a null picture where there is none).
QString clipboardText();
void setClipboardText(const QString& text);
QImage clipboardPicture();
void setClipboardPicture(const QImage& picture);

} // namespace mosaicon::platform
