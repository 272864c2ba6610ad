#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace mosaicon::platform {

// A readable regular file of that name exists. The file is never opened:
// opening a named pipe would block the window.
bool isReadableFile(const QString& path);

// Both names lead to one file on disk (by identity, not by spelling).
bool isSameFile(const QString& a, const QString& b);

// How far a finished write is pushed before it counts as done. Copies of
// pictures and thumbnails made from them can be made again from the user's
// own files, so they need not wait for the disk one by one (no copying tool
// does); settings and records must.
enum class Flush { ToDisk, ToCache };

// A file written under a temporary name beside its target and put in the
// target's place by commit(): a reader never sees half of it, and a failed
// write leaves the old target whole. An existing target keeps its permissions;
// a target that is a link has the file it leads to replaced. Every step is
// checked, down to the byte count of each write, and a failure is told by the
// system's own reason: Qt 6.4's own saving can commit a file cut short by a
// full disk, or fail with "Unknown error".
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString& target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool open();
    // Writes go straight to the temporary file. After a failed one nothing
    // more is written, and commit() fails with its reason.
    QFile& file() { return m_file; }
    bool commit(Flush flush);
    // Drops what was written; the target stays as it was.
    void cancel();
    QString errorString() const;

private:
    class CheckedFile final : public QFile
    {
    public:
        QString writeError;

    protected:
        qint64 writeData(const char* data, qint64 size) override;
    };

    QString m_target;
    QByteArray m_temp;
    int m_fd = -1;
    CheckedFile m_file;
    QString m_error;
};

// Copies a file, replacing an existing target (through a temporary file, so
// a failed copy leaves the old target whole). Copying a file onto itself
// does nothing and succeeds: removing the target first would delete it.
bool copyFile(const QString& source, const QString& target, QString* error = nullptr,
              Flush flush = Flush::ToDisk);

// Writes a whole file through a ReplacingFile: a crash or a full disk leaves
// the old file or the new one, never half of one.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         Flush flush = Flush::ToDisk);

// Creates a folder and its parents; true when it exists afterwards.
bool makeFolder(const QString& path);

// Joins a folder and a name with one "/" between them.
QString joinPath(const QString& folder, const QString& name);

} // namespace mosaicon::platform
