#include "dialogs/widgets/frmhtmlheadingfooting.h"

#include "platform/imagecontrol.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;

namespace {

const QString lineEnd = QStringLiteral("\r\n");
const QString menuFile = QStringLiteral("menuFileItem");

const MenuRow menuRows[] = {
    {"menuFile", MenuRow::heading, "&File"},
    {"menuFileItem", 98, "Cancel"},
    {"menuFileItem", 99, "Save / Exit"},
};

int pixels(double twips)
{
    return qRound(twips / platform::ImageControl::TwipsPerPixel);
}

// The box shows the value's text with its last line end too, so that text
// typed at the end starts a line of its own; the value keeps CR LF, as the
// file does.
QString shown(const QString& text)
{
    return QString(text).replace(lineEnd, QStringLiteral("\n"));
}

QString kept(const QString& lines)
{
    return QString(lines).replace(u'\n', lineEnd);
}

} // namespace

FrmHtmlHeadingFooting::FrmHtmlHeadingFooting(HtmlHeadingFooting* value, QWidget* parent)
    : QDialog(parent), m_value(value)
{
    setObjectName(QStringLiteral("frm_html_heading_footing"));
    auto* form = new QVBoxLayout(this);
    auto* bar = namedWidget<QMenuBar>(QStringLiteral("menuBar"), this);
    m_menus = platform::MenuTree(bar, menuRows);
    m_menus.connectItems(menuFile, this, [this](int index) {
        if (!m_value)
            return;
        pull();
        m_value->menuFileItem_Click(index);
    });
    form->setMenuBar(bar);

    m_header = panel("SSFrame2", "html_header");
    m_footer = panel("SSFrame1", "html_footer");

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const char* caption,
                             void (HtmlHeadingFooting::*click)()) {
        auto* b = namedWidget<QPushButton>(QString::fromUtf8(name), QString::fromUtf8(caption), this);
        b->setAutoDefault(false); // Enter makes a new line in the boxes
        connect(b, &QPushButton::clicked, this, [this, click] { run(click); });
        buttons->addWidget(b);
    };
    button("Command1", "Save / Exit", &HtmlHeadingFooting::Command1_Click);
    button("Command2", "Cancel", &HtmlHeadingFooting::Command2_Click);
    form->addLayout(buttons);

    const int smallest = pixels(HtmlHeadingFooting::smallestSide);
    setMinimumSize(smallest, smallest);
    if (m_value) {
        connect(m_value, &HtmlHeadingFooting::hidden, this, [this] { QDialog::done(Accepted); });
        connect(m_value, &QObject::destroyed, this, &QObject::deleteLater);
    }
    push();
}

QPlainTextEdit* FrmHtmlHeadingFooting::panel(const char* frameName, const char* boxName)
{
    auto* frame = namedWidget<QFrame>(QString::fromUtf8(frameName), this);
    auto* box = namedWidget<QPlainTextEdit>(QString::fromUtf8(boxName), frame);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(frame))->addWidget(box);
    layout()->addWidget(frame);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(frame, 1);
    return box;
}

QAction* FrmHtmlHeadingFooting::menuFileItem(int index) const
{
    return m_menus.item(menuFile, index);
}

void FrmHtmlHeadingFooting::push()
{
    if (!m_value)
        return;
    setWindowTitle(m_value->caption);
    m_header->setPlainText(shown(m_value->html_header.text));
    m_footer->setPlainText(shown(m_value->html_footer.text));
}

void FrmHtmlHeadingFooting::pull()
{
    if (!m_value)
        return;
    m_value->html_header.text = kept(m_header->toPlainText());
    m_value->html_footer.text = kept(m_footer->toPlainText());
}

void FrmHtmlHeadingFooting::run(void (HtmlHeadingFooting::*action)())
{
    if (!m_value)
        return;
    pull();
    (m_value->*action)();
}

void FrmHtmlHeadingFooting::reject()
{
    pull();
    QDialog::reject();
}

void FrmHtmlHeadingFooting::showEvent(QShowEvent* event)
{
    platform::placeOnFirstShow(this, m_shownOnce, HtmlHeadingFooting::loadedHeight);
    QDialog::showEvent(event);
}

void registerFrmHtmlHeadingFooting()
{
    platform::registerDialog<FrmHtmlHeadingFooting, HtmlHeadingFooting>(
        QStringLiteral("frm_html_heading_footing"));
}

} // namespace mosaicon
