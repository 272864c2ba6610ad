#include "platform/paths.h"

#include "platform/files.h"

namespace mosaicon::platform {

namespace {

PathParts splitAtLastSlash(const QString& path, bool wholeIsName)
{
    const qsizetype at = path.lastIndexOf(u'/');
    if (at < 0)
        return {QString(), wholeIsName ? path : QString()};
    return {path.left(at + 1), path.mid(at + 1)};
}

} // namespace

PathParts split_path(const QString& path)
{
    return splitAtLastSlash(path, false);
}

PathParts split_file_path(const QString& path)
{
    return splitAtLastSlash(path, true);
}

bool file_exists(const QString& name)
{
    return isReadableFile(name.trimmed());
}

QString make_relative_path(const QString& path, const QString& page_path)
{
    const QString base = split_path(page_path).directory;
    if (path.startsWith(base))
        return path.mid(base.size());
    const QString file_name = split_file_path(path).file_name;
    return file_name.isEmpty() ? path : file_name;
}

} // namespace mosaicon::platform
