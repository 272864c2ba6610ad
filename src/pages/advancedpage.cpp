#include "pages/advancedpage.h"

#include "pagekit/batchfiles.h"
#include "pages/createhtml.h"
#include "pages/fullimagepage.h"
#include "pagekit/generatedfiles.h"
#include "pagekit/imageheaders.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pageprompt.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"
#include "pagekit/thumbnails.h"

#include "settings/associatedtext.h"
#include "settings/helpers.h"
#include "settings/program.h"
#include "settings/thumbnailrecords.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>

#include <algorithm>

namespace mosaicon {

namespace {

// A path relative to the page, as an address.
QString relativeAddress(const QString& path, const QString& page_path, QString* fileName = nullptr)
{
    QString relative = path;
    QString name;
    make_relative_path(relative, page_path, name);
    if (fileName)
        *fileName = name;
    return relative;
}

QString folderOf(const QString& relative)
{
    const qsizetype slash = relative.lastIndexOf(u'/');
    return slash < 0 ? QString() : relative.left(slash + 1);
}

struct Size
{
    QString height;
    QString width;
};

Size headerSize(const QString& path)
{
    Program& p = program();
    const QString tail = path.right(4).toLower();
    if (tail == QLatin1String(".gif"))
        read_gif_info(path);
    else if (tail == QLatin1String(".jpg"))
        read_jpg_info(path);
    return {QString::number(p.img_height), QString::number(p.img_width)};
}

Size dimensions(const QString& path)
{
    QString h;
    QString w;
    get_image_dimensions(path, h, w);
    return {h, w};
}

QString imageTag(const QString& src, const Size& size)
{
    return QStringLiteral("<img src=\"%1\" height=%2 width=%3>").arg(html_address(src), size.height, size.width);
}

} // namespace

void create_advanced_html(PageLists& lists)
{
    Program& p = program();
    Settings& s = p.settings;
    platform::BusyCursor busy;
    // Records used up or written during the run reach the settings file once, at its end.
    platform::ProfileBatch batch;
    const bool savedRelative = s.relative_address;
    s.relative_address = true;
    const auto restore = qScopeGuard([&] { s.relative_address = savedRelative; });

    PagePrompt* prompt = frm_htmltitle.load();
    if (s.rename_html) {
        if (s.last_html_directory.isEmpty())
            s.last_html_directory = s.internet_dir.text();
        QString name = QStringLiteral("mosaik.htm");
        ask_html_file_name(name, QString());
        if (name.isEmpty())
            name = QStringLiteral("mosaik.htm");
        if (!name.contains(QLatin1String(".htm")))
            name += QStringLiteral(".htm");
        prompt->o_filename.text = name;
    } else {
        PageProposal proposal;
        proposal.title = QStringLiteral("HTML Title");
        proposal.fileName = QStringLiteral("mosaik.htm");
        if (!prompt_for_page(proposal))
            return;
    }

    QString page_path;
    if (!page_path_from_prompt(page_path))
        return;
    list_generated_file(page_path);
    if (s.create_batch_files)
        start_batch_files(page_path);

    QString body = body_tag();
    if (!s.html_background.isEmpty() && s.use_background_image && file_exists(s.html_background)) {
        QString bgDir;
        QString bgName;
        split_file_path(s.html_background, bgDir, bgName);
        platform::copyFile(s.html_background, platform::joinPath(s.internet_dir, bgName));
        body = QStringLiteral("<body background=\"%1\" text=%2 link=%3 vlink=%4 alink=%5 >")
                   .arg(html_address(bgName), s.text_color.text(), s.link_color.text(), s.vlink_color.text(),
                        s.alink_color.text());
    }

    TextFile page;
    const auto save = [&] { return save_page(page, page_path); };
    write_page_head(page, body, true);
    const QStringList& templist = *lists.templist;
    if (templist.isEmpty()) {
        show_status(QStringLiteral("The file list is blank."));
        save();
        return;
    }

    int written = 0;
    if (!s.file_names) {
        for (const QString& path : templist) {
            if (!file_exists(path))
                continue;
            show_status(QStringLiteral("Adding %1").arg(path));
            ++written;
            QString name;
            const QString relative = relativeAddress(path, page_path, &name);
            QString fullPage = page_path;
            create_full_img_page(fullPage, name, path);
            if (p.page_prompt_cancel) {
                save();
                return;
            }
            const QString link = QStringLiteral("<A HREF=\"%1\">").arg(html_address(folderOf(relative) + fullPage));
            QString image;
            if (is_gif_or_jpg(path)) {
                QString thumb = path;
                if (s.use_thumbnail)
                    find_thumbnail(thumb);
                if (s.use_thumbnail && !thumb.isEmpty() && file_exists(thumb))
                    image = imageTag(relativeAddress(thumb, page_path), headerSize(thumb)) + QStringLiteral("</A>");
                else
                    image = imageTag(relative, dimensions(path)) + QStringLiteral("</A>");
            } else {
                QString icon;
                if (get_thumbnail_icon(path, icon))
                    image = imageTag(relativeAddress(icon, page_path), dimensions(p.thumbnail_icon_file)) +
                            QStringLiteral("</A>");
                else
                    image = html_text(path) + QStringLiteral("</A>");
            }
            page.line(link + image);
        }
    } else {
        page.line(QStringLiteral("<center>"));
        page.line(QStringLiteral("<table border=%1 cellpadding=%2>")
                      .arg(s.image_borders ? 1 : 0)
                      .arg(s.table_cell_padding.text()));
        page.line(QStringLiteral("<tr>"));
        // A count of 0 or nothing would never step on.
        const int step = std::max(1, int(platform::val(s.image_count)));
        platform::ImageControl& engine = o_tn();
        for (qsizetype first = 0; first < templist.size(); first += step) {
            QString row;
            const qsizetype last = std::min<qsizetype>(first + step, templist.size());
            for (qsizetype i = first; i < last; ++i) {
                const QString& path = templist.at(i);
                // Only the pixel size is wanted: a tiny decode gives it as well as a full one.
                engine.setFileName(QString());
                engine.setSizeLimit(8);
                const bool loaded = engine.setFileName(path);
                const qint64 bytes = QFileInfo(path).size();
                if (!file_exists(path))
                    continue;
                show_status(QStringLiteral("Adding %1").arg(path));
                QString name;
                const QString relative = relativeAddress(path, page_path, &name);
                QString captions;
                const auto caption = [&](const QString& text) {
                    captions += QStringLiteral("<br><center>%1</center>").arg(text);
                };
                bool thumbnailSource = false;
                QString cell;
                if (is_gif_or_jpg(path)) {
                    QString fullPage;
                    create_full_img_page(fullPage, name, path);
                    QString thumb = path;
                    if (s.use_thumbnail)
                        find_thumbnail(thumb);
                    QString source;
                    Size size;
                    if (s.use_thumbnail && !thumb.isEmpty()) {
                        source = html_address(relativeAddress(thumb, page_path));
                        size = dimensions(thumb);
                        thumbnailSource = true;
                        if (s.create_batch_files)
                            add_copy_line(thumb);
                    } else if (s.use_thumbnail) {
                        source = html_address(relative);
                        size = dimensions(path);
                    } else {
                        source = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
                        size = dimensions(path);
                    }
                    cell = QStringLiteral("<td><A HREF=\"%1\"><center><img src=\"%2\" height=%3 width=%4></center>")
                               .arg(html_address(folderOf(relative) + fullPage), source, size.height, size.width);
                } else {
                    QString icon;
                    if (!get_thumbnail_icon(path, icon)) {
                        row += QStringLiteral("<td><A HREF=\"%1\"><center>%2</center></a></td>")
                                   .arg(html_address(relative), html_text(relative.toUpper()));
                        continue;
                    }
                    const Size size = dimensions(p.thumbnail_icon_file);
                    cell = QStringLiteral("<td><A HREF=\"%1\"><center><img src=\"%2\" height=%3 width=%4></center>")
                               .arg(html_address(relative), QString::fromUtf8(QUrl::fromLocalFile(icon).toEncoded()),
                                    size.height, size.width);
                }
                if (s.file_title) {
                    const QString title = associated_title(path);
                    if (!title.isEmpty())
                        caption(title);
                }
                if (s.file_name_and_path)
                    caption(html_text(relative));
                if (s.file_name_only)
                    caption(html_text(name));
                const QString colour = thumbnailSource ? QStringLiteral("<font color=%1>").arg(s.text_color.text())
                                                       : QString();
                const QString colourEnd = thumbnailSource ? QStringLiteral("</font>") : QString();
                if (s.print_pixel_size && is_gif_or_jpg(path) && loaded)
                    captions += QStringLiteral("<br><center>%1(%2 X %3)%4</center>")
                                    .arg(colour)
                                    .arg(engine.imageHeight())
                                    .arg(engine.imageWidth())
                                    .arg(colourEnd);
                if (s.print_kb_size)
                    captions += QStringLiteral("<br><center>%1(%2 bytes)%3</center>").arg(colour).arg(bytes).arg(colourEnd);
                row += cell + captions + (thumbnailSource ? QStringLiteral("</A><p></td>") : QStringLiteral("</A><br></td>"));
            }
            ++written;
            page.line(row);
            page.line(QStringLiteral("</tr>"));
            page.line(QStringLiteral("<tr>"));
        }
        page.line(QStringLiteral("</table>"));
        page.line(QStringLiteral("</center>"));
    }
    write_page_foot(page);
    if (!save())
        return;
    end_page_run(page_path, written > 0);
}

} // namespace mosaicon
