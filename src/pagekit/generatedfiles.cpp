#include "pagekit/generatedfiles.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/editor.h"
#include "platform/ui.h"

namespace mosaicon {

GeneratedFiles::GeneratedFiles(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_htmledit"));
}

void GeneratedFiles::o_flist_DblClick()
{
    // The window stays open whether or not the editor started.
    platform::start_editor(settings().editor_command, o_flist.entries.value(o_flist.selected), warn);
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
