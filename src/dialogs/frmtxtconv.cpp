#include "dialogs/frmtxtconv.h"

#include "platform/numbers.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;

namespace {

const QString menuFile = QStringLiteral("menuFileItem");

const MenuRow menuRows[] = {
    {"menuFile", MenuRow::heading, "&File"}, {"menuFileItem", 5, "&Reset To Original Values"},
    {"menuFileItem", 10, "", true},          {"menuFileItem", 98, "&Cancel"},
    {"menuFileItem", 99, "&Save / Exit"},
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

FrmTxtConv::FrmTxtConv(CaptionTexts* value, QWidget* parent)
    : QDialog(parent), m_value(value), m_binder(value)
{
    setObjectName(QStringLiteral("frm_txtconv"));
    auto* form = new QVBoxLayout(this);
    auto* bar = namedWidget<QMenuBar>(QStringLiteral("menuBar"), this);
    m_menus = platform::MenuTree(bar, menuRows);
    m_menus.connectItems(menuFile, this, [this](int index) {
        run([index](CaptionTexts& c) { c.menuFileItem_Click(index); });
    });
    form->setMenuBar(bar);
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
    buttons->addWidget(addButton("Command1", "Save / Exit", &CaptionTexts::Command1_Click));
    buttons->addWidget(
        addButton("Command2", "Reset To Original Values", &CaptionTexts::Command2_Click));
    buttons->addWidget(addButton("Command3", "Cancel", &CaptionTexts::Command3_Click));
    form->addLayout(buttons);

    if (m_value) {
        setWindowTitle(m_value->caption);
        connect(m_value, &CaptionTexts::hidden, this, &QDialog::accept);
    }
    m_binder.push();
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

QPushButton* FrmTxtConv::addButton(const char* name, const char* caption,
                                   void (CaptionTexts::*click)())
{
    auto* button =
        namedWidget<QPushButton>(QString::fromUtf8(name), QString::fromUtf8(caption), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, click] { run(click); });
    return button;
}

QAction* FrmTxtConv::menuFileItem(int index) const
{
    return m_menus.item(menuFile, index);
}

void FrmTxtConv::run(const std::function<void(CaptionTexts&)>& action)
{
    if (!m_value)
        return;
    m_binder.pull();
    action(*m_value);
    m_binder.push();
}

void FrmTxtConv::reject()
{
    if (!m_value) {
        QDialog::reject();
        return;
    }
    run([](CaptionTexts& c) { c.menuFileItem_Click(98); });
}

void FrmTxtConv::showEvent(QShowEvent* event)
{
    if (m_value)
        platform::placeOnFirstShow(this, m_shownOnce, m_value->height);
    QDialog::showEvent(event);
}

void registerFrmTxtConv()
{
    platform::registerDialog<FrmTxtConv, CaptionTexts>(QStringLiteral("frm_txtconv"));
}

} // namespace mosaicon
