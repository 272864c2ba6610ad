#include "pages/quickpage.h"

#include "pagekit/pageblocks.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"

#include "platform/events.h"
#include "platform/mainformview.h"
#include "platform/paths.h"
#include "platform/picturecheck.h"

namespace mosaicon {

void create_quick_html(PageRun& run)
{
    platform::BusyCursor busy;

    PageProposal proposal;
    proposal.title = QStringLiteral("HTML Title");
    proposal.fileName = QStringLiteral("mosaik.htm");
    if (!run.askForPage(proposal))
        return;
    const std::optional<QString> opened = run.pagePathFromPrompt();
    if (!opened)
        return;
    const QString& page_path = *opened;

    TextFile page;
    write_page_head(page, run.prompt(), body_tag(), true, TitleLine::BeforeBody);
    int images = 0;
    for (const QString& path : std::as_const(*run.lists.templist)) {
        if (!platform::file_exists(path))
            continue;
        platform::show_status(QStringLiteral("Adding %1").arg(path));
        // Linked all the same; told, though the page itself reads nothing.
        const QString fault = platform::pictureFault(path);
        if (!fault.isEmpty())
            run.unreadable(path, fault);
        ++images;
        const QString address = file_url(path);
        page.line(QStringLiteral("<img src=\"%1\">").arg(html_text(address)));
    }
    write_page_foot(page, run.prompt());

    // The quick page is not in the generated-file list: the editor opens it itself.
    if (images > 0 && !run.savePage(page, page_path))
        return;
    run.finish(page_path, images > 0, EditorStart::DirectWhenAlone);
    run.reportUnreadable();
}

void go_create_simple_html(PageRun& run)
{
    if (fill_gif_jpeg_lists(run.lists, run.lists.items))
        create_quick_html(run);
}

} // namespace mosaicon
