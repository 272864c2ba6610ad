#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace mosaicon::platform {

// One INI file on disk, edited as an IniDocument (its grammar); a missing
// file reads as empty.
//
// The file is held in memory and re-read when it changed on disk. A put writes
// the file through at once (atomically) unless a ProfileBatch is open, in which
// case the file is written once when the outermost batch closes. Within a batch
// the file is looked at on disk once, when the batch first uses it: the batch
// does not see a change another program makes meanwhile, though its write keeps it.
// Every write locks the file and reads it again first, then makes only this
// object's own puts and removals on it: two programs writing one file at once
// keep each other's keys. A file kept as a link is written where it leads.
// A lock another program keeps is waited for a few seconds at most (on the
// window's thread with the window answering; writes its timers make meanwhile
// only try): the changes then stay in memory, later writes (flushes too) try
// again without waiting, and the first write that gets the lock saves them all.
class ProfileFile
{
public:
    explicit ProfileFile(QString path);
    ~ProfileFile();
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    const QString& path() const { return m_path; }

    // The value of the first key of that name in the first section of that
    // name, trimmed of blanks; defaultValue when there is none.
    QString get(const QString& section, const QString& key, const QString& defaultValue = {});
    bool contains(const QString& section, const QString& key);

    // Sets a value; creates the file, the section and the key as needed.
    void put(const QString& section, const QString& key, const QString& value);
    // Removes the first key of that name; creates nothing.
    void remove(const QString& section, const QString& key);
    // put() for a value, remove() for none: the shape of the original call.
    void write(const QString& section, const QString& key, const std::optional<QString>& value);

    QStringList sectionNames();
    QStringList keys(const QString& section);

    // Writes pending changes now. False, with errorString(), when the file
    // could not be written; the changes then stay pending in memory.
    bool flush();
    // The same, waiting at most that long for another program's lock.
    bool flush(std::chrono::milliseconds wait);
    QString errorString() const { return m_error; }
    // The last write found the file locked by another program.
    bool lockedByAnother() const;

    // Called once when a write finds the file locked by another program, and
    // again only after the file has been saved since.
    void setLockedNotice(std::function<void()> notice) { m_lockedNotice = std::move(notice); }

    // How long a write waits for another program's lock (tests shorten it).
    static std::chrono::milliseconds lockWait();
    static void setLockWait(std::chrono::milliseconds wait);

    // How often this object has looked at its file on disk and written it,
    // so that tests and benchmarks can tell what a run of calls costs.
    struct DiskUse
    {
        int stats = 0;
        int writes = 0;
    };
    DiskUse diskUse() const;

private:
    friend class ProfileBatch;
    struct Data;
    void reloadIfChanged();
    void changed();
    void apply(const QString& section, const QString& key, const std::optional<QString>& value);
    bool fail(const QString& message);
    bool save(std::chrono::milliseconds wait);
    // How long a put waits for the lock: not at all once locked out.
    std::chrono::milliseconds nextWait() const;

    QString m_path;
    QString m_error;
    std::function<void()> m_lockedNotice;
    std::unique_ptr<Data> d;
};

// The process-wide ProfileFile for a path (one object a file, so that batches
// and caching work whoever asks).
ProfileFile& profile(const QString& path);
// Forgets every cached file (tests use it between cases; pending batches are flushed first).
void resetProfiles();

// While one is alive, puts into any profile file are kept in memory and each
// changed file is written once when the outermost batch ends.
class ProfileBatch
{
public:
    ProfileBatch();
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    static bool active();
};

} // namespace mosaicon::platform
