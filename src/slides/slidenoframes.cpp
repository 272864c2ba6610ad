#include "slides/slidenoframes.h"

#include "slides/slidepages.h"

#include "pagekit/headfoot.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pageprompt.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"

#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/paths.h"
#include "platform/ui.h"

#include <optional>

namespace mosaicon {

namespace {

// The index page, when the user asked for one; it is written beside the slides.
struct IndexPage
{
    bool wanted = false;
    QString path;
    QString name;
    TextFile page;
};

// What one run carries from slide to slide.
struct FramelessRun
{
    PageRun& run;
    SlideShow& show;
    IndexPage index;
    QString firstPath;
    QString lastSlide;
    QString viewSlide;
    QString viewImage;
};

// The index page's name as the user types it, in the show's folder whatever
// folder was typed; none when the user gave no name.
std::optional<QString> askIndexName()
{
    const QString answer = platform::ui()
                               .inputBox(QStringLiteral("What is the name of the HTML file?"), program().product_title,
                                         QStringLiteral("mkslide.htm"))
                               .value_or(QString());
    if (answer.isEmpty())
        return std::nullopt;
    QString name = file_name_part(answer);
    if (name.isEmpty())
        name = answer;
    if (!name.contains(QLatin1String(".htm")))
        name += QStringLiteral(".htm");
    return name;
}

// Asks for the first slide's name until the user confirms one. A name the
// index page already has is refused: both pages would be one file.
QString askFirstSlideName(const QString& index_name)
{
    const QString& title = program().product_title;
    QString name = QStringLiteral("index.htm");
    for (;;) {
        const QString answer =
            platform::ui()
                .inputBox(QStringLiteral("Enter the name file name you want to use for the first slide."), title, name)
                .value_or(QString());
        name = answer;
        const std::optional<QString> candidate = page_name_from_answer(answer);
        if (!candidate || candidate->compare(index_name, Qt::CaseInsensitive) == 0)
            continue;
        const QString question = QStringLiteral("Is '%1' the name of the file you want to use?").arg(*candidate);
        if (platform::msgbox(question, platform::MsgBox::YesNo, title) == platform::MsgBox::Yes)
            return *candidate;
        name = *candidate;
    }
}

// The index page's prompt; false when the user left the run there. The
// caption stays as it is.
bool askForIndex(PageRun& run, const QString& index_path)
{
    PageProposal proposal;
    proposal.frameCaption = std::nullopt;
    proposal.title = QStringLiteral("Slide Show Index");
    proposal.fileName = index_path;
    proposal.nameBox = NameBox::Locked;
    proposal.unasked = Unasked::WhenDefaultsChosen;
    return run.askForPage(proposal);
}

// Names the index page and asks for its titles; false when the user stopped
// the run there, before anything was written.
bool openIndex(FramelessRun& fl)
{
    // The index page takes the exit link's place on the slides.
    fl.run.prompt().o_url_exit.enabled = false;
    QString name = QStringLiteral("mkslide.htm");
    if (settings().rename_slide) {
        const std::optional<QString> asked = askIndexName();
        if (!asked)
            return false;
        name = *asked;
    }
    fl.index.path = platform::joinPath(fl.show.folder, name);
    if (!askForIndex(fl.run, fl.index.path))
        return false;
    fl.index.name = file_name_part(fl.index.path);
    fl.run.listFile(fl.index.path);
    return true;
}

void writeIndexHead(TextFile& index, const PagePrompt& p, const QString& body)
{
    if (copy_head_foot_file(index, head_file_path()))
        return;
    index.line(QStringLiteral("<html>"));
    index.line(QStringLiteral("<head>"));
    index.line(QStringLiteral("<title>%1</title>").arg(p.o_title_tag.text));
    index.line(body);
    index.line(QStringLiteral("</head>"));
    index.line(QStringLiteral("<center>"));
    index.line(QStringLiteral("<h1>%1</h1>").arg(p.o_title.text));
    for (const char* l : {"</center>", "<p>", "<hr>", "<p>"})
        index.line(QString::fromLatin1(l));
}

void writeIndexFoot(TextFile& index)
{
    if (copy_head_foot_file(index, foot_file_path()))
        return;
    write_copyright(index);
    index.line(QStringLiteral("</body>"));
    index.line(QStringLiteral("</html>"));
}

// The slide's prompt: its preview, its stored title or its file name, and
// its page's path, which the slide show fixes.
bool askForSlide(PageRun& run, const QString& image, const QString& slide_path)
{
    PageProposal proposal;
    proposal.frameCaption = QStringLiteral("File Name For The Slide");
    proposal.titleFrom = TitleFrom::PictureRecord;
    proposal.fileName = slide_path;
    proposal.picture = image;
    proposal.nameBox = NameBox::Locked;
    proposal.unasked = Unasked::WhenDefaultsChosen;
    return run.askForPage(proposal);
}

// The exit item: the address the user typed, as typed; left at "http://"
// it leads nowhere, so the item is no link.
QString exitItem(const QString& url, const QString& icon)
{
    const QString face = icon.isEmpty() ? QStringLiteral("[exit]")
                                        : QStringLiteral("<img src=\"%1\" border=0>").arg(html_address(icon));
    if (url == QLatin1String("http://"))
        return face;
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(url, face);
}

// The navigation bar; on the last slide the end page is written in the last
// item's place. False when the end page could not be written.
bool writeNavigation(TextFile& page, FramelessRun& fl, const Slide& slide)
{
    const SlideShow& show = fl.show;
    const SlideIcons& icons = show.icons;
    const bool last = slide.index == show.images.size() - 1;
    if (slide.index > 0)
        page.line(slide_link(show.firstName, icons.first, QStringLiteral("first")));
    // Without an index page the end page is reached by the refresh only.
    if (!last || settings().slide_loop || fl.index.wanted)
        page.line(slide_link(slide_move_on(show, slide), icons.next, QStringLiteral("next")));
    if (fl.index.wanted)
        page.line(slide_link(fl.index.name, icons.index, QStringLiteral("index")));
    else
        page.line(exitItem(fl.run.prompt().o_url_exit.text, icons.exit));
    if (slide.index > 0)
        page.line(slide_link(slide.previous, icons.previous, QStringLiteral("previous")));
    if (!last) {
        page.line(slide_link(show.lastName, icons.last, QStringLiteral("last")));
        return true;
    }
    // Without an index page the show's entry is its first slide.
    return write_end_page(fl.run, show, fl.index.wanted ? fl.index.name : show.firstName, EndPageStyle::Frameless);
}

// A typed title is kept for the image and for its source, so that the next
// run does not bring the source's old title back over it.
void storeTitle(const PagePrompt& p, const ImageJob& job)
{
    const QString& title = p.o_title.text;
    if (p.o_default.value || job.copy.contains(title))
        return;
    store_associated_title(job.copy, title);
    store_associated_title(job.source, title);
}

// The slide's image lines, with its entry in the index page; gives the
// slide's text block.
QString writeImage(TextFile& page, FramelessRun& fl, const Slide& slide)
{
    const PagePrompt& p = fl.run.prompt();
    const ImageJob& job = fl.show.images.at(slide.index);
    TextFile& index = fl.index.page;
    page.line(QStringLiteral("<title>%1</title>").arg(p.o_title_tag.text));
    page.line(QStringLiteral("</head>"));
    if (fl.index.wanted)
        index.line(QStringLiteral("<strong>%1. %2</strong><br>").arg(slide.index + 1).arg(slide.title));
    write_slide_title(page, slide.title);
    page.line(QStringLiteral("<center>"));
    if (fl.index.wanted) {
        index.line(QStringLiteral("<a href=\"%1\"> %2 </a><br>").arg(html_address(slide.name), fl.viewSlide));
        index.line(QStringLiteral("<a href=\"%1\"> %2 </a><br>")
                       .arg(html_address(file_name_part(job.copy)), fl.viewImage));
    }
    page.line(slide_image_line(fl.run, fl.show, slide.index));
    storeTitle(p, job);
    return slide_text_block(job.copy);
}

// One slide page; false when a page could not be written.
bool writeSlide(FramelessRun& fl, const Slide& slide)
{
    const PagePrompt& p = fl.run.prompt();
    const QString& folder = fl.show.folder;
    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<head>"));
    page.line(slide_body_line(folder));
    write_slide_banner(page, p, true, folder);
    if (settings().auto_advance)
        page.line(slide_refresh_line(slide_move_on(fl.show, slide)));
    // A missing image leaves its page without title, image and text.
    const QString text = platform::file_exists(fl.show.images.at(slide.index).copy) ? writeImage(page, fl, slide) : QString();
    page.line(QStringLiteral("<br>"));
    page.line(text);
    page.line(QStringLiteral("<br>"));
    if (!writeNavigation(page, fl, slide))
        return false;
    write_slide_banner(page, p, false, folder);
    page.line(QStringLiteral("</center>"));
    write_copyright(page);
    page.line(QStringLiteral("</body>"));
    page.line(QStringLiteral("</html>"));
    return fl.run.savePage(page, platform::joinPath(folder, slide.name));
}

// Every slide with its prompt and its page; false when the user left the
// run or a page could not be written.
bool writeSlides(FramelessRun& fl)
{
    SlideShow& show = fl.show;
    const qsizetype count = show.images.size();
    QString previous;
    for (qsizetype i = 0; i < count; ++i) {
        Slide slide;
        slide.index = i;
        slide.previous = previous;
        slide.name = i == 0 && settings().rename_slide ? askFirstSlideName(fl.index.name) : slide_name(i + 1);
        const QString path = platform::joinPath(show.folder, slide.name);
        if (i == 0) {
            show.firstName = slide.name;
            fl.firstPath = path;
        }
        slide.next = i < count - 1 ? slide_name(i + 2) : show.firstName;
        if (!askForSlide(fl.run, show.images.at(i).copy, path))
            return false;
        slide.title = fl.run.prompt().o_title.text;
        fl.run.listFile(path);
        if (!writeSlide(fl, slide))
            return false;
        previous = slide.name;
        fl.lastSlide = slide.name;
    }
    return true;
}

// The run's report: the show opened where the settings ask, or where it lies.
void reportShow(FramelessRun& fl)
{
    PageRun& run = fl.run;
    if (!run.saveRecords())
        return;
    // Pages of a show without a single image stay: they are the user's to remove.
    if (fl.show.written == 0) {
        platform::show_status(QStringLiteral("There are no entries matching your selection."));
        return;
    }
    const QString entry = fl.index.wanted ? fl.index.path : fl.firstPath;
    const Settings& s = settings();
    if (!s.auto_start_browser && !s.auto_start_editor) {
        platform::show_status(QStringLiteral("The HTML document %1 has been created.").arg(entry));
        return;
    }
    platform::show_status(QStringLiteral("The HTML document %1 has been created.").arg(fl.lastSlide));
    run.startViewers(entry);
}

} // namespace

void create_slideshow(PageRun& run, SlideShow& show)
{
    PagePrompt& p = run.prompt();
    FramelessRun fl{run, show, {}, {}, {}, {}, {}};
    fl.index.wanted = program().create_index;
    if (!fl.index.wanted)
        p.o_filename.enabled = false;
    else if (!openIndex(fl))
        return;
    const QString body = slide_body_line(show.folder);
    if (fl.index.wanted)
        writeIndexHead(fl.index.page, p, body);
    if (show.images.isEmpty()) {
        platform::show_status(QStringLiteral("The file list does not contain any Internet images (GIF or JPG format)."));
        if (fl.index.wanted)
            run.savePage(fl.index.page, fl.index.path);
        return;
    }
    show.lastName = slide_name(show.images.size());
    show.icons = copy_slide_icons(show.folder, fl.index.wanted, !fl.index.wanted);
    fl.viewSlide = get_caption(QStringLiteral("o_ss_view_slide"));
    fl.viewImage = get_caption(QStringLiteral("o_ss_view_image"));
    const bool complete = writeSlides(fl);
    if (complete && fl.index.wanted)
        writeIndexFoot(fl.index.page);
    if (fl.index.wanted && !run.savePage(fl.index.page, fl.index.path))
        return;
    if (complete)
        reportShow(fl);
}

} // namespace mosaicon
