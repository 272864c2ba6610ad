#include "platform/widgets/drivelistbox.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace mosaicon::platform {

namespace {

// Kernel and runtime file systems that never hold a user's pictures.
bool isPseudoFileSystem(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo = {
        "autofs",    "binfmt_misc", "bpf",      "cgroup",   "cgroup2",         "configfs",
        "debugfs",   "devpts",      "devtmpfs", "efivarfs", "fusectl",         "hugetlbfs",
        "mqueue",    "nsfs",        "proc",     "pstore",   "rpc_pipefs",      "securityfs",
        "selinuxfs", "squashfs",    "sysfs",    "tracefs",  "fuse.gvfsd-fuse", "fuse.portal",
    };
    return pseudo.contains(type);
}

bool isUnder(QStringView path, QStringView dir)
{
    return path.startsWith(dir) && (path.size() == dir.size() || path.at(dir.size()) == u'/');
}

bool isBrowsable(const DriveListBox::Mount& mount, const QString& homeRoot)
{
    const QString& root = mount.root;
    if (root == u"/" || root == homeRoot)
        return true;
    if (isPseudoFileSystem(mount.fileSystemType) || mount.fileSystemType == "overlay")
        return false;
    // Removable media are mounted under /run/media on some systems; the rest
    // of these trees belongs to the system.
    for (QStringView dir : {u"/proc", u"/sys", u"/dev", u"/run"}) {
        if (isUnder(root, dir) && !isUnder(root, u"/run/media"))
            return false;
    }
    // Containers bind-mount single files such as /etc/hosts.
    return QFileInfo(root).isDir();
}

bool volumeLess(const QString& a, const QString& b)
{
    if (a == u"/" || b == u"/")
        return a == u"/" && b != u"/";
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::takeCurrent);
    refreshVolumes();
}

bool DriveListBox::setDrive(const QString& rootOrPathInsideIt)
{
    if (rootOrPathInsideIt.isEmpty())
        return false;
    int index = findData(rootOrPathInsideIt);
    if (index < 0) {
        // A path inside a volume: the deepest listed root that holds it,
        // following symlinks when the path exists, since a link may lead
        // onto another volume.
        const QFileInfo info(rootOrPathInsideIt);
        QString path = info.exists() ? info.canonicalFilePath() : QString();
        if (path.isEmpty())
            path = QDir::cleanPath(info.absoluteFilePath());
        qsizetype best = -1;
        for (int i = 0; i < count(); ++i) {
            const QString root = itemData(i).toString();
            const bool holds = root == u"/" ? path.startsWith(u'/') : isUnder(path, root);
            if (holds && root.size() > best) {
                best = root.size();
                index = i;
            }
        }
    }
    if (index < 0)
        return false;
    setCurrentIndex(index);
    // A caller that blocks the box's signals still gets the right drive().
    takeCurrent();
    return true;
}

void DriveListBox::setVolumes(const QStringList& roots)
{
    QList<Volume> volumes;
    for (const QString& root : roots)
        volumes.append({root, QString()});
    setVolumeList(volumes);
}

void DriveListBox::refreshVolumes()
{
    QList<Mount> mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            mounts.append({volume.rootPath(), volume.fileSystemType(), volume.displayName()});
    }
    setMounts(mounts);
}

void DriveListBox::setMounts(const QList<Mount>& mounts)
{
    const QString homeRoot = QStorageInfo(QDir::homePath()).rootPath();
    QList<Volume> volumes;
    for (const Mount& mount : mounts) {
        if (isBrowsable(mount, homeRoot))
            volumes.append({mount.root, mount.label});
    }
    // In a chroot or a build container "/" is often no mount of its own, yet
    // every path lies on it. A mount of "/" listed above keeps its label.
    volumes.append({QStringLiteral("/"), QString()});
    setVolumeList(volumes);
}

void DriveListBox::setVolumeList(QList<Volume> volumes)
{
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const Volume& a, const Volume& b) { return volumeLess(a.root, b.root); });
    QSet<QString> seen;
    m_rebuilding = true;
    clear();
    for (const Volume& volume : volumes) {
        // A volume mounted twice at one place is listed once.
        if (volume.root.isEmpty() || seen.contains(volume.root))
            continue;
        seen.insert(volume.root);
        const bool labelled = !volume.label.isEmpty() && volume.label != volume.root;
        addItem(labelled ? QStringLiteral("%1 [%2]").arg(volume.root, volume.label) : volume.root,
                volume.root);
    }
    const int kept = findData(m_drive);
    setCurrentIndex(kept >= 0 ? kept : (count() > 0 ? 0 : -1));
    m_rebuilding = false;
    takeCurrent();
}

void DriveListBox::takeCurrent()
{
    if (m_rebuilding)
        return;
    const QString root = currentIndex() >= 0 ? currentData().toString() : QString();
    if (root == m_drive)
        return;
    m_drive = root;
    emit driveChanged(m_drive);
}

} // namespace mosaicon::platform
