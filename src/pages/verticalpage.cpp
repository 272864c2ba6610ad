#include "pages/verticalpage.h"

#include "pagekit/batchfiles.h"
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
#include "platform/numbers.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QScopeGuard>
#include <QUrl>

#include <functional>

namespace mosaicon {

namespace {

const QString defaultName = QStringLiteral("mosaik.htm");

QString fileNameOf(const QString& path)
{
    QString dir;
    QString name;
    split_file_path(path, dir, name);
    return name;
}

QString folderOf(const QString& path)
{
    QString dir;
    QString name;
    split_file_path(path, dir, name);
    return dir;
}

// The page's name as the user chose it; only its file name is used later.
// Empty when the user cancelled the save dialog.
std::optional<QString> chooseName()
{
    Program& p = program();
    Settings& s = p.settings;
    const QString programPage = platform::joinPath(p.program_folder, defaultName);
    if (!s.rename_html)
        return s.internet_ready ? platform::joinPath(s.internet_dir, defaultName) : programPage;

    platform::FileDialogRequest request;
    request.title = QStringLiteral("Select Mosaicon Output File");
    request.filter = QStringLiteral("HTML (*.htm)|*.htm|All Files (*.*)|*.*");
    request.fileName = defaultName;
    request.forSaving = true;
    QString name;
    if (s.internet_ready) {
        if (s.last_html_directory.isEmpty())
            s.last_html_directory = s.internet_dir.text();
        const std::optional<QString> answer =
            platform::ui().inputBox(QStringLiteral("What is the name of the HTML file?"), p.product_title, defaultName);
        const QString typed = answer.value_or(QString());
        name = fileNameOf(typed);
        if (name.isEmpty())
            name = typed.isEmpty() ? defaultName : typed;
        if (!name.contains(QLatin1String(".htm")))
            name += QStringLiteral(".htm");
        name = platform::joinPath(s.internet_dir, name);
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
QString bodyLine(const QString& page_path)
{
    const Settings& s = settings();
    if (s.html_background.isEmpty() || !s.use_background_image)
        return body_tag();
    const auto withBackground = [&](const QString& address) {
        return QStringLiteral("<body background=\"%1\" text=%2 link=%3 vlink=%4 alink=%5 >")
            .arg(address, s.text_color.text(), s.link_color.text(), s.vlink_color.text(), s.alink_color.text());
    };
    if (!s.relative_address)
        return withBackground(html_text(QString::fromUtf8(QUrl::fromLocalFile(s.html_background).toEncoded())));
    if (!s.internet_ready) {
        QString relative = s.html_background;
        QString name;
        make_relative_path(relative, page_path, name);
        return withBackground(html_address(relative));
    }
    if (!file_exists(s.html_background))
        return body_tag();
    const QString name = fileNameOf(s.html_background);
    platform::copyFile(s.html_background, platform::joinPath(s.internet_dir, name));
    return withBackground(html_address(name));
}

// The image line of an entry by where the image is to stand; an unknown
// place keeps the previous entry's line.
void buildImageLine(QString& line, const QString& image, const QString& thumb, const QString& h, const QString& w)
{
    const Settings& s = settings();
    const QString location = s.full_img_location;
    const QString img = html_address(image);
    const QString tn = html_address(thumb);
    if (s.use_thumbnail) {
        if (location == QLatin1String("left"))
            line = QStringLiteral("<a href=\"%1\"><img src=\"%2\" height=%3 width=%4></a>").arg(img, tn, h, w);
        else if (location == QLatin1String("center"))
            line = QStringLiteral("<center><a href=\"%1\"><img src=\"%2\" height=%3 width=%4 ></a></center>")
                       .arg(img, tn, h, w);
        else if (location == QLatin1String("right"))
            line = QStringLiteral("<a href=\"%1\"><img src=\"%2\" height=%3 width=%4 align=right></a>")
                       .arg(img, tn, h, w);
        return;
    }
    if (location == QLatin1String("left"))
        line = QStringLiteral("<img src=\"%1\" height=%2 width=%3 > ").arg(img, h, w);
    else if (location == QLatin1String("center"))
        line = QStringLiteral("<center><img src=\"%1\" height=%2 width=%3 ></center>").arg(img, h, w);
    else if (location == QLatin1String("right"))
        line = QStringLiteral("<img src=\"%1\" height=%2 width=%3 align=right>").arg(img, h, w);
}

// Image and associated text of one entry, placed by the layout.
void writeBlock(TextFile& page, const QString& layout, const QString& imageLine, const QString& key)
{
    const Settings& s = settings();
    const QString text = associated_page_text(key, s.preformatted_text);
    const auto textBlock = [&] {
        if (s.preformatted_text)
            page.line(QStringLiteral("<pre>"));
        page.line(QStringLiteral("<b><u>%1</u></b><br>").arg(associated_title(key)));
        page.line(text);
        if (s.preformatted_text)
            page.line(QStringLiteral("</pre>"));
    };
    const auto image = [&] { page.line(imageLine); };
    const auto cell = [&](const std::function<void()>& content) {
        page.line(QStringLiteral("<td>"));
        content();
        page.line(QStringLiteral("</td>"));
    };
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
            cell(textFirst ? std::function<void()>(textBlock) : std::function<void()>(image));
            cell(textFirst ? std::function<void()>(image) : std::function<void()>(textBlock));
        }
        page.line(QStringLiteral("</tr>"));
    }
}

} // namespace

void create_vertical_html(PageLists& lists)
{
    Program& p = program();
    Settings& s = p.settings;
    platform::BusyCursor busy;
    // Records used up or written during the run reach the settings file once, at its end.
    platform::ProfileBatch batch;
    const bool savedRelative = s.relative_address;
    if (s.internet_ready)
        s.relative_address = true;
    const auto restore = qScopeGuard([&] { s.relative_address = savedRelative; });

    const std::optional<QString> chosen = chooseName();
    if (!chosen)
        return;
    PageProposal proposal;
    proposal.title = QStringLiteral("HTML Title");
    proposal.fileName = fileNameOf(*chosen);
    if (!prompt_for_page(proposal))
        return;
    const bool rules = frm_htmltitle->o_use_hr.value;

    QString page_path;
    if (!page_path_from_prompt(page_path))
        return;
    list_generated_file(page_path);
    if (s.create_batch_files)
        start_batch_files(page_path);

    TextFile page;
    write_page_head(page, bodyLine(page_path), rules);
    const QStringList& templist = *lists.templist;
    if (templist.isEmpty()) {
        show_status(QStringLiteral("The file list is blank."));
        save_page(page, page_path);
        return;
    }

    const QString layout = s.full_img_layout;
    const bool inTable = layout == QLatin1String("#3") || layout == QLatin1String("#4");
    if (inTable)
        page.line(QStringLiteral("<table border=%1 cellpadding=%2 width=100%>")
                      .arg(s.image_borders ? 1 : 0)
                      .arg(s.table_cell_padding.text()));
    int images = 0;
    QString imageLine;
    for (qsizetype i = 0; i < templist.size(); ++i) {
        const QString& path = templist.at(i);
        if (!is_gif_or_jpg(path))
            continue;
        ++images;
        QString thumb = path;
        find_thumbnail(thumb);
        if (thumb.isEmpty()) {
            QString made;
            create_thumbnail(path, made, QStringLiteral("thumbnail"));
        }
        const QString imageName = fileNameOf(path);
        QString thumbName = fileNameOf(thumb);
        if (thumbName.isEmpty())
            thumbName = imageName;

        const QString measured = thumb.isEmpty() ? path : thumb;
        const QString tail = measured.right(4).toLower();
        if (tail == QLatin1String(".gif"))
            read_gif_info(measured);
        else if (tail == QLatin1String(".jpg"))
            read_jpg_info(measured);
        const QString h = platform::strForm(p.img_height);
        const QString w = platform::strForm(p.img_width);

        if (s.full_img_with_options) {
            buildImageLine(imageLine, imageName, thumbName, h, w);
            if (s.full_img_use_text)
                writeBlock(page, layout, imageLine, path);
            else
                page.line(QStringLiteral("<center><a href=\"%1\"><img src=\"%2\" ></a></center>")
                              .arg(html_address(imageName), html_address(thumbName)));
        } else {
            QString height;
            QString width;
            get_image_dimensions(measured, height, width);
            page.line(QStringLiteral("<center><a href=\"%1\"><img src=\"%2\"width='%3' height='%4' ></a></center>")
                          .arg(html_address(imageName), html_address(thumbName), width, height));
        }

        const bool last = i == templist.size() - 1;
        if (!last && rules) {
            if (inTable) {
                for (const char* l : {"  <tr>", "    <td>", "      <hr>", "      <p>", "    </td>", "    <td>",
                                      "      <hr>", "      <p>", "    </td>", "  </tr>"})
                    page.line(QString::fromLatin1(l));
            } else {
                page.line(QStringLiteral("      <p>"));
                page.line(QStringLiteral("      <hr>"));
            }
        }
        if (!inTable)
            page.line(QStringLiteral("      <p>"));
    }
    if (inTable)
        page.line(QStringLiteral("</table>"));
    write_page_foot(page);

    if (images == 0) {
        end_page_run(page_path, false);
        return;
    }
    if (!save_page(page, page_path))
        return;
    end_page_run(page_path, true, EditorStart::DirectWhenAlone);
}

} // namespace mosaicon
