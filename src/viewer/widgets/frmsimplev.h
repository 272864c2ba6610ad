#pragma once

#include "viewer/simpleview.h"

#include "platform/widgets/valuedialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace mosaicon {

namespace platform {
class ImageView;
} // namespace platform

namespace viewer {

class PictureArea;

// "Simple View": browses its own copy of the main window's file list, showing
// the chosen entry's picture, path and pixel size. It changes no file, no
// setting and no list of the main window.
class FrmSimpleV final : public platform::ValueDialog<SimpleView>
{
    Q_OBJECT

public:
    explicit FrmSimpleV(SimpleView* value, QWidget* parent = nullptr);

    QListWidget* flelist() const { return m_list; }
    platform::ImageView* viewimage() const { return m_image; }
    QLabel* error_reading_file() const { return m_errorReading; }
    QLabel* o_notanimage() const { return m_notAnImage; }
    QLineEdit* o_file_name() const { return m_fileName; }
    QLabel* o_file_width() const { return m_fileWidth; }
    QLabel* o_file_height() const { return m_fileHeight; }
    QGroupBox* Frame1() const { return m_frame1; }
    QGroupBox* Frame2() const;
    QGroupBox* Frame6() const { return m_frame6; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void push() override;
    void recalculate_image();
    // Places the frames in the room below the menu bar.
    void placeFrames();

    QListWidget* m_list = nullptr;
    platform::ImageView* m_image = nullptr;
    QLabel* m_errorReading = nullptr;
    QLabel* m_notAnImage = nullptr;
    QLineEdit* m_fileName = nullptr;
    QLabel* m_fileWidth = nullptr;
    QLabel* m_fileHeight = nullptr;
    QGroupBox* m_frame1 = nullptr;
    PictureArea* m_frame2 = nullptr;
    QGroupBox* m_frame6 = nullptr;
    QWidget* m_client = nullptr;
};

// Makes the program show this dialog wherever Simple View's value is shown modally.
void registerFrmSimpleV();

} // namespace viewer
} // namespace mosaicon
