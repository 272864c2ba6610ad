#include "mainwindow/quickview.h"

#include "pages/quickpage.h"

#include "pagekit/pagerun.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "platform/widgets/registerdialog.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

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
    m_source->setPatterns(patterns(), patterns().first());
    m_source->followDrive();
    m_source->updateCaption();

    connect(m_source, &BrowsePanel::driveChosen, this, &QuickView::filedrive_Change);
    connect(m_create, &QPushButton::clicked, this, &QuickView::createHtml);
    connect(m_cancel, &QPushButton::clicked, this, &QuickView::cancelAndRemember);

    Form_Load();
}

void QuickView::buildControls()
{
    m_source = new BrowsePanel(this);

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
    keep_processing = true;

    if (m_source->setPatterns(patterns(), s.last_image_type))
        platform::doEvents();

    platform::centerForm(this);

    // A saved place that is gone is forgotten; the window opens as far as it
    // got. Only the directory is cleared: the drive may well come back.
    if (!s.last_drive.isEmpty()) {
        // Restoring is no drive change of the user's; it says nothing when it fails.
        if (!m_source->setDriveQuietly(s.last_drive) || !m_source->followDrive()) {
            s.last_directory = QString();
            return;
        }
    }
    if (!s.last_directory.isEmpty() && !filedir()->setPath(s.last_directory)) {
        s.last_directory = QString();
        return;
    }
    m_source->updateCaption();
}

void QuickView::filedrive_Change()
{
    if (!m_source->followDrive())
        warn(QStringLiteral("Cannot access the %1 drive.").arg(filedrive()->drive()));
}

void QuickView::createHtml()
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
    for (const QString& name : files().names())
        paths.append(platform::joinPath(files().path(), name));
    if (fill_gif_jpeg_lists(run->lists, paths))
        create_quick_html(*run);
    // Ends the modal display; the opener unloads the window.
    done(QDialog::Accepted);
}

void QuickView::cancelAndRemember()
{
    done(QDialog::Rejected);
    Settings& s = settings();
    keep_processing = false;
    s.last_drive = filedrive()->drive();
    s.last_directory = filedir()->path();
}

void registerQuickView()
{
    platform::registerSelfShownWindow<QuickView>(QStringLiteral("frm_quickview"));
}

} // namespace mosaicon
