#include "dialogs/coloroptions.h"

#include "settings/pickers.h"
#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

const std::array<PageColour, 16> pageColours = {{
    {"#000000", 0x000000},
    {"#808080", 0x808080},
    {"#C0C0C0", 0xC0C0C0},
    {"#FFFFFF", 0xFFFFFF},
    {"#000080", 0x800000},
    {"#0000FF", 0xFF0000},
    {"#800000", 0x000080},
    {"#FF0000", 0x0000FF},
    {"#008000", 0x008000},
    {"#00FF00", 0x00FF00},
    {"#800080", 0x800080},
    {"#FF00FF", 0xFF00FF},
    {"#808000", 0x008080},
    {"#FFFF00", 0x00FFFF},
    {"#008080", 0x808000},
    {"#00FFFF", 0xFFFF00},
}};

std::optional<quint32> screenFromPageColour(const QString& text)
{
    for (const PageColour& c : pageColours) {
        if (text == QLatin1String(c.text))
            return c.screen;
    }
    return std::nullopt;
}

std::optional<QString> pageColourFromScreen(quint32 screen)
{
    for (const PageColour& c : pageColours) {
        if (screen == c.screen)
            return QString::fromLatin1(c.text);
    }
    return std::nullopt;
}

namespace {

// Each target's setting, in the order Save stores them.
SettingText Settings::*const targetSettings[] = {
    &Settings::text_color,         // NormalText
    &Settings::vlink_color,        // VisitedLink
    &Settings::link_color,         // NewLink
    &Settings::alink_color,        // ActiveLink
    &Settings::image_border_color, // ImageBorder
    &Settings::background_color,   // Background
};
const ColorOptions::Target settingTargets[] = {
    ColorOptions::NormalText, ColorOptions::VisitedLink, ColorOptions::NewLink,
    ColorOptions::ActiveLink, ColorOptions::ImageBorder, ColorOptions::Background,
};

} // namespace

ColorOptions::ColorOptions()
{
    setObjectName(QStringLiteral("frm_color"));
}

void ColorOptions::Form_Load()
{
    Settings& s = settings();
    setLabel1(s.html_background.text());
    for (int i = 0; i < targetCount; ++i)
        colour[settingTargets[i]] = screenFromPageColour((s.*targetSettings[i]).text());
    o_use_bg_image.value = s.use_background_image;
}

void ColorOptions::o_color_Click(int index)
{
    if (index < 0 || index >= int(pageColours.size()) || o_selection.index < 0 ||
        o_selection.index >= targetCount)
        return;
    colour[o_selection.index] = pageColours[index].screen;
}

void ColorOptions::sample_Click(Target target)
{
    o_selection.index = target;
}

void ColorOptions::chooseBackgroundImage()
{
    select_html_background();
    const QString path = settings().html_background.text();
    if (!path.isEmpty())
        setLabel1(path);
}

void ColorOptions::saveAndClose()
{
    Settings& s = settings();
    for (int i = 0; i < targetCount; ++i) {
        if (const std::optional<quint32> c = colour[settingTargets[i]]) {
            if (const std::optional<QString> text = pageColourFromScreen(*c))
                s.*targetSettings[i] = *text;
        }
    }
    s.use_background_image = o_use_bg_image.value;
    emit hidden();
}

void ColorOptions::setLabel1(const QString& path)
{
    if (path == Label1.caption)
        return;
    Label1.caption = path;
    // An unreadable picture leaves the preview empty; the path stays shown.
    o_image.setFileName(path);
    o_image.setWidth(Frame3.width - 280);
    o_image.setHeight(Frame3.height - 320);
    o_image.setFitMode(platform::FitMode::FittedToHeight);
}

void ColorOptions::showModally()
{
    ColorOptions window;
    window.Form_Load();
    platform::ui().showModal(window.objectName(), &window);
}

} // namespace mosaicon
