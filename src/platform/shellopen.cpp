#include "platform/shellopen.h"

#include "platform/shell.h"

#include <QUrl>

namespace mosaicon::platform {

namespace {

// "<the file or address> could not be opened: <reason>"; a file address is
// named by its path.
QString not_opened_message(const QString& target, const QString& reason)
{
    const QUrl url(target);
    const QString named = url.isLocalFile() ? url.toLocalFile() : target;
    return QStringLiteral("%1 could not be opened: %2").arg(named, reason);
}

} // namespace

bool shell_open(const QString& target, const Tell& tell)
{
    return shell().open(target, [target, tell](const QString& reason) {
        tell(not_opened_message(target, reason));
    });
}

QString get_associated_program(const QString& extension)
{
    const QString ext = extension.startsWith(u'.') ? extension.mid(1) : extension;
    QString value = shell().associatedProgram(ext);
    const qsizetype blank = value.indexOf(u' ');
    if (!value.isEmpty() && blank >= 0)
        value = value.left(blank + 1).trimmed();
    return value;
}

} // namespace mosaicon::platform
