#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The image and text placement window of the full-size image pages: image
// only or with options, the image's place, the associated text and the layout
// that joins image and text.
class PlacementOptions : public platform::DialogValue
{
    Q_OBJECT

public:
    PlacementOptions();

    QString caption = QStringLiteral("Image And Text Placement");
    int height = 6300; // twips

    // 0 image only, 1 image with options.
    platform::OptionGroup o_full_img_options;
    // 0 left, 1 center, 2 right; its enabled flag is the location frame's too.
    platform::OptionGroup o_full_img_location;
    // 0 no text, 1 the associated text; its enabled flag is the text frame's too.
    platform::OptionGroup o_full_img_text;
    platform::CheckBox o_preformatted;
    bool preformattedEnabled = true;
    // The layout frames, their pictures and labels.
    bool layoutEnabled = true;
    // 1 to 4: the layout shown white; 0: none.
    int highlightedLayout = 0;
    // Where the location pictures stand inside their frames, in twips.
    int pictureLeft = 120;

    static constexpr quint32 highlightColour = 0xFFFFFF;
    // The system colour of button faces.
    static constexpr quint32 plainColour = 0x8000000F;

    void Form_Load();
    void o_full_img_options_Click();
    void o_full_img_text_Click();
    void o_full_img_location_Click();
    // A text "#1" to "#4" is stored at once and its layout highlighted; any
    // other text changes nothing.
    void format_full_img(const QString& layout);
    // Save / Exit: the choices go into the settings.
    void saveAndClose();

    // Load, show modally, unload: the settings change in memory only.
    static void showModally();

private:
    void applyEnablingRules();
};

} // namespace mosaicon
