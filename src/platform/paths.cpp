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

void make_relative_path(QString& path, const QString& page_path, QString& file_name)
{
    const qsizetype slash = page_path.lastIndexOf(u'/');
    const QString base = slash < 0 ? QString() : page_path.left(slash + 1);
    const qsizetype own = path.lastIndexOf(u'/');
    file_name = path.mid(own + 1);
    if (path.startsWith(base))
        path = path.mid(base.size());
    else if (!file_name.isEmpty())
        path = file_name;
}

} // namespace mosaicon::platform
