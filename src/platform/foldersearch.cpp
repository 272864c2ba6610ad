#include "platform/foldersearch.h"

#include "platform/filelist.h"
#include "platform/files.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace mosaicon::platform {

// What one reading of a folder found.
struct FolderListing
{
    QStringList files;
    QStringList folders;
    // With devices asked for: the volume of the folder and of each sub-folder,
    // read through the open folder, which spares the search a walk of each path.
    quint64 device = 0;
    QList<quint64> folderDevices;
};

namespace {

enum class Kind
{
    Other,
    File,
    Folder
};

// A symlink counts as the file it points to, but never as a folder, so the
// search cannot be led around a loop or out of its tree.
Kind kindOf(const QByteArray& path, unsigned char type)
{
    if (type == DT_REG)
        return Kind::File;
    if (type == DT_DIR)
        return Kind::Folder;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return Kind::Other;
    struct stat st;
    if (type == DT_UNKNOWN && ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return Kind::Folder;
    if (::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
        return Kind::File;
    return Kind::Other;
}

// One reading of the folder gives both its files and its sub-folders, without
// hidden ones, each in the program's name order. False when it cannot be read.
bool listFolder(const QString& folder, const NamePattern& pattern, bool withDevices,
                FolderListing* listing)
{
    const QByteArray encoded = QFile::encodeName(folder);
    DIR* dir = ::opendir(encoded.constData());
    if (!dir)
        return false;
    struct stat st;
    if (withDevices)
        listing->device = ::fstat(::dirfd(dir), &st) == 0 ? quint64(st.st_dev) : 0;
    QList<std::pair<QString, quint64>> folders;
    const QByteArray prefix = encoded.endsWith('/') ? encoded : encoded + '/';
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        // Two names that differ only in bytes that are not UTF-8 stay two.
        const QString name = decodeFileName(entry->d_name);
        const bool wanted = pattern.matches(name);
        const bool mayBeFolder = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN;
        if (!wanted && !mayBeFolder)
            continue;
        switch (kindOf(prefix + entry->d_name, entry->d_type)) {
        case Kind::File:
            if (wanted)
                listing->files.append(name);
            break;
        case Kind::Folder: {
            // A folder is never a link, so its own entry tells its volume.
            quint64 device = 0;
            if (withDevices &&
                ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
                device = quint64(st.st_dev);
            folders.append({joinPath(folder, name), device});
            break;
        }
        case Kind::Other:
            break;
        }
    }
    ::closedir(dir);
    std::sort(listing->files.begin(), listing->files.end(), &FileList::nameLess);
    std::sort(folders.begin(), folders.end(),
              [](const auto& a, const auto& b) { return FileList::nameLess(a.first, b.first); });
    listing->folders.reserve(folders.size());
    for (auto& [path, device] : folders) {
        listing->folders.append(std::move(path));
        if (withDevices)
            listing->folderDevices.append(device);
    }
    return true;
}

} // namespace

std::function<void()> throttledYield(std::function<void()> yield, int intervalMs)
{
    return [yield = std::move(yield), intervalMs, timer = QElapsedTimer()]() mutable {
        if (timer.isValid() && timer.elapsed() < intervalMs)
            return;
        yield();
        timer.start();
    };
}

FolderSearch::FolderSearch(QStringList queue, QStringList results, FolderSearchOptions options)
    : m_queue(std::move(queue)), m_results(std::move(results)), m_options(std::move(options))
{
    m_queued = QSet<QString>(m_queue.cbegin(), m_queue.cend());
    if (!m_options.allowDuplicates)
        m_found = QSet<QString>(m_results.cbegin(), m_results.cend());
    m_given = m_results.size();
}

void FolderSearch::yield() const
{
    if (m_yield)
        m_yield();
}

void FolderSearch::run()
{
    const NamePattern pattern(m_options.pattern);
    while (!m_queue.isEmpty()) {
        if (!keepGoing()) {
            m_stopped = true;
            return;
        }
        const QString folder = m_queue.first();
        if (m_started)
            m_started(folder);
        // A folder that cannot be read leaves the queue like a searched one.
        FolderListing listing;
        if (listFolder(folder, pattern, m_options.subfolders && !m_volumeOf, &listing)) {
            m_lastSearched = folder;
            if (m_options.subfolders)
                queueSubfolders(folder, listing);
            addFiles(folder, listing.files);
        }
        if (!keepGoing()) {
            m_stopped = true;
            return;
        }
        // A searched folder stays in the set, so no folder is searched twice in a run.
        if (m_full) {
            m_queue.clear();
        } else {
            m_queue.removeFirst();
            ++m_searched;
        }
    }
}

void FolderSearch::queueSubfolders(const QString& folder, const FolderListing& listing)
{
    const bool listed = !m_volumeOf;
    const quint64 volume = listed ? listing.device : m_volumeOf(folder);
    for (qsizetype i = 0; i < listing.folders.size(); ++i) {
        if (!keepGoing())
            return;
        const QString& sub = listing.folders.at(i);
        const quint64 subVolume = listed ? listing.folderDevices.at(i) : m_volumeOf(sub);
        if (subVolume == volume && !m_queued.contains(sub)) {
            m_queue.append(sub);
            m_queued.insert(sub);
        }
        yield();
    }
}

void FolderSearch::addFiles(const QString& folder, const QStringList& names)
{
    // A name joins its folder into a path that no other folder of the run
    // gives, unless a folder comes twice (once with a trailing slash, say):
    // only from then on must the run's own results be looked up too, besides
    // those given; a set of 100,000 paths costs the search a third of its time.
    if (!m_options.allowDuplicates && !m_foundInRun) {
        const QString prefix = joinPath(folder, QString());
        if (m_prefixes.contains(prefix)) {
            m_foundInRun = true;
            for (qsizetype i = m_given; i < m_results.size(); ++i)
                m_found.insert(m_results.at(i));
        } else {
            m_prefixes.insert(prefix);
        }
    }
    for (const QString& name : names) {
        if (m_full || !keepGoing())
            return;
        QString candidate = joinPath(folder, name);
        if (m_options.allowDuplicates || m_found.isEmpty() || !m_found.contains(candidate)) {
            if (m_results.size() >= m_options.capacity) {
                m_full = true;
                return;
            }
            if (m_foundInRun)
                m_found.insert(candidate);
            m_results.append(std::move(candidate));
        }
        yield();
    }
}

} // namespace mosaicon::platform
