// The main window's toolbar commands.
#include "mainwindow/mainform.h"
#include "mainwindow/quickview.h"

#include "settings/helpers.h"
#include "settings/program.h"
#include "settings/startup.h"

#include "pages/createhtml.h"
#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"
#include "pages/quickpage.h"
#include "slides/slideshow.h"

#include "platform/events.h"
#include "platform/ui.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

namespace mosaicon {

namespace {

void exclamation(const QString& text)
{
    show_status(text);
    platform::msgbox(text, platform::MsgBox::Exclamation, program().product_title);
}

const QString noSelection = QStringLiteral("You must select one or more files in order to use this option.");

} // namespace

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

void MainForm::runPage(void (*writer)(PageLists&), bool withRules)
{
    program().use_title_for_all = false;
    frm_htmltitle.load();
    if (withRules)
        frm_htmltitle->o_use_hr.visible = true;
    PageLists lists = pageLists();
    writer(lists);
    frm_htmltitle.unload();
}

void MainForm::Toolbar1_ButtonClick(QAction* button)
{
    Program& p = program();
    const QString key = button->data().toString();
    p.last_toolbar_key = key;

    if (key == QLatin1String("exit")) {
        finishup();
    } else if (key == QLatin1String("savelist")) {
        // Saving the list as a profile arrives with the profile files.
        if (m_itemlist->count() == 0)
            exclamation(QStringLiteral("No files are loaded to save."));
    } else if (key == QLatin1String("loadlist")) {
        // Loading a profile arrives with the profile files.
    } else if (key == QLatin1String("localfile")) {
        show_status(QString());
        refreshToolbar();
    } else if (key == QLatin1String("viewfiles")) {
        if (m_itemlist->count() == 0)
            exclamation(QStringLiteral("No files are loaded to view."));
    } else if (key == QLatin1String("quickhtml")) {
        p.use_title_for_all = false;
        frm_htmltitle.load();
        frm_quickview.load()->setLists(&templist, &o_original_location);
        frm_quickview.showModal();
        frm_quickview.unload();
        frm_htmltitle.unload();
    } else if (key == QLatin1String("simplehtml")) {
        runPage(&go_create_simple_html, false);
    } else if (key == QLatin1String("advhtml")) {
        runPage(&go_create_html, false);
    } else if (key == QLatin1String("full_image")) {
        const bool kept = p.settings.internet_ready;
        p.settings.internet_ready = true;
        runPage(&go_create_html, true);
        p.settings.internet_ready = kept;
    } else if (key == QLatin1String("slideshow")) {
        p.use_title_for_all = false;
        frm_htmltitle.load();
        frm_htmledit.load();
        frm_htmledit->o_flist.clear();
        PageLists lists = pageLists();
        go_create_slideshow(lists);
        frm_htmltitle.unload();
    } else if (key == QLatin1String("delete")) {
        deleteOrRemove(true);
    } else if (key == QLatin1String("remove")) {
        deleteOrRemove(false);
    } else if (key == QLatin1String("associate text")) {
        associateText();
    }
    toolbarButton(1)->setChecked(false);
}

void MainForm::deleteOrRemove(bool deleteFiles)
{
    const QString title = program().product_title;
    if (firstSelected() < 0) {
        platform::msgbox(noSelection, platform::MsgBox::Exclamation, title);
        show_status(QString());
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
                show_status(QStringLiteral("Removing %1.").arg(path));
                continue;
            }
            const QFileInfo info(path.trimmed());
            // A file that is gone only loses its entry; one that cannot be
            // deleted keeps it, and the user is told at the end.
            if ((info.exists() || info.isSymLink()) && !QFile::remove(info.filePath())) {
                notDeleted.prepend(path);
                continue;
            }
            delete m_itemlist->takeItem(i);
            show_status(QStringLiteral("Deleting %1.").arg(path));
        }
        if (!notDeleted.isEmpty())
            platform::msgbox(QStringLiteral("These files could not be deleted:\n%1").arg(notDeleted.join(u'\n')),
                             platform::MsgBox::Exclamation, title);
    }
    show_status(QString());
}

void MainForm::associateText()
{
    if (firstSelected() < 0) {
        platform::msgbox(noSelection, platform::MsgBox::Exclamation, program().product_title);
        return;
    }
    // The associated-text editor opens here for each selected entry once it exists.
    for (int i = 0; i < m_itemlist->count(); ++i) {
        if (m_itemlist->item(i)->isSelected())
            program().assoc_text_caller = QStringLiteral("main");
    }
}

} // namespace mosaicon
