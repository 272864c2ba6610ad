#pragma once

#include "dialogs/slideoptions.h"

#include "platform/widgets/valuedialog.h"

namespace mosaicon {

// Shows SlideOptions. Esc and the frame's close run File > Save/Exit, as
// the window's unload does.
class FrmSOptions final : public platform::ValueDialog<SlideOptions>
{
    Q_OBJECT

public:
    explicit FrmSOptions(SlideOptions* value, QWidget* parent = nullptr);

private:
};

// Lets the slide-show options be shown by their dialog.
void registerFrmSOptions();

} // namespace mosaicon
