#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon::platform {

// Opening documents and starting programs. No call goes through a command
// interpreter: a program and its arguments are handed over as they are.
class Shell
{
public:
    virtual ~Shell() = default;

    // Opens a local path or an address with the program associated with it.
    virtual bool open(const QString& target) = 0;
    // Starts a program without waiting for it.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The program that opens files with this extension (no dot), or "".
    virtual QString associatedProgram(const QString& extension) = 0;
};

// The Shell in force: the desktop's unless a test installed another.
Shell& shell();
void setShell(Shell* shell);

} // namespace mosaicon::platform
