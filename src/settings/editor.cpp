#include "settings/editor.h"

#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/shell.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace mosaicon {

namespace {

QString findProgram(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (!name.contains(u'/'))
        return QStandardPaths::findExecutable(name);
    const QFileInfo info(name);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

void tell(const QString& text)
{
    show_status(text);
    platform::msgbox(text, platform::MsgBox::Exclamation, program().product_title);
}

} // namespace

bool start_editor(const QString& file)
{
    const QString command = settings().editor_command;
    QStringList words = QProcess::splitCommand(command);
    const QString program_path = words.isEmpty() ? QString() : findProgram(words.takeFirst());
    if (program_path.isEmpty()) {
        tell(QStringLiteral("The editor,%1 does not exist.").arg(command));
        return false;
    }
    if (!file.isEmpty())
        words.append(file);
    if (!platform::shell().startProgram(program_path, words)) {
        tell(QStringLiteral("The editor %1 could not be started.").arg(program_path));
        return false;
    }
    return true;
}

} // namespace mosaicon
