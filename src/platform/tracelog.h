#pragma once

#include <QByteArray>
#include <QString>

namespace mosaicon::platform {

// The trace log: "msglog.txt" in a folder, one entry a traced step. An entry
// is the first text, blanks up to column 30, the second text (a first text of
// 30 characters or more takes a line of its own and the second text follows
// 29 blanks on the next). A log that cannot be written is a warning on
// standard error, never a failure of the traced step.

// Empties the folder's log, writes a separator line and traces from now on.
void start_trace(const QString& folder);
// Traces nothing from now on.
void stop_trace();
bool tracing();

// Appends one entry while the trace is on.
void trace(const QString& first, const QString& second);

// The text of one entry, with its CR LF line ends.
QByteArray msglog_entry(const QString& first, const QString& second);

} // namespace mosaicon::platform
