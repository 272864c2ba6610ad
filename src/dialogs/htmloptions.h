#pragma once

#include "platform/dialogvalue.h"
#include "settings/settingtext.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The "HTML Output" window: the thumbnail, image and file-information options
// of the generated pages, and the hub that opens the other option windows.
// The controls hold a copy of the settings from the load step until Save puts
// them back; the window is saved whichever way it is left, so Cancel only puts
// back the background picture that the colour window may have changed.
class HtmlOptions : public platform::DialogValue
{
    Q_OBJECT

public:
    using Box = CheckBox HtmlOptions::*;

    HtmlOptions();

    QString caption = QStringLiteral("HTML Output");
    int height = 6300; // twips

    // Frame "Thumbnails".
    TextBox o_thumbnail_size;
    CheckBox o_use_thumbnail{false, false};
    CheckBox o_maintain_ratio{false, false};
    CheckBox o_thumbnail_prefix;
    CheckBox o_thumbnail_postfix;
    CheckBox o_3d_thumbnail;
    // 0 with borders, 1 without.
    platform::OptionGroup o_thumbnail_style;
    // The colour number b_thumb_bcolor shows.
    quint32 thumbnailBackColour = 0xFFFFFF;
    ComboBox o_dither;
    ComboBox o_optimize;
    ComboBox o_quality;
    ComboBox o_smoothing;

    // Frame "Other".
    CheckBox o_header_footer;
    CheckBox o_html_images_only;
    CheckBox o_start_editor;
    CheckBox o_start_browser;
    CheckBox o_individual_selections;

    // Frame "Images And Files".
    TextBox o_image_height;
    TextBox o_image_width;
    TextBox o_image_count;
    Label Label1{QStringLiteral("Items Across Page")};
    TextBox o_table_cell_padding;
    CheckBox o_image_borders;
    CheckBox o_file_names;
    CheckBox o_file_name_only;
    CheckBox o_file_name_full;
    CheckBox o_file_title;
    CheckBox o_print_tn_kb_size;
    CheckBox o_print_tn_pixel_size;
    CheckBox o_create_batch_files;
    CheckBox o_rename_html;
    CheckBox o_internet_ready{false, false};
    CheckBox o_relative_address{false, false};
    Label o_internet_directory;

    void Form_Load();
    // A box's value changed, by the user or by code: its rule runs.
    void changed(Box box);
    // A box set to a value it does not have runs its rule, as a click does.
    void setCheck(Box box, bool on);

    // Save / Exit.
    void saveAndClose();
    // Cancel: the background picture as it was when the window was loaded.
    void cancel();
    // The window goes: it is saved, unless Save / Exit has just done so.
    void Form_Unload();

    // The windows opened from here; each saves its own settings.
    void openColourOptions();
    void openSlideShowOptions();
    void openPlacementOptions();
    void openCaptionTexts();
    // The output directory; the label shows what was chosen.
    void chooseTargetDirectory();
    void editHeadingAndFooting();
    // The thumbnail background colour, from the colour dialog.
    void b_thumb_bcolor_Click();

    // Load, show modally, unload.
    static void showModally();

private:
    void loadCombos();
    void checkSpecialSettings();
    void save();
    void saveThumbnailSize();

    SettingText m_loadedBackground;
    bool m_saved = false;
};

} // namespace mosaicon
