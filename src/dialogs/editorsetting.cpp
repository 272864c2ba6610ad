#include "dialogs/editorsetting.h"

#include "settings/pickers.h"
#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

EditorSetting::EditorSetting(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frm_apps"));
    o_editor.text = settings().editor_command;
    height = loadedHeight;
}

void EditorSetting::show()
{
    platform::ui().showModal(objectName(), this);
}

void EditorSetting::Command2_Click()
{
    if (const std::optional<QString> chosen = select_html_editor())
        o_editor.text = *chosen;
}

void EditorSetting::Command3_Click()
{
    settings().editor_command = o_editor.text;
    emit hidden();
}

void EditorSetting::menuFileItem_Click(int)
{
    Command3_Click();
}

} // namespace mosaicon
