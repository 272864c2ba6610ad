#include "dialogs/frmhtmledit.h"

#include "platform/widgets/widgetui.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

FrmHtmlEdit::FrmHtmlEdit(GeneratedFiles* value, QWidget* parent) : QDialog(parent), m_value(value)
{
    setObjectName(QStringLiteral("frm_htmledit"));
    setWindowTitle(value->caption);

    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("menuFile"));
    m_edit = file->addAction(QStringLiteral("Edit"));
    m_edit->setObjectName(QStringLiteral("menuFileItem_5"));
    m_separator = file->addSeparator();
    m_separator->setObjectName(QStringLiteral("menuFileItem_90"));
    m_exit = file->addAction(QStringLiteral("Exit"));
    m_exit->setObjectName(QStringLiteral("menuFileItem_99"));
    layout->setMenuBar(menus);

    auto* frame = new QGroupBox(QStringLiteral("HTML File List"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* inner = new QVBoxLayout(frame);
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("o_flist"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->addItems(value->o_flist);
    inner->addWidget(m_list);
    layout->addWidget(frame);

    auto* label = new QLabel(QStringLiteral("Double click on the file to edit"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    auto* close = new QPushButton(QStringLiteral("Close / Exit"), this);
    close->setObjectName(QStringLiteral("Command1"));
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
    connect(m_edit, &QAction::triggered, this, [this] {
        if (m_value)
            m_value->menuFileItem_Click(5);
    });
    connect(m_exit, &QAction::triggered, this, &FrmHtmlEdit::reject);
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
    switch (index) {
    case 5:
        return m_edit;
    case 90:
        return m_separator;
    case 99:
        return m_exit;
    default:
        return nullptr;
    }
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
    platform::WidgetUi::registerWindow(QStringLiteral("frm_htmledit"), [](QObject* object) {
        auto* value = qobject_cast<GeneratedFiles*>(object);
        if (!value)
            return;
        FrmHtmlEdit dialog(value, QApplication::activeWindow());
        dialog.exec();
    });
}

} // namespace mosaicon
