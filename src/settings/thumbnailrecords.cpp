#include "settings/thumbnailrecords.h"

#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/profilefile.h"

namespace mosaicon {

void find_thumbnail(QString& path)
{
    platform::ProfileFile& ini = platform::profile(program().ini_file_path);
    const QString ir = QStringLiteral("Thumbnails (ir)");
    QString value = ini.get(ir, path);
    if (value.isEmpty())
        value = ini.get(QStringLiteral("Thumbnails (vi)"), path);
    if (!value.isEmpty() && file_exists(value)) {
        ini.remove(ir, path);
        path = value;
        return;
    }
    path.clear();
}

} // namespace mosaicon
