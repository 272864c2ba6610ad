#include "dialogs/widgets/frmhtmlheadingfooting.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;

FrmHtmlHeadingFooting::FrmHtmlHeadingFooting(HtmlHeadingFooting* value, QWidget* parent)
    : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_html_heading_footing"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Cancels);

    panel("SSFrame2", "html_header", &HtmlHeadingFooting::html_header);
    panel("SSFrame1", "html_footer", &HtmlHeadingFooting::html_footer);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {saveButton("Command1"), cancelButton("Command2")}) {
        button->setAutoDefault(false); // Enter makes a new line in the boxes
        buttons->addWidget(button);
    }
    form->addLayout(buttons);

    const int smallest = platform::pixels(HtmlHeadingFooting::smallestSide);
    setMinimumSize(smallest, smallest);
    if (m_value)
        setWindowTitle(m_value->caption);
    push();
}

QPlainTextEdit* FrmHtmlHeadingFooting::panel(const char* frameName, const char* boxName,
                                             platform::TextBox HtmlHeadingFooting::*field)
{
    auto* frame = namedWidget<QFrame>(QString::fromUtf8(frameName), this);
    auto* box =
        m_binder.bind(namedWidget<QPlainTextEdit>(QString::fromUtf8(boxName), frame), field);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(frame))->addWidget(box);
    layout()->addWidget(frame);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(frame, 1);
    return box;
}

void registerFrmHtmlHeadingFooting()
{
    platform::registerDialog<FrmHtmlHeadingFooting, HtmlHeadingFooting>(
        QStringLiteral("frm_html_heading_footing"));
}

} // namespace mosaicon
