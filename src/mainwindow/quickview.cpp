#include "mainwindow/quickview.h"

#include "pages/quickpage.h"

#include "pagekit/pagerun.h"

#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"
#include "platform/widgets/widgetui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace mosaicon {

platform::Form<QuickView> frm_quickview;

const QStringList& QuickView::patterns()
{
    static const QStringList list{QStringLiteral("*.*"), QStringLiteral("*.gif"),
                                  QStringLiteral("*.jpg")};
    return list;
}

QuickView::QuickView(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_quickview"));
    setWindowTitle(QStringLiteral("Quick File Load / Quick HTML"));
    buildControls();

    // Until a saved place is restored the lists show the current drive.
    m_files.setPattern(patterns().first());
    followDrive();
    update_source_caption();

    connect(m_filedrive, &platform::DriveListBox::driveChanged, this, &QuickView::filedrive_Change);
    connect(m_filedir, &platform::DirListBox::pathChanged, this, &QuickView::filedir_Change);
    // Only picking an entry applies a pattern.
    connect(m_filefilter, &QComboBox::activated, this, &QuickView::filefilter_Click);
    connect(m_create, &QPushButton::clicked, this, &QuickView::Command3d2_Click);
    connect(m_cancel, &QPushButton::clicked, this, &QuickView::Command12_Click);

    Form_Load();
}

void QuickView::buildControls()
{
    m_source = new QGroupBox(this);
    m_source->setObjectName(QStringLiteral("source"));
    m_filedir = new platform::DirListBox(m_source);
    m_filedir->setObjectName(QStringLiteral("filedir"));
    m_filedrive = new platform::DriveListBox(m_source);
    m_filedrive->setObjectName(QStringLiteral("filedrive"));
    m_filefilter = new QComboBox(m_source);
    m_filefilter->setObjectName(QStringLiteral("filefilter"));
    m_filelist = new QListWidget(m_source);
    m_filelist->setObjectName(QStringLiteral("filelist"));
    m_filelist->setSelectionMode(QAbstractItemView::NoSelection);

    auto* grid = new QGridLayout(m_source);
    grid->addWidget(m_filedir, 0, 0);
    grid->addWidget(m_filelist, 0, 1, 3, 1);
    grid->addWidget(m_filedrive, 1, 0);
    grid->addWidget(m_filefilter, 2, 0);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    m_create = new QPushButton(QStringLiteral("Create HTML"), this);
    m_create->setObjectName(QStringLiteral("Command3d2"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Command12"));
    // Enter in the directory list opens a directory; it must not also press a button.
    m_create->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_create);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_source, 1);
    layout->addLayout(buttons);
    resize(560, 400);
}

void QuickView::Form_Load()
{
    Settings& s = settings();
    program().keep_processing = true;

    m_filefilter->clear();
    m_filefilter->addItems(patterns());
    const int pattern =
        m_filefilter->findText(s.last_image_type, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_filefilter->setCurrentIndex(pattern);
    if (pattern >= 0) {
        filefilter_Click();
        platform::doEvents();
    }

    platform::centerForm(this);

    // A saved place that is gone is forgotten; the window opens as far as it
    // got. Only the directory is cleared: the drive may well come back.
    if (!s.last_drive.isEmpty()) {
        bool restored = false;
        {
            // Restoring is no drive change of the user's; it says nothing when it fails.
            const QScopedValueRollback quiet(m_driveQuiet, true);
            restored = m_filedrive->setDrive(s.last_drive) && followDrive();
        }
        if (!restored) {
            s.last_directory = QString();
            return;
        }
    }
    if (!s.last_directory.isEmpty() && !m_filedir->setPath(s.last_directory)) {
        s.last_directory = QString();
        return;
    }
    update_source_caption();
}

bool QuickView::followDrive()
{
    const QString drive = m_filedrive->drive();
    if (drive.isEmpty() || !m_filedir->setDrivePath(drive))
        return false;
    // Unless the directory changed and its handler has listed it already.
    if (m_files.path() != m_filedir->path() && m_files.setPath(m_filedir->path()))
        showFiles();
    return true;
}

void QuickView::filedrive_Change()
{
    if (m_driveQuiet)
        return;
    if (!followDrive())
        platform::msgbox(QStringLiteral("Cannot access the %1 drive.").arg(m_filedrive->drive()),
                         platform::MsgBox::Exclamation, program().product_title);
}

void QuickView::filedir_Change()
{
    const QString dir = m_filedir->path();
    // A directory on another volume (a mount point below this one) makes that
    // volume the current drive, so that Cancel remembers the right one.
    {
        const QScopedValueRollback quiet(m_driveQuiet, true);
        m_filedrive->setDrive(dir);
    }
    m_files.setPath(dir);
    showFiles();
    update_source_caption();
}

void QuickView::filefilter_Click()
{
    m_files.setPattern(m_filefilter->currentText());
    showFiles();
    update_source_caption();
}

void QuickView::showFiles()
{
    m_filelist->clear();
    m_filelist->addItems(m_files.names());
}

void QuickView::update_source_caption()
{
    m_source->setTitle(QStringLiteral("Source (%1)").arg(m_filelist->count()));
}

void QuickView::Command3d2_Click()
{
    std::unique_ptr<PageRun> own;
    PageRun* run = m_run;
    if (!run) {
        PageLists lists;
        lists.templist = &m_ownTemplist;
        lists.o_original_location = &m_ownOriginal;
        own = start_page_run(lists, QStringLiteral("quickhtml"));
        run = own.get();
    }
    QStringList paths;
    for (const QString& name : m_files.names())
        paths.append(platform::joinPath(m_files.path(), name));
    if (fill_gif_jpeg_lists(run->lists, paths))
        create_quick_html(*run);
    // Ends the modal display; the opener unloads the window.
    done(QDialog::Accepted);
}

void QuickView::Command12_Click()
{
    done(QDialog::Rejected);
    Settings& s = settings();
    program().keep_processing = false;
    s.last_drive = m_filedrive->drive();
    s.last_directory = m_filedir->path();
}

void registerQuickView()
{
    platform::WidgetUi::registerWindow(QStringLiteral("frm_quickview"), [](QObject* object) {
        if (auto* window = qobject_cast<QuickView*>(object))
            window->exec();
    });
}

} // namespace mosaicon
