#pragma once

#include "platform/files.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace mosaicon::viewer {

// What the copy, move and delete commands do to files, so that a test can
// make any step fail on demand (the tests run as root: permissions cannot).
class FileSystem
{
public:
    virtual ~FileSystem();
    // A readable regular file of that exact name.
    virtual bool exists(const QString& path) const;
    // Something other than a folder has that name, a link leading nowhere too.
    virtual bool occupied(const QString& path) const;
    // What the symbolic link of that name leads to; "" when it is none.
    virtual QString linkTarget(const QString& path) const;
    // Both names lead to one file (device and inode), whatever their spelling.
    virtual bool sameFile(const QString& a, const QString& b) const;
    // Through a temporary file and a rename: a failed copy leaves the old
    // target. The copy keeps the source's permission bits and modification time.
    virtual bool copy(const QString& from, const QString& to, platform::Replace replace,
                      QString* error);
    // Within one file system only; OtherVolume when the names lie on two.
    virtual platform::Renamed rename(const QString& from, const QString& to,
                                     platform::Replace replace, QString* error);
    virtual bool remove(const QString& path, QString* error);
    virtual qint64 size(const QString& path) const;
    virtual QDateTime modified(const QString& path) const;
    // Appends to a file, creating it when missing; checked to its final flush.
    virtual bool append(const QString& path, const QByteArray& bytes, QString* error);
};

FileSystem& real_file_system();

enum class ReplaceAnswer
{
    Yes,
    No,
    Cancel
};
enum class FileMode
{
    Copy,
    Move
};

// One of the window's lists as the command finds it.
struct ListSelection
{
    QStringList entries;
    QList<bool> selected; // one flag per entry; a missing flag is "not selected"
    bool isNewList = false;
};

struct CopyMoveOutcome
{
    // Each list as it is afterwards: a list a move worked in is rebuilt (moved
    // entries under their new path, missing ones dropped, sorted with
    // image_path_less, nothing selected); any other list comes back as given.
    QList<QStringList> lists;
    QList<bool> rebuilt;
    bool anySelected = false;
    bool cancelled = false;
    QStringList failures; // "path: reason", in the order they happened
    QString logError;     // why the copy log could not be written; "" when it was
    QString warning;      // "No files were selected..." to be shown, or ""
};

// Copies or moves the selected entries of the lists, in list order, into
// targetDir, logging each step to the copy log as it ends. A move within one
// file system renames the file; across two it copies, checks the copy and
// deletes the source. An existing target is replaced only when askReplace
// answers Yes, and then as a name: a link there is replaced, never the file
// it leads to. Cancel ends the command. A failure is logged and listed and
// the command goes on; an entry whose name is not valid UTF-8 is refused.
CopyMoveOutcome
copy_or_move(FileMode mode, const QString& targetDir, const QList<ListSelection>& lists,
             const std::function<ReplaceAnswer(const QString& question)>& askReplace,
             FileSystem& fs = real_file_system());

// The question asked before a file is replaced.
QString replace_question(const QString& target, const QString& source,
                         FileSystem& fs = real_file_system());

struct DeleteOutcome
{
    // Each list afterwards: deleted and missing selected entries dropped,
    // entries whose file could not be deleted kept, nothing selected.
    QList<QStringList> lists;
    bool confirmed = true;
    QStringList failures; // "path: reason"
    QString logError;
};

// Deletes the selected files of the lists and logs each deletion as it is
// done; an entry whose name is not valid UTF-8 is refused and kept.
DeleteOutcome delete_selected(const QList<ListSelection>& lists,
                              FileSystem& fs = real_file_system());
// The same after asking confirm the delete question; a No leaves the lists
// and the log's lines as they are.
DeleteOutcome delete_selected(const QList<ListSelection>& lists,
                              const std::function<bool(const QString& question)>& confirm,
                              FileSystem& fs = real_file_system());
QString delete_question(const QList<ListSelection>& lists);

// The one message that tells what went wrong in a command (the failures and
// a log that could not be written), or "" when nothing did.
QString copy_move_message(FileMode mode, const CopyMoveOutcome& outcome);
QString delete_message(const DeleteOutcome& outcome);

// Why nothing is done to a file whose name is not valid UTF-8.
QString undecodable_name_reason();

// "filecopy.log" in the program folder.
QString copy_log_path();
// Opens the copy log in the desktop's text viewer when the log exists; a
// viewer that cannot be started is told. True when it was opened.
bool view_copy_log();

} // namespace mosaicon::viewer
