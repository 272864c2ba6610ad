#include "dialogs/editorsetting.h"

#include "settings/pickers.h"
#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

EditorSetting::EditorSetting(QObject* parent) : DialogValue(parent)
{
    setObjectName(QStringLiteral("frm_apps"));
    o_editor.text = settings().editor_command;
    height = loadedHeight;
}

void EditorSetting::show()
{
    platform::ui().showModal(objectName(), this);
}

void EditorSetting::chooseEditor()
{
    if (const std::optional<QString> chosen = select_html_editor())
        o_editor.text = *chosen;
}

void EditorSetting::saveAndClose()
{
    settings().editor_command = o_editor.text;
    emit hidden();
}

} // namespace mosaicon
