#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>
#include <ctime>
#include <optional>

#include <sys/types.h>

namespace mosaicon::platform {

// The system's own words for an error number, as a failure's reason.
QString systemReason(int error);

// A readable regular file of that name exists. The file is never opened:
// opening a named pipe would block the window.
bool isReadableFile(const QString& path);

// Both names lead to one file on disk (by identity, not by spelling).
bool isSameFile(const QString& a, const QString& b);
// Both files hold the same bytes (false when either cannot be read).
bool haveSameBytes(const QString& a, const QString& b);

// A name read from the disk as text. A byte that is no part of UTF-8 becomes
// a character of its own, U+DC80 to U+DCFF, which no UTF-8 text holds: a name
// spelt with U+FFFD itself stays another name than one with such a byte.
QString decodeFileName(QByteArrayView bytes);

// A name whose bytes are not UTF-8 was read with stand-ins for them: the
// characters of decodeFileName, or U+FFFD where the system's own listing
// read it. Written back it names another file or none, so nothing may be
// done to a file through it. A U+FFFD counts as the name's own only when the
// name, written as it is, leads to an entry, and no other entry of its
// folder reads as the same name.
bool hasUndecodableName(const QString& path);

// Whether a new file may take the place of one already under its name. With
// Replace::No a name that is taken, even one taken after it was checked,
// fails with the system's "File exists" and is left alone. A replace takes
// the place of the name: a link there is replaced, never the file it leads to.
enum class Replace { No, Yes };

// How far a finished write is pushed before it counts as done. Copies of
// pictures and thumbnails made from them can be made again from the user's
// own files, so they need not wait for the disk one by one (no copying tool
// does); settings and records must.
enum class Flush { ToDisk, ToCache };

// A file written under a temporary name beside its target and put in the
// target's place by commit(): a reader never sees half of it, and a failed
// write leaves the old target whole. An existing regular target keeps its
// permissions. Every step is checked, down to the byte count of each write,
// and a failure is told by the system's own reason: Qt 6.4's own saving can
// commit a file cut short by a full disk, or fail with "Unknown error".
//
// The temporary name has a fixed length, so that a target name near the
// system's 255-byte limit can be written, and is the same for every write of
// one target: a write finds the file a killed one left behind and removes it.
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString& target, Replace replace = Replace::Yes);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Gives the new file the permission bits of the open file fd from the
    // start, and its modification time at commit(). Call before open().
    bool keepAttributesOf(int fd);
    bool open();
    // Writes go straight to the temporary file. After a failed one nothing
    // more is written, and commit() fails with its reason.
    QFile& file() { return m_file; }
    bool commit(Flush flush);
    // Drops what was written; the target stays as it was.
    void cancel();
    QString errorString() const;
    // open() failed because the folder takes no new file (no right to make
    // one there, or no room for one), while the target may still be writable.
    bool folderRefusedFile() const { return m_folderRefused; }

private:
    class CheckedFile final : public QFile
    {
    public:
        QString writeError;

    protected:
        qint64 writeData(const char* data, qint64 size) override;
    };

    QString m_target;
    Replace m_replace;
    QByteArray m_temp;
    int m_fd = -1;
    int m_lockFd = -1;
    bool m_folderRefused = false;
    bool m_keepMode = false;
    bool m_keepTimes = false;
    mode_t m_mode = 0;
    timespec m_times[2]{};
    CheckedFile m_file;
    QString m_error;
};

// Copies a file, replacing an existing target (through a temporary file, so
// a failed copy leaves the old target whole). Copying a file onto itself
// does nothing and succeeds: removing the target first would delete it.
bool copyFile(const QString& source, const QString& target, QString* error = nullptr,
              Flush flush = Flush::ToDisk);

// A copy as the user's own copy command makes it: the source's permission
// bits and modification time are kept, as "cp -p" keeps them.
bool copyFileKeepingAttributes(const QString& source, const QString& target, Replace replace,
                               QString* error = nullptr);

// Gives a file a new name on its own file system, without copying a byte:
// it needs no free space and keeps everything of the file.
enum class Renamed { Done, OtherVolume, Failed };
// OtherVolume: the names lie on two file systems and nothing was done.
Renamed renameFile(const QString& from, const QString& to, Replace replace,
                   QString* error = nullptr);

// Writes a whole file through a ReplacingFile: a crash or a full disk leaves
// the old file or the new one, never half of one.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         Flush flush = Flush::ToDisk);

// The file a name leads to: the name itself, or where its symbolic links lead
// (made absolute), whether that file exists or not. Nothing for a loop of links.
std::optional<QString> linkedFile(const QString& path);

// Rewrites a file the program keeps and edits (settings, data files,
// profiles, texts) as writeFileAtomically does, but where the name is a link
// (a dotfiles folder) the file it leads to is written, beside itself,
// keeping its mode: the link stays. Output and copies replace a link instead.
bool saveFileInPlace(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// An exclusive lock on the file a name leads to (created empty when missing),
// for a read-modify-write by several programs at once; it waits for the one
// held by another, for at most the given time. A writer that puts a new file
// in its place keeps this lock until then: the next one finds the name taken
// by another file and locks that.
class FileLock
{
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    static constexpr std::chrono::milliseconds waitForever = std::chrono::milliseconds::max();
    bool lock(const QString& path, std::chrono::milliseconds wait = waitForever);
    // The locked file, open for reading (and for writing where it may be); -1 when not locked.
    int handle() const { return m_fd; }
    // The last lock() failed because another program held the lock all the time it waited.
    bool heldByAnother() const { return m_heldByAnother; }
    // The lock made the file: a failed write leaves it removed, as it was.
    bool createdFile() const { return m_created; }
    QString errorString() const { return m_error; }

private:
    int m_fd = -1;
    bool m_created = false;
    bool m_heldByAnother = false;
    QString m_error;
};

// Creates a folder and its parents; true when it exists afterwards.
bool makeFolder(const QString& path);
// Creates one folder, not its parents; errors are ignored.
void makeDir(const QString& path);

// Joins a folder and a name with one "/" between them.
QString joinPath(const QString& folder, const QString& name);

} // namespace mosaicon::platform
