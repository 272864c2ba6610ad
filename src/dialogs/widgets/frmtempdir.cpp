#include "dialogs/widgets/frmtempdir.h"

#include "platform/numbers.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/pathlabel.h"
#include "platform/widgets/registerdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;
using platform::plainLabel;

FrmTempDir::FrmTempDir(TargetDirectory* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_tempdir"));
    auto* form = new QVBoxLayout(this);
    endWithSaveOrCancel(Escape::Saves);

    m_text = plainLabel(QStringLiteral("Text1"), QString(), this);
    m_drive = namedWidget<platform::DriveListBox>(QStringLiteral("o_drive"), this);
    m_dir = namedWidget<platform::DirListBox>(QStringLiteral("o_dir"), this);
    m_text->setBuddy(m_drive);
    // No caption stands beside the directory list.
    m_dir->setAccessibleName(QStringLiteral("Folders"));
    m_directory = namedWidget<platform::PathLabel>(QStringLiteral("o_directory"), this);
    form->addWidget(m_text);
    form->addWidget(m_drive);
    form->addWidget(m_dir, 1);
    form->addWidget(
        plainLabel(QStringLiteral("Label2"), QStringLiteral("Selected Directory:"), this));
    form->addWidget(m_directory);

    auto* buttons = new QHBoxLayout;
    QPushButton* save = saveButton("Command1");
    QPushButton* cancel = cancelButton("Command2");
    // Enter picks a directory in the list; it must not also press a button.
    for (QPushButton* button : {save, cancel})
        button->setAutoDefault(false);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    form->addLayout(buttons);

    connect(m_drive, &platform::DriveListBox::driveChanged, this, &FrmTempDir::driveChanged);
    connect(m_dir, &platform::DirListBox::pathChanged, this, &FrmTempDir::dirChanged);
    if (m_value)
        setWindowTitle(m_value->caption);
    push();
}

// The lists report every change, also those made here: showing the value
// must not run its rules again.
void FrmTempDir::push()
{
    if (!m_value)
        return;
    m_pushing = true;
    // The guidance is stored with CR LF; a label breaks lines at LF alone.
    m_text->setText(QString(m_value->Text1.text).remove(u'\r').trimmed());
    m_drive->setDrive(m_value->o_drive);
    m_dir->setPath(m_value->o_dir);
    m_directory->setText(m_value->o_directory.caption);
    m_pushing = false;
}

void FrmTempDir::driveChanged(const QString& root)
{
    if (m_pushing || root.isEmpty())
        return;
    run([root](TargetDirectory& t) {
        t.o_drive = root;
        t.o_drive_Change();
    });
}

void FrmTempDir::dirChanged(const QString& path)
{
    if (m_pushing)
        return;
    run([path](TargetDirectory& t) {
        t.o_dir = path;
        t.o_dir_Change();
    });
}

void registerFrmTempDir()
{
    platform::registerDialog<FrmTempDir, TargetDirectory>(QStringLiteral("frm_tempdir"));
}

} // namespace mosaicon
