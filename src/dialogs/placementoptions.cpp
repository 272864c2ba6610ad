#include "dialogs/placementoptions.h"

#include "settings/program.h"

#include "platform/ui.h"

namespace mosaicon {

namespace {

// The location words in option order, and where each puts the pictures.
const std::pair<const char*, int> locations[] = {{"left", 120}, {"center", 450}, {"right", 800}};
constexpr int locationCount = int(std::size(locations));

const char* const layouts[] = {"#1", "#2", "#3", "#4"};

} // namespace

PlacementOptions::PlacementOptions()
{
    setObjectName(QStringLiteral("frm_fullimage"));
}

void PlacementOptions::Form_Load()
{
    const Settings& s = settings();
    o_preformatted.value = s.preformatted_text;
    o_full_img_location.index = -1;
    for (int i = 0; i < locationCount; ++i) {
        if (s.full_img_location.text() == QLatin1String(locations[i].first))
            o_full_img_location.index = i;
    }
    o_full_img_location_Click();
    o_full_img_text.index = s.full_img_use_text ? 1 : 0;
    o_full_img_options.index = s.full_img_with_options ? 1 : 0;
    applyEnablingRules();
    format_full_img(s.full_img_layout.text());
}

void PlacementOptions::applyEnablingRules()
{
    const bool withOptions = o_full_img_options.index == 1;
    o_full_img_location.enabled = withOptions;
    o_full_img_text.enabled = withOptions;
    if (!withOptions) {
        layoutEnabled = false;
        preformattedEnabled = false;
    } else if (o_full_img_text.index == 0 || o_full_img_text.index == 1) {
        layoutEnabled = o_full_img_text.index == 1;
        preformattedEnabled = layoutEnabled;
    }
}

void PlacementOptions::o_full_img_options_Click()
{
    applyEnablingRules();
}

void PlacementOptions::o_full_img_text_Click()
{
    applyEnablingRules();
}

void PlacementOptions::o_full_img_location_Click()
{
    if (o_full_img_location.index >= 0 && o_full_img_location.index < locationCount)
        pictureLeft = locations[o_full_img_location.index].second;
}

void PlacementOptions::format_full_img(const QString& layout)
{
    for (int i = 0; i < int(std::size(layouts)); ++i) {
        if (layout == QLatin1String(layouts[i])) {
            settings().full_img_layout = layout;
            highlightedLayout = i + 1;
        }
    }
}

void PlacementOptions::saveAndClose()
{
    Settings& s = settings();
    s.preformatted_text = o_preformatted.value;
    s.full_img_with_options = o_full_img_options.index != 0;
    if (o_full_img_location.index >= 0 && o_full_img_location.index < locationCount)
        s.full_img_location = QString::fromLatin1(locations[o_full_img_location.index].first);
    s.full_img_use_text = o_full_img_text.index != 0;
    emit hidden();
}

void PlacementOptions::showModally()
{
    PlacementOptions window;
    window.Form_Load();
    platform::ui().showModal(window.objectName(), &window);
}

} // namespace mosaicon
