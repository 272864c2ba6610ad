#include "viewer/picturearea.h"

#include "platform/imagecontrol.h"
#include "platform/widgets/namedwidget.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QResizeEvent>

namespace mosaicon::viewer {

using platform::namedWidget;

namespace {

QLabel* plainLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = namedWidget<QLabel>(name, text, parent);
    // A path may hold "<": never read as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

int twips(int pixels)
{
    return int(pixels * platform::ImageControl::TwipsPerPixel);
}

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
}

void PictureArea::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    emit resizedTwips(twips(width()), twips(height()));
}

} // namespace mosaicon::viewer
