#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace mosaicon::platform {

// The mounted volumes a user can browse, by root path: "/" first, always,
// then real disks, removable media and the home volume, without the pseudo
// file systems of the kernel and the container runtime. An item reads
// "root [label]" when the volume has a label other than its root path.
class DriveListBox : public QComboBox
{
    Q_OBJECT

public:
    // A file system as the system lists it mounted.
    struct Mount
    {
        QString root;
        QByteArray fileSystemType;
        QString label;
    };

    explicit DriveListBox(QWidget* parent = nullptr);

    // The root path of the current volume; empty when there is none.
    QString drive() const { return m_drive; }
    // Selects the volume whose root path is rootOrPathInsideIt or, failing
    // that, the listed volume that holds that path. False, changing nothing,
    // when no listed volume does.
    bool setDrive(const QString& rootOrPathInsideIt);

    // Replaces the listed volumes by these roots. The current volume stays
    // current when it is still listed; otherwise the first one becomes current.
    void setVolumes(const QStringList& roots);
    // Lists the volumes mounted now.
    void refreshVolumes();
    // Lists "/" and the browsable ones of these mounts, as refreshVolumes does.
    void setMounts(const QList<Mount>& mounts);

signals:
    // The current volume changed, through setDrive, a new list or the user;
    // root is empty when no volume is left.
    void driveChanged(const QString& root);

private:
    struct Volume
    {
        QString root;
        QString label;
    };
    void setVolumeList(QList<Volume> volumes);
    void takeCurrent();

    QString m_drive;
    bool m_rebuilding = false;
};

} // namespace mosaicon::platform
