#include "viewer/widgets/picturearea.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace mosaicon::viewer {

using platform::namedWidget;
using platform::plainLabel;

namespace {

// Kept off the picture all round, in pixels.
constexpr int roomMargin = 8;
// What the windows' fit keeps off the frame's size, in twips.
constexpr int fitMargin = 300;

} // namespace

PictureArea::PictureArea(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), m_notAnImage(plainLabel(QStringLiteral("o_notanimage"),
                                                        QStringLiteral("Not An Image"), this)),
      m_errorReading(plainLabel(QStringLiteral("error_reading_file"),
                                QStringLiteral("Error Reading File"), this))
{
    setObjectName(QStringLiteral("Frame2"));
}

QLabel* PictureArea::addPictureLabel()
{
    m_picture = namedWidget<QLabel>(QStringLiteral("viewimage"), this);
    return m_picture;
}

void PictureArea::enlargeLabels()
{
    for (QLabel* label : {m_notAnImage, m_errorReading}) {
        QFont font = label->font();
        font.setPointSize(24);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
}

void PictureArea::setPicture(const QImage& image, QSize size)
{
    if (image.isNull() || size.isEmpty()) {
        m_picture->clear();
        m_imageKey = 0;
    } else if (image.cacheKey() != m_imageKey || size != m_imageSize) {
        // Scaled once here, not on every repaint: a photo can be far larger than the frame.
        m_picture->setPixmap(QPixmap::fromImage(
            image.size() == size
                ? image
                : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        m_imageKey = image.cacheKey();
        m_imageSize = size;
    }
    if (!size.isEmpty())
        m_picture->setGeometry(QRect(pictureRoom().topLeft(), size));
}

QRect PictureArea::pictureRoom() const
{
    return contentsRect().adjusted(roomMargin, roomMargin, -roomMargin, -roomMargin);
}

bool PictureArea::event(QEvent* event)
{
    const bool done = QGroupBox::event(event);
    // The caption's height changes the room without resizing the frame.
    if (event->type() == QEvent::Resize || event->type() == QEvent::ContentsRectChange) {
        const QRect room = pictureRoom();
        emit resizedTwips(int(platform::pixelsToTwips(qMax(0, room.width()))) + fitMargin,
                          int(platform::pixelsToTwips(qMax(0, room.height()))) + fitMargin);
    }
    return done;
}

} // namespace mosaicon::viewer
