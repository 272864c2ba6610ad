#include "dialogs/widgets/frmabout.h"

#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;

FrmAbout::FrmAbout(AboutBox* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("ABOUT"));
    auto* form = new QVBoxLayout(this);
    for (auto [name, field] :
         {std::pair{"Label8", &AboutBox::Label8}, std::pair{"Label9", &AboutBox::Label9}}) {
        auto* label = namedWidget<QLabel>(QString::fromUtf8(name), this);
        // The title is the user's to set and may hold "<": never read as markup.
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        form->addWidget(m_binder.bind(label, field));
    }
    QPushButton* ok = actionButton("Command2", "OK", &AboutBox::close);
    ok->setDefault(true);
    form->addWidget(ok, 0, Qt::AlignHCenter);

    if (m_value)
        setWindowTitle(m_value->caption);
    closeWhenHidden();
    push();
}

void registerFrmAbout()
{
    platform::registerDialog<FrmAbout, AboutBox>(QStringLiteral("ABOUT"));
}

} // namespace mosaicon
