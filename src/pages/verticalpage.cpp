#include "pages/verticalpage.h"

#include "pagekit/imageheaders.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"
#include "pagekit/thumbnails.h"

#include "settings/associatedtext.h"
#include "settings/program.h"
#include "settings/thumbnailrecords.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <functional>

namespace mosaicon {

namespace {

const QString defaultName = QStringLiteral("mosaik.htm");

QString fileNameOf(const QString& path)
{
    return platform::split_file_path(path).file_name;
}

QString folderOf(const QString& path)
{
    return platform::split_file_path(path).directory;
}

// The page's name as the user chose it; only its file name is used later.
// Empty when the user cancelled the save dialog.
std::optional<QString> chooseName(const PageRun& run)
{
    Program& p = program();
    Settings& s = p.settings;
    const QString programPage = platform::joinPath(p.program_folder, defaultName);
    if (!s.rename_html)
        return run.internetReady ? platform::joinPath(run.folder(), defaultName) : programPage;

    platform::FileDialogRequest request;
    request.title = QStringLiteral("Select Mosaicon Output File");
    request.filter = QStringLiteral("HTML (*.htm)|*.htm|All Files (*.*)|*.*");
    request.fileName = defaultName;
    request.forSaving = true;
    QString name;
    if (run.internetReady) {
        if (s.last_html_directory.isEmpty())
            s.last_html_directory = run.folder();
        const std::optional<QString> answer =
            platform::ui().inputBox(QStringLiteral("What is the name of the HTML file?"), p.product_title, defaultName);
        const QString typed = answer.value_or(QString());
        name = fileNameOf(typed);
        if (name.isEmpty())
            name = typed.isEmpty() ? defaultName : typed;
        if (!name.contains(QLatin1String(".htm")))
            name += QStringLiteral(".htm");
        name = platform::joinPath(run.folder(), name);
    } else {
        if (!s.last_html_directory.isEmpty()) {
            QString dir = folderOf(s.last_html_directory.text());
            if (dir.size() > 1 && dir.endsWith(u'/'))
                dir.chop(1);
            request.initialDirectory = dir;
            s.last_html_directory = dir;
        } else {
            s.last_html_directory = p.program_folder;
        }
        platform::doEvents();
        const std::optional<QString> chosen = platform::ui().fileDialog(request);
        if (!chosen)
            return std::nullopt;
        name = *chosen;
    }
    if (name == defaultName)
        return programPage;
    s.last_html_directory = folderOf(name);
    return name;
}

// The body tag, with the background picture where one is set and can be shown.
QString bodyLine(PageRun& run, const QString& page_path)
{
    const Settings& s = settings();
    if (s.html_background.isEmpty() || !s.use_background_image)
        return body_tag();
    if (!run.relativeAddress)
        return body_tag(html_text(file_url(s.html_background)));
    if (!run.internetReady) {
        return body_tag(html_address(platform::make_relative_path(s.html_background, page_path)));
    }
    if (!platform::file_exists(s.html_background))
        return body_tag();
    return run.backgroundBody(run.folder());
}

// The image line of an entry by where the image is to stand, linked from
// its thumbnail when thumbnails are on; an unknown place keeps the previous
// entry's line.
void buildImageLine(QString& line, const QString& image, const QString& thumb, const QString& h, const QString& w)
{
    const Settings& s = settings();
    ImagePlace place;
    place.location = s.full_img_location;
    if (s.use_thumbnail)
        place.link = html_address(image);
    else
        place.spacedLeft = true;
    const QString built = located_image(place, html_address(s.use_thumbnail ? thumb : image), h, w);
    if (!built.isEmpty())
        line = built;
}

// Image and associated text of one entry, placed by the layout.
void writeBlock(TextFile& page, const QString& layout, const QString& imageLine, const QString& key)
{
    const Settings& s = settings();
    const QString text = associated_page_text(key, s.preformatted_text);
    const auto textBlock = [&] { write_text_block(page, associated_title(key), text, s.preformatted_text); };
    const auto image = [&] { page.line(imageLine); };
    if (layout == QLatin1String("#1")) {
        image();
        if (!text.isEmpty()) {
            page.line(QStringLiteral("<p>"));
            textBlock();
        }
    } else if (layout == QLatin1String("#2")) {
        if (!text.isEmpty()) {
            textBlock();
            page.line(QStringLiteral("<p>"));
        }
        image();
    } else if (layout == QLatin1String("#3") || layout == QLatin1String("#4")) {
        const bool textFirst = layout == QLatin1String("#3");
        page.line(QStringLiteral("<tr>"));
        if (text.isEmpty()) {
            const QString imageCell = QStringLiteral("<td>") + imageLine + QStringLiteral("</td>");
            page.line(textFirst ? QStringLiteral("<td></td>") : imageCell);
            page.line(textFirst ? imageCell : QStringLiteral("<td></td>"));
        } else {
            write_cell(page, textFirst ? std::function<void()>(textBlock) : std::function<void()>(image));
            write_cell(page, textFirst ? std::function<void()>(image) : std::function<void()>(textBlock));
        }
        page.line(QStringLiteral("</tr>"));
    }
}

// One entry's lines: its thumbnail (made when it has none) and image, with
// or without its text. imageLine carries over from entry to entry.
void writeEntry(PageRun& run, TextFile& page, const QString& path, QString& imageLine)
{
    const Settings& s = settings();
    QString thumb = find_thumbnail(path);
    // A picture the run has decoded, or could not, has all the thumbnail it
    // will get: decoding it again here would only hold up the window.
    if (thumb.isEmpty() && !run.pixelSizes.contains(path) && !run.undecodable.contains(path)) {
        QString error;
        if (!create_thumbnail(run.thumbnailEngine(), path, &error))
            run.fail(error);
    }
    const QString imageName = fileNameOf(path);
    QString thumbName = fileNameOf(thumb);
    if (thumbName.isEmpty())
        thumbName = imageName;
    run.publish(path);
    if (!thumb.isEmpty())
        run.publish(thumb);

    const QString measured = thumb.isEmpty() ? path : thumb;
    if (s.full_img_with_options) {
        const QSize size = image_pixel_size(measured).value_or(QSize(0, 0));
        buildImageLine(imageLine, imageName, thumbName, platform::strForm(size.height()),
                       platform::strForm(size.width()));
        if (s.full_img_use_text)
            writeBlock(page, s.full_img_layout, imageLine, path);
        else
            page.line(QStringLiteral("<center><a href=\"%1\"><img src=\"%2\" ></a></center>")
                          .arg(html_address(imageName), html_address(thumbName)));
        return;
    }
    const ImageDimensions shown = get_image_dimensions(measured);
    page.line(
        QStringLiteral(
            "<center><a href=\"%1\"><img src=\"%2\"width='%3' height='%4' ></a></center>")
            .arg(html_address(imageName), html_address(thumbName), shown.width, shown.height));
}

// The lines between two entries.
void writeRule(TextFile& page, bool inTable)
{
    if (inTable) {
        for (const char* l : {"  <tr>", "    <td>", "      <hr>", "      <p>", "    </td>", "    <td>", "      <hr>",
                              "      <p>", "    </td>", "  </tr>"})
            page.line(QString::fromLatin1(l));
    } else {
        page.line(QStringLiteral("      <p>"));
        page.line(QStringLiteral("      <hr>"));
    }
}

// Every GIF and JPEG entry with rules between them; the count of images.
int writeEntries(PageRun& run, TextFile& page, bool rules)
{
    const QStringList& templist = *run.lists.templist;
    const QString layout = settings().full_img_layout;
    const bool inTable = layout == QLatin1String("#3") || layout == QLatin1String("#4");
    if (inTable)
        page.line(table_tag(true));
    int images = 0;
    QString imageLine;
    for (qsizetype i = 0; i < templist.size(); ++i) {
        if (!is_gif_or_jpg(templist.at(i)))
            continue;
        ++images;
        writeEntry(run, page, templist.at(i), imageLine);
        if (run.failed())
            break;
        if (i != templist.size() - 1 && rules)
            writeRule(page, inTable);
        if (!inTable)
            page.line(QStringLiteral("      <p>"));
    }
    if (inTable)
        page.line(QStringLiteral("</table>"));
    return images;
}

} // namespace

void create_vertical_html(PageRun& run)
{
    platform::BusyCursor busy;
    // Records used up or written during the run reach the settings file once, at its end.
    platform::ProfileBatch batch;
    if (run.internetReady)
        run.relativeAddress = true;

    const std::optional<QString> chosen = chooseName(run);
    if (!chosen)
        return;
    PageProposal proposal;
    proposal.title = QStringLiteral("HTML Title");
    proposal.fileName = fileNameOf(*chosen);
    if (!run.askForPage(proposal))
        return;
    const bool rules = run.prompt().o_use_hr.value;

    const std::optional<QString> opened = run.openPage();
    if (!opened)
        return;
    const QString& page_path = *opened;

    TextFile page;
    write_page_head(page, run.prompt(), bodyLine(run, page_path), rules);
    if (run.savedBlank(page, page_path))
        return;
    const int images = writeEntries(run, page, rules);
    if (run.failed())
        return;
    write_page_foot(page, run.prompt());

    if (images == 0) {
        run.finish(page_path, false);
        return;
    }
    if (!run.savePage(page, page_path))
        return;
    run.finish(page_path, true, EditorStart::DirectWhenAlone);
}

} // namespace mosaicon
