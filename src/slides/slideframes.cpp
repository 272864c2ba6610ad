#include "slides/slideframes.h"

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

namespace mosaicon {

namespace {

// The prompt before the index or the start page; false when the user left
// the run there.
bool ask(PageRun& run, const QString& caption, const QString& title, const QString& file_name)
{
    PageProposal proposal;
    proposal.frameCaption = caption;
    proposal.title = title;
    proposal.fileName = file_name;
    proposal.exitAddressLocked = true;
    proposal.unasked = Unasked::WhenDefaultsChosen;
    return run.askForPage(proposal);
}

// The slide's prompt: its preview, its stored title or its file name, and
// its page name shown but not editable; the caption stays the start page's.
bool askForSlide(PageRun& run, const QString& image, const QString& slide)
{
    PageProposal proposal;
    proposal.frameCaption = std::nullopt;
    proposal.titleFrom = TitleFrom::PictureRecord;
    proposal.fileName = slide;
    proposal.picture = image;
    proposal.nameBox = NameBox::Locked;
    proposal.exitAddressLocked = true;
    proposal.unasked = Unasked::WhenDefaultsChosen;
    return run.askForPage(proposal);
}

// The page name typed in the prompt, without folder; the default when none was typed.
QString typedName(const PagePrompt& p, const QString& fallback)
{
    const QString name = file_name_part(p.o_filename.text);
    return name.isEmpty() ? fallback : name;
}

void writeIndexHead(TextFile& index, const PagePrompt& p, const QString& folder)
{
    index.line(QStringLiteral("<html>"));
    index.line(QStringLiteral("<head>"));
    index.line(QStringLiteral("<title>%1</title>").arg(p.o_title_tag.text));
    index.line(QStringLiteral("</head>"));
    index.line(slide_body_line(folder));
    index.line(QStringLiteral("<base target=\"body\">"));
    index.line(QStringLiteral("<center>"));
    index.line(QStringLiteral("<font size=\"+2\"><strong><center>%1</center></strong></font>")
                   .arg(p.o_title.text));
    index.line(QStringLiteral("</center>"));
    index.line(QStringLiteral("<p>"));
    index.line(QStringLiteral("<hr>"));
    index.line(QStringLiteral("<font size=\"-1\">"));
}

void writeIndexFoot(TextFile& index)
{
    index.line(QStringLiteral("</font>"));
    if (copy_head_foot_file(index, foot_file_path()))
        return;
    for (const char* l : {"<hr>", "<FONT SIZE=-1 FACE=MS SANS SERIF>", "<center>", "</center><br>",
                          "</body>", "</html>"})
        index.line(QString::fromLatin1(l));
}

TextFile startPage(const PagePrompt& p, const QString& folder)
{
    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<head>"));
    page.line(QStringLiteral("<title>%1</title>").arg(p.o_title_tag.text));
    page.line(QStringLiteral("</head>"));
    page.line(slide_body_line(folder));
    for (const char* l : {"<pre>", "", "", "", "</pre>"})
        page.line(QString::fromLatin1(l));
    page.line(
        QStringLiteral("<i><strong><center><h1>%1</h1><center></strong></i>").arg(p.o_title.text));
    for (const char* l : {"<pre>", "", "", "</pre>"})
        page.line(QString::fromLatin1(l));
    const QString start = get_caption(QStringLiteral("o_ss_click_here"));
    page.line(QStringLiteral("<center><a href=\"%1\">%2</a></center>")
                  .arg(html_address(slide_name(1)), start));
    page.line(QStringLiteral("</font>"));
    write_copyright(page);
    page.line(QStringLiteral("</body>"));
    page.line(QStringLiteral("</html>"));
    return page;
}

// Asks for the frameset page's name until the user confirms one.
QString askFramesetName()
{
    const QString& title = program().product_title;
    QString name = QStringLiteral("mkslide.htm");
    for (;;) {
        const QString answer =
            platform::ui()
                .inputBox(
                    QStringLiteral("Enter the name file name you want to use for the slide show."),
                    title, name)
                .value_or(QString());
        const std::optional<QString> candidate = page_name_from_answer(answer);
        if (!candidate) {
            name = answer;
            continue;
        }
        name = *candidate;
        const QString question =
            QStringLiteral("Is '%1' the name of the file you want to use?").arg(name.toLower());
        if (platform::msgbox(question, platform::MsgBox::YesNo, title) == platform::MsgBox::Yes)
            return name;
    }
}

TextFile framesetPage(const QString& title, const QString& index_name, const QString& start_name)
{
    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<title>%1</title>").arg(title));
    page.line(QStringLiteral("<FRAMESET COLS=\"150,*\">"));
    page.line(QStringLiteral("<FRAME NAME=\"left\" SRC=\"%1\" SCROLLING=\"auto\" MARGINWIDTH=\"2\" "
                             "MARGINHEIGHT=\"2\" "
                             "BORDER=\"5\">")
                  .arg(html_address(index_name)));
    page.line(QStringLiteral("<FRAME NAME=\"body\" SRC=\"%1\" SCROLLING=\"auto\" MARGINWIDTH=\"2\" "
                             "MARGINHEIGHT=\"2\">")
                  .arg(html_address(start_name)));
    page.line(QStringLiteral("</FRAMESET>"));
    page.line(QStringLiteral("</HTML>"));
    return page;
}

// The run's report: the show opened where the settings ask, or where it lies.
void reportShow(PageRun& run, const SlideShow& show, const QString& last_slide,
                const QString& index_path, const QString& frameset_path)
{
    if (!run.saveRecords())
        return;
    if (show.written == 0) {
        platform::show_status(QStringLiteral("There are no entries matching your selection."));
        return;
    }
    const Settings& s = settings();
    if (!s.auto_start_browser && !s.auto_start_editor) {
        platform::show_status(QStringLiteral("The HTML document %1 has been created.").arg(index_path));
        return;
    }
    platform::show_status(QStringLiteral("The HTML document %1 has been created.").arg(last_slide));
    run.startViewers(frameset_path);
}

// Every slide with its prompt, its page and its index entries; false when
// the user left the run or a page could not be written. last_slide comes
// back as the last slide's name.
bool writeSlides(PageRun& run, SlideShow& show, TextFile& index, QString& last_slide)
{
    PagePrompt& p = run.prompt();
    const QString viewSlide = get_caption(QStringLiteral("o_ss_view_slide"));
    const QString viewImage = get_caption(QStringLiteral("o_ss_view_image"));
    QString previous;
    for (qsizetype i = 0; i < show.images.size(); ++i) {
        const QString image = show.images.at(i).copy;
        if (!askForSlide(run, image, slide_name(i + 1)))
            return false;
        Slide slide;
        slide.index = i;
        slide.title = p.o_title.text;
        slide.name = typedName(p, slide_name(i + 1));
        slide.previous = previous;
        if (i == 0)
            show.firstName = slide.name;
        slide.next = i < show.images.size() - 1 ? slide_name(i + 2) : show.firstName;
        run.listFile(platform::joinPath(show.folder, slide.name));
        const bool saved = write_frames_slide(run, show, slide, [&] {
            index.line(QStringLiteral("<strong>%1. %2</strong><br>").arg(i + 1).arg(slide.title));
            index.line(QStringLiteral("<a href=\"%1\"> %2 </a><br>")
                           .arg(html_address(slide.name), viewSlide));
            index.line(QStringLiteral("<a href=\"%1\"> %2 </a><br>")
                           .arg(html_address(file_name_part(image)), viewImage));
        });
        if (!saved)
            return false;
        // A typed title is kept for the image and for its source, so that the
        // next run does not bring the source's old title back over it.
        if (!p.o_default.value && !image.contains(slide.title)) {
            store_associated_title(image, slide.title);
            store_associated_title(show.images.at(i).source, slide.title);
        }
        previous = slide.name;
        last_slide = slide.name;
    }
    return true;
}

} // namespace

void create_slideshow_frames(PageRun& run, SlideShow& show)
{
    PagePrompt& p = run.prompt();
    if (!ask(run, QStringLiteral("File Name For The Slide Show Index"),
             QStringLiteral("Slide Show Index"), QStringLiteral("mkindex.htm")))
        return;
    const QString indexPath =
        platform::joinPath(show.folder, typedName(p, QStringLiteral("mkindex.htm")));
    TextFile index;
    run.listFile(indexPath);
    writeIndexHead(index, p, show.folder);
    if (show.images.isEmpty()) {
        platform::show_status(QStringLiteral(
            "The file list does not contain any Internet images (GIF or JPG format)."));
        run.savePage(index, indexPath);
        return;
    }
    show.lastName = slide_name(show.images.size());
    show.icons = copy_slide_icons(show.folder, true, false);
    if (!ask(run, QStringLiteral("File Name For The Slide Show Main Page"),
             QStringLiteral("Main/Initial HTML Title"), QStringLiteral("html00.htm"))) {
        run.savePage(index, indexPath);
        return;
    }
    show.startName = typedName(p, QStringLiteral("html00.htm"));
    const QString startPath = platform::joinPath(show.folder, show.startName);
    run.listFile(startPath);
    if (!run.savePage(startPage(p, show.folder), startPath))
        return;
    QString lastSlide;
    const bool complete = writeSlides(run, show, index, lastSlide);
    if (complete)
        writeIndexFoot(index);
    if (!run.savePage(index, indexPath) || !complete)
        return;
    const QString framesetName =
        settings().rename_slide ? askFramesetName() : QStringLiteral("mkslide.htm");
    const QString framesetPath = platform::joinPath(show.folder, framesetName);
    if (!run.savePage(framesetPage(p.o_title.text, file_name_part(indexPath), show.startName),
                      framesetPath))
        return;
    reportShow(run, show, lastSlide, indexPath, framesetPath);
}

} // namespace mosaicon
