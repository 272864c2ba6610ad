// The main window's toolbar and menu commands.
#include "mainwindow/commandtable.h"
#include "mainwindow/mainform.h"
#include "mainwindow/multidrive.h"
#include "mainwindow/quickview.h"

#include "dialogs/aboutbox.h"
#include "dialogs/assoctext.h"
#include "dialogs/editorsetting.h"
#include "dialogs/htmloptions.h"
#include "dialogs/slideoptions.h"

#include "settings/pickers.h"
#include "settings/profiles.h"
#include "settings/program.h"
#include "settings/startup.h"
#include "settings/warning.h"

#include "pages/createhtml.h"
#include "pages/quickpage.h"

#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"

#include "slides/slideshow.h"

#include "viewer/fileoperations.h"
#include "viewer/librarycatalog.h"
#include "viewer/simpleview.h"
#include "viewer/viewimages.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/ui.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QScopeGuard>
#include <QToolBar>

namespace mosaicon {

namespace {

QStringList listEntries(const QListWidget& list)
{
    QStringList entries;
    entries.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        entries.append(list.item(i)->text());
    return entries;
}

const QString noSelection = QStringLiteral("You must select one or more files in order to use this option.");

Command button(const char* key, const char* toolTip, QStyle::StandardPixmap icon,
               Command::Handler run)
{
    return {.kind = Command::Kind::Button,
            .key = QString::fromUtf8(key),
            .caption = QString::fromUtf8(toolTip),
            .run = run,
            .icon = icon};
}

Command menu(const QString& name, const char* title, Command::Handler afterEveryItem = nullptr)
{
    return {.kind = Command::Kind::Menu,
            .menu = name,
            .caption = QString::fromUtf8(title),
            .run = afterEveryItem};
}

Command popup(const QString& name, const char* title)
{
    return {.kind = Command::Kind::Popup, .menu = name, .caption = QString::fromUtf8(title)};
}

void pressLocalFile(MainForm& f)
{
    MainForm::commands().press(f, QStringLiteral("localfile"));
}

Command barItem(const QString& name, const char* caption, Command::Handler run = nullptr)
{
    return {.kind = Command::Kind::BarItem,
            .menu = name,
            .index = 0,
            .caption = QString::fromUtf8(caption),
            .run = run};
}

Command item(const QString& menu, int index, const char* caption, Command::Handler run = nullptr)
{
    return {.kind = Command::Kind::Item,
            .menu = menu,
            .index = index,
            .caption = QString::fromUtf8(caption),
            .run = run};
}

Command checkable(const QString& menu, int index, const char* caption, Command::Handler run = nullptr)
{
    return {.kind = Command::Kind::Checkable,
            .menu = menu,
            .index = index,
            .caption = QString::fromUtf8(caption),
            .run = run};
}

Command submenu(const QString& menu, int index, const char* caption, const QString& opens)
{
    return {.kind = Command::Kind::Submenu,
            .menu = menu,
            .index = index,
            .caption = QString::fromUtf8(caption),
            .opens = opens};
}

Command separator(const QString& menu, int index = Command::noIndex)
{
    return {.kind = Command::Kind::Separator, .menu = menu, .index = index};
}

} // namespace

const CommandTable& MainForm::commands()
{
    static const CommandTable table({
        // The toolbar, in button order.
        button("exit", "Exit The Application", QStyle::SP_DialogCloseButton,
               [](MainForm& f) { finishup(&f); }),
        button("savelist", "Save The File List To A Text File", QStyle::SP_DialogSaveButton,
               [](MainForm& f) {
                   if (f.m_itemlist->count() == 0)
                       warn_and_show_status(QStringLiteral("No files are loaded to save."));
                   else
                       save_file_list_profile(listEntries(*f.m_itemlist));
               }),
        button("loadlist", "Load A List Of File Names From A Text File",
               QStyle::SP_DialogOpenButton, [](MainForm& f) { f.loadProfile(); }),
        button("localfile", "Locate And Load Files Names", QStyle::SP_FileDialogContentsView,
               [](MainForm& f) {
                   platform::show_status(QString());
                   f.refreshToolbar();
                   frm_multi_drive.showModal();
                   frm_multi_drive.unload();
               }),
        button("viewfiles", "View The Images In The File List", QStyle::SP_FileDialogDetailedView,
               [](MainForm& f) {
                   if (f.m_itemlist->count() == 0)
                       warn_and_show_status(QStringLiteral("No files are loaded to view."));
                   else
                       f.viewImages();
               }),
        button("quickhtml", "Create A Quick HTML File With Images", QStyle::SP_MediaSeekForward,
               [](MainForm& f) {
                   const auto run = f.startRun();
                   frm_quickview.load()->setRun(run.get());
                   frm_quickview.showModal();
                   frm_quickview.unload();
               }),
        button("simplehtml", "Create A Simple HTML File With Images", QStyle::SP_FileIcon,
               [](MainForm& f) { f.runPage(&go_create_simple_html, false); }),
        button("advhtml", "Create An Advanced HTML File From File List",
               QStyle::SP_FileDialogListView,
               [](MainForm& f) { f.runPage(&go_create_html, false); }),
        button("full_image", "Create Vertically Aligned Image HTML", QStyle::SP_ArrowDown,
               [](MainForm& f) { f.runPage(&go_create_html, true, true); }),
        button("slideshow", "Create A HTML Slide Show From File List", QStyle::SP_MediaPlay,
               [](MainForm& f) { f.runPage(&go_create_slideshow, false); }),
        button("delete", "Delete The Selected File(s) From Disk", QStyle::SP_TrashIcon,
               [](MainForm& f) { f.deleteOrRemove(true); }),
        button("remove", "Remove The Selected File(s) From The List.",
               QStyle::SP_DialogDiscardButton, [](MainForm& f) { f.deleteOrRemove(false); }),
        button("associate text", "Associate Text With Image", QStyle::SP_FileDialogInfoView,
               [](MainForm& f) { f.associateText(); }),

        // The menus, in menu bar order; an item without a handler does nothing yet.
        menu(menus::file, "&File", [](MainForm& f) { f.refreshToolbar(); }),
        item(menus::file, 5, "&Auto Select"),
        item(menus::file, 10, "Select &Browser..."),
        item(menus::file, 15, "&Clear Browser"),
        item(menus::file, 20, "Select E&ditor", [](MainForm&) { select_html_editor(); }),
        item(menus::file, 25, "Clea&r Editor", [](MainForm&) { clear_html_editor(); }),
        item(menus::file, 30, "Editor's Command Line Parameters", [](MainForm&) { edit_editor_command_line(); }),
        item(menus::file, 40, "&Locate Local Files", &pressLocalFile),
        separator(menus::file),
        item(menus::file, 45, "Create &HTML File",
             [](MainForm& f) {
                 if (f.m_itemlist->count() == 0)
                     warn_and_show_status(QStringLiteral("There are no files loaded to create an html."));
                 else
                     // Through the driver, which readies the list and the folder,
                     // with the advanced writer whatever button was pressed last.
                     f.runLocked(*start_page_run(f.pageLists(), QStringLiteral("advhtml")), &go_create_html);
             }),
        item(menus::file, 47, "Simple Images",
             [](MainForm& f) {
                 if (f.m_itemlist->count() == 0)
                     warn_and_show_status(QStringLiteral("No files are loaded to view."));
                 else
                     f.showSimpleView();
             }),
        item(menus::file, 50, "View Images", [](MainForm& f) { commands().press(f, QStringLiteral("viewfiles")); }),
        item(menus::file, 60, "L&ogo", [](MainForm& f) { f.selectLogo(); }),
        item(menus::file, 65, "Clear Lo&go", [](MainForm& f) { f.clearLogo(); }),
        item(menus::file, 70, "Bac&kground Color", [](MainForm& f) { f.chooseBackgroundColor(); }),
        item(menus::file, 80, "Clear &File List", [](MainForm& f) { f.clearFileList(); }),
        separator(menus::file),
        item(menus::file, 90, "&Exit", [](MainForm& f) { finishup(&f); }),

        barItem(menus::app, "&Applications", [](MainForm&) { EditorSetting().show(); }),

        menu(menus::options, "&Options"),
        item(menus::options, 0, "HTML", [](MainForm&) { HtmlOptions::showModally(); }),
        item(menus::options, 1, "Locate Local Files", &pressLocalFile),
        checkable(menus::options, 3, "&Clipboard Conversion",
                  [](MainForm& f) { f.setClipboardConversion(f.menuItem(menus::options, 3)->isChecked()); }),
        item(menus::options, 4, "Image Catalog",
             [](MainForm& f) {
                 viewer::LibraryCatalog catalog;
                 catalog.Form_Load(listEntries(*f.m_itemlist));
                 catalog.show();
                 if (const std::optional<QStringList>& entries = catalog.newMainList()) {
                     f.m_itemlist->clear();
                     f.m_itemlist->addItems(*entries);
                 }
             }),
        checkable(menus::options, 5, "Image Window", &imageWindowOption_Click),
        item(menus::options, 6, "Slides", [](MainForm&) { SlideOptions::showModally(); }),
        submenu(menus::options, 80, "Thumbnails", menus::thumbs),
        item(menus::thumbs, 5, "Background Color", [](MainForm& f) { f.chooseThumbnailColor(); }),
        item(menus::options, 85, "Use Virtual Directory", [](MainForm& f) { f.useVirtualDirectory(); }),

        menu(menus::output, "O&utput"),
        // The page items run as their toolbar buttons do, but leave the last
        // toolbar key alone: the driver still picks its writer by the last button.
        item(menus::output, 5, "Advanced HTML", [](MainForm& f) { commands().press(f, QStringLiteral("advhtml")); }),
        item(menus::output, 40, "Proof Sheet"),
        item(menus::output, 50, "Quick HTML", [](MainForm& f) { commands().press(f, QStringLiteral("quickhtml")); }),
        item(menus::output, 60, "Simple HTML",
             [](MainForm& f) { commands().press(f, QStringLiteral("simplehtml")); }),
        item(menus::output, 65, "Slide Show", [](MainForm& f) { commands().press(f, QStringLiteral("slideshow")); }),
        item(menus::output, 80, "Vertically Aligned HTML",
             [](MainForm& f) { commands().press(f, QStringLiteral("full_image")); }),

        menu(menus::help, "&Help"),
        // The help is the program's own HTML help, in the browser.
        item(menus::help, 0, "&Contents...", [](MainForm& f) { f.openHelp(); }),
        item(menus::help, 2, "&Search For Help On", [](MainForm& f) { f.openHelp(); }),
        item(menus::help, 3, "Help File (HTML format)", [](MainForm& f) { f.openHelp(); }),
        separator(menus::help, 4),
        separator(menus::help, 8),
        submenu(menus::help, 9, "On-Line Web Pages", menus::helpOnline),
        item(menus::help, 14, "&About", [](MainForm&) { AboutBox().show(); }),

        popup(menus::itemList, "Item List Menu"),
        item(menus::itemList, 5, "Associate Text", [](MainForm& f) { f.associateCurrentText(); }),
        item(menus::itemList, 25, "Open using associated application", [](MainForm& f) { f.openCurrentEntry(); }),
    });
    return table;
}

void MainForm::Toolbar1_ButtonClick(QAction* button)
{
    if (m_run)
        return;
    const QString key = button->data().toString();
    program().last_toolbar_key = key;
    commands().press(*this, key);
    toolbarButton(1)->setChecked(false);
}

void MainForm::runMenuItem(const QString& menu, int index)
{
    if (m_run)
        return;
    commands().click(*this, menu, index);
}

PageLists MainForm::pageLists()
{
    PageLists lists;
    for (int i = 0; i < m_itemlist->count(); ++i) {
        lists.items.append(m_itemlist->item(i)->text());
        lists.selected.append(m_itemlist->item(i)->isSelected());
    }
    lists.listVisible = !inLogoView();
    lists.templist = &templist;
    lists.o_original_location = &o_original_location;
    return lists;
}

int MainForm::firstSelected() const
{
    for (int i = 0; i < m_itemlist->count(); ++i) {
        if (m_itemlist->item(i)->isSelected())
            return i;
    }
    return -1;
}

std::unique_ptr<PageRun> MainForm::startRun()
{
    return start_page_run(pageLists(), program().last_toolbar_key);
}

void MainForm::runPage(void (*writer)(PageRun&), bool withRules, bool internetReady)
{
    const auto run = startRun();
    run->prompt().o_use_hr.visible = withRules;
    // The vertically aligned page button always writes for the internet directory.
    if (internetReady)
        run->internetReady = true;
    runLocked(*run, writer);
}

void MainForm::runLocked(PageRun& run, void (*writer)(PageRun&))
{
    // The run lets the window repaint while it works; a second run or an
    // option dialog started meanwhile would share its lists and settings.
    m_toolbar->setEnabled(false);
    menuBar()->setEnabled(false);
    m_run = &run;
    {
        const auto reenable = qScopeGuard([this] {
            m_run = nullptr;
            m_toolbar->setEnabled(true);
            menuBar()->setEnabled(true);
        });
        writer(run);
    }
    // The window was closed meanwhile: the run has stopped, and the program
    // ends now, saving the settings with what the run recorded.
    if (m_endAfterRun)
        finishup(this);
}

void MainForm::loadProfile()
{
    const FileListTarget target{[this] { m_itemlist->clear(); },
                                [this](const QString& entry) { m_itemlist->addItem(entry); }};
    // The logo stays where it is: only the lists come back into view.
    if (load_file_list_profile(target))
        setListsVisible(true);
}

void MainForm::deleteOrRemove(bool deleteFiles)
{
    const QString title = program().product_title;
    if (firstSelected() < 0) {
        warn(noSelection);
        platform::show_status(QString());
        return;
    }
    const QString question =
        deleteFiles ? QStringLiteral("You are about to delete the selected file(s).  Are you sure this is what "
                                     "you want to do?")
                    : QStringLiteral("You are about to remove the selected file(s) from the list.  This option "
                                     "does not physically remove the files from the disk drive.  Are you sure "
                                     "this is what you want to do?");
    if (platform::msgbox(question, platform::MsgBox::YesNo + platform::MsgBox::Question, title) ==
        platform::MsgBox::Yes) {
        QStringList notDeleted;
        // From the last entry down, so removals do not shift entries still to be visited.
        for (int i = m_itemlist->count() - 1; i >= 0; --i) {
            QListWidgetItem* item = m_itemlist->item(i);
            if (!item->isSelected())
                continue;
            const QString path = item->text();
            if (!deleteFiles) {
                delete m_itemlist->takeItem(i);
                platform::show_status(QStringLiteral("Removing %1.").arg(path));
                continue;
            }
            // The name as it is: trimmed, or spelt with a replacement
            // character, it may lead to another file.
            if (platform::hasUndecodableName(path)) {
                notDeleted.prepend(path + QStringLiteral(": ") + viewer::undecodable_name_reason());
                continue;
            }
            const QFileInfo info(path);
            // A file that is gone only loses its entry; one that cannot be
            // deleted keeps it, and the user is told at the end.
            if ((info.exists() || info.isSymLink()) && !viewer::real_file_system().remove(info.filePath(), nullptr)) {
                notDeleted.prepend(path);
                continue;
            }
            delete m_itemlist->takeItem(i);
            platform::show_status(QStringLiteral("Deleting %1.").arg(path));
        }
        if (!notDeleted.isEmpty())
            warn(QStringLiteral("These files could not be deleted:\n%1").arg(notDeleted.join(u'\n')));
    }
    platform::show_status(QString());
}

void MainForm::showSimpleView()
{
    viewer::SimpleView::showModally(listEntries(*m_itemlist));
}

void MainForm::associateText()
{
    if (firstSelected() < 0) {
        warn(noSelection);
        return;
    }
    // One editor after the other, in list order.
    for (int i = 0; i < m_itemlist->count(); ++i) {
        if (m_itemlist->item(i)->isSelected())
            AssocText::edit(QStringLiteral("main"), m_itemlist->item(i)->text());
    }
}

void MainForm::viewImages()
{
    if (const std::optional<QStringList> list = viewer::ViewImages::showModally(listEntries(*m_itemlist))) {
        m_itemlist->clear();
        m_itemlist->addItems(*list);
    }
}

void MainForm::associateCurrentText()
{
    const QListWidgetItem* current = m_itemlist->currentItem();
    AssocText::edit(QStringLiteral("main"), current ? current->text() : QString());
}

} // namespace mosaicon
