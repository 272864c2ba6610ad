#include "dialogs/widgets/frmapps.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::MenuRow;
using platform::namedWidget;

namespace {

const FrmApps::Row menuRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 99, "E&xit"}, &EditorSetting::saveAndClose},
};

} // namespace

FrmApps::FrmApps(EditorSetting* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_apps"));
    auto* form = new QVBoxLayout(this);
    addMenuBar(menuRows);

    auto* frame = m_binder.bind(namedWidget<QGroupBox>(QStringLiteral("Frame2"), this),
                                &EditorSetting::Frame2);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_editor"), this),
                                 &EditorSetting::o_editor),
                   1);
    QPushButton* select = actionButton("Command2", "Select", &EditorSetting::chooseEditor);
    select->setAutoDefault(false);
    row->addWidget(select);
    form->addWidget(frame);

    form->addWidget(actionButton("Command3", "Exit", &EditorSetting::saveAndClose), 0,
                    Qt::AlignRight);

    if (m_value)
        setWindowTitle(m_value->caption);
    closeWhenHidden();
    push();
}

void registerFrmApps()
{
    platform::registerDialog<FrmApps, EditorSetting>(QStringLiteral("frm_apps"));
}

} // namespace mosaicon
