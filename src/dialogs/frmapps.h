#pragma once

#include "dialogs/editorsetting.h"

#include "platform/widgets/menutree.h"
#include "platform/widgets/valuedialog.h"

class QAction;

namespace mosaicon {

// Shows an EditorSetting. The frame's close and Escape end the display
// without storing anything.
class FrmApps final : public platform::ValueDialog<EditorSetting>
{
    Q_OBJECT

public:
    explicit FrmApps(EditorSetting* value, QWidget* parent = nullptr);

    QAction* menuFileItem(int index) const;

private:
    platform::MenuTree m_menus;
};

// Lets the editor window be shown by its dialog.
void registerFrmApps();

} // namespace mosaicon
