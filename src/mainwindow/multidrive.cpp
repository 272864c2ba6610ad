#include "mainwindow/multidrive.h"

#include "mainwindow/mainform.h"

#include "settings/dirprofile.h"
#include "settings/profiles.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/foldersearch.h"
#include "platform/ui.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"
#include "platform/widgets/menutree.h"
#include "platform/widgets/registerdialog.h"
#include "platform/widgets/widgetui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <functional>
#include <type_traits>
#include <utility>

namespace mosaicon {

platform::Form<MultiDrive> frm_multi_drive;

namespace {

// Check boxes hold 0 (clear), 1 (checked) or 2 (greyed).
int checkValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void setCheckValue(QCheckBox* box, int value)
{
    if (value == 2)
        box->setTristate(true);
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

} // namespace

MultiDrive::MultiDrive(QWidget* parent)
    : QDialog(parent), m_main(dynamic_cast<MainForm*>(platform::mainFormView()))
{
    setObjectName(QStringLiteral("FORM_MULTI_DRIVE"));
    setWindowTitle(QStringLiteral("Add From Sub-Directories/Multi-Drives"));
    buildControls();
    connect(m_source, &BrowsePanel::driveChosen, this, &MultiDrive::filedrive_Change);
    connect(m_source, &BrowsePanel::directoryChanged, this, &MultiDrive::filedir_Change);
    connect(m_source, &BrowsePanel::patternChosen, this, &MultiDrive::filefilter_Click);
    // A running search shows its queue and results in these lists as it goes.
    connect(m_dirs, &QListWidget::itemDoubleClicked, this, [this] {
        if (!m_searching)
            removeCurrent(m_dirs);
    });
    connect(m_fles, &QListWidget::itemDoubleClicked, this, [this] {
        if (!m_searching)
            removeCurrent(m_fles);
    });
    Form_Load();
}

template <class Slot>
QPushButton* MultiDrive::addButton(const char* objectName, const char* caption, Slot slot)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromUtf8(objectName));
    b->setAutoDefault(false);
    // While a search runs only the buttons that end it act; the others would
    // edit lists the search is filling.
    const bool endsSearch =
        QByteArrayView(objectName) == "Command11" || QByteArrayView(objectName) == "Command12" ||
        QByteArrayView(objectName) == "Command13" || QByteArrayView(objectName) == "Command5";
    connect(b, &QPushButton::clicked, this, [this, slot, endsSearch] {
        if (m_searching && !endsSearch)
            return;
        if constexpr (std::is_member_function_pointer_v<Slot>)
            (this->*slot)();
        else
            slot();
    });
    m_buttons.append(b);
    return b;
}

QPushButton* MultiDrive::button(const QString& objectName) const
{
    for (QPushButton* b : m_buttons) {
        if (b->objectName() == objectName)
            return b;
    }
    return nullptr;
}

void MultiDrive::buildControls()
{
    const auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromUtf8(name));
        return w;
    };
    m_source = new BrowsePanel(this);
    // A typed pattern is searched for; Enter applies it to the lists too.
    m_source->filefilter()->setEditable(true);
    m_source->filefilter()->setInsertPolicy(QComboBox::NoInsert);
    m_selecteddirs = new QGroupBox(this);
    named(m_selecteddirs, "selecteddirs");
    m_dirs = new QListWidget(m_selecteddirs);
    named(m_dirs, "dirs");
    m_selectedfiles = new QGroupBox(this);
    named(m_selectedfiles, "selectedfiles");
    m_fles = new QListWidget(m_selectedfiles);
    named(m_fles, "fles");
    m_dirs->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A search adds to these lists in batches; with rows of one height the
    // view lays them out without measuring every entry again each time.
    m_dirs->setUniformItemSizes(true);
    m_fles->setUniformItemSizes(true);
    m_subdir = new QCheckBox(QStringLiteral("Look In Sub-Dirs"), this);
    named(m_subdir, "subdir");
    m_dups = new QCheckBox(QStringLiteral("Allow Duplicates"), this);
    named(m_dups, "o_fle_dups");
    m_volume = new QCheckBox(QStringLiteral("Add Volume ID"), this);
    named(m_volume, "volume_id");

    auto* source = new QVBoxLayout;
    source->addWidget(m_source, 1);
    source->addWidget(addButton("Command1", "Add To Directory List", &MultiDrive::add_directory));
    source->addWidget(m_subdir);

    auto* dirBox = new QVBoxLayout(m_selecteddirs);
    dirBox->addWidget(m_dirs);
    dirBox->addWidget(
        addButton("Command4", "Remove Directory", [this] { removeSelected(m_dirs); }));
    dirBox->addWidget(addButton("Command6", "Clear List", [this] {
        m_dirs->clear();
        update_captions();
    }));
    dirBox->addWidget(
        addButton("Command3", "Save Directory Profile", &MultiDrive::saveDirectoryProfile));
    dirBox->addWidget(
        addButton("Command2", "Load Directory Profile", &MultiDrive::loadDirectoryProfile));

    auto* fileBox = new QVBoxLayout(m_selectedfiles);
    fileBox->addWidget(m_fles);
    fileBox->addWidget(addButton("Command8", "Remove File", [this] { removeSelected(m_fles); }));
    fileBox->addWidget(addButton("Command7", "Clear List", &MultiDrive::clearFiles));
    fileBox->addWidget(addButton("Command10", "Save File Profile",
                                 [this] { save_file_list_profile(entries(m_fles)); }));
    fileBox->addWidget(addButton("Command9", "Load File Profile", [this] {
        keep_processing = true;
        load_file_list_profile({[this] { m_fles->clear(); },
                                [this](const QString& entry) { m_fles->addItem(entry); }},
                               [this] { return keep_processing; });
        update_captions();
    }));

    auto* row = new QHBoxLayout;
    row->addWidget(m_dups);
    row->addWidget(m_volume);
    row->addStretch(1);
    row->addWidget(addButton("Command5", "Add To File List", &MultiDrive::add_files));
    row->addWidget(
        addButton("Command11", "Stop Processing", &MultiDrive::stopProcessing));
    row->addWidget(addButton("Command12", "OK", &MultiDrive::ok));
    row->addWidget(addButton("Command13", "Cancel", &MultiDrive::cancel));

    auto* lists = new QHBoxLayout;
    lists->addLayout(source, 1);
    lists->addWidget(m_selecteddirs, 1);
    lists->addWidget(m_selectedfiles, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->addLayout(lists, 1);
    layout->addLayout(row);
    resize(1040, 463);
}

QMenuBar* MultiDrive::buildMenu()
{
    using Row = platform::CommandRow<MultiDrive>;
    static const Row rows[] = {
        {{"menuFile", platform::MenuRow::heading, "&File"}},
        {platform::cancelRow, &MultiDrive::cancel},
        {{"menuFileItem", 99, "Exit"}, &MultiDrive::ok},
    };
    auto* bar = new QMenuBar(this);
    const platform::MenuTree menus(bar, std::span<const Row>(rows));
    menus.connectRows(std::span<const Row>(rows), this, [this](auto run) { (this->*run)(); });
    return bar;
}

void MultiDrive::Form_Load()
{
    Settings& s = settings();
    keep_processing = true;
    // Before the pattern below moves the main window's browsing.
    m_opening = m_main ? entries(m_main->itemlist()) : QStringList();
    m_source->setPatterns(MainForm::patterns(), s.last_image_type);
    platform::centerForm(this);
    m_dirs->clear();
    m_fles->clear();
    if (m_main) {
        m_main->templist.clear();
        m_main->o_original_location.clear();
        m_fles->addItems(entries(m_main->itemlist()));
        // Open where the main window browses.
        const QString dir = m_main->filedir()->path();
        if (!dir.isEmpty() && m_source->setDriveQuietly(dir))
            filedir()->setPath(dir);
    }
    update_captions();
}

QStringList MultiDrive::entries(const QListWidget* list) const
{
    QStringList result;
    result.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

void MultiDrive::update_captions()
{
    m_source->updateCaption();
    showCounts(m_dirs->count(), m_fles->count());
}

void MultiDrive::showCounts(qsizetype dirs, qsizetype files)
{
    m_selecteddirs->setTitle(QStringLiteral("Directory List (%1)").arg(dirs));
    m_selectedfiles->setTitle(QStringLiteral("File List (%1)").arg(files));
}

void MultiDrive::add_directory()
{
    keep_processing = true;
    const QString dir = filedir()->path();
    if (!dir.isEmpty() &&
        m_dirs->findItems(dir, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        m_dirs->addItem(dir);
    update_captions();
    settings().last_directory = m_source->files().path();
    settings().last_drive = filedrive()->drive();
}

void MultiDrive::add_files()
{
    // One search at a time on the queue; a press during a search is refused.
    if (m_searching)
        return;
    runSearch();
    // OK or Cancel pressed during the search act now that it has stopped.
    if (const auto next = std::exchange(m_afterSearch, nullptr))
        (this->*next)();
}

void MultiDrive::runSearch()
{
    const QScopedValueRollback running(m_searching, true);
    keep_processing = true;
    update_captions();
    platform::FolderSearch search(
        entries(m_dirs), entries(m_fles),
        {filefilter()->currentText(), m_subdir->isChecked(), checkValue(m_dups) != 0});
    search.setKeepGoing([this] { return keep_processing; });
    // The lists take what was found in batches, a few times a second: each
    // batch costs the window a new layout and a repaint. Events run more
    // often, so that Stop Processing answers at once.
    m_shownSearched = 0;
    std::function<void()> showLists =
        platform::throttledYield([this, &search] { showSearchProgress(search); }, 100);
    search.setYield(platform::throttledYield([&showLists] {
        showLists();
        platform::doEvents();
    }));
    {
        const platform::BusyCursor busy;
        search.run();
    }
    showSearchProgress(search);
    // The directory box ends on the last folder searched, as if it had
    // followed each one; its file list, its caption and the main window follow.
    if (!search.lastSearched().isEmpty())
        filedir()->setPath(search.lastSearched());
    update_captions();
    if (search.full())
        platform::msgbox(
            QStringLiteral("The maximum file count has been met.  Some of the files have not been "
                           "added to the list.  Suggestion:  change the file filter to narrow the "
                           "search."),
            platform::MsgBox::Exclamation, QStringLiteral("Maximum File Count"));
}

void MultiDrive::showSearchProgress(const platform::FolderSearch& search)
{
    // Nothing else edits the lists while a search runs, so they are the
    // search's queue and results as last shown: folders leave the top of the
    // queue and join its end, results only join the end.
    const QStringList& queue = search.queue();
    if (queue.isEmpty()) {
        m_dirs->clear();
    } else {
        const qsizetype left = search.searched() - m_shownSearched;
        if (left > 0)
            m_dirs->model()->removeRows(0, int(std::min<qsizetype>(left, m_dirs->count())));
        if (queue.size() > m_dirs->count())
            m_dirs->addItems(queue.mid(m_dirs->count()));
    }
    m_shownSearched = search.searched();
    const QStringList& results = search.results();
    if (results.size() > m_fles->count())
        m_fles->addItems(results.mid(m_fles->count()));
    showCounts(m_dirs->count(), m_fles->count());
}

void MultiDrive::removeSelected(QListWidget* list)
{
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->isSelected())
            delete list->takeItem(i);
    }
    update_captions();
}

void MultiDrive::removeCurrent(QListWidget* list)
{
    if (list->currentRow() >= 0)
        delete list->takeItem(list->currentRow());
    update_captions();
}

void MultiDrive::filedir_Change()
{
    if (m_main)
        m_main->filedir()->setPath(filedir()->path());
    update_captions();
}

void MultiDrive::filedrive_Change()
{
    if (!m_source->followDrive()) {
        inform(filedir()->errorString());
        return;
    }
    if (m_main)
        m_main->filedrive()->setDrive(filedrive()->drive());
}

void MultiDrive::filefilter_Click()
{
    if (m_main) {
        const QString pattern = filefilter()->currentText();
        m_main->filefilter()->setCurrentIndex(
            m_main->filefilter()->findText(pattern, Qt::MatchExactly | Qt::MatchCaseSensitive));
        m_main->filefilter_Click();
    }
    update_captions();
}

void MultiDrive::clearFiles()
{
    if (m_main) {
        m_main->templist = entries(m_fles);
        m_main->o_original_location = m_main->templist;
        m_main->itemlist()->clear();
    }
    m_fles->clear();
    update_captions();
}

void MultiDrive::stopProcessing()
{
    keep_processing = false;
}

void MultiDrive::done(int result)
{
    stopProcessing();
    QDialog::done(result);
}

void MultiDrive::ok()
{
    if (m_searching) {
        m_afterSearch = &MultiDrive::ok;
        stopProcessing();
        return;
    }
    if (m_main && m_fles->count() > 0) {
        m_main->itemlist()->clear();
        m_main->itemlist()->addItems(entries(m_fles));
        // All four browsing controls come back, the pattern list too.
        m_main->showListView();
        m_main->setBackgroundColor(12632256);
    }
    platform::doEvents();
    m_dirs->clear();
    m_fles->clear();
    Settings& s = settings();
    s.last_drive = filedrive()->drive();
    s.last_directory = filedir()->path();
    s.last_image_type = filefilter()->currentText();
    done(QDialog::Accepted);
}

void MultiDrive::cancel()
{
    if (m_searching) {
        m_afterSearch = &MultiDrive::cancel;
        stopProcessing();
        return;
    }
    m_dirs->clear();
    m_fles->clear();
    // The main window keeps the folder and pattern it followed this window
    // to, but gets back the file list it had, whatever happened meanwhile.
    if (m_main) {
        m_main->itemlist()->clear();
        m_main->itemlist()->addItems(m_opening);
    }
    done(QDialog::Rejected);
}

void MultiDrive::saveDirectoryProfile()
{
    DirectoryProfile profile;
    profile.filter = filefilter()->currentText();
    profile.subdir = checkValue(m_subdir);
    profile.volume = checkValue(m_volume);
    profile.dirs = entries(m_dirs);
    save_directory_profile(profile);
}

void MultiDrive::loadDirectoryProfile()
{
    const std::optional<DirectoryProfile> profile = load_directory_profile();
    if (!profile)
        return;
    m_dirs->clear();
    m_fles->clear();
    if (profile->hasFilter) {
        if (filefilter()->findText(profile->filter, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
            m_source->setPatterns(MainForm::patterns(), profile->filter);
    }
    if (profile->hasSubdir)
        setCheckValue(m_subdir, profile->subdir);
    if (profile->hasVolume)
        setCheckValue(m_volume, profile->volume);
    m_dirs->addItems(profile->dirs);
    update_captions();
    if (!profile->dirs.isEmpty() && m_source->setDriveQuietly(profile->dirs.first()))
        filedir()->setPath(profile->dirs.first());
}

void registerMultiDrive()
{
    platform::registerSelfShownWindow<MultiDrive>(QStringLiteral("FORM_MULTI_DRIVE"));
}

} // namespace mosaicon
