#pragma once

#include "platform/form.h"
#include "platform/widgets/menutree.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class QAction;
class QLabel;
class QListWidget;

namespace mosaicon {

class MainForm;

namespace platform {
class ImageView;
} // namespace platform

// Where a picture of W x H twips goes in a window of FW x FH twips: wider than
// the room it is scaled to the width (mode 2), then, if still too high, to the
// height (mode 3); a picture that fits stays at its own size (mode 1).
struct PictureFit
{
    double width = 0;
    double height = 0;
    int mode = 1;
};
PictureFit fitPicture(double width, double height, double windowWidth, double windowHeight);

// "Thumbnail": shows the picture of the main window's current file list entry,
// scaled to fit, while Options > Image Window is checked. Closing it by any
// means clears that check mark.
class ImageWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // The window is never made lower than this, in twips.
    static constexpr int minimumHeight = 1260;

    explicit ImageWindow(QWidget* parent = nullptr);
    ~ImageWindow() override;

    // The file list whose current entry decides whether a picture may show,
    // and the menu item that is checked while the window is loaded.
    void follow(QListWidget* list, QAction* option);

    platform::ImageView* o_image() const { return m_image; }
    QString statusText() const;
    void setStatusText(const QString& text);
    QTimer& Timer1() { return m_timer1; }
    QAction* menuFileItem(int index) const;

    // Loads the file into the picture and fits it; false when it cannot be shown.
    bool showFile(const QString& path);
    void fit_thumbnail_image();
    void Form_Load();
    void Timer1_Timer();
    // File: Copy To Clipboard (the picture shown, if any) and Exit.
    void copyToClipboard();
    void exitWindow();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    platform::ImageView* m_image = nullptr;
    QLabel* m_status = nullptr;
    QTimer m_timer1;
    platform::MenuTree m_menus;
    QPointer<QListWidget> m_list;
    QPointer<QAction> m_option;
};

extern platform::Form<ImageWindow> frm_thumbnail;

} // namespace mosaicon
