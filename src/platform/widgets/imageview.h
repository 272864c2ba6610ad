#pragma once

#include "platform/imagecontrol.h"

#include <QPixmap>
#include <QWidget>

namespace mosaicon::platform {

// Shows an ImageControl on a form: the widget takes the control's placement
// (twips, 15 a pixel) and visibility, fills its rectangle with the control's
// picture and draws the frame of borderStyle 1.
class ImageView : public QWidget
{
    Q_OBJECT
public:
    // Shows a control of its own.
    explicit ImageView(QWidget* parent = nullptr);
    // Shows a window value's control, which must outlive the view.
    ImageView(ImageControl& shown, QWidget* parent);
    ~ImageView() override;

    ImageControl& control() { return *m_control; }
    const ImageControl& control() const { return *m_control; }

signals:
    // x and y are in pixels from the widget's top left corner.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void attach();
    void followControl();

    ImageControl m_own;
    ImageControl* m_control = &m_own;
    bool m_visible = true;
    QPixmap m_pixmap;
    qint64 m_pixmapSource = 0;
};

} // namespace mosaicon::platform
