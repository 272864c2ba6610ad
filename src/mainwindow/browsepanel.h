#pragma once

#include "platform/filelist.h"

#include <QGroupBox>

class QComboBox;
class QGridLayout;
class QListWidget;

namespace mosaicon {

namespace platform {
class DirListBox;
class DriveListBox;
} // namespace platform

// The "Source" frame of the windows that browse for files: directory, drive
// and pattern, and the files they select, counted in the frame's caption.
// The lists follow a new directory or pattern themselves; what a new drive
// means (and what its failure says) is the window's.
class BrowsePanel final : public QGroupBox
{
    Q_OBJECT

public:
    explicit BrowsePanel(QWidget* parent = nullptr);

    platform::DirListBox* filedir() const { return m_filedir; }
    platform::DriveListBox* filedrive() const { return m_filedrive; }
    QComboBox* filefilter() const { return m_filefilter; }
    QListWidget* filelist() const { return m_filelist; }
    // The directory and pattern the file list shows, and its names.
    const platform::FileList& files() const { return m_files; }

    // Fills the pattern list and picks current when it is listed, as a user's
    // choice; false when it is not.
    bool setPatterns(const QStringList& patterns, const QString& current);
    // Moves the directory and file lists to the current drive; false when
    // the drive cannot be read.
    bool followDrive();
    // Selects the volume of path without raising driveChosen.
    bool setDriveQuietly(const QString& path);
    void updateCaption();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user (or the window's code) picked another drive.
    void driveChosen(const QString& root);
    // After the file list follows.
    void directoryChanged(const QString& path);
    void patternChosen(const QString& pattern);

private:
    void onDirectory();
    void onPattern();
    void showFiles();

    platform::DirListBox* m_filedir = nullptr;
    platform::DriveListBox* m_filedrive = nullptr;
    QComboBox* m_filefilter = nullptr;
    QListWidget* m_filelist = nullptr;
    platform::FileList m_files;
    // Set while the panel itself moves the drive: the drive list must still
    // take the change (blocking its signals would keep its old drive), but the
    // directory is already where it belongs.
    bool m_driveQuiet = false;
};

} // namespace mosaicon
