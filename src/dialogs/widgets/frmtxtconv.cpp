#include "dialogs/widgets/frmtxtconv.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;

namespace {

const FrmTxtConv::Row ownFileRows[] = {
    {{"menuFileItem", 5, "&Reset To Original Values"}, &CaptionTexts::resetToOriginalValues},
    {{"menuFileItem", 10, "", true}},
};

// A box and the label that names it, on one row of a grid.
struct BoxRow
{
    const char* box;
    platform::TextBox CaptionTexts::*field;
    const char* label;
    const char* labelText;
};

const BoxRow slideShowRows[] = {
    {"o_ss_click_here", &CaptionTexts::o_ss_click_here, "Label7", "\"Click Here To Start\""},
    {"o_ss_view_slide", &CaptionTexts::o_ss_view_slide, "Label2", "\"View The Slide\""},
    {"o_ss_view_image", &CaptionTexts::o_ss_view_image, "Label3", "\"View The Image\""},
};

} // namespace

FrmTxtConv::FrmTxtConv(CaptionTexts* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_txtconv"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Cancels, ownFileRows);
    form->addWidget(buildSlideShowFrame());

    auto* misc =
        namedWidget<QGroupBox>(QStringLiteral("Frame3"), QStringLiteral("Miscellaneous"), this);
    auto* miscRow = new QHBoxLayout(misc);
    auto* copyright = m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_copyright"), this),
                                    &CaptionTexts::o_copyright);
    auto* label = namedWidget<QLabel>(QStringLiteral("Label1"), QStringLiteral("Copyright:"), this);
    label->setBuddy(copyright);
    miscRow->addWidget(label);
    miscRow->addWidget(copyright, 1);
    form->addWidget(misc);

    auto* buttons = new QHBoxLayout;
    const auto add = [buttons](QPushButton* button) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    };
    add(saveButton("Command1"));
    add(actionButton("Command2", "Reset To Original Values", &CaptionTexts::resetToOriginalValues));
    add(cancelButton("Command3"));
    form->addLayout(buttons);

    if (m_value)
        setWindowTitle(m_value->caption);
    push();
}

QGroupBox* FrmTxtConv::buildSlideShowFrame()
{
    auto* frame = namedWidget<QGroupBox>(
        QStringLiteral("Frame1"), QStringLiteral("Captions For HTML Files:  Slide Show"), this);
    auto* grid = new QGridLayout(frame);
    int line = 0;
    for (const BoxRow& row : slideShowRows) {
        auto* box =
            m_binder.bind(namedWidget<QLineEdit>(QString::fromUtf8(row.box), this), row.field);
        auto* label = namedWidget<QLabel>(QString::fromUtf8(row.label),
                                          QString::fromUtf8(row.labelText), this);
        label->setTextFormat(Qt::PlainText);
        grid->addWidget(box, line, 0);
        grid->addWidget(label, line, 1);
        ++line;
    }
    grid->setColumnStretch(0, 1);
    return frame;
}

void registerFrmTxtConv()
{
    platform::registerDialog<FrmTxtConv, CaptionTexts>(QStringLiteral("frm_txtconv"));
}

} // namespace mosaicon
