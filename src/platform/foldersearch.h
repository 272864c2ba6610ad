#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

namespace mosaicon::platform {

struct FolderListing;

// The volume a folder lies on: equal numbers, same volume. Without one the
// search reads each folder's device as it lists it; tests give mount points
// of their own.
using VolumeOf = std::function<quint64(const QString& folder)>;

// A yield that passes the call on at most once per interval, the first call
// always: letting events run after every one of 100,000 files would cost as
// much as the search itself, and a few times a frame keeps a window answering.
std::function<void()> throttledYield(std::function<void()> yield, int intervalMs = 10);

struct FolderSearchOptions
{
    // At most this many results; a search that reaches it is full.
    static constexpr qsizetype defaultCapacity = 2'000'000;

    QString pattern;
    bool subfolders = false;
    bool allowDuplicates = false;
    qsizetype capacity = defaultCapacity;
};

// One search over a queue of folders: the files of the first folder that
// match the pattern are added to the results, then the folder leaves the
// queue; with sub-folders on, its sub-folders join the end of the queue
// first, so the tree is searched level by level.
//
// Sub-folders that are symbolic links, hidden, or on another volume than
// their parent are never queued, so a search of "/" ends and never loops.
// Without duplicates a result already present (given or found) is not added
// again, tested through a set. A stopped search leaves the folder in work
// first in the queue, so a new search over the queue resumes with it.
class FolderSearch
{
public:
    FolderSearch(QStringList queue, QStringList results, FolderSearchOptions options);

    // Asked before each folder, sub-folder and file; false stops the search.
    void setKeepGoing(std::function<bool()> keepGoing) { m_keepGoing = std::move(keepGoing); }
    // Called after each sub-folder queued or passed over and each file.
    void setYield(std::function<void()> yield) { m_yield = std::move(yield); }
    // Called with each folder as its search begins.
    void setFolderStarted(std::function<void(const QString&)> started)
    {
        m_started = std::move(started);
    }
    void setVolumeOf(VolumeOf volumeOf) { m_volumeOf = std::move(volumeOf); }

    void run();

    const QStringList& queue() const { return m_queue; }
    const QStringList& results() const { return m_results; }
    // How many folders have left the front of the queue so far, searched or
    // unreadable; an emptied queue does not count.
    qsizetype searched() const { return m_searched; }
    // The results reached their capacity; the queue was then emptied.
    bool full() const { return m_full; }
    bool stopped() const { return m_stopped; }
    // The last folder that could be read: where the search was when it
    // ended. Empty when it read none.
    const QString& lastSearched() const { return m_lastSearched; }

private:
    bool keepGoing() const { return !m_keepGoing || m_keepGoing(); }
    void yield() const;
    void queueSubfolders(const QString& folder, const FolderListing& listing);
    void addFiles(const QString& folder, const QStringList& names);

    QStringList m_queue;
    QSet<QString> m_queued;
    QStringList m_results;
    // Without duplicates: the results given, and the run's own once a folder
    // prefix repeats (see addFiles).
    QSet<QString> m_found;
    QSet<QString> m_prefixes;
    qsizetype m_given = 0;
    bool m_foundInRun = false;
    QString m_lastSearched;
    FolderSearchOptions m_options;
    std::function<bool()> m_keepGoing;
    std::function<void()> m_yield;
    std::function<void(const QString&)> m_started;
    VolumeOf m_volumeOf;
    qsizetype m_searched = 0;
    bool m_full = false;
    bool m_stopped = false;
};

} // namespace mosaicon::platform
