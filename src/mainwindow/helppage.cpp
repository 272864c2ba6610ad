#include "mainwindow/helppage.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"

#include <QFile>
#include <QFileInfo>

namespace mosaicon {

QString help_page_path()
{
    return platform::joinPath(program().program_folder, QStringLiteral("mknhelp.htm"));
}

QByteArray help_page_text()
{
    // The page as the program ships it; its lines are written with CR LF ends.
    QFile page(QStringLiteral(":/mosaicon/mknhelp.htm"));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = page.readAll();
    text.replace("\n", "\r\n");
    return text;
}

bool check_help_page()
{
    const QString path = help_page_path();
    // Whatever stands under that name (the user's own page, a folder) is left alone.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return true;
    QString error;
    if (platform::writeFileAtomically(path, help_page_text(), &error))
        return true;
    warn(QStringLiteral("The help page %1 could not be created: %2").arg(path, error));
    return false;
}

} // namespace mosaicon
