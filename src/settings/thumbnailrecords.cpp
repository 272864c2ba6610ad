#include "settings/thumbnailrecords.h"

#include "settings/program.h"

#include "platform/paths.h"
#include "platform/profilefile.h"

namespace mosaicon {

QString find_thumbnail(const QString& path)
{
    platform::ProfileFile& ini = settingsFile();
    const QString ir = QStringLiteral("Thumbnails (ir)");
    QString value = ini.get(ir, path);
    if (value.isEmpty())
        value = ini.get(QStringLiteral("Thumbnails (vi)"), path);
    value = value.trimmed();
    if (!value.isEmpty() && platform::file_exists(value)) {
        ini.remove(ir, path);
        return value;
    }
    return QString();
}

namespace {

const QString directorySection = QStringLiteral("Thumbnail Directories");

QString directoryKey(int n)
{
    return QStringLiteral("dir%1").arg(n);
}

// The list is read as it was designed: up to the first empty key, however
// many keys follow it.
constexpr int maxDirectoryKeys = 99999;

} // namespace

void register_thumbnail_directory(const QString& dir)
{
    if (dir.isEmpty())
        return;
    platform::ProfileFile& ini = settingsFile();
    int n = 1;
    for (; n <= maxDirectoryKeys; ++n) {
        const QString value = ini.get(directorySection, directoryKey(n));
        if (value.isEmpty())
            break;
        // Exact: on this platform a folder spelt in other letter case is another folder.
        if (value == dir)
            return;
    }
    if (n <= maxDirectoryKeys)
        ini.put(directorySection, directoryKey(n), dir);
}

QStringList thumbnail_directories()
{
    platform::ProfileFile& ini = settingsFile();
    QStringList dirs;
    for (int n = 1; n <= maxDirectoryKeys; ++n) {
        const QString value = ini.get(directorySection, directoryKey(n));
        if (value.isEmpty())
            break;
        dirs.append(value);
    }
    return dirs;
}

} // namespace mosaicon
