#pragma once

#include <QGroupBox>
#include <QSize>

class QImage;
class QLabel;

namespace mosaicon::viewer {

// The picture frame the image windows share: "Frame2", holding the
// "o_notanimage" and "error_reading_file" labels and the picture, and telling
// its size in twips whenever it changes so the value can fit the picture.
class PictureArea final : public QGroupBox
{
    Q_OBJECT

public:
    PictureArea(const QString& title, QWidget* parent);

    QLabel* notAnImage() const { return m_notAnImage; }
    QLabel* errorReading() const { return m_errorReading; }
    // The "viewimage" label, once addPictureLabel() has made it.
    QLabel* picture() const { return m_picture; }

    // A plain label as the picture, for windows that draw no frame of their own round it.
    QLabel* addPictureLabel();
    // 24 points, centred and wrapped: the labels stand in for the picture.
    void enlargeLabels();
    // The picture label shows `image` at `size` pixels at the top left of
    // pictureRoom(), or nothing when either is empty.
    void setPicture(const QImage& image, QSize size);
    // Where the picture is drawn: inside the border, below the caption, with a
    // small margin all round.
    QRect pictureRoom() const;

signals:
    // The frame's size as the windows' fit takes it, in twips: the fit keeps a
    // 300-twip margin off the frame's size, so this is pictureRoom() and that
    // margin; a picture fitted to it is never cut off by the caption.
    void resizedTwips(int widthTwips, int heightTwips);

protected:
    bool event(QEvent* event) override;

private:
    QLabel* m_notAnImage = nullptr;
    QLabel* m_errorReading = nullptr;
    QLabel* m_picture = nullptr;
    qint64 m_imageKey = 0;
    QSize m_imageSize;
};

} // namespace mosaicon::viewer
