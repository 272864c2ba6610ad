#pragma once

#include "settings/settingtext.h"

#include <QtGlobal>

#include <limits>

namespace mosaicon {

// The look of thumbnails, by the values the settings file names.
enum class ThumbStyle : qint16
{
    // "With Borders": the picture reduced to the thumbnail size.
    WithBorders = 0,
    // "Without Borders": the picture fitted into a box of the thumbnail size.
    WithoutBorders = 1,
};

// Every style but With Borders fits the thumbnail into its box.
constexpr bool is_styled(ThumbStyle style)
{
    return style != ThumbStyle::WithBorders;
}

// The program settings: every option the user can set, held in memory from
// the settings file's READ at start-up to its WRITE at shut-down. Numbers the
// user types are kept as text and converted where used.
struct Settings
{
    SettingText editor_command;
    SettingText last_html_directory;
    SettingText target_dir;
    SettingText last_directory;
    SettingText internet_dir;
    SettingText last_drive;
    SettingText last_image_type;
    SettingText pixel_height;
    SettingText pixel_width;
    SettingText table_cell_padding;
    qint16 load_delay = 0;
    SettingText logo_file;
    SettingText html_background;
    SettingText html_help_file;
    SettingText top_banner;
    SettingText top_banner_link;
    SettingText bottom_banner;
    SettingText bottom_banner_link;
    SettingText thumb_bg_color;
    SettingText thumb_dither;
    SettingText thumb_quality;
    SettingText thumb_smoothing;
    bool thumb_optimize = false;
    bool prefix_thumbnail_file = false;
    bool file_title = false;
    ThumbStyle thumb_style = ThumbStyle::WithBorders;
    bool images_in_source_dir = false;
    bool use_background_image = false;
    bool internet_ready = false;
    bool purge_internet_dir = false;
    SettingText image_count;
    SettingText thumb_size;
    bool rename_html = false;
    bool use_thumbnail = false;
    bool header_and_footer = false;
    bool gif_jpeg_only = false;
    bool create_batch_files = false;
    bool relative_address = false;
    bool print_kb_size = false;
    bool print_pixel_size = false;
    bool file_name_only = false;
    bool file_name_and_path = false;
    bool auto_start_browser = false;
    bool auto_start_editor = false;
    bool create_thumbnail_flag = false;
    bool thumb_3d = false;
    bool file_names = false;
    bool image_borders = false;
    bool individual_selections = false;
    qint32 logo_background = 0;
    bool maintain_ratio = false;
    SettingText assoc_text_dir;

    SettingText text_color;
    SettingText vlink_color;
    SettingText link_color;
    SettingText alink_color;
    SettingText image_border_color;
    SettingText background_color;

    SettingText full_img_location;
    SettingText full_img_layout;
    bool full_img_use_text = false;
    bool full_img_with_options = false;

    SettingText first_icon;
    SettingText last_icon;
    SettingText next_icon;
    SettingText previous_icon;
    SettingText index_icon;
    SettingText exit_icon;
    SettingText slide_image_height;
    SettingText slide_delay;
    bool use_image_directory = false;
    bool use_frames = false;
    bool auto_advance = false;
    bool display_title = false;
    bool preformatted_text = false;
    bool use_associated_text = false;
    bool slide_loop = false;
    bool rename_slide = false;

    SettingText html_icon_1;
    SettingText html_icon_2;
    SettingText html_icon_3;
    SettingText html_icon_4;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The whole number a numeric text setting holds (its fraction dropped) when it
// lies within [min, max]; otherwise the number of the default that the
// settings file's table gives the setting's key (0 for a key without one).
qint64 setting_number(const Settings& s, SettingText Settings::*member, qint64 min, qint64 max);

// setting_number() within the range of the integer type it is wanted as.
template <typename Int> Int setting_number(const Settings& s, SettingText Settings::*member)
{
    return Int(setting_number(s, member, std::numeric_limits<Int>::min(),
                              std::numeric_limits<Int>::max()));
}

// The fixed default the settings file's table gives a text setting's key
// ("" for a key without one, or with one that depends on the program folder).
// A "text" key keeps its default out of READ: users of an empty value take it.
QString setting_default(SettingText Settings::*member);

// Reads a text setting's key from the settings file again, as the table
// names it: the stored value, or the key's default when it is empty.
void reread_setting(Settings& s, SettingText Settings::*member);

// The thumbnail background the image windows and the colour pickers start
// from; a text that is no whole number reads as 0 (black).
inline quint32 thumb_back_color(const Settings& s)
{
    return s.thumb_bg_color.text().trimmed().toUInt();
}

} // namespace mosaicon
