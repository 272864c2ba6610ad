#include "pagekit/batchfiles.h"

#include "settings/program.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/randomnames.h"

#include <QFile>
#include <QFileInfo>


namespace mosaicon {

namespace {

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

// A comment line may show the page's path, but a line break in it would
// turn the rest of the path into a command.
QByteArray commentSafe(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'?';
    }
    return text.toUtf8();
}

QByteArray quoted(const QString& path)
{
    QByteArray bytes = QFile::encodeName(path);
    bytes.replace('\'', "'\\''");
    return '\'' + bytes + '\'';
}

const QByteArray skippedLine = "# skipped: a file name with control characters\n";

QByteArray copyLine(const QString& path)
{
    if (hasControlCharacter(path))
        return skippedLine;
    return "cp -- " + quoted(path) + " \"${1:?}\"/\n";
}

QByteArray deleteLine(const QString& path)
{
    if (hasControlCharacter(path))
        return skippedLine;
    return "rm -f -- " + quoted(path) + '\n';
}

QByteArray head(const QString& page_path, const char* purpose1, const char* purpose2, int stars)
{
    QByteArray bytes = "#!/bin/sh\n";
    bytes += "# This batch file contains the file names associated with\n";
    bytes += "# the html file '" + commentSafe(page_path) + "'.\n";
    bytes += "#\n";
    bytes += QByteArray("# ") + purpose1 + '\n';
    bytes += QByteArray("# ") + purpose2 + '\n';
    bytes += "# " + QByteArray(stars, '*') + '\n';
    return bytes;
}

// The scripts are run by hand: the owner needs to read and run them.
void makeExecutable(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOwner | QFile::ReadUser |
                                    QFile::ExeOwner | QFile::ExeUser);
}

bool writeScript(const QString& path, const QByteArray& bytes, const char* what, QString* error)
{
    QString reason;
    bool written = false;
    // A script is rewritten whole for each file a run publishes: beside the
    // window's thread, so a busy disk never holds the window up.
    platform::runAnswering([&] { written = platform::writeFileAtomically(path, bytes, &reason); });
    if (!written) {
        if (error)
            *error = QStringLiteral("The %1 script %2 could not be written: %3")
                         .arg(QLatin1String(what), path, reason);
        return false;
    }
    makeExecutable(path);
    return true;
}

bool appendToScript(const QString& path, const QByteArray& line, const char* what, QString* error)
{
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("No %1 script has been started.").arg(QLatin1String(what));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("The %1 script %2 could not be read: %3")
                         .arg(QLatin1String(what), path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll() + line;
    file.close();
    return writeScript(path, bytes, what, error);
}

bool startScript(QString& stored_path, const QString& directory, const char* prefix,
                 const QByteArray& bytes, const char* what, QString* error)
{
    const std::optional<QString> path =
        platform::draw_free_name(directory, QLatin1String(prefix), 5, 0, 99999, QStringLiteral("sh"), error);
    if (!path)
        return false;
    stored_path = *path;
    return writeScript(*path, bytes, what, error);
}

} // namespace

bool BatchScripts::start_batch_files(const QString& page_path, QString* error)
{
    if (!settings().create_batch_files)
        return true;

    m_copied = {page_path};
    const QString directory = platform::split_path(page_path).directory;

    QString copyError;
    const bool copyOk =
        startScript(copy_batch_path, directory, "cpy",
                    head(page_path, "Supply the target directory on the command line to copy",
                         "the files to a specified directory.", 55) +
                        copyLine(page_path) + '\n',
                    "copy", &copyError);
    QString delError;
    const bool delOk =
        startScript(del_batch_path, directory, "del",
                    head(page_path, "The files below are the HTML files generated for the full",
                         "size images that are displayed from the thumbnail links.", 57) +
                        deleteLine(page_path) + '\n',
                    "delete", &delError);

    if (error && !(copyOk && delOk))
        *error = copyOk ? delError : copyError;
    return copyOk && delOk;
}

bool BatchScripts::add_copy_line(const QString& file_path, QString* error)
{
    if (!settings().create_batch_files || m_copied.contains(file_path))
        return true;
    if (!appendToScript(copy_batch_path, copyLine(file_path), "copy", error))
        return false;
    m_copied.insert(file_path);
    return true;
}

bool BatchScripts::add_delete_line(const QString& file_path, QString* error)
{
    if (!settings().create_batch_files)
        return true;
    return appendToScript(del_batch_path, deleteLine(file_path), "delete", error);
}

void seed_batch_file_names(quint32 seed)
{
    platform::seed_random_names(seed, false);
}

} // namespace mosaicon
