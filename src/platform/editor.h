#pragma once

#include "platform/shellopen.h"

#include <QString>

namespace mosaicon::platform {

// Starts the HTML editor with the file. The editor command is a program and
// its arguments, split at blanks (single or double quotes keep a blank) and
// run without a shell; the file becomes one further argument, and an empty file
// starts the editor without it. A program name without "/" is looked up on
// PATH, one with "/" must be an executable file. A missing editor (an empty
// command too) is said on the main window's status line and told; nothing is
// started then. A program that cannot be started is told. True when the
// editor was started.
bool start_editor(const QString& command, const QString& file, const Tell& tell);

} // namespace mosaicon::platform
