#include "pages/fullimagepage.h"

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

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/profilefile.h"


#include <functional>

namespace mosaicon {

namespace {

// Fits the preview inside its frame, keeping its proportions.
void fillPreview(PagePrompt& prompt, const QString& image_path)
{
    platform::ImageControl& preview = prompt.o_image;
    const double boxWidth = prompt.Frame3.width - 280;
    const double boxHeight = prompt.Frame3.height - 320;
    preview.setFitMode(1);
    // Decoding a large photo at preview size is much faster than at full size.
    preview.setSizeLimit(int(std::max(boxWidth, boxHeight) / platform::twipsPerPixel));
    if (!preview.setFileName(image_path))
        return;
    if (preview.width() >= boxWidth) {
        const double r = boxWidth / preview.width();
        preview.setHeight(preview.height() * r);
        preview.setWidth(preview.width() * r);
        preview.setFitMode(2);
    }
    if (preview.height() >= boxHeight) {
        const double r = boxHeight / preview.height();
        preview.setWidth(preview.width() * r);
        preview.setHeight(preview.height() * r);
        preview.setFitMode(3);
    }
}

} // namespace

bool create_full_img_page(QString& page_ref, const QString& image_ref, const QString& image_path)
{
    Program& p = program();
    const Settings& s = p.settings;
    if (!s.full_img_with_options || !is_gif_or_jpg(image_ref)) {
        page_ref = image_ref;
        return true;
    }

    PagePrompt* prompt = frm_htmltitle.load();
    fillPreview(*prompt, image_path);
    prompt->o_filename.text = image_path;
    prompt->f_file_name.caption = QStringLiteral("File Name For The HTML page");
    QString directory;
    QString fileName;
    split_file_path(image_path, directory, fileName);
    if (!p.use_title_for_all) {
        const QString stored = associated_title(image_path);
        prompt->o_title.text = stored.isEmpty() ? fileName : stored;
        prompt->o_title_tag.text = prompt->o_title.text;
    }
    prompt->Frame3.visible = true;
    if (!prompt->o_use_default_values.value && !s.header_and_footer) {
        if (is_gif_or_jpg(prompt->o_filename.text)) {
            prompt->f_file_name.caption = QStringLiteral("Image File Name");
            prompt->o_filename.enabled = false;
        } else {
            prompt->o_filename.enabled = true;
        }
        frm_htmltitle.showModal();
    }
    if (p.page_prompt_cancel)
        return true;
    prompt->Frame3.visible = true;

    QString name;
    ask_html_file_name(name, image_path, directory);
    page_ref = name;
    const QString page_path = platform::joinPath(directory, name);

    if (s.create_batch_files) {
        add_delete_line(page_path);
        add_copy_line(page_path);
        add_copy_line(image_path);
    }
    list_generated_file(page_path);
    TextFile page;
    page.line(QStringLiteral("<html>"));
    page.line(QStringLiteral("<title>%1</title>").arg(prompt->o_title_tag.text));
    if (s.use_background_image) {
        QString bgDir;
        QString bgName;
        split_file_path(s.html_background, bgDir, bgName);
        platform::copyFile(s.html_background, platform::joinPath(directory, bgName));
        page.line(QStringLiteral("<body background=\"%1\" text=%2 link=%3 vlink=%4 alink=%5 >")
                      .arg(html_address(bgName), s.text_color.text(), s.link_color.text(), s.vlink_color.text(),
                           s.alink_color.text()));
    } else {
        page.line(body_tag());
    }
    write_banner(page, p.top_banner_ref, s.top_banner_link);

    const QString key = directory + image_ref;
    const QString title = s.file_title ? associated_title(key) : prompt->o_title.text;
    page.line(QStringLiteral("<center><strong><h1>%1</h1></strong></center>").arg(title));
    page.line(QStringLiteral("<p>"));
    if (!prompt->o_default.value && !key.contains(title))
        store_associated_title(key, title);

    const QString tail = image_path.right(4).toLower();
    if (tail == QLatin1String(".gif"))
        read_gif_info(image_path);
    else if (tail == QLatin1String(".jpg"))
        read_jpg_info(image_path);
    const QString height = platform::strForm(p.img_height);
    const QString width = platform::strForm(p.img_width);
    const QString src = html_address(image_ref);
    QString imageLine;
    if (s.full_img_location.text() == QLatin1String("left"))
        imageLine = QStringLiteral("<img src=\"%1\" height=%2 width=%3>").arg(src, height, width);
    else if (s.full_img_location.text() == QLatin1String("center"))
        imageLine = QStringLiteral("<center><img src=\"%1\" height=%2 width=%3 ></center>").arg(src, height, width);
    else if (s.full_img_location.text() == QLatin1String("right"))
        imageLine = QStringLiteral("<img src=\"%1\" height=%2 width=%3 align=right>").arg(src, height, width);

    if (!s.full_img_use_text) {
        page.line(imageLine);
    } else {
        const QString text = associated_page_text(key, s.preformatted_text);
        const QString layout = s.full_img_layout;
        const bool known = layout == QLatin1String("#1") || layout == QLatin1String("#2") ||
                           layout == QLatin1String("#3") || layout == QLatin1String("#4");
        if (known && text.isEmpty()) {
            page.line(imageLine);
        } else if (known) {
            const auto textBlock = [&] {
                if (s.preformatted_text)
                    page.line(QStringLiteral("<pre>"));
                page.line(QStringLiteral("<b><u>%1</u></b><br>").arg(title));
                page.line(text);
                if (s.preformatted_text)
                    page.line(QStringLiteral("</pre>"));
            };
            const auto rule = [&] {
                page.line(QStringLiteral("<p>"));
                page.line(QStringLiteral("<hr>"));
                page.line(QStringLiteral("<p>"));
            };
            const auto cell = [&](const std::function<void()>& content) {
                page.line(QStringLiteral("<td>"));
                content();
                page.line(QStringLiteral("</td>"));
            };
            const auto table = [&](const std::function<void()>& first, const std::function<void()>& second) {
                page.line(QStringLiteral("<table border=%1 cellpadding=%2>")
                              .arg(s.image_borders ? 1 : 0)
                              .arg(s.table_cell_padding.text()));
                page.line(QStringLiteral("<tr>"));
                cell(first);
                cell(second);
                page.line(QStringLiteral("</tr>"));
                page.line(QStringLiteral("</table>"));
            };
            const auto image = [&] { page.line(imageLine); };
            if (layout == QLatin1String("#1")) {
                image();
                rule();
                textBlock();
            } else if (layout == QLatin1String("#2")) {
                textBlock();
                rule();
                image();
            } else if (layout == QLatin1String("#3")) {
                table(textBlock, image);
            } else {
                table(image, textBlock);
            }
        }
    }
    write_banner(page, p.bottom_banner_ref, s.bottom_banner_link);
    write_copyright(page);
    page.line(QStringLiteral("</body>"));
    page.line(QStringLiteral("</html>"));
    return page.save(page_path);
}

} // namespace mosaicon
