#include "viewer/fileoperations.h"

#include "pagekit/imagelists.h"
#include "pagekit/textfile.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/shellopen.h"
#include "platform/ui.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <utility>

namespace mosaicon::viewer {

FileSystem::~FileSystem() = default;

bool FileSystem::exists(const QString& path) const
{
    return platform::isReadableFile(path);
}

bool FileSystem::occupied(const QString& path) const
{
    const QFileInfo info(path);
    return info.isSymLink() || (info.exists() && !info.isDir());
}

QString FileSystem::linkTarget(const QString& path) const
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : QString();
}

bool FileSystem::sameFile(const QString& a, const QString& b) const
{
    return platform::isSameFile(a, b);
}

bool FileSystem::copy(const QString& from, const QString& to, platform::Replace replace,
                      QString* error)
{
    return platform::copyFileKeepingAttributes(from, to, replace, error);
}

platform::Renamed FileSystem::rename(const QString& from, const QString& to,
                                     platform::Replace replace, QString* error)
{
    return platform::renameFile(from, to, replace, error);
}

bool FileSystem::remove(const QString& path, QString* error)
{
    QFile file(path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

qint64 FileSystem::size(const QString& path) const
{
    return QFileInfo(path).size();
}

QDateTime FileSystem::modified(const QString& path) const
{
    return QFileInfo(path).lastModified();
}

bool FileSystem::append(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (written) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

FileSystem& real_file_system()
{
    static FileSystem real;
    return real;
}

namespace {

// The log of one command. The lines of each step are appended as the step
// ends, so that the log tells what was done even when the program is killed
// half way. After a write that failed none is tried: the user hears of it once.
class CopyLog
{
public:
    explicit CopyLog(FileSystem& fs)
        : m_fs(fs)
    {
    }
    void line(const QString& text) { m_lines.line(text); }
    void pair(const char* from, const char* to, const QString& source, const QString& target)
    {
        line(QString::fromLatin1(from) + source);
        line(QString::fromLatin1(to) + target);
    }
    void write()
    {
        const QByteArray bytes = std::exchange(m_lines, TextFile()).bytes();
        QString error;
        if (bytes.isEmpty() || !m_error.isEmpty() || m_fs.append(copy_log_path(), bytes, &error))
            return;
        m_error = QStringLiteral("The copy log %1 could not be written: %2")
                      .arg(copy_log_path(), error);
    }
    // "" when every line was written, else the message that says why not.
    const QString& error() const { return m_error; }

private:
    FileSystem& m_fs;
    TextFile m_lines;
    QString m_error;
};

bool isSelected(const ListSelection& list, qsizetype i)
{
    return i < list.selected.size() && list.selected.at(i);
}

// A rebuilt list: the list's one order, each path once.
QStringList rebuiltList(QStringList paths)
{
    sort_image_paths(paths);
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

QString fileDescription(const QString& path, FileSystem& fs)
{
    return QStringLiteral("%1 [%2, %3 bytes]")
        .arg(path, fs.modified(path).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
             platform::strForm(fs.size(path)));
}

// One copy or move command over the lists.
class CopyMoveRun
{
public:
    CopyMoveRun(FileMode mode, const QString& targetDir,
                const std::function<ReplaceAnswer(const QString&)>& askReplace, FileSystem& fs)
        : m_move(mode == FileMode::Move), m_targetDir(targetDir), m_ask(askReplace), m_fs(fs),
          m_log(fs)
    {
    }

    CopyMoveOutcome run(const QList<ListSelection>& lists);

private:
    // What became of one selected entry: the path a move lists in its place
    // (none: dropped), or the end of the command.
    struct Worked
    {
        bool cancelled = false;
        std::optional<QString> listed;
    };

    void workList(const ListSelection& list, qsizetype index);
    Worked work(const QString& source);
    Worked copyOrMove(const QString& source, const QString& target, platform::Replace replace);
    void fail(const QString& path, const QString& reason)
    {
        m_out.failures.append(path + QStringLiteral(": ") + reason);
    }

    const bool m_move;
    const QString m_targetDir;
    const std::function<ReplaceAnswer(const QString&)>& m_ask;
    FileSystem& m_fs;
    CopyLog m_log;
    CopyMoveOutcome m_out;
};

CopyMoveOutcome CopyMoveRun::run(const QList<ListSelection>& lists)
{
    for (const ListSelection& list : lists) {
        m_out.lists.append(list.entries);
        m_out.rebuilt.append(false);
    }
    for (qsizetype i = 0; i < lists.size() && !m_out.cancelled; ++i)
        workList(lists.at(i), i);
    if (!m_out.cancelled)
        m_log.line({});
    m_log.write();
    m_out.logError = m_log.error();
    if (!m_out.anySelected)
        m_out.warning = QStringLiteral("No files were selected to perform a file copy.");
    return m_out;
}

void CopyMoveRun::workList(const ListSelection& list, qsizetype index)
{
    QStringList worked;
    QStringList untouched;
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        const QString& entry = list.entries.at(i);
        // After a Cancel the rest stays where it is.
        if (!isSelected(list, i) || m_out.cancelled) {
            untouched.append(entry);
            continue;
        }
        m_out.anySelected = true;
        const Worked w = work(entry);
        m_log.write();
        m_out.cancelled = w.cancelled;
        if (w.cancelled)
            untouched.append(entry);
        else if (w.listed)
            worked.append(*w.listed);
    }
    // A list keeps naming the files that are there, also when a Cancel ended
    // the move half way: the moved entries follow their files.
    if (m_move && !worked.isEmpty()) {
        m_out.lists[index] = rebuiltList(worked + untouched);
        m_out.rebuilt[index] = true;
    }
}

CopyMoveRun::Worked CopyMoveRun::work(const QString& source)
{
    // Before the test for the file: the name may lead to another one.
    if (platform::hasUndecodableName(source)) {
        fail(source, undecodable_name_reason());
        return {false, source};
    }
    if (!m_fs.exists(source))
        return {};
    const QString target = platform::joinPath(m_targetDir, platform::split_file_path(source).file_name);
    // By identity: a differently spelt path, or a folder reached through a
    // link, may still lead to the source itself.
    if (m_fs.sameFile(source, target)) {
        if (m_move)
            m_log.pair("Attempted Move From (Same Directory): ",
                       "Attempted Move To   (Same Directory): ", source, target);
        else
            m_log.pair("Attempted Copy From (Same Directory): ",
                       "Attempted Copy To   (Same Directory): ", source, target);
        m_log.line({});
        return {false, source};
    }
    const bool occupied = m_fs.occupied(target);
    const ReplaceAnswer answer =
        occupied ? m_ask(replace_question(target, source, m_fs)) : ReplaceAnswer::Yes;
    if (answer == ReplaceAnswer::Cancel) {
        m_log.line(QStringLiteral("File copy cancelled."));
        m_log.line({});
        return {true, {}};
    }
    if (answer == ReplaceAnswer::No) {
        m_log.pair("File Not Copied From: ", "File Not Copied To  : ", source, target);
        m_log.line({});
        return {false, source};
    }
    // A name that was free when asked is never replaced: a file that has
    // taken it since stays, and the step fails.
    const Worked w =
        copyOrMove(source, target, occupied ? platform::Replace::Yes : platform::Replace::No);
    m_log.line({});
    return w;
}

CopyMoveRun::Worked CopyMoveRun::copyOrMove(const QString& source, const QString& target,
                                            platform::Replace replace)
{
    QString error;
    if (m_move) {
        // Within one file system a rename needs no room and keeps the file as it is.
        switch (m_fs.rename(source, target, replace, &error)) {
        case platform::Renamed::Done:
            m_log.pair("Moved  From: ", "Moved  To  : ", source, target);
            return {false, target};
        case platform::Renamed::Failed:
            // Logged as a failed copy, the way a move across volumes fails.
            m_log.pair("Copy Failed From: ", "Copy Failed To  : ", source, target);
            m_log.pair("Attempted Move From: ", "Attempted Move To  : ", source, target);
            fail(source, QStringLiteral("not moved to %1 (%2)").arg(target, error));
            return {false, source};
        case platform::Renamed::OtherVolume:
            break;
        }
    }
    if (!m_fs.copy(source, target, replace, &error)) {
        m_log.pair("Copy Failed From: ", "Copy Failed To  : ", source, target);
        fail(source, QStringLiteral("not copied to %1 (%2)").arg(target, error));
        return {false, source};
    }
    if (!m_move) {
        m_log.pair("Copied From: ", "Copied To  : ", source, target);
        return {false, source};
    }
    // The source goes only when its whole copy is there.
    if (!m_fs.exists(target) || m_fs.size(target) != m_fs.size(source)) {
        m_log.pair("Attempted Move From: ", "Attempted Move To  : ", source, target);
        fail(source,
             QStringLiteral("the copy at %1 is not whole; the file was not moved").arg(target));
        return {false, source};
    }
    if (!m_fs.remove(source, &error)) {
        m_log.pair("Attempted Move From: ", "Attempted Move To  : ", source, target);
        fail(source, QStringLiteral("copied to %1 but not removed (%2)").arg(target, error));
        return {false, source};
    }
    m_log.pair("Moved  From: ", "Moved  To  : ", source, target);
    return {false, target};
}

QString failuresMessage(const QString& heading, const QStringList& failures,
                        const QString& logError)
{
    QStringList parts;
    if (!failures.isEmpty())
        parts.append(heading + u'\n' + failures.join(u'\n'));
    if (!logError.isEmpty())
        parts.append(logError);
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace

CopyMoveOutcome
copy_or_move(FileMode mode, const QString& targetDir, const QList<ListSelection>& lists,
             const std::function<ReplaceAnswer(const QString& question)>& askReplace,
             FileSystem& fs)
{
    return CopyMoveRun(mode, targetDir, askReplace, fs).run(lists);
}

QString replace_question(const QString& target, const QString& source, FileSystem& fs)
{
    // The paths as they are: lower-cased, they would name other files here.
    const QString link = fs.linkTarget(target);
    const QString replaced =
        link.isEmpty()
            ? fileDescription(target, fs)
            : QStringLiteral("%1 [a link to %2: the link is replaced, not that file]").arg(target, link);
    return QStringLiteral("Do you want to replace:\n\n\t%1\nWith\n\t%2\n")
        .arg(replaced, fileDescription(source, fs));
}

DeleteOutcome delete_selected(const QList<ListSelection>& lists, FileSystem& fs)
{
    DeleteOutcome out;
    CopyLog log(fs);
    for (const ListSelection& list : lists) {
        QStringList kept;
        for (qsizetype i = 0; i < list.entries.size(); ++i) {
            const QString& path = list.entries.at(i);
            if (!isSelected(list, i)) {
                kept.append(path);
                continue;
            }
            // Before the test for the file: the name may lead to another one.
            if (platform::hasUndecodableName(path)) {
                kept.append(path);
                out.failures.append(path + QStringLiteral(": ") + undecodable_name_reason());
                continue;
            }
            // A file that is gone only loses its entry; one the user may not
            // read, or a link to nothing, can still be deleted.
            if (!fs.occupied(path))
                continue;
            QString error;
            if (fs.remove(path, &error)) {
                log.line(QStringLiteral("Deleted    : ") + path);
                log.write();
            } else {
                kept.append(path);
                out.failures.append(path + QStringLiteral(": ") + error);
            }
        }
        out.lists.append(kept);
    }
    out.logError = log.error();
    return out;
}

DeleteOutcome delete_selected(const QList<ListSelection>& lists,
                              const std::function<bool(const QString& question)>& confirm,
                              FileSystem& fs)
{
    if (confirm(delete_question(lists)))
        return delete_selected(lists, fs);
    DeleteOutcome out;
    out.confirmed = false;
    for (const ListSelection& list : lists)
        out.lists.append(list.entries);
    return out;
}

QString delete_question(const QList<ListSelection>& lists)
{
    // Every selected file by its path as it is, up to a count a box can show.
    constexpr int shown = 10;
    const QString indent(8, u' ');
    QStringList names;
    int selected = 0;
    for (const ListSelection& list : lists) {
        for (qsizetype i = 0; i < list.entries.size(); ++i) {
            if (isSelected(list, i) && ++selected <= shown)
                names.append(indent + list.entries.at(i));
        }
    }
    if (selected > shown)
        names.append(indent + QStringLiteral("and %1 more").arg(selected - shown));
    return QStringLiteral("Are you sure you want to delete the selected file(s)? \n\n") +
           names.join(u'\n');
}

QString copy_move_message(FileMode mode, const CopyMoveOutcome& outcome)
{
    return failuresMessage(mode == FileMode::Copy
                               ? QStringLiteral("These files could not be copied:")
                               : QStringLiteral("These files could not be moved:"),
                           outcome.failures, outcome.logError);
}

QString delete_message(const DeleteOutcome& outcome)
{
    return failuresMessage(QStringLiteral("These files could not be deleted:"), outcome.failures,
                           outcome.logError);
}

QString undecodable_name_reason()
{
    return QStringLiteral("its name is not valid UTF-8 text, so it cannot be named safely. "
                          "Rename it to use it.");
}

QString copy_log_path()
{
    return platform::joinPath(program().program_folder, QStringLiteral("filecopy.log"));
}

bool view_copy_log()
{
    const QString log = copy_log_path();
    if (!platform::isReadableFile(log))
        return false;
    return platform::shell_open(QUrl::fromLocalFile(log).toString(QUrl::FullyEncoded), warn);
}

} // namespace mosaicon::viewer
