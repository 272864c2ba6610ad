#pragma once

#include <QByteArray>
#include <QString>

namespace mosaicon::platform {

// A readable regular file of that name exists. The file is never opened:
// opening a named pipe would block the window.
bool isReadableFile(const QString& path);

// Both names lead to one file on disk (by identity, not by spelling).
bool isSameFile(const QString& a, const QString& b);

// Copies a file, replacing an existing target (through a temporary file, so
// a failed copy leaves the old target whole). Copying a file onto itself
// does nothing and succeeds: removing the target first would delete it.
bool copyFile(const QString& source, const QString& target, QString* error = nullptr);

// Writes a whole file atomically: a crash or a full disk leaves the old file
// or the new one, never half of one.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Creates a folder and its parents; true when it exists afterwards.
bool makeFolder(const QString& path);

// Joins a folder and a name with one "/" between them.
QString joinPath(const QString& folder, const QString& name);

} // namespace mosaicon::platform
