#pragma once

#include "platform/shell.h"

namespace mosaicon::platform {

// The desktop's own associations (through the XDG tools, else Qt). Opening
// goes through "xdg-open", whose answer comes when it has handed the file
// over, or failed to: a failure is told then.
class DesktopShell final : public Shell
{
public:
    bool open(const QString& target, const Failed& failed) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString associatedProgram(const QString& extension) override;
};

} // namespace mosaicon::platform
