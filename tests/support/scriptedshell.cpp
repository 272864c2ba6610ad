#include "scriptedshell.h"

namespace mosaicon::platform {

bool ScriptedShell::open(const QString& target, const Failed& failed)
{
    opened.append(target);
    if (!succeed && failed)
        failed(failure);
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
