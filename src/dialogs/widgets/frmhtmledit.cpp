#include "dialogs/widgets/frmhtmledit.h"

#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;

namespace {

const QString menuFile = QStringLiteral("menuFileItem");

const MenuRow menuRows[] = {
    {"menuFile", MenuRow::heading, "File"},
    {"menuFileItem", 5, "Edit"},
    {"menuFileItem", 90, "", true},
    {"menuFileItem", 99, "Exit"},
};

} // namespace

FrmHtmlEdit::FrmHtmlEdit(GeneratedFiles* value, QWidget* parent) : QDialog(parent), m_value(value)
{
    setObjectName(QStringLiteral("frm_htmledit"));
    setWindowTitle(value->caption);

    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    m_menus = platform::MenuTree(menus, menuRows);
    layout->setMenuBar(menus);

    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame1"), QStringLiteral("HTML File List"), this);
    m_list = namedWidget<QListWidget>(QStringLiteral("o_flist"), frame);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->addItems(value->o_flist);
    (new QVBoxLayout(frame))->addWidget(m_list);
    layout->addWidget(frame);
    layout->addWidget(namedWidget<QLabel>(
        QStringLiteral("Label1"), QStringLiteral("Double click on the file to edit"), this));
    auto* close =
        namedWidget<QPushButton>(QStringLiteral("Command1"), QStringLiteral("Close / Exit"), this);
    layout->addWidget(close);
    resize(520, 320);

    // A selection left over from an earlier showing would point into another run's list.
    value->selected = -1;

    // The selection, not the current row: the list makes its first entry
    // current when it gains the focus, without the user choosing it.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &FrmHtmlEdit::selectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_value)
            m_value->o_flist_DblClick();
    });
    m_menus.connectItems(menuFile, this, [this](int index) {
        if (m_value)
            m_value->menuFileItem_Click(index);
        else
            QDialog::reject();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        if (m_value)
            m_value->Command1_Click();
        else
            QDialog::reject();
    });
    connect(value, &GeneratedFiles::closed, this, &QDialog::accept);
    connect(value, &QObject::destroyed, this, [this] { QDialog::reject(); });
}

QAction* FrmHtmlEdit::menuFileItem(int index) const
{
    return m_menus.item(menuFile, index);
}

void FrmHtmlEdit::reject()
{
    if (m_value)
        m_value->menuFileItem_Click(99);
    else
        QDialog::reject();
}

void FrmHtmlEdit::selectionChanged()
{
    if (!m_value)
        return;
    const QList<QListWidgetItem*> items = m_list->selectedItems();
    m_value->selected = items.isEmpty() ? -1 : m_list->row(items.first());
}

void registerFrmHtmlEdit()
{
    platform::registerDialog<FrmHtmlEdit, GeneratedFiles>(QStringLiteral("frm_htmledit"));
}

} // namespace mosaicon
