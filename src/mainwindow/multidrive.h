#pragma once

#include "mainwindow/browsepanel.h"

#include "platform/form.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QMenuBar;
class QPushButton;

namespace mosaicon {

class MainForm;

namespace platform {
class DirListBox;
class DriveListBox;
class FolderSearch;
} // namespace platform

// "Add From Sub-Directories/Multi-Drives": the user queues folders on any
// volume, searches them (optionally with their sub-folders) for the files the
// pattern selects, and OK makes the results the main window's file list.
// The main window's browsing follows this window's directory, drive and pattern.
class MultiDrive final : public QDialog
{
    Q_OBJECT

public:
    // Works with the program's main window, when it has one.
    explicit MultiDrive(QWidget* parent = nullptr);

    QGroupBox* source() const { return m_source; }
    QGroupBox* selecteddirs() const { return m_selecteddirs; }
    QGroupBox* selectedfiles() const { return m_selectedfiles; }
    QComboBox* filefilter() const { return m_source->filefilter(); }
    platform::DirListBox* filedir() const { return m_source->filedir(); }
    platform::DriveListBox* filedrive() const { return m_source->filedrive(); }
    QListWidget* filelist() const { return m_source->filelist(); }
    QListWidget* dirs() const { return m_dirs; }
    QListWidget* fles() const { return m_fles; }
    QCheckBox* subdir() const { return m_subdir; }
    QCheckBox* o_fle_dups() const { return m_dups; }
    QCheckBox* volume_id() const { return m_volume; }
    QPushButton* button(const QString& objectName) const;
    bool searching() const { return m_searching; }

    // The window's own stop flag: cleared by Stop Processing, OK and Cancel,
    // tested by the search before each folder, sub-folder and file, and by
    // a file profile's loading between its lines.
    bool keep_processing = false;

    void Form_Load();
    void add_directory();
    // The search; refused while one runs.
    void add_files();
    void stopProcessing();
    void update_captions();
    void showCounts(qsizetype dirs, qsizetype files);
    void filedir_Change();
    void filedrive_Change();
    void filefilter_Click();
    void clearFiles();
    void ok();
    void cancel();
    void saveDirectoryProfile();
    void loadDirectoryProfile();

    // Every way the window closes stops a running search first.
    void done(int result) override;

private:
    void buildControls();
    QMenuBar* buildMenu();
    template <class Slot>
    QPushButton* addButton(const char* objectName, const char* caption, Slot slot);
    void runSearch();
    void removeSelected(QListWidget* list);
    void removeCurrent(QListWidget* list);
    QStringList entries(const QListWidget* list) const;
    void showSearchProgress(const platform::FolderSearch& search);

    MainForm* m_main = nullptr;
    BrowsePanel* m_source = nullptr;
    QGroupBox* m_selecteddirs = nullptr;
    QGroupBox* m_selectedfiles = nullptr;
    QListWidget* m_dirs = nullptr;
    QListWidget* m_fles = nullptr;
    QCheckBox* m_subdir = nullptr;
    QCheckBox* m_dups = nullptr;
    QCheckBox* m_volume = nullptr;
    QList<QPushButton*> m_buttons;
    bool m_searching = false;
    // The main window's file list as the window found it, for Cancel: the
    // main window's browsing follows this window and rebuilds that list.
    QStringList m_opening;
    // How many folders that have left a running search's queue its list no
    // longer shows, counted from the search's start.
    qsizetype m_shownSearched = 0;
    // OK or Cancel asked for during a search, done when it has stopped.
    void (MultiDrive::*m_afterSearch)() = nullptr;
};

extern platform::Form<MultiDrive> frm_multi_drive;

// Lets the window be shown modally by the real dialogs.
void registerMultiDrive();

} // namespace mosaicon
