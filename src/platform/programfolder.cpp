#include "platform/programfolder.h"

#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace mosaicon::platform {

namespace {

// The program's own files that a per-user folder starts with.
void seedFrom(const QString& from, const QString& to)
{
    const QStringList patterns{QStringLiteral("*.gif"), QStringLiteral("*.htm"),
                               QStringLiteral("*.html"), QStringLiteral("*.txt")};
    const QStringList names = QDir(from).entryList(patterns, QDir::Files);
    for (const QString& name : names) {
        const QString target = joinPath(to, name);
        if (!QFileInfo::exists(target))
            copyFile(joinPath(from, name), target);
    }
}

bool isWritableFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

} // namespace

QString executableFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString programFolder()
{
    const QString home = qEnvironmentVariable("MOSAICON_HOME");
    if (!home.isEmpty()) {
        makeFolder(home);
        return QDir::cleanPath(QDir(home).absolutePath());
    }
    const QString exe = executableFolder();
    if (isWritableFolder(exe))
        return exe;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    makeFolder(user);
    seedFrom(exe, user);
    return user;
}

} // namespace mosaicon::platform
