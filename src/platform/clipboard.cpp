#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace mosaicon::platform {

namespace {

QClipboard* board()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                         : nullptr;
}

} // namespace

QString clipboardText()
{
    QClipboard* c = board();
    return c ? c->text() : QString();
}

void setClipboardText(const QString& text)
{
    if (QClipboard* c = board())
        c->setText(text);
}

QImage clipboardPicture()
{
    QClipboard* c = board();
    return c ? c->image() : QImage();
}

void setClipboardPicture(const QImage& picture)
{
    if (QClipboard* c = board())
        c->setImage(picture);
}

} // namespace mosaicon::platform
