#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace mosaicon::platform {

// Opening documents and starting programs. No call goes through a command
// interpreter: a program and its arguments are handed over as they are.
class Shell
{
public:
    virtual ~Shell() = default;

    // Told why an opening failed.
    using Failed = std::function<void(const QString& reason)>;

    // Opens a local path or an address with the program associated with it.
    // When it cannot, `failed` hears why, once: before open() returns false,
    // or later, when the desktop's opener gives up after it was started.
    virtual bool open(const QString& target, const Failed& failed) = 0;
    // Starts a program without waiting for it.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The program that opens files with this extension (no dot), or "".
    virtual QString associatedProgram(const QString& extension) = 0;
};

// The Shell in force: the desktop's unless a test installed another.
Shell& shell();
void setShell(Shell* shell);

} // namespace mosaicon::platform
