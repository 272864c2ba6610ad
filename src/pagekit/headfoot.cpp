#include "pagekit/headfoot.h"

#include "pagekit/textfile.h"

#include "settings/program.h"

#include "platform/files.h"
#include "platform/paths.h"

#include <QDebug>
#include <QFileInfo>

namespace mosaicon {

namespace {

void createWhenMissing(const QString& path, std::initializer_list<const char*> lines)
{
    // A folder or another non-file of that name is left alone as well.
    if (platform::file_exists(path) || QFileInfo::exists(path))
        return;
    TextFile file;
    for (const char* line : lines)
        file.line(QString::fromUtf8(line));
    QString error;
    if (!file.save(path, &error))
        qWarning().noquote() << "cannot create" << path << ":" << error;
}

} // namespace

QString head_file_path()
{
    return platform::joinPath(program().program_folder, QStringLiteral("htmlhead.htm"));
}

QString foot_file_path()
{
    return platform::joinPath(program().program_folder, QStringLiteral("htmlfoot.htm"));
}

void check_head_foot_files()
{
    createWhenMissing(head_file_path(),
                      {"<html>", "<center>", "<h1>Mosaicon HTML Output</h1>", "</center>", "<p>"});
    createWhenMissing(foot_file_path(), {"</body>", "</html>"});
}

} // namespace mosaicon
