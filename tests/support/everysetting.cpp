#include "everysetting.h"

#include "testprogram.h"

#include <QDir>
#include <QFileInfo>

using namespace mosaicon;
using namespace Qt::StringLiterals;

namespace {

QString shown(const SettingText& t)
{
    return t.isSet() ? t.text() : u"(unset)"_s;
}
QString shown(bool b)
{
    return b ? u"True"_s : u"False"_s;
}
QString shown(int n)
{
    return QString::number(n);
}
QString shown(ThumbStyle style)
{
    return QString::number(qToUnderlying(style));
}

// A folder path of more than 254 characters.
QString longFolder(const QString& f)
{
    return f + u'/' + QStringList(30, u"holiday-2023"_s).join(u'/');
}

} // namespace

const QStringList filesOfEverySetting{u"logo.gif"_s, u"back.gif"_s, u"guide.htm"_s, u"nav/first.gif"_s,
                                      u"nav/last.gif"_s, u"nav/next.gif"_s, u"nav/previous.gif"_s,
                                      u"nav/index.gif"_s, u"nav/exit.gif"_s};

void createFiles(const TestProgram& tp, const QStringList& names)
{
    for (const QString& name : names) {
        QDir().mkpath(QFileInfo(tp.path(name)).path());
        tp.write(name, "GIF89a");
    }
}

QStringList describe(const Settings& s)
{
    QStringList out;
#define SHOW(name) out << QStringLiteral(#name " = ") + shown(s.name)
    SHOW(editor_command); SHOW(last_html_directory); SHOW(target_dir); SHOW(last_directory);
    SHOW(internet_dir); SHOW(last_drive); SHOW(last_image_type); SHOW(pixel_height); SHOW(pixel_width);
    SHOW(table_cell_padding); SHOW(load_delay); SHOW(logo_file); SHOW(html_background);
    SHOW(html_help_file); SHOW(top_banner); SHOW(top_banner_link); SHOW(bottom_banner);
    SHOW(bottom_banner_link); SHOW(thumb_bg_color); SHOW(thumb_dither); SHOW(thumb_quality);
    SHOW(thumb_smoothing); SHOW(thumb_optimize); SHOW(prefix_thumbnail_file); SHOW(file_title);
    SHOW(thumb_style); SHOW(images_in_source_dir); SHOW(use_background_image); SHOW(internet_ready);
    SHOW(purge_internet_dir); SHOW(image_count); SHOW(thumb_size); SHOW(rename_html); SHOW(use_thumbnail);
    SHOW(header_and_footer); SHOW(gif_jpeg_only); SHOW(create_batch_files); SHOW(relative_address);
    SHOW(print_kb_size); SHOW(print_pixel_size); SHOW(file_name_only); SHOW(file_name_and_path);
    SHOW(auto_start_browser); SHOW(auto_start_editor); SHOW(create_thumbnail_flag); SHOW(thumb_3d);
    SHOW(file_names); SHOW(image_borders); SHOW(individual_selections); SHOW(logo_background);
    SHOW(maintain_ratio); SHOW(assoc_text_dir); SHOW(text_color); SHOW(vlink_color); SHOW(link_color);
    SHOW(alink_color); SHOW(image_border_color); SHOW(background_color); SHOW(full_img_location);
    SHOW(full_img_layout); SHOW(full_img_use_text); SHOW(full_img_with_options); SHOW(first_icon);
    SHOW(last_icon); SHOW(next_icon); SHOW(previous_icon); SHOW(index_icon); SHOW(exit_icon);
    SHOW(slide_image_height); SHOW(slide_delay); SHOW(use_image_directory); SHOW(use_frames);
    SHOW(auto_advance); SHOW(display_title); SHOW(preformatted_text); SHOW(use_associated_text);
    SHOW(slide_loop); SHOW(rename_slide); SHOW(html_icon_1); SHOW(html_icon_2); SHOW(html_icon_3);
    SHOW(html_icon_4);
#undef SHOW
    return out;
}

Settings defaultSettings(const QString& f)
{
    Settings s;
    const QString none;
    s.editor_command = none;
    s.last_html_directory = none;
    s.target_dir = none;
    s.last_directory = f + u"/html"_s;
    s.internet_dir = f + u"/html"_s;
    s.last_drive = none;
    s.last_image_type = none;
    s.pixel_height = u"25"_s;
    s.pixel_width = u"25"_s;
    s.table_cell_padding = u"10"_s;
    s.html_background = none;
    s.html_help_file = f + u"/mknhelp.htm"_s;
    s.top_banner = none;
    s.top_banner_link = none;
    s.bottom_banner = none;
    s.bottom_banner_link = none;
    s.thumb_bg_color = u"16777215"_s;
    s.thumb_dither = u"1"_s;
    s.thumb_quality = u"75"_s;
    s.thumb_smoothing = u"0"_s;
    s.thumb_style = ThumbStyle::WithoutBorders;
    s.internet_ready = true;
    s.image_count = none;
    s.thumb_size = none;
    s.logo_background = 12632256;
    s.maintain_ratio = true;
    s.assoc_text_dir = f + u"/assoctxt"_s;
    s.text_color = u"#000000"_s;
    s.vlink_color = u"#FF0000"_s;
    s.link_color = u"#0000FF"_s;
    s.alink_color = u"#000000"_s;
    s.image_border_color = u"#0000FF"_s;
    s.background_color = u"#FFFFFF"_s;
    s.full_img_location = u"left"_s;
    s.full_img_layout = u"#1"_s;
    s.first_icon = none;
    s.last_icon = none;
    s.next_icon = none;
    s.previous_icon = none;
    s.index_icon = none;
    s.exit_icon = none;
    s.slide_image_height = none;
    s.slide_delay = none;
    s.use_image_directory = true;
    s.use_frames = true;
    s.html_icon_1 = u"quick"_s;
    s.html_icon_2 = u"simple"_s;
    s.html_icon_3 = u"advanced"_s;
    s.html_icon_4 = u"vertical"_s;
    return s;
}

Settings everySettingChanged(const QString& f)
{
    Settings s;
    s.editor_command = u"/usr/bin/gimp"_s;
    s.last_html_directory = f + u"/pages"_s;
    s.target_dir = f + u"/target"_s;
    s.last_directory = longFolder(f);
    s.internet_dir = f + u"/web"_s;
    s.last_drive = u"/media/card"_s;
    s.last_image_type = u"*.jpg"_s;
    s.pixel_height = u"120"_s;
    s.pixel_width = u"160"_s;
    s.table_cell_padding = u"4"_s;
    s.load_delay = -5;
    s.logo_file = f + u"/logo.gif"_s;
    s.html_background = f + u"/back.gif"_s;
    s.html_help_file = f + u"/guide.htm"_s;
    s.top_banner = u"Café Ürlaub – 2023"_s;
    s.top_banner_link = u"https://example.org/top"_s;
    s.bottom_banner = u"Bottom = end"_s;
    s.bottom_banner_link = u"https://example.org/bottom"_s;
    s.thumb_bg_color = u"255"_s;
    s.thumb_dither = u"0"_s;
    s.thumb_quality = u"90"_s;
    s.thumb_smoothing = u"2"_s;
    s.thumb_optimize = true;
    s.prefix_thumbnail_file = true;
    s.file_title = true;
    s.thumb_style = ThumbStyle::WithBorders;
    s.images_in_source_dir = true;
    s.use_background_image = true;
    s.internet_ready = false;
    s.purge_internet_dir = true;
    s.image_count = u"48"_s;
    s.thumb_size = u"150"_s;
    s.rename_html = true;
    s.use_thumbnail = true;
    s.header_and_footer = true;
    s.gif_jpeg_only = true;
    s.create_batch_files = true;
    s.relative_address = true;
    s.print_kb_size = true;
    s.print_pixel_size = true;
    s.file_name_only = true;
    s.file_name_and_path = true;
    s.auto_start_browser = true;
    s.auto_start_editor = true;
    s.create_thumbnail_flag = true;
    s.thumb_3d = true;
    s.file_names = true;
    s.image_borders = true;
    s.individual_selections = true;
    s.logo_background = 1193046;
    s.maintain_ratio = false;
    s.assoc_text_dir = f + u"/texts"_s;
    s.text_color = u"#111111"_s;
    s.vlink_color = u"#222222"_s;
    s.link_color = u"#333333"_s;
    s.alink_color = u"#444444"_s;
    s.image_border_color = u"#555555"_s;
    s.background_color = u"#666666"_s;
    s.full_img_location = u"right"_s;
    s.full_img_layout = u"#3"_s;
    s.full_img_use_text = true;
    s.full_img_with_options = true;
    s.first_icon = f + u"/nav/first.gif"_s;
    s.last_icon = f + u"/nav/last.gif"_s;
    s.next_icon = f + u"/nav/next.gif"_s;
    s.previous_icon = f + u"/nav/previous.gif"_s;
    s.index_icon = f + u"/nav/index.gif"_s;
    s.exit_icon = f + u"/nav/exit.gif"_s;
    s.slide_image_height = u"480"_s;
    s.slide_delay = u"5"_s;
    s.use_image_directory = false;
    s.use_frames = false;
    s.auto_advance = true;
    s.display_title = true;
    s.preformatted_text = true;
    s.use_associated_text = true;
    s.slide_loop = true;
    s.rename_slide = true;
    s.html_icon_1 = u"vertical"_s;
    s.html_icon_2 = u"advanced"_s;
    s.html_icon_3 = u"simple"_s;
    s.html_icon_4 = u"quick"_s;
    return s;
}
