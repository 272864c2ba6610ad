#include "platform/foldersearch.h"

#include "platform/filelist.h"
#include "platform/files.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

namespace mosaicon::platform {

namespace {

struct Listing
{
    QStringList files;
    QStringList folders;
};

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
bool listFolder(const QString& folder, const NamePattern& pattern, Listing* listing)
{
    const QByteArray encoded = QFile::encodeName(folder);
    DIR* dir = ::opendir(encoded.constData());
    if (!dir)
        return false;
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
        case Kind::Folder:
            listing->folders.append(joinPath(folder, name));
            break;
        case Kind::Other:
            break;
        }
    }
    ::closedir(dir);
    std::sort(listing->files.begin(), listing->files.end(), &FileList::nameLess);
    std::sort(listing->folders.begin(), listing->folders.end(), &FileList::nameLess);
    return true;
}

} // namespace

quint64 deviceOf(const QString& folder)
{
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return 0;
    return quint64(st.st_dev);
}

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
        Listing listing;
        if (listFolder(folder, pattern, &listing)) {
            m_lastSearched = folder;
            if (m_options.subfolders)
                queueSubfolders(folder, listing.folders);
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

void FolderSearch::queueSubfolders(const QString& folder, const QStringList& subfolders)
{
    const quint64 volume = m_volumeOf(folder);
    for (const QString& sub : subfolders) {
        if (!keepGoing())
            return;
        if (m_volumeOf(sub) == volume && !m_queued.contains(sub)) {
            m_queue.append(sub);
            m_queued.insert(sub);
        }
        yield();
    }
}

void FolderSearch::addFiles(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        if (m_full || !keepGoing())
            return;
        const QString candidate = joinPath(folder, name);
        if (m_options.allowDuplicates || !m_found.contains(candidate)) {
            if (m_results.size() >= m_options.capacity) {
                m_full = true;
                return;
            }
            m_results.append(candidate);
            if (!m_options.allowDuplicates)
                m_found.insert(candidate);
        }
        yield();
    }
}

} // namespace mosaicon::platform
