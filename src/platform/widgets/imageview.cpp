#include "platform/widgets/imageview.h"

#include "platform/numbers.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace mosaicon::platform {

// The own control is a member: it exists only once the view does, so this
// constructor cannot hand it to the other one.
ImageView::ImageView(QWidget* parent) : QWidget(parent)
{
    attach();
}

ImageView::ImageView(ImageControl& shown, QWidget* parent) : QWidget(parent), m_control(&shown)
{
    attach();
}

void ImageView::attach()
{
    m_control->setChangeCallback([this] { followControl(); });
    followControl();
}

ImageView::~ImageView()
{
    m_control->setChangeCallback({});
}

void ImageView::followControl()
{
    setGeometry(pixels(m_control->left()), pixels(m_control->top()),
                qMax(0, pixels(m_control->width())), qMax(0, pixels(m_control->height())));
    // Only a change is applied, so that a new top-level view does not pop up
    // before its owner shows it.
    if (m_control->visible() != m_visible) {
        m_visible = m_control->visible();
        setVisible(m_visible);
    }
    update();
}

void ImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QRect area = rect();
    if (m_control->borderStyle() == 1) {
        if (m_control->appearance() == 1)
            qDrawShadeRect(&painter, area, palette(), true, 1);
        else
            qDrawPlainRect(&painter, area, palette().color(QPalette::WindowText), 1);
        area.adjust(1, 1, -1, -1);
    }

    const QImage picture = m_control->picture();
    if (picture.isNull() || area.isEmpty()) {
        m_pixmap = QPixmap();
        m_pixmapSource = 0;
        return;
    }
    // Scaled once per picture and size rather than on every paint.
    if (picture.cacheKey() != m_pixmapSource || m_pixmap.size() != area.size()) {
        m_pixmap = QPixmap::fromImage(
            picture.size() == area.size()
                ? picture
                : picture.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_pixmapSource = picture.cacheKey();
    }
    painter.drawPixmap(area.topLeft(), m_pixmap);
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mousePressed(event->button(), event->modifiers(), at.x(), at.y());
    event->accept();
}

} // namespace mosaicon::platform
