#include "pages/fullimagepage.h"

#include "pagekit/imageheaders.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"
#include "pagekit/thumbnails.h"

#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/paths.h"

namespace mosaicon {

namespace {

// The prompt exchange of a full-size page: the preview, the image's stored
// title, and the image's path shown but not editable.
bool askForImagePage(PageRun& run, const QString& image_path)
{
    PageProposal proposal;
    proposal.frameCaption = QStringLiteral("File Name For The HTML page");
    proposal.titleFrom = TitleFrom::PictureRecord;
    proposal.fileName = image_path;
    proposal.picture = image_path;
    proposal.nameBox = NameBox::LockedForPicture;
    return run.askForPage(proposal);
}

// The image with its title and associated text, placed by the layout.
void writeImageAndText(TextFile& page, const QString& imageLine, const QString& title, const QString& key)
{
    const Settings& s = settings();
    const QString text = s.full_img_use_text ? associated_page_text(key, s.preformatted_text) : QString();
    const QString layout = s.full_img_layout;
    const auto image = [&] { page.line(imageLine); };
    const auto textBlock = [&] { write_text_block(page, title, text, s.preformatted_text); };
    const auto rule = [&] {
        page.line(QStringLiteral("<p>"));
        page.line(QStringLiteral("<hr>"));
        page.line(QStringLiteral("<p>"));
    };
    const auto table = [&](const std::function<void()>& first, const std::function<void()>& second) {
        page.line(table_tag());
        page.line(QStringLiteral("<tr>"));
        write_cell(page, first);
        write_cell(page, second);
        page.line(QStringLiteral("</tr>"));
        page.line(QStringLiteral("</table>"));
    };
    if (!s.full_img_use_text || text.isEmpty()) {
        // With text on, an unknown layout writes no image line at all.
        const bool known = layout == QLatin1String("#1") || layout == QLatin1String("#2") ||
                           layout == QLatin1String("#3") || layout == QLatin1String("#4");
        if (!s.full_img_use_text || known)
            image();
    } else if (layout == QLatin1String("#1")) {
        image();
        rule();
        textBlock();
    } else if (layout == QLatin1String("#2")) {
        textBlock();
        rule();
        image();
    } else if (layout == QLatin1String("#3")) {
        table(textBlock, image);
    } else if (layout == QLatin1String("#4")) {
        table(image, textBlock);
    }
}

} // namespace

bool create_full_img_page(PageRun& run, QString& page_ref, const QString& image_ref, const QString& image_path)
{
    const Settings& s = settings();
    if (!s.full_img_with_options || !is_gif_or_jpg(image_ref)) {
        page_ref = image_ref;
        return true;
    }
    const QString directory = platform::split_file_path(image_path).directory;
    if (!askForImagePage(run, image_path))
        return true;
    const PagePrompt& prompt = run.prompt();

    // A bare name has no folder of its own: its page is drawn in the run's.
    const QString name =
        ask_html_file_name(QString(), image_path, directory.isEmpty() ? run.folder() : directory);
    page_ref = name;
    const QString page_path = platform::joinPath(directory, name);
    QString error;
    run.failScript(run.scripts().add_delete_line(page_path, &error), error);
    run.failScript(run.scripts().add_copy_line(page_path, &error), error);
    run.failScript(run.scripts().add_copy_line(image_path, &error), error);
    run.listFile(page_path);

    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<title>%1</title>").arg(prompt.o_title_tag.text));
    page.line(s.use_background_image ? run.backgroundBody(directory) : body_tag());
    write_banner(page, prompt.top_banner_ref, s.top_banner_link);

    const QString key = directory + image_ref;
    const QString title = s.file_title ? associated_title(key) : prompt.o_title.text;
    page.line(QStringLiteral("<center><strong><h1>%1</h1></strong></center>").arg(title));
    page.line(QStringLiteral("<p>"));
    if (!prompt.o_default.value && !key.contains(title))
        store_associated_title(key, title);

    const QSize size = image_pixel_size(image_path).value_or(QSize(0, 0));
    ImagePlace place;
    place.location = s.full_img_location;
    const QString imageLine = located_image(place, html_address(image_ref), platform::strForm(size.height()),
                                            platform::strForm(size.width()));
    writeImageAndText(page, imageLine, title, key);
    write_builtin_foot(page, prompt);
    return run.savePage(page, page_path);
}

} // namespace mosaicon
