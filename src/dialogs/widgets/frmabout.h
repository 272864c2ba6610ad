#pragma once

#include "dialogs/aboutbox.h"

#include "platform/widgets/valuedialog.h"

namespace mosaicon {

// Shows an AboutBox; OK, Escape and the frame's close all end the display.
class FrmAbout final : public platform::ValueDialog<AboutBox>
{
    Q_OBJECT

public:
    explicit FrmAbout(AboutBox* value, QWidget* parent = nullptr);
};

// Lets the about box be shown by its dialog.
void registerFrmAbout();

} // namespace mosaicon
