#pragma once

#include <QString>

namespace mosaicon::platform {

// Splits at the last "/": the directory keeps its trailing "/". Without any
// "/", split_path leaves both empty and split_file_path gives all as file name.
struct PathParts {
    QString directory;
    QString file_name;
};
PathParts split_path(const QString& path);
PathParts split_file_path(const QString& path);

// True when a readable regular file of the trimmed name exists (the file is
// not opened). Callers that go on using the name trim it themselves.
bool file_exists(const QString& name);

// The path relative to the page's directory when it lies below it (exact
// case); otherwise its file name.
QString make_relative_path(const QString& path, const QString& page_path);

} // namespace mosaicon::platform
