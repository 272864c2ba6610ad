#pragma once

#include "dialogs/editorsetting.h"

#include "platform/widgets/valuedialog.h"

namespace mosaicon {

// Shows an EditorSetting. The frame's close and Escape end the display
// without storing anything.
class FrmApps final : public platform::ValueDialog<EditorSetting>
{
    Q_OBJECT

public:
    explicit FrmApps(EditorSetting* value, QWidget* parent = nullptr);

private:
};

// Lets the editor window be shown by its dialog.
void registerFrmApps();

} // namespace mosaicon
