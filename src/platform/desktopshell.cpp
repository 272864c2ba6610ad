#include "platform/desktopshell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
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

// Why xdg-open gave up, by its exit code, with what it said.
QString openerFailure(int code, const QByteArray& said)
{
    QString reason;
    switch (code) {
    case 2:
        reason = QStringLiteral("It does not exist.");
        break;
    case 3:
        reason = QStringLiteral("No program that opens it is installed.");
        break;
    case 4:
        reason = QStringLiteral("The program that opens it failed.");
        break;
    case -1:
        reason = QStringLiteral("The opener (xdg-open) ended abnormally.");
        break;
    default:
        reason = QStringLiteral("The opener (xdg-open) gave up with code %1.").arg(code);
        break;
    }
    const QString text = QString::fromLocal8Bit(said).trimmed();
    return text.isEmpty() ? reason : reason + u'\n' + text;
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

bool DesktopShell::open(const QString& target, const Failed& failed)
{
    const QUrl url = targetUrl(target);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        // Qt may still know a way, such as a desktop portal.
        if (QDesktopServices::openUrl(url))
            return true;
        if (failed)
            failed(QStringLiteral("No program that opens files and addresses is installed "
                                  "(xdg-open, of the package xdg-utils)."));
        return false;
    }
    // Not a child that dies with the program: xdg-open may wait for the
    // viewer it started, and the viewer stays when the program ends.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    // The error text goes to a file, not a pipe: the viewer xdg-open starts
    // inherits it, and a write to a pipe closed after xdg-open ended would
    // kill the viewer.
    auto* errors = new QTemporaryFile(process);
    process->setStandardErrorFile(errors->open() ? errors->fileName() : QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, errors, failed](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && failed)
                             failed(openerFailure(status == QProcess::NormalExit ? code : -1,
                                                  errors->isOpen() ? errors->readAll()
                                                                   : QByteArray()));
                         process->deleteLater();
                     });
    process->start();
    if (process->waitForStarted())
        return true;
    const QString reason = process->errorString();
    delete process;
    if (failed)
        failed(reason);
    return false;
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
