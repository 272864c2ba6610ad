#include "dialogs/frmapps.h"

#include "platform/numbers.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
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
    {"menuFile", MenuRow::heading, "&File"},
    {"menuFileItem", 99, "E&xit"},
};

} // namespace

FrmApps::FrmApps(EditorSetting* value, QWidget* parent)
    : QDialog(parent), m_value(value), m_binder(value)
{
    setObjectName(QStringLiteral("frm_apps"));
    auto* form = new QVBoxLayout(this);
    auto* bar = namedWidget<QMenuBar>(QStringLiteral("menuBar"), this);
    m_menus = platform::MenuTree(bar, menuRows);
    m_menus.connectItems(menuFile, this, [this](int index) {
        if (!m_value)
            return;
        m_binder.pull();
        m_value->menuFileItem_Click(index);
        m_binder.push();
    });
    form->setMenuBar(bar);

    auto* frame = m_binder.bind(namedWidget<QGroupBox>(QStringLiteral("Frame2"), this),
                                &EditorSetting::Frame2);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_editor"), this),
                                 &EditorSetting::o_editor),
                   1);
    auto* select =
        namedWidget<QPushButton>(QStringLiteral("Command2"), QStringLiteral("Select"), this);
    select->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, [this] { run(&EditorSetting::Command2_Click); });
    row->addWidget(select);
    form->addWidget(frame);

    auto* exit = namedWidget<QPushButton>(QStringLiteral("Command3"), QStringLiteral("Exit"), this);
    connect(exit, &QPushButton::clicked, this, [this] { run(&EditorSetting::Command3_Click); });
    form->addWidget(exit, 0, Qt::AlignRight);

    if (m_value) {
        setWindowTitle(m_value->caption);
        connect(m_value, &EditorSetting::hidden, this, &QDialog::accept);
    }
    m_binder.push();
}

QAction* FrmApps::menuFileItem(int index) const
{
    return m_menus.item(menuFile, index);
}

void FrmApps::run(void (EditorSetting::*action)())
{
    if (!m_value)
        return;
    m_binder.pull();
    (m_value->*action)();
    m_binder.push();
}

void FrmApps::showEvent(QShowEvent* event)
{
    if (m_value)
        platform::placeOnFirstShow(this, m_shownOnce, m_value->height);
    QDialog::showEvent(event);
}

void registerFrmApps()
{
    platform::registerDialog<FrmApps, EditorSetting>(QStringLiteral("frm_apps"));
}

} // namespace mosaicon
