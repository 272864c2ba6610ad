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
    file->addSeparator()->setObjectName(QStringLiteral("menuFileItem_90"));
    m_exit = file->addAction(QStringLiteral("Exit"));
    m_exit->setObjectName(QStringLiteral("menuFileItem_99"));
    layout->setMenuBar(menus);

    auto* frame = new QGroupBox(QStringLiteral("HTML File List"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* inner = new QVBoxLayout(frame);
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("o_flist"));
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

    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        takeSelection();
        m_value->o_flist_DblClick();
    });
    connect(m_edit, &QAction::triggered, this, [this] {
        takeSelection();
        m_value->menuFileItem_Click(5);
    });
    connect(m_exit, &QAction::triggered, this, [this] { m_value->menuFileItem_Click(99); });
    connect(close, &QPushButton::clicked, this, [this] { m_value->Command1_Click(); });
    connect(value, &GeneratedFiles::closed, this, &QDialog::accept);
}

QAction* FrmHtmlEdit::menuFileItem(int index) const
{
    return index == 5 ? m_edit : index == 99 ? m_exit : nullptr;
}

void FrmHtmlEdit::takeSelection()
{
    m_value->selected = m_list->currentRow();
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
