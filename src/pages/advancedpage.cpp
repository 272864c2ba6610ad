#include "pages/advancedpage.h"

#include "pages/fullimagepage.h"

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
#include "platform/imagecontrol.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/profilefile.h"

#include <QFileInfo>

#include <algorithm>

namespace mosaicon {

namespace {

// A path relative to the page, as an address.
QString relativeAddress(const QString& path, const QString& page_path, QString* fileName = nullptr)
{
    if (fileName)
        *fileName = platform::split_file_path(path).file_name;
    return platform::make_relative_path(path, page_path);
}

using Size = ImageDimensions;

Size headerSize(const QString& path)
{
    const QSize size = image_pixel_size(path).value_or(QSize(0, 0));
    return {QString::number(size.height()), QString::number(size.width())};
}

QString imageTag(const QString& src, const Size& size)
{
    return QStringLiteral("<img src=\"%1\" height=%2 width=%3>").arg(html_address(src), size.height, size.width);
}

QString fileAddress(const QString& path)
{
    return html_text(file_url(path));
}

// The page's name, from the rename question or from the prompt; false when
// the user stopped the run at the prompt.
bool choosePageName(PageRun& run)
{
    Settings& s = settings();
    if (!s.rename_html) {
        PageProposal proposal;
        proposal.title = QStringLiteral("HTML Title");
        proposal.fileName = QStringLiteral("mosaik.htm");
        return run.askForPage(proposal);
    }
    if (s.last_html_directory.isEmpty())
        s.last_html_directory = run.folder();
    QString name = ask_html_file_name(QStringLiteral("mosaik.htm"), QString(), run.folder());
    if (name.isEmpty())
        name = QStringLiteral("mosaik.htm");
    if (!name.contains(QLatin1String(".htm")))
        name += QStringLiteral(".htm");
    run.prompt().o_filename.text = name;
    return true;
}

QString pageBody(PageRun& run)
{
    const Settings& s = settings();
    if (!s.html_background.isEmpty() && s.use_background_image && platform::file_exists(s.html_background))
        return run.backgroundBody(run.folder());
    return body_tag();
}

// The icon that stands for a file that is no picture; its copy in the
// internet directory goes into the copy script. False when there is none.
bool iconFor(PageRun& run, const QString& path, QString& icon)
{
    QString error;
    const std::optional<QString> found =
        get_thumbnail_icon(path, run.internetReady ? run.folder() : QString(), &error);
    icon = found.value_or(QString());
    if (!error.isEmpty())
        run.fail(error);
    else if (found && run.internetReady)
        run.publish(platform::joinPath(run.folder(), QFileInfo(icon).fileName()));
    return found.has_value();
}

// The page lines without a table: each image linked to its full-size page.
// False when the user stopped the run at a full-size page's prompt.
bool writeLinks(PageRun& run, TextFile& page, const QString& page_path, int& written)
{
    const Settings& s = settings();
    for (const QString& path : std::as_const(*run.lists.templist)) {
        if (!platform::file_exists(path))
            continue;
        platform::show_status(QStringLiteral("Adding %1").arg(path));
        ++written;
        QString name;
        const QString relative = relativeAddress(path, page_path, &name);
        QString fullPage = page_path;
        create_full_img_page(run, fullPage, name, path);
        if (run.stopped() || run.failed())
            return false;
        run.publish(path);
        const QString link = QStringLiteral("<A HREF=\"%1\">").arg(html_address(platform::split_path(relative).directory + fullPage));
        QString image;
        QString icon;
        if (is_gif_or_jpg(path)) {
            const QString thumb = s.use_thumbnail ? find_thumbnail(path) : path;
            if (s.use_thumbnail && !thumb.isEmpty() && platform::file_exists(thumb)) {
                image = imageTag(relativeAddress(thumb, page_path), headerSize(thumb));
                run.publish(thumb);
            } else
                image = imageTag(relative, get_image_dimensions(path));
        } else if (iconFor(run, path, icon)) {
            image = imageTag(relativeAddress(icon, page_path), get_image_dimensions(icon));
        } else {
            image = html_text(path);
        }
        page.line(link + image + QStringLiteral("</A>"));
    }
    return true;
}

// What the engine found of one entry before the cell is written.
struct Entry
{
    QString path;
    QString relative;
    QString name;
    bool loaded = false;
    QSize pixels;
    qint64 bytes = 0;
};

// The captions under a cell's picture: title, path or name, pixel and byte sizes.
QString cellCaptions(const Entry& e, bool thumbnailSource)
{
    const Settings& s = settings();
    QString captions;
    const auto caption = [&](const QString& text) { captions += QStringLiteral("<br><center>%1</center>").arg(text); };
    if (s.file_title) {
        const QString title = associated_title(e.path);
        if (!title.isEmpty())
            caption(title);
    }
    if (s.file_name_and_path)
        caption(html_text(e.relative));
    if (s.file_name_only)
        caption(html_text(e.name));
    const QString colour = thumbnailSource ? QStringLiteral("<font color=%1>").arg(s.text_color.text()) : QString();
    const QString colourEnd = thumbnailSource ? QStringLiteral("</font>") : QString();
    if (s.print_pixel_size && is_gif_or_jpg(e.path) && e.loaded)
        captions += QStringLiteral("<br><center>%1(%2 X %3)%4</center>")
                        .arg(colour)
                        .arg(e.pixels.height())
                        .arg(e.pixels.width())
                        .arg(colourEnd);
    if (s.print_kb_size)
        captions += QStringLiteral("<br><center>%1(%2 bytes)%3</center>").arg(colour).arg(e.bytes).arg(colourEnd);
    return captions;
}

// The opening of a GIF or JPEG cell: the link to its full-size page around
// its thumbnail (or the picture itself).
QString imageCellStart(PageRun& run, const Entry& e, const QString& page_path, bool& thumbnailSource)
{
    const Settings& s = settings();
    QString fullPage;
    create_full_img_page(run, fullPage, e.name, e.path);
    run.publish(e.path);
    QString thumb = s.use_thumbnail ? find_thumbnail(e.path) : e.path;
    QString source;
    Size size;
    if (s.use_thumbnail && !thumb.isEmpty()) {
        source = html_address(relativeAddress(thumb, page_path));
        size = get_image_dimensions(thumb);
        thumbnailSource = true;
        run.publish(thumb);
    } else {
        source = s.use_thumbnail ? html_address(e.relative) : fileAddress(e.path);
        size = get_image_dimensions(e.path);
    }
    return QStringLiteral("<td><A HREF=\"%1\"><center><img src=\"%2\" height=%3 width=%4></center>")
        .arg(html_address(platform::split_path(e.relative).directory + fullPage), source, size.height, size.width);
}

// One table cell; "" for a file that is gone.
QString tableCell(PageRun& run, const QString& path, const QString& page_path)
{
    Entry e;
    e.path = path;
    // The size the run's decode found; a picture it could not read has none.
    const auto known = run.pixelSizes.constFind(path);
    e.loaded = known != run.pixelSizes.constEnd();
    if (e.loaded)
        e.pixels = *known;
    e.bytes = QFileInfo(path).size();
    if (!platform::file_exists(path))
        return QString();
    platform::show_status(QStringLiteral("Adding %1").arg(path));
    e.relative = relativeAddress(path, page_path, &e.name);
    bool thumbnailSource = false;
    QString cell;
    if (is_gif_or_jpg(path)) {
        cell = imageCellStart(run, e, page_path, thumbnailSource);
    } else {
        QString icon;
        if (!iconFor(run, path, icon))
            return QStringLiteral("<td><A HREF=\"%1\"><center>%2</center></a></td>")
                .arg(html_address(e.relative), html_text(e.relative.toUpper()));
        const Size size = get_image_dimensions(icon);
        cell = QStringLiteral("<td><A HREF=\"%1\"><center><img src=\"%2\" height=%3 width=%4></center>")
                   .arg(html_address(e.relative), fileAddress(icon), size.height, size.width);
    }
    return cell + cellCaptions(e, thumbnailSource) +
           (thumbnailSource ? QStringLiteral("</A><p></td>") : QStringLiteral("</A><br></td>"));
}

// The table of thumbnails, image_count to a row.
void writeTable(PageRun& run, TextFile& page, const QString& page_path, int& written)
{
    const Settings& s = settings();
    const QStringList& templist = *run.lists.templist;
    page.line(QStringLiteral("<center>"));
    page.line(table_tag());
    page.line(QStringLiteral("<tr>"));
    // A count of 0 or nothing would never step on.
    const int step = std::max(1, setting_number<int>(s, &Settings::image_count));
    for (qsizetype first = 0; first < templist.size(); first += step) {
        QString row;
        const qsizetype last = std::min<qsizetype>(first + step, templist.size());
        for (qsizetype i = first; i < last && !run.failed(); ++i)
            row += tableCell(run, templist.at(i), page_path);
        ++written;
        page.line(row);
        page.line(QStringLiteral("</tr>"));
        page.line(QStringLiteral("<tr>"));
    }
    page.line(QStringLiteral("</table>"));
    page.line(QStringLiteral("</center>"));
}

} // namespace

void create_advanced_html(PageRun& run)
{
    platform::BusyCursor busy;
    // Records used up or written during the run reach the settings file once, at its end.
    platform::ProfileBatch batch;
    run.relativeAddress = true;
    if (!choosePageName(run))
        return;

    const std::optional<QString> opened = run.openPage();
    if (!opened)
        return;
    const QString& page_path = *opened;

    TextFile page;
    write_page_head(page, run.prompt(), pageBody(run), true);
    if (run.savedBlank(page, page_path))
        return;

    int written = 0;
    if (!settings().file_names) {
        if (!writeLinks(run, page, page_path, written)) {
            run.savePage(page, page_path);
            return;
        }
    } else {
        writeTable(run, page, page_path, written);
    }
    if (run.failed())
        return;
    write_page_foot(page, run.prompt());
    if (!run.savePage(page, page_path))
        return;
    run.finish(page_path, written > 0);
}

} // namespace mosaicon
