#include "pagekit/generatedfiles.h"

#include "settings/editor.h"

namespace mosaicon {

platform::Form<GeneratedFiles> frm_htmledit;

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
