#pragma once

#include "dialogs/htmlheadingfooting.h"

#include "platform/widgets/valuedialog.h"

class QPlainTextEdit;

namespace mosaicon {

// Shows a HtmlHeadingFooting: the heading above, the footing below, each
// taking half the window. The buttons and the File menu go to the value's
// rules; the close box and Esc only hide, since the opener saves as the
// window goes.
class FrmHtmlHeadingFooting final : public platform::ValueDialog<HtmlHeadingFooting>
{
    Q_OBJECT

public:
    explicit FrmHtmlHeadingFooting(HtmlHeadingFooting* value, QWidget* parent = nullptr);

private:
    QPlainTextEdit* panel(const char* frameName, const char* boxName,
                          platform::TextBox HtmlHeadingFooting::*field);
};

// Makes the program show this dialog wherever the editor's value is shown modally.
void registerFrmHtmlHeadingFooting();

} // namespace mosaicon
