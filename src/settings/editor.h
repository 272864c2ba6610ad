#pragma once

#include <QString>

namespace mosaicon {

// Starts the HTML editor (the editor command: a program and its arguments,
// split as a shell would but without one) with the file as one further
// argument; an empty file starts it without one. A program name without "/"
// is looked up on PATH. A missing editor is said on the status line and in a
// box; nothing is started then.
bool start_editor(const QString& file);

} // namespace mosaicon
