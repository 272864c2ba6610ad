#include "dialogs/thumbnaildirectories.h"

#include "settings/program.h"

#include "platform/profilefile.h"
#include "platform/ui.h"

namespace mosaicon {

namespace {

const QString section = QStringLiteral("Thumbnail Directories");
// The image windows number their keys no higher.
constexpr int lastKey = 99999;

} // namespace

ThumbnailDirectories::ThumbnailDirectories()
{
    setObjectName(QStringLiteral("frm_thumb_dirs"));
}

void ThumbnailDirectories::Form_Load()
{
    platform::ProfileFile& file = platform::profile(program().ini_file_path);
    directories.clear();
    for (int n = 1; n <= lastKey; ++n) {
        const QString directory = file.get(section, QStringLiteral("dir") + QString::number(n));
        if (directory.isEmpty())
            break;
        directories.append(directory);
    }
}

void ThumbnailDirectories::showModally()
{
    ThumbnailDirectories window;
    window.Form_Load();
    platform::ui().showModal(window.objectName(), &window);
}

} // namespace mosaicon
