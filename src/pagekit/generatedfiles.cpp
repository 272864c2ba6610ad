#include "pagekit/generatedfiles.h"

#include "settings/editor.h"

#include "platform/ui.h"

namespace mosaicon {

GeneratedFiles::GeneratedFiles(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frm_htmledit"));
}

void GeneratedFiles::o_flist_DblClick()
{
    // The window stays open whether or not the editor started.
    start_editor(o_flist.value(selected));
}

void GeneratedFiles::menuFileItem_Click(int index)
{
    if (index == 5)
        o_flist_DblClick();
    else if (index == 99)
        Command1_Click();
}

void GeneratedFiles::Command1_Click()
{
    emit closed();
}

} // namespace mosaicon

namespace mosaicon {

void GeneratedFiles::show()
{
    platform::ui().showModal(objectName(), this);
}

} // namespace mosaicon
