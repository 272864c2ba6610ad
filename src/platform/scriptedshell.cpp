#include "platform/scriptedshell.h"

namespace mosaicon::platform {

bool ScriptedShell::open(const QString& target)
{
    opened.append(target);
    return succeed;
}

bool ScriptedShell::startProgram(const QString& program, const QStringList& arguments)
{
    started.append({program, arguments});
    return succeed;
}

QString ScriptedShell::associatedProgram(const QString& extension)
{
    return associations.value(extension);
}

} // namespace mosaicon::platform
