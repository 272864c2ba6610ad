#pragma once

#include "platform/form.h"
#include "platform/picturefit.h"
#include "platform/widgets/menutree.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class QAction;
class QLabel;
class QListWidget;

namespace mosaicon {

namespace platform {
class ImageView;
} // namespace platform

// "Thumbnail": shows the picture of the main window's current file list entry,
// scaled to fit, while Options > Image Window is checked. Closing it by any
// means clears that check mark.
class ImageWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // The window is never made lower than this, in twips.
    static constexpr int minimumHeight = 1260;
    // Room the frame, the menu bar and the status bar take from the window,
    // in twips, when the picture is fitted.
    static constexpr platform::PictureMargins pictureMargins{.side = 150, .topAndBottom = 1000};

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
