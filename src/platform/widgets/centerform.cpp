#include "platform/widgets/centerform.h"

#include "platform/events.h"
#include "platform/numbers.h"

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

void placeOnFirstShow(QWidget* window, bool& shownOnce, double heightTwips)
{
    if (shownOnce || !window)
        return;
    shownOnce = true;
    if (heightTwips > 0)
        window->resize(window->width(), pixels(heightTwips));
    centerForm(window);
}

} // namespace mosaicon::platform
