#include "pagekit/generatedfiles.h"

#include "settings/editor.h"

#include "platform/ui.h"

namespace mosaicon {

GeneratedFiles::GeneratedFiles(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_htmledit"));
}

void GeneratedFiles::o_flist_DblClick()
{
    // The window stays open whether or not the editor started.
    start_editor(o_flist.entries.value(o_flist.selected));
}

void GeneratedFiles::close()
{
    emit hidden();
}

} // namespace mosaicon

namespace mosaicon {

void GeneratedFiles::show()
{
    platform::ui().showModal(objectName(), this);
}

} // namespace mosaicon
