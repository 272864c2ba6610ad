#pragma once

#include "pagekit/pagelists.h"

#include "mainwindow/browsepanel.h"

#include "platform/filelist.h"
#include "platform/form.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace mosaicon {

class PageRun;

namespace platform {
class DirListBox;
class DriveListBox;
} // namespace platform

// "Quick File Load / Quick HTML": the user points at one directory and its GIF
// and JPEG files become a quick page at once, without passing through the
// main window's file list. Loading the window prepares it; Create HTML and
// Cancel end its modal display. Only Cancel remembers the drive and the
// directory for the next time; closing by the frame stores nothing.
class QuickView final : public QDialog
{
    Q_OBJECT

public:
    explicit QuickView(QWidget* parent = nullptr);

    // The patterns offered, in the order of the list.
    static const QStringList& patterns();

    // The page run Create HTML fills and writes, owned by the opener; without
    // one the window starts a run of its own on lists of its own.
    void setRun(PageRun* run) { m_run = run; }
    PageRun* run() const { return m_run; }

    QPushButton* Command12() const { return m_cancel; }
    QPushButton* Command3d2() const { return m_create; }
    QGroupBox* source() const { return m_source; }
    QComboBox* filefilter() const { return m_source->filefilter(); }
    platform::DirListBox* filedir() const { return m_source->filedir(); }
    platform::DriveListBox* filedrive() const { return m_source->filedrive(); }
    QListWidget* filelist() const { return m_source->filelist(); }
    // The directory and pattern the file list shows, and its names.
    const platform::FileList& files() const { return m_source->files(); }

    // The window's own stop flag: set when it loads, cleared by Cancel.
    bool keep_processing = false;

    // Runs when the window is loaded; restores the pattern, drive and
    // directory of the last Cancel.
    void Form_Load();
    void filedrive_Change();
    // Create HTML.
    void createHtml();
    // Cancel: the drive and directory are remembered for the next showing.
    void cancelAndRemember();

private:
    void buildControls();

    QPushButton* m_cancel = nullptr;
    QPushButton* m_create = nullptr;
    BrowsePanel* m_source = nullptr;

    PageRun* m_run = nullptr;
    QStringList m_ownTemplist;
    QStringList m_ownOriginal;
};

extern platform::Form<QuickView> frm_quickview;

// Lets the quick-load window be shown modally by the real dialogs.
void registerQuickView();

} // namespace mosaicon
