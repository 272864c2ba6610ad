#include "settings/shellopen.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/shell.h"
#include "platform/ui.h"

#include <QUrl>

namespace mosaicon {

QString not_opened_message(const QString& target, const QString& reason)
{
    const QUrl url(target);
    const QString named = url.isLocalFile() ? url.toLocalFile() : target;
    return QStringLiteral("%1 could not be opened: %2").arg(named, reason);
}

bool shell_open(const QString& target)
{
    return platform::shell().open(target, [target](const QString& reason) {
        warn(not_opened_message(target, reason));
    });
}

QString get_associated_program(const QString& extension)
{
    const QString ext = extension.startsWith(u'.') ? extension.mid(1) : extension;
    QString value = platform::shell().associatedProgram(ext);
    const qsizetype blank = value.indexOf(u' ');
    if (!value.isEmpty() && blank >= 0)
        value = value.left(blank + 1).trimmed();
    return value;
}

} // namespace mosaicon
