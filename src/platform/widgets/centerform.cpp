#include "platform/widgets/centerform.h"

#include "platform/events.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mosaicon::platform {

void centerForm(QWidget* window)
{
    if (!window)
        return;
    BusyCursor busy;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

} // namespace mosaicon::platform
