#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace mosaicon {

// File-list profiles (".fpr"): a saved file list, one full path a line.

// What sets one kind of profile apart: its extension (".fpr", ".dpr"), the
// dialog's filter, and the message and box title that refuse another name.
struct ProfileKind
{
    QString extension;
    QString filter;
    QString refusal;
    QString refusalTitle;
    QString what; // "file list profile", named when a write fails
};

// Asks where to save a profile of that kind: a name without an extension
// gets it, a name whose file name does not hold it is refused with the
// kind's message. Nothing when cancelled or refused.
std::optional<QString> ask_profile_save_name(const ProfileKind& kind, const QString& title);
// Writes a profile atomically; a failure says so, naming the file.
void write_profile(const ProfileKind& kind, const QString& name, const QByteArray& bytes);

// Asks for a profile name and writes the entries to it, one a line. A name
// without an extension gets ".fpr"; a name whose file name does not hold
// ".fpr" is refused with a message. A failed write says so.
void save_file_list_profile(const QStringList& entries);

// Where a loaded profile goes. The main window and the multi-drive window
// each pass their own list; a window that shows counts of its list updates
// them itself, so loading never reaches a window that is not open.
struct FileListTarget
{
    std::function<void()> clear;
    std::function<void(const QString&)> append;
};

// Asks for a profile and loads every entry that names an existing file into
// the target, which is cleared first. Missing entries are reported once,
// after the whole file. Stops early when keepGoing (none: never stop)
// answers false between lines, asked after the window's events ran. False
// when nothing was loaded because no profile was read (cancel, a name
// without ".fpr", an unreadable file): the target is then untouched.
bool load_file_list_profile(const FileListTarget& target,
                            const std::function<bool()>& keepGoing = {});

// Asks for a list file and returns its lines up to the first one that names
// no existing file; nothing when the dialog was cancelled.
std::optional<QStringList> load_virtual_directory();

} // namespace mosaicon
