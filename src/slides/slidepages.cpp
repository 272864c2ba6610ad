#include "slides/slidepages.h"

#include "pagekit/imageheaders.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pageprompt.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"
#include "pagekit/thumbnails.h"

#include "settings/program.h"

#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/picturecheck.h"

#include <algorithm>

namespace mosaicon {

namespace {

const QString endPageName = QStringLiteral("the-end.htm");

// Copies a file the pages refer to into the folder; a file that cannot be
// copied leaves the lines that name it as they are.
void copyInto(const QString& file, const QString& folder, const QString& name)
{
    if (!file.isEmpty() && platform::file_exists(file))
        platform::copyFile(file, platform::joinPath(folder, name));
}

QString iconCopy(const QString& icon, const QString& folder)
{
    if (icon.isEmpty() || !platform::file_exists(icon))
        return QString();
    const QString name = file_name_part(icon);
    copyInto(icon, folder, name);
    return name;
}

void writeNavigation(TextFile& page, PageRun& run, const SlideShow& show, const Slide& slide)
{
    const SlideIcons& icons = show.icons;
    const bool last = slide.index == show.images.size() - 1;
    if (slide.index > 0)
        page.line(slide_link(show.firstName, icons.first, QStringLiteral("first")));
    page.line(slide_link(slide_move_on(show, slide), icons.next, QStringLiteral("next")));
    page.line(slide_link(show.startName, icons.index, QStringLiteral("index")));
    if (slide.index > 0)
        page.line(slide_link(slide.previous, icons.previous, QStringLiteral("previous")));
    if (!last)
        page.line(slide_link(show.lastName, icons.last, QStringLiteral("last")));
    else
        write_end_page(run, show, show.startName, EndPageStyle::Frames);
}

} // namespace

QString slide_move_on(const SlideShow& show, const Slide& slide)
{
    return slide.index < show.images.size() - 1 || settings().slide_loop ? slide.next : endPageName;
}

QString file_name_part(const QString& path)
{
    return platform::split_file_path(path).file_name;
}

QString slide_name(qsizetype number)
{
    return QStringLiteral("slide_%1.htm").arg(number);
}

SlideIcons copy_slide_icons(const QString& folder, bool index, bool exit)
{
    const Settings& s = settings();
    SlideIcons icons;
    icons.first = iconCopy(s.first_icon, folder);
    icons.next = iconCopy(s.next_icon, folder);
    if (index)
        icons.index = iconCopy(s.index_icon, folder);
    if (exit)
        icons.exit = iconCopy(s.exit_icon, folder);
    icons.previous = iconCopy(s.previous_icon, folder);
    icons.last = iconCopy(s.last_icon, folder);
    return icons;
}

int slide_height()
{
    Settings& s = settings();
    if (s.slide_image_height.isEmpty() || s.slide_image_height.text() == QLatin1String("0"))
        s.slide_image_height = QStringLiteral("200");
    // A negative or unreadable height would divide by zero or reduce nothing.
    const double height = platform::val(s.slide_image_height);
    return height >= 1 ? int(height) : 200;
}

void name_reduced_copies(SlideShow& show, QSet<QString>& taken)
{
    for (ImageJob& job : show.images)
        name_reduced_copy(job, show.folder, taken);
}

namespace {

// The image's reduced copy, fitted in a box of that height, when the image is
// higher or wider; the image itself is never replaced.
void makeReducedCopy(platform::ImageControl& engine, ImageJob& job, const ThumbnailRecipe& recipe)
{
    // The copy is made from, and named by, the name it was found under.
    job.copy = job.copy.trimmed();
    if (!platform::file_exists(job.copy))
        return;
    const Reduction made = make_reduced_picture(engine, ReducedFor::SlideCopy, job.copy, job.thumb, recipe);
    // The reason is told with the user's file, not the run's copy of it.
    if (made.outcome == Reduction::Unreadable) {
        job.readError = made.reason;
        return;
    }
    job.pixels = made.pixels;
    // Read, but not what its name says: shown all the same, and told.
    job.readError = platform::pictureFault(job.copy);
    job.saved = made.outcome == Reduction::Made;
    // A file of the user's holds the copy's name: it stays, and the slide
    // shows the image itself.
    if (made.outcome == Reduction::InTheWay)
        job.kept = made.error;
}

// Makes the reduced copies of count images from the one at from on, beside
// the window's thread; a closed window stops them with the copies in hand.
void makeReducedCopies(PageRun& run, SlideShow& show, qsizetype from, qsizetype count)
{
    // Taken now, so the workers read no settings: a copy fits a square of the
    // slide height and is never styled.
    ThumbnailRecipe recipe = thumbnail_recipe();
    recipe.size = slide_height();
    recipe.style = ThumbStyle::WithBorders;
    // Workers reach the jobs only through this pointer, never the list itself.
    ImageJob* const jobs = show.images.data() + from;
    run_beside_window(
        count,
        [jobs, recipe](platform::ImageControl& engine, qsizetype i) {
            makeReducedCopy(engine, jobs[i], recipe);
            return true;
        },
        [](qsizetype) { return true; }, run.workStop(),
        [jobs, recipe](qsizetype i) {
            return reduced_picture_pixels(ReducedFor::SlideCopy, jobs[i].copy.trimmed(), recipe);
        });
    show.reducedUpTo = std::max(show.reducedUpTo, from + count);
}

} // namespace

QString slide_refresh_line(const QString& target)
{
    return QStringLiteral("<meta http-equiv=\"refresh\" content=\"%1; url=%2\">")
        .arg(settings().slide_delay.text(), html_address(target));
}

QString slide_body_line(const QString& folder)
{
    const Settings& s = settings();
    if (!s.use_background_image)
        return body_tag();
    const QString name = file_name_part(s.html_background);
    copyInto(s.html_background, folder, name);
    return body_tag(html_address(name));
}

void write_slide_banner(TextFile& page, const PagePrompt& prompt, bool top, const QString& folder)
{
    const Settings& s = settings();
    const QString& ref = top ? prompt.top_banner_ref : prompt.bottom_banner_ref;
    if (ref.isEmpty())
        return;
    if (!ref.contains(u'/'))
        copyInto(top ? s.top_banner : s.bottom_banner, folder, ref);
    write_banner(page, ref, top ? s.top_banner_link : s.bottom_banner_link);
}

QString slide_link(const QString& target, const QString& icon, const QString& word)
{
    if (icon.isEmpty())
        return QStringLiteral("<a href=\"%1\">[%2]</a>").arg(html_address(target), word);
    return QStringLiteral("<a href=\"%1\"><img src=\"%2\" border=0></a>")
        .arg(html_address(target), html_address(icon));
}

void write_slide_title(TextFile& page, const QString& title)
{
    if (settings().display_title)
        page.line(QStringLiteral("<center><strong>%1</strong></center><br>").arg(title));
}

QString slide_image_line(PageRun& run, SlideShow& show, qsizetype index)
{
    ImageJob& job = show.images[index];
    platform::show_status(QStringLiteral("Adding ") + job.copy);
    ++show.written;
    const int height = slide_height();
    // Made beside the window: this slide's alone while the user is asked
    // slide by slide (a stopped show leaves no copy of a slide it did not
    // write), all the remaining ones at once when no prompt can stop the show.
    if (index >= show.reducedUpTo) {
        const bool asked = run.asks(Unasked::WhenDefaultsChosen);
        makeReducedCopies(run, show, index, asked ? 1 : show.images.size() - index);
    }
    if (!job.readError.isEmpty())
        run.unreadable(job.source, job.readError);
    if (!job.kept.isEmpty())
        run.keptUsersFile(job.kept);
    // This image's own height, from its header or else from its load.
    const std::optional<QSize> header = image_pixel_size(job.copy);
    const int pixels = header ? header->height() : job.pixels.value_or(QSize()).height();
    const QString name = file_name_part(job.copy);
    if (pixels <= height)
        return QStringLiteral("<img src=\"%1\"><br>").arg(html_address(name));
    const QString reduced = job.saved ? file_name_part(job.thumb) : name;
    return QStringLiteral("<a href=\"%1\"><img src=\"%2\" border=0 ></a><br>")
        .arg(html_address(name), html_address(reduced));
}

QString slide_text_block(const QString& image_path)
{
    const Settings& s = settings();
    if (!s.use_associated_text)
        return QString();
    const bool pre = s.preformatted_text;
    return (pre ? QStringLiteral("</center>\n<pre>\n") : QString()) +
           associated_page_text(image_path, pre) +
           (pre ? QStringLiteral("\n</pre>\n<center>") : QString());
}

void write_slide_copyright(TextFile& page)
{
    const QString copyright = get_caption(QStringLiteral("o_copyright"));
    if (copyright.isEmpty())
        return;
    page.line(QStringLiteral("<center>"));
    page.line(QStringLiteral("<p>"));
    page.line(copyright);
    page.line(QStringLiteral("</center>"));
}

bool write_end_page(PageRun& run, const SlideShow& show, const QString& index_target, EndPageStyle style)
{
    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<body bgcolor=\"#ffffff\">"));
    if (style == EndPageStyle::Frames)
        write_slide_banner(page, run.prompt(), true, show.folder);
    page.line(QStringLiteral("<center>"));
    page.line(QStringLiteral("<FONT SIZE=48 FACE=MS SANS SERIF>"));
    page.line(QStringLiteral("<strong>The</strong>"));
    page.line(QStringLiteral("<strong>End</strong>"));
    page.line(QStringLiteral("</font>"));
    for (const char* l : {"<p>", "<hr>", "<p>"})
        page.line(QString::fromLatin1(l));
    page.line(QStringLiteral("Go To ") +
              slide_link(index_target, show.icons.index, QStringLiteral("index")));
    page.line(QStringLiteral("</center>"));
    write_slide_banner(page, run.prompt(), false, show.folder);
    if (style == EndPageStyle::Frames)
        write_slide_copyright(page);
    else
        write_copyright(page);
    page.line(QStringLiteral("</body>"));
    page.line(QStringLiteral("</html>"));
    return run.savePage(page, platform::joinPath(show.folder, endPageName));
}

bool write_frames_slide(PageRun& run, SlideShow& show, const Slide& slide,
                        const std::function<void()>& at_image)
{
    const Settings& s = settings();
    const QString& image = show.images.at(slide.index).copy;
    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<head>"));
    page.line(QStringLiteral("<title>%1</title>").arg(slide.title));
    page.line(QStringLiteral("<base target=\"body\">"));
    if (s.auto_advance)
        page.line(slide_refresh_line(slide_move_on(show, slide)));
    page.line(QStringLiteral("</head>"));
    page.line(slide_body_line(show.folder));
    write_slide_banner(page, run.prompt(), true, show.folder);
    QString text;
    if (platform::file_exists(image)) {
        at_image();
        write_slide_title(page, slide.title);
        const QString imageLine = slide_image_line(run, show, slide.index);
        page.line(QStringLiteral("<center>"));
        page.line(imageLine);
        page.line(QStringLiteral("</center>"));
        text = slide_text_block(image);
    }
    const auto rule = [&page] {
        for (const char* l : {"<p>", "<hr>", "<p>"})
            page.line(QString::fromLatin1(l));
    };
    rule();
    page.line(text);
    if (!text.isEmpty())
        rule();
    page.line(QStringLiteral("<center>"));
    writeNavigation(page, run, show, slide);
    page.line(QStringLiteral("</center>"));
    write_slide_banner(page, run.prompt(), false, show.folder);
    write_slide_copyright(page);
    page.line(QStringLiteral("</body>"));
    page.line(QStringLiteral("</html>"));
    return run.savePage(page, platform::joinPath(show.folder, slide.name));
}

} // namespace mosaicon
