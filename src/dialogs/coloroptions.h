#pragma once

#include "platform/dialogvalue.h"
#include "platform/imagecontrol.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace mosaicon {

// The sixteen page colours, as the settings store them ("#RRGGBB") and as the
// screen shows them (0x00BBGGRR). Nothing outside this table is converted: a
// hand-written "#ff0000" or any other colour is not recognised.
struct PageColour
{
    const char* text;
    quint32 screen;
};
extern const std::array<PageColour, 16> pageColours;
std::optional<quint32> screenFromPageColour(const QString& text);
std::optional<QString> pageColourFromScreen(quint32 screen);

// The colour options window: the six page colours and the background picture.
// A sample holds no colour while its setting was not recognised and nothing
// was picked for it; the window then shows the sample's designed colour and
// Save leaves that setting as stored.
class ColorOptions : public platform::DialogValue
{
    Q_OBJECT

public:
    // The targets of a swatch, as o_selection's Indexes.
    enum Target
    {
        VisitedLink = 0,
        NewLink = 1,
        ActiveLink = 2,
        Background = 3,
        ImageBorder = 4,
        NormalText = 5,
    };
    static constexpr int targetCount = 6;

    ColorOptions();

    QString caption = QStringLiteral("HTML Color Options");
    int height = 6285; // twips
    // The colour of each target's sample; the four text samples' background is
    // the Background sample's colour.
    std::array<std::optional<quint32>, targetCount> colour;
    platform::OptionGroup o_selection;
    platform::CheckBox o_use_bg_image;
    platform::Label Label1;
    // The preview's frame, in twips, as the window lays it out.
    platform::Frame Frame3{QString(), true, 3255, 2415};
    platform::ImageControl o_image;

    void Form_Load();
    // A click on swatch `index` gives its colour to the selected target.
    void o_color_Click(int index);
    // A click on a sample selects its target.
    void sample_Click(Target target);
    // Select Background Image: the picker, then the label shows the choice.
    void chooseBackgroundImage();
    // Save / Exit: the chosen colours go into the settings.
    void saveAndClose();

    // Load, show modally, unload: the settings change in memory only.
    static void showModally();

private:
    void setLabel1(const QString& path);
};

} // namespace mosaicon
