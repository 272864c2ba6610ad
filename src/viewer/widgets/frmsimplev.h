#pragma once

#include "viewer/simpleview.h"

#include "platform/form.h"
#include "platform/widgets/menutree.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;

namespace mosaicon {

namespace platform {
class ImageView;
} // namespace platform

namespace viewer {

class PictureArea;

// "Simple View": browses its own copy of the main window's file list, showing
// the chosen entry's picture, path and pixel size. It changes no file, no
// setting and no list of the main window.
class FrmSimpleV final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmSimpleV(QWidget* parent = nullptr);

    const SimpleView& state() const { return m_state; }
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
    QAction* menuFileItem(int index) const;

    // Fills the list from the main window's entries and shows the first.
    void Form_Load(const QStringList& mainList);
    void flelist_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void showState();
    void recalculate_image();
    int menuBarHeight() const;

    SimpleView m_state;
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
    QMenuBar* m_bar = nullptr;
    QWidget* m_client = nullptr;
    platform::MenuTree m_menus;
};

extern platform::Form<FrmSimpleV> frm_simplev;

// Loads Simple View over the entries, centres it, shows it modally and unloads it.
void show_simple_view(const QStringList& mainList);

// Lets Simple View be shown modally by the real dialogs.
void registerFrmSimpleV();

} // namespace viewer
} // namespace mosaicon
