#pragma once

#include "dialogs/htmlheadingfooting.h"

#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QPointer>

class QAction;
class QPlainTextEdit;

namespace mosaicon {

// Shows a HtmlHeadingFooting: the heading above, the footing below, each
// taking half the window. The buttons and the File menu go to the value's
// rules; the close box and Esc only hide, since the opener saves as the
// window goes.
class FrmHtmlHeadingFooting final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmHtmlHeadingFooting(HtmlHeadingFooting* value, QWidget* parent = nullptr);

    HtmlHeadingFooting* value() const { return m_value; }
    // Index 98 (Cancel) or 99 (Save / Exit); nullptr for any other.
    QAction* menuFileItem(int index) const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* panel(const char* frameName, const char* boxName);
    void push();
    void pull();
    void run(void (HtmlHeadingFooting::*action)());

    QPointer<HtmlHeadingFooting> m_value;
    platform::MenuTree m_menus;
    QPlainTextEdit* m_header = nullptr;
    QPlainTextEdit* m_footer = nullptr;
    bool m_shownOnce = false;
};

// Makes the program show this dialog wherever the editor's value is shown modally.
void registerFrmHtmlHeadingFooting();

} // namespace mosaicon
