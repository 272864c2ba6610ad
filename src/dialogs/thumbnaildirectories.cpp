#include "dialogs/thumbnaildirectories.h"

#include "settings/thumbnailrecords.h"

#include "platform/ui.h"

namespace mosaicon {

ThumbnailDirectories::ThumbnailDirectories()
{
    setObjectName(QStringLiteral("frm_thumb_dirs"));
}

void ThumbnailDirectories::Form_Load()
{
    directories = thumbnail_directories();
}

void ThumbnailDirectories::showModally()
{
    ThumbnailDirectories window;
    window.Form_Load();
    platform::ui().showModal(window.objectName(), &window);
}

} // namespace mosaicon
