#include "dialogs/htmloptions.h"

#include "dialogs/captiontexts.h"
#include "dialogs/coloroptions.h"
#include "dialogs/htmlheadingfooting.h"
#include "dialogs/placementoptions.h"
#include "dialogs/slideoptions.h"
#include "dialogs/targetdirectory.h"
#include "settings/program.h"
#include "settings/thumbsize.h"
#include "settings/warning.h"

#include "platform/numbers.h"
#include "platform/ui.h"
#include "platform/wincolor.h"

namespace mosaicon {

namespace {

using Box = HtmlOptions::Box;

// The boxes that stand for a setting, in the order the load step sets them:
// a box's rule may change a box set before it.
const std::pair<Box, bool Settings::*> settingBoxes[] = {
    {&HtmlOptions::o_thumbnail_prefix, &Settings::prefix_thumbnail_file},
    {&HtmlOptions::o_3d_thumbnail, &Settings::thumb_3d},
    {&HtmlOptions::o_file_title, &Settings::file_title},
    {&HtmlOptions::o_header_footer, &Settings::header_and_footer},
    {&HtmlOptions::o_html_images_only, &Settings::gif_jpeg_only},
    {&HtmlOptions::o_create_batch_files, &Settings::create_batch_files},
    {&HtmlOptions::o_print_tn_kb_size, &Settings::print_kb_size},
    {&HtmlOptions::o_print_tn_pixel_size, &Settings::print_pixel_size},
    {&HtmlOptions::o_file_name_only, &Settings::file_name_only},
    {&HtmlOptions::o_file_name_full, &Settings::file_name_and_path},
    {&HtmlOptions::o_start_editor, &Settings::auto_start_editor},
    {&HtmlOptions::o_start_browser, &Settings::auto_start_browser},
    {&HtmlOptions::o_relative_address, &Settings::relative_address},
    {&HtmlOptions::o_rename_html, &Settings::rename_html},
    {&HtmlOptions::o_file_names, &Settings::file_names},
    {&HtmlOptions::o_internet_ready, &Settings::internet_ready},
    {&HtmlOptions::o_use_thumbnail, &Settings::use_thumbnail},
    {&HtmlOptions::o_image_borders, &Settings::image_borders},
    {&HtmlOptions::o_individual_selections, &Settings::individual_selections},
};

const std::pair<platform::TextBox HtmlOptions::*, SettingText Settings::*> settingTexts[] = {
    {&HtmlOptions::o_thumbnail_size, &Settings::thumb_size},
    {&HtmlOptions::o_image_height, &Settings::pixel_height},
    {&HtmlOptions::o_image_width, &Settings::pixel_width},
    {&HtmlOptions::o_image_count, &Settings::image_count},
    {&HtmlOptions::o_table_cell_padding, &Settings::table_cell_padding},
};

// The controls that check_special_settings enables with "File Info Under Files".
const Box fileInfoBoxes[] = {
    &HtmlOptions::o_file_name_only,      &HtmlOptions::o_file_name_full,
    &HtmlOptions::o_file_title,          &HtmlOptions::o_print_tn_kb_size,
    &HtmlOptions::o_print_tn_pixel_size,
};

QStringList numbers(int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list.append(QString::number(n));
    return list;
}

// The entry whose number equals the setting's numeric value; a value that
// matches none is shown as stored, so that Save stores it unchanged.
platform::ComboBox numberList(int first, int last, const QString& stored)
{
    platform::ComboBox box{numbers(first, last), stored, -1};
    const double value = platform::val(stored);
    for (int i = 0; i < box.entries.size(); ++i) {
        if (value == first + i) {
            box.index = i;
            box.text = box.entries[i];
        }
    }
    return box;
}

// Whether the whole text, blanks aside, is one number.
bool isNumber(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

QString beforePercent(const QString& text)
{
    return text.left(text.indexOf(u'%'));
}

} // namespace

HtmlOptions::HtmlOptions()
{
    setObjectName(QStringLiteral("frm_options"));
}

void HtmlOptions::Form_Load()
{
    const Settings& s = settings();
    m_loadedBackground = s.html_background;
    loadCombos();
    o_internet_directory.caption = s.internet_dir;
    for (const auto& [box, setting] : settingTexts)
        (this->*box).text = s.*setting;
    o_thumbnail_style.index = is_styled(s.thumb_style) ? 1 : 0;
    thumbnailBackColour = setting_number<quint32>(s, &Settings::thumb_bg_color);
    for (const auto& [box, setting] : settingBoxes)
        setCheck(box, s.*setting);
    checkSpecialSettings();
}

void HtmlOptions::loadCombos()
{
    const Settings& s = settings();
    o_dither.entries = {QStringLiteral("Low Quality"), QStringLiteral("Default"),
                        QStringLiteral("High Quality")};
    // A stored dither that is not an index of the list is taken as the default.
    const auto dither = platform::roundHalfEven(platform::val(s.thumb_dither));
    o_dither.index = dither && *dither >= 0 && *dither <= 2 ? int(*dither)
                                                            : setting_default(&Settings::thumb_dither).toInt();
    o_dither.text = o_dither.entries[o_dither.index];
    o_optimize.entries = {QStringLiteral("Yes"), QStringLiteral("No")};
    o_optimize.index = s.thumb_optimize ? 0 : 1;
    o_optimize.text = o_optimize.entries[o_optimize.index];
    o_quality = numberList(1, 100, s.thumb_quality);
    o_smoothing = numberList(0, 100, s.thumb_smoothing);
}

void HtmlOptions::setCheck(Box box, bool on)
{
    if ((this->*box).value == on)
        return;
    (this->*box).value = on;
    changed(box);
}

void HtmlOptions::changed(Box box)
{
    const bool on = (this->*box).value;
    if (box == &HtmlOptions::o_file_names) {
        checkSpecialSettings();
    } else if (box == &HtmlOptions::o_file_name_only) {
        if (on)
            setCheck(&HtmlOptions::o_file_name_full, false);
    } else if (box == &HtmlOptions::o_file_name_full) {
        if (on)
            setCheck(&HtmlOptions::o_file_name_only, false);
    } else if (box == &HtmlOptions::o_internet_ready) {
        if (on) {
            setCheck(&HtmlOptions::o_relative_address, false);
            setCheck(&HtmlOptions::o_use_thumbnail, true);
        }
    } else if (box == &HtmlOptions::o_use_thumbnail) {
        // It cannot be turned off while "Internet Ready" is on.
        if (o_internet_ready.value)
            setCheck(&HtmlOptions::o_use_thumbnail, true);
    }
}

void HtmlOptions::checkSpecialSettings()
{
    const bool on = o_file_names.value;
    for (Box box : fileInfoBoxes)
        (this->*box).enabled = on;
    o_image_count.enabled = on;
    Label1.enabled = on;
}

void HtmlOptions::save()
{
    Settings& s = settings();
    s.thumb_dither = QString::number(o_dither.index);
    s.thumb_optimize = o_optimize.text.toLower() == QLatin1String("yes");
    s.thumb_quality = o_quality.text;
    s.thumb_smoothing = o_smoothing.text;
    s.pixel_height = o_image_height.text;
    s.pixel_width = o_image_width.text;
    s.table_cell_padding = o_table_cell_padding.text;
    for (const auto& [box, setting] : settingBoxes)
        s.*setting = (this->*box).value;
    s.thumb_style =
        o_thumbnail_style.index == 0 ? ThumbStyle::WithBorders : ThumbStyle::WithoutBorders;
    s.internet_dir = o_internet_directory.caption;
    saveThumbnailSize();

    const QString& count = o_image_count.text;
    s.image_count =
        !isNumber(count) || count.trimmed().toDouble() == 0 ? QStringLiteral("1") : count;

    if ((s.pixel_height.text().contains(u'%') || s.pixel_width.text().contains(u'%')) &&
        s.maintain_ratio) {
        warn(QStringLiteral("Percentages will not be used when you also want to maintain the "
                            "size ratio.\n\n\tThe maximum height will be %1.\n\tThe maximum "
                            "width will be %2.")
                 .arg(beforePercent(s.pixel_height), beforePercent(s.pixel_width)));
    }
}

void HtmlOptions::saveThumbnailSize()
{
    const ThumbSizeText size = parse_thumb_size(o_thumbnail_size.text);
    o_thumbnail_size.text = size.size;
    // An empty box takes the default without a word.
    if (size.fault != ThumbSizeFault::Blank)
        warn(thumb_size_warning(size.fault));
    settings().thumb_size = size.size;
}

void HtmlOptions::saveAndClose()
{
    save();
    m_saved = true;
    emit hidden();
}

void HtmlOptions::cancel()
{
    settings().html_background = m_loadedBackground;
    emit hidden();
}

void HtmlOptions::Form_Unload()
{
    // Saving again after Save / Exit would change nothing but repeat its messages.
    if (!m_saved)
        save();
}

void HtmlOptions::openColourOptions()
{
    ColorOptions::showModally();
}

void HtmlOptions::openSlideShowOptions()
{
    SlideOptions::showModally();
}

void HtmlOptions::openPlacementOptions()
{
    PlacementOptions::showModally();
}

void HtmlOptions::openCaptionTexts()
{
    CaptionTexts().show();
}

void HtmlOptions::chooseTargetDirectory()
{
    TargetDirectory window;
    window.show();
    window.unload();
    o_internet_directory.caption = settings().internet_dir;
}

void HtmlOptions::editHeadingAndFooting()
{
    HtmlHeadingFooting::edit({QStringLiteral("<html>"), QStringLiteral("<center>"),
                              QStringLiteral("<h1>HTML Generated by Mosaicon</h1>"),
                              QStringLiteral("</center>"), QStringLiteral("<p>"),
                              QStringLiteral("<hr>"), QStringLiteral("<p>")},
                             {QStringLiteral("</body>"), QStringLiteral("</html>")});
}

void HtmlOptions::b_thumb_bcolor_Click()
{
    // The dialog starts from no colour of its own, not from the stored one.
    const std::optional<QColor> chosen = platform::ui().colorDialog(QColor());
    if (!chosen)
        return;
    thumbnailBackColour = platform::winFromColor(*chosen);
    settings().thumb_bg_color = QString::number(thumbnailBackColour);
}

void HtmlOptions::showModally()
{
    HtmlOptions window;
    window.Form_Load();
    platform::ui().showModal(window.objectName(), &window);
    window.Form_Unload();
}

} // namespace mosaicon
