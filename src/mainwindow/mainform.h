#pragma once

#include "pagekit/pagelists.h"
#include "pagekit/pagerun.h"

#include "platform/filelist.h"
#include "platform/imagecontrol.h"
#include "platform/mainformview.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QToolBar;

namespace mosaicon {

class CommandTable;
struct Command;

namespace platform {
class DirListBox;
class DriveListBox;
class ImageView;
} // namespace platform

// The start-up window: pattern, drive and directory browsing, the file list
// (or the logo in its place), the toolbar and the menus.
class MainForm final : public QMainWindow, public platform::MainFormView
{
    Q_OBJECT

public:
    // The window's designed placement in twips, before start-up centres it.
    static constexpr int designedLeft = 1200;
    static constexpr int designedTop = 1200;
    static constexpr int designedWidth = 9600;
    static constexpr int designedHeight = 7200;
    static constexpr int toolbarButtonCount = 13;

    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // The start-up sequence; the program ends in it when the switches say so.
    void Form_Load();

    // The file list and its working lists.
    QListWidget* itemlist() const { return m_itemlist; }
    QStringList templist;
    QStringList o_original_location;

    QComboBox* filefilter() const { return m_filefilter; }
    platform::FileList& filelist() { return m_filelist; }
    platform::DriveListBox* filedrive() const { return m_filedrive; }
    platform::DirListBox* filedir() const { return m_filedir; }
    platform::ImageView* logo() const { return m_logo; }
    QToolBar* Toolbar1() const { return m_toolbar; }
    QAction* toolbarButton(int position) const; // 1-based, as the toolbar numbers them
    QAction* toolbarButton(const QString& key) const;
    QString statusText() const;
    QString dialogInitialDirectory() const { return m_dialogDirectory; }
    QAction* menuItem(const QString& menu, int index) const;

    // The 32 file patterns, in the order of the pattern list.
    static const QStringList& patterns();

    void show_logo();
    void Timer1_Timer();
    // Clipboard conversion: while on, a browser's address of a local file on
    // the clipboard is replaced once a second by the file's path.
    void setClipboardConversion(bool on);
    bool clipboardConversionOn() const { return m_timer3.isActive(); }
    void Timer3_Timer();

    // Browsing: each rebuilds the file list.
    void filedir_Change();
    void filedrive_Change();
    void filefilter_Change();
    void filefilter_Click();
    void leave_logo_view();
    void logo_leave_logo_view();
    bool inLogoView() const;
    // The toolbar's and the menus' commands, in toolbar and menu order.
    static const CommandTable& commands();
    void Toolbar1_ButtonClick(QAction* button);
    // Runs a menu item's command, found by its menu's object name and index.
    void runMenuItem(const QString& menu, int index);
    // The file list and the working lists as a page run sees them.
    PageLists pageLists();
    void load_file_list_switch();

    // platform::MainFormView
    void setCaption(const QString& caption) override;
    void setBackgroundColor(qint32 winColor) override;
    void showLogoView(const QString& logoFile) override;
    void showListView() override;
    void refreshToolbar() override;
    std::optional<QRect> normalGeometryTwips() const override;
    void showStatus(const QString& text) override;
    void setDialogInitialDirectory(const QString& folder) override;
    void showViewImagesMenuItem() override;
    void showToolbarButton(int position) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildToolbar();
    void buildMenus();
    void addMenuItem(QAction* action, const Command& row, const QString& objectName);
    void restoreBrowser(int patternIndex);
    void showStartDirectory();
    void setListsVisible(bool visible);
    void appendFileEntries();
    void loadProfile();
    // Menu commands.
    void selectLogo();
    void clearLogo();
    void chooseBackgroundColor();
    void chooseThumbnailColor();
    void clearFileList();
    void useVirtualDirectory();
    // A list loaded from a list file shows white on black.
    void markVirtualList();
    void openHelp();
    void openCurrentEntry();
    void showItemListMenu(const QPoint& position);
    void deleteOrRemove(bool deleteFiles);
    // Simple View over a copy of the file list.
    void showSimpleView();
    void associateText();
    void associateCurrentText();
    // View Images on a copy of the file list, which it may replace on leaving.
    void viewImages();
    int firstSelected() const;
    // A page run over the file list, started by the last toolbar key.
    std::unique_ptr<PageRun> startRun();
    void runPage(void (*writer)(PageRun&), bool withRules, bool internetReady = false);
    // Every run started from the window goes through here: the toolbar, the
    // menus and the list's pop-up stay locked until it ends, and closing the
    // window meanwhile leaves the run, then ends the program.
    void runLocked(PageRun& run, void (*writer)(PageRun&));
    int windowTwipsWidth() const;
    int windowTwipsHeight() const;

    QComboBox* m_filefilter = nullptr;
    platform::FileList m_filelist;
    platform::DriveListBox* m_filedrive = nullptr;
    platform::DirListBox* m_filedir = nullptr;
    QListWidget* m_itemlist = nullptr;
    platform::ImageView* m_logo = nullptr;
    QToolBar* m_toolbar = nullptr;
    // The run under way, if any.
    PageRun* m_run = nullptr;
    bool m_endAfterRun = false;
    QLabel* m_status = nullptr;
    QTimer m_timer1;
    QTimer m_timer2;
    QTimer m_timer3;
    QHash<QString, QAction*> m_menuItems; // "menu/index"
    QMenu* m_itemListMenu = nullptr;
    QString m_dialogDirectory;
    QString m_clip_last_address; // the last missing file reported, never again this run
    bool m_clipboardBoxOpen = false;
};

// The file list's handlers that drive the image window; the main window
// connects them once; the image window defines them.
void followFileList(MainForm& form);
void itemlist_DblClick(MainForm& form);
void itemlist_KeyPress(MainForm& form);
// Options > Image Window, after its check mark changed: opens or closes the window.
void imageWindowOption_Click(MainForm& form);

} // namespace mosaicon
