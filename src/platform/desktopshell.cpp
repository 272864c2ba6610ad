#include "platform/desktopshell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace mosaicon::platform {

namespace {

DesktopShell desktopShell;
Shell* current = nullptr;

QUrl targetUrl(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    // A bare path (also one with a drive-like "x:" or a blank) is a local file.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

// The Exec program of a .desktop entry, found in the XDG application folders.
QString desktopEntryProgram(const QString& entry)
{
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    if (path.isEmpty())
        return {};
    QSettings desktop(path, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    const QStringList words = QProcess::splitCommand(desktop.value(QStringLiteral("Exec")).toString());
    return words.isEmpty() ? QString() : words.first();
}

} // namespace

Shell& shell()
{
    return current ? *current : desktopShell;
}

void setShell(Shell* s)
{
    current = s;
}

bool DesktopShell::open(const QString& target)
{
    return QDesktopServices::openUrl(targetUrl(target));
}

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString DesktopShell::associatedProgram(const QString& extension)
{
    const QString ext = extension.startsWith(u'.') ? extension.mid(1) : extension;
    if (ext.isEmpty())
        return {};
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(QStringLiteral("x.") + ext,
                                                           QMimeDatabase::MatchExtension);
    if (!mime.isValid() || mime.isDefault())
        return {};
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mime.name()});
    if (!query.waitForFinished(3000))
        return {};
    const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    return entry.isEmpty() ? QString() : desktopEntryProgram(entry);
}

} // namespace mosaicon::platform
