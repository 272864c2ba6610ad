#include "pages/quickpage.h"

#include "pagekit/headfoot.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pageprompt.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"
#include "pagekit/thumbnails.h"

#include "settings/editor.h"
#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/ui.h"

#include <QFile>

namespace mosaicon {

namespace {

void writeHead(TextFile& page)
{
    const Program& p = program();
    const PagePrompt* prompt = frm_htmltitle.load();
    const QString title = QStringLiteral("<title>%1</title>").arg(prompt->o_title_tag.text);
    const QString headFile = head_file_path();
    if (p.settings.header_and_footer && file_exists(headFile)) {
        merge_head_file(page, headFile, body_tag(), title);
        return;
    }
    page.line(QStringLiteral("<html>"));
    page.line(title);
    page.line(body_tag());
    page.line(QStringLiteral("<center>"));
    write_banner(page, p.top_banner_ref, p.settings.top_banner_link);
    page.line(QStringLiteral("<h1>%1</h1>").arg(prompt->o_title.text));
    page.line(QStringLiteral("</center>"));
    page.line(QStringLiteral("<p>"));
    page.line(QStringLiteral("<hr>"));
    page.line(QStringLiteral("<p>"));
}

// The quick page opens in the browser or in the editor itself; it does not
// go through the generated-file list.
void openPage(const QString& page_path)
{
    const Program& p = program();
    const Settings& s = p.settings;
    if (s.auto_start_browser) {
        QString address = page_path;
        make_file_url(address);
        if (!platform::shell().open(address))
            platform::msgbox(QStringLiteral("Error:  Possible Browser problem.  Check to make sure you have "
                                            "selected the proper browser application."),
                             platform::MsgBox::Exclamation, p.product_title);
    }
    if (!s.auto_start_editor)
        return;
    if (s.editor_command.isEmpty()) {
        platform::msgbox(QStringLiteral("You must use a supported Internet browser to automatically load the "
                                        "HTML file.  Only Netscape and MSIE browsers are supported with this "
                                        "function.  Please select the desired browser from the menu "
                                        "'Applications' option."),
                         platform::MsgBox::Exclamation, p.product_title);
        return;
    }
    start_editor(page_path);
}

} // namespace

void create_quick_html(PageLists& lists)
{
    platform::BusyCursor busy;

    PageProposal proposal;
    proposal.title = QStringLiteral("HTML Title");
    proposal.fileName = QStringLiteral("mosaik.htm");
    if (!prompt_for_page(proposal))
        return;
    QString page_path;
    if (!page_path_from_prompt(page_path))
        return;

    TextFile page;
    writeHead(page);
    int images = 0;
    for (const QString& path : std::as_const(*lists.templist)) {
        if (!file_exists(path))
            continue;
        show_status(QStringLiteral("Adding %1").arg(path));
        ++images;
        QString address = path;
        make_file_url(address);
        page.line(QStringLiteral("<img src=\"%1\">").arg(html_text(address)));
    }
    write_page_foot(page);

    if (images == 0) {
        show_status(QStringLiteral("There are no entries matching your selection."));
        QFile::remove(page_path);
        return;
    }
    if (!save_page(page, page_path))
        return;
    show_status(QStringLiteral("The HTML document %1 has been created.").arg(page_path));
    openPage(page_path);
}

void go_create_simple_html(PageLists& lists)
{
    QStringList& templist = *lists.templist;
    QStringList& sources = *lists.o_original_location;
    templist.clear();
    sources.clear();
    for (const QString& entry : std::as_const(lists.items)) {
        if (is_gif_or_jpg(entry)) {
            templist.append(entry);
            sources.append(entry);
        }
    }
    if (templist.isEmpty()) {
        const QString text = QStringLiteral("There are no GIF or JPG files in the list.");
        platform::msgbox(text, platform::MsgBox::Exclamation, program().product_title);
        show_status(text);
        return;
    }
    create_quick_html(lists);
}

} // namespace mosaicon
