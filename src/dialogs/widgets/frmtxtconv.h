#pragma once

#include "dialogs/captiontexts.h"

#include "platform/widgets/valuedialog.h"

class QGroupBox;
class QPushButton;

namespace mosaicon {

// Shows CaptionTexts. The frame's close and Escape run File > Cancel.
class FrmTxtConv final : public platform::ValueDialog<CaptionTexts>
{
    Q_OBJECT

public:
    explicit FrmTxtConv(CaptionTexts* value, QWidget* parent = nullptr);

private:
    QGroupBox* buildSlideShowFrame();
};

// Lets the caption texts be shown by their dialog.
void registerFrmTxtConv();

} // namespace mosaicon
