#pragma once

#include "dialogs/htmloptions.h"

#include "platform/widgets/valuedialog.h"

class QGridLayout;
class QGroupBox;
class QPushButton;

namespace mosaicon {

// Shows HtmlOptions. Esc and the frame's close run File > Save / Exit, as
// the window's unload does.
class FrmOptions final : public platform::ValueDialog<HtmlOptions>
{
    Q_OBJECT

public:
    explicit FrmOptions(HtmlOptions* value, QWidget* parent = nullptr);

private:
    QGroupBox* buildThumbnails();
    QGroupBox* buildOther();
    QGroupBox* buildImagesAndFiles();
    // Check boxes of a frame, one a row of the grid from `row` on; returns
    // the row after the last.
    int addBoxes(QGridLayout* grid, int row, std::initializer_list<const CheckRow*> boxes);
    void push() override;

    QPushButton* m_b_thumb_bcolor = nullptr;
};

// Lets the HTML output options be shown by their dialog.
void registerFrmOptions();

} // namespace mosaicon
