#include "dialogs/widgets/frmhtmledit.h"

#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;

namespace {

const FrmHtmlEdit::Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 5, "Edit"}, &GeneratedFiles::o_flist_DblClick},
    {{"menuFileItem", 90, "", true}},
    {{"menuFileItem", 99, "Exit"}, &GeneratedFiles::close},
};

} // namespace

FrmHtmlEdit::FrmHtmlEdit(GeneratedFiles* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_htmledit"));
    auto* layout = new QVBoxLayout(this);
    addMenuBar(menuRows);

    auto* frame =
        namedWidget<QGroupBox>(QStringLiteral("Frame1"), QStringLiteral("HTML File List"), this);
    m_list = m_binder.bind(namedWidget<QListWidget>(QStringLiteral("o_flist"), frame),
                           &GeneratedFiles::o_flist);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    (new QVBoxLayout(frame))->addWidget(m_list);
    layout->addWidget(frame);
    layout->addWidget(namedWidget<QLabel>(
        QStringLiteral("Label1"), QStringLiteral("Double click on the file to edit"), this));
    layout->addWidget(actionButton("Command1", "Close / Exit", &GeneratedFiles::close));
    resize(520, 320);

    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this] { run(&GeneratedFiles::o_flist_DblClick); });
    closeWhenHidden();
    setEscape(&GeneratedFiles::close);
    if (m_value) {
        setWindowTitle(m_value->caption);
        // A selection left over from an earlier showing would point into another run's list.
        m_value->o_flist.selected = -1;
    }
    push();
}

void registerFrmHtmlEdit()
{
    platform::registerDialog<FrmHtmlEdit, GeneratedFiles>(QStringLiteral("frm_htmledit"));
}

} // namespace mosaicon
