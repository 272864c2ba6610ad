#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The caption texts window "HTML Text Conversion": the four link and caption
// texts of the generated pages, loaded from and saved to the [Captions]
// section of the settings file. The value holds the boxes and the window's
// rules; the dialog only shows it.
class CaptionTexts : public platform::DialogValue
{
    Q_OBJECT

public:
    static constexpr int loadedHeight = 3210;

    // The load step: fills the boxes from the settings file.
    explicit CaptionTexts(QObject* parent = nullptr);

    QString caption = QStringLiteral("HTML Text Conversion");
    int height = 0; // twips

    TextBox o_ss_click_here;
    TextBox o_ss_view_slide;
    TextBox o_ss_view_image;
    TextBox o_copyright;

    // Shows the window modally; returns when it has been hidden.
    void show();

    // Save / Exit: writes the four captions, then hides.
    void saveAndClose();
    // Reset To Original Values: fills the boxes, writes nothing.
    void resetToOriginalValues();
};

} // namespace mosaicon
