#pragma once

#include <QString>

namespace mosaicon {

// Appends one entry to "msglog.txt" in the program folder: the first text,
// blanks up to column 30, the second text (a first text of 30 characters or
// more takes a line of its own and the second text follows 29 blanks on the
// next). Mode 1 empties the log first. A log that cannot be written is a
// warning on standard error, never a failure of the traced step.
bool write_msglog(const QString& first, const QString& second, int mode = 0);

// write_msglog when the trace is on.
void trace(const QString& first, const QString& second);

// The text of one entry, with its CR LF line ends.
QByteArray msglog_entry(const QString& first, const QString& second);

// The trace switch: on when the program's only argument is "log_messages" in
// any case; a new log then starts with a separator line.
void init_trace_switch();

} // namespace mosaicon
