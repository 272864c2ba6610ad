#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The "HTML Slide Show Options" window: the slide image height, the advance
// delay and the switches of the slide shows. The window is saved whichever way
// it is left: Cancel only hides it, and the unload that follows saves.
class SlideOptions : public platform::DialogValue
{
    Q_OBJECT

public:
    using Box = CheckBox SlideOptions::*;

    SlideOptions();

    QString caption = QStringLiteral("HTML Slide Show Options");
    int height = 4530; // twips

    Label Label2{QStringLiteral("Maximum Thumbnail Height")};
    TextBox o_simage_height;
    Label Label1{QStringLiteral("Delay In Seconds")};
    TextBox o_slide_delay;
    CheckBox o_auto_advance;
    CheckBox o_slide_loop;
    CheckBox o_use_associated_text;
    CheckBox o_preformatted;
    CheckBox o_display_title;
    CheckBox o_use_frames;
    CheckBox o_create_index;
    CheckBox o_rename_slide;
    // Neither loaded nor saved.
    CheckBox o_use_image_directory{false, false};

    void Form_Load();
    // A box's value changed, by the user or by code: its rule runs.
    void changed(Box box);
    // A box set to a value it does not have runs its rule, as a click does.
    void setCheck(Box box, bool on);

    // Save / Exit.
    void saveAndClose();
    // The window goes: runs Save / Exit.
    void Form_Unload();

    // Load, show modally, unload.
    static void showModally();
};

} // namespace mosaicon
