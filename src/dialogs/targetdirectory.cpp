#include "dialogs/targetdirectory.h"

#include "settings/program.h"

#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace mosaicon {

TargetDirectory::TargetDirectory(const QString& startDirectory, QObject* parent)
    : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_tempdir"));
    Text1.text = QStringLiteral(
        "Select the directory where the temporary files will be stored.  When the HTML \r\n"
        "files are created, the entire contents of this directory can be copied to the \r\n"
        "Internet.\r\n");
    moveDirectoryList(startDirectory);
    o_drive = volumeOf(o_dir);
    // Set whatever the directory: a window cut short would hide its buttons.
    height = loadedHeight;
    load();
}

TargetDirectory::TargetDirectory(QObject* parent) : TargetDirectory(QDir::currentPath(), parent) {}

QString TargetDirectory::volumeOf(const QString& path)
{
    const QString root = QStorageInfo(path).rootPath();
    return root.isEmpty() ? QDir::rootPath() : root;
}

// A directory that does not exist stops the steps: the label then shows
// where the list still is, and that is what leaving the window stores.
void TargetDirectory::load()
{
    const QString target = settings().internet_dir;
    if (target.isEmpty() || !QFileInfo(target).isDir()) {
        o_directory.caption = o_dir;
        return;
    }
    moveDirectoryList(target);
    const QString drive = volumeOf(o_dir);
    if (drive != o_drive) {
        o_drive = drive;
        o_drive_Change();
    }
    o_directory.caption = target;
}

void TargetDirectory::moveDirectoryList(const QString& dir)
{
    o_dir = QDir::cleanPath(QDir(dir).absolutePath());
    m_lastDirOnVolume.insert(volumeOf(o_dir), o_dir);
}

void TargetDirectory::show()
{
    platform::ui().showModal(objectName(), this);
}

void TargetDirectory::unload()
{
    Form_Unload();
}

void TargetDirectory::o_drive_Change()
{
    const QString last = m_lastDirOnVolume.value(o_drive);
    moveDirectoryList(!last.isEmpty() && QFileInfo(last).isDir() ? last : o_drive);
    o_dir_Change();
}

void TargetDirectory::o_dir_Change()
{
    m_lastDirOnVolume.insert(volumeOf(o_dir), o_dir);
    o_directory.caption = o_dir;
}

void TargetDirectory::saveAndClose()
{
    settings().internet_dir = o_directory.caption;
    emit hidden();
}

void TargetDirectory::Form_Unload()
{
    saveAndClose();
}

} // namespace mosaicon
