#include "dialogs/widgets/frmthumbdirs.h"

#include "platform/widgets/registerdialog.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace mosaicon {

FrmThumbDirs::FrmThumbDirs(ThumbnailDirectories* value, QWidget* parent)
    : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_thumb_dirs"));
    auto* list = platform::namedWidget<QListWidget>(QStringLiteral("o_dirs"), this);
    (new QVBoxLayout(this))->addWidget(list);
    if (m_value) {
        setWindowTitle(m_value->caption);
        // The window holds this list alone; its title names it.
        list->setAccessibleName(m_value->caption);
        list->addItems(m_value->directories);
    }
}

void registerFrmThumbDirs()
{
    platform::registerDialog<FrmThumbDirs, ThumbnailDirectories>(QStringLiteral("frm_thumb_dirs"));
}

} // namespace mosaicon
