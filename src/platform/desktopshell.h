#pragma once

#include "platform/shell.h"

namespace mosaicon::platform {

// The desktop's own associations (through Qt and the XDG tools).
class DesktopShell final : public Shell
{
public:
    bool open(const QString& target) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString associatedProgram(const QString& extension) override;
};

} // namespace mosaicon::platform
