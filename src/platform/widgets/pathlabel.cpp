#include "platform/widgets/pathlabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace mosaicon::platform {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    // A long path gives way in the middle rather than widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QString PathLabel::shownText() const
{
    const QFontMetrics fm = fontMetrics();
    const int room = contentsRect().width();
    // Eliding counts whole-pixel advances, while the laid-out line can come out
    // a pixel wider: give way until the drawn text fits.
    for (int width = room; width > 0; --width) {
        const QString shown = fm.elidedText(text(), Qt::ElideMiddle, width);
        if (fm.boundingRect(QRect(0, 0, room, 1 << 20), Qt::TextExpandTabs, shown).width() <= room)
            return shown;
    }
    return QString();
}

QSize PathLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

bool PathLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && shownText() != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

void PathLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(),
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

} // namespace mosaicon::platform
