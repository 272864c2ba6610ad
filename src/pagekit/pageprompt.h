#pragma once

#include "platform/dialogvalue.h"
#include "platform/imagecontrol.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The per-page prompt "HTML Title And <title> Tag" as the page and slide-show
// writers see it: they fill its controls, show it modally, and read the
// controls and the banner settings back once it has been hidden. The value
// holds the controls' state and the window's own rules (banner checks, the
// stop flag); the dialog only shows it, so the writers and their tests need
// no widgets.
class PagePrompt : public platform::DialogValue
{
    Q_OBJECT

public:
    enum class Side
    {
        Top,
        Bottom
    };

    static constexpr int loadedHeight = 7065;

    // The load steps: takes the banners from the settings and checks them
    // (their messages show before the window does). folder is where the run
    // writes its pages, so where the banner pictures are copied; without
    // one no picture is copied.
    explicit PagePrompt(QString folder = {}, QObject* parent = nullptr);

    const QString& folder() const { return m_folder; }

    QString caption = QStringLiteral("HTML Title And <title> Tag");
    int height = 0; // twips

    Frame f_file_name{QStringLiteral("File Name")};
    TextBox o_filename;
    TextBox o_url_exit{QStringLiteral("http://")};
    Frame Frame3{QStringLiteral("Image"), true, 3255, 2055};
    platform::ImageControl o_image;
    TextBox o_title;
    TextBox o_title_tag;
    TextBox o_top_banner;
    TextBox o_top_link;
    TextBox o_bottom_banner;
    TextBox o_bottom_link;
    CheckBox o_default;
    CheckBox o_use_default_values;
    CheckBox o_use_hr{false, false};

    // What the exchange leaves for the run: the user left by Exit (the run
    // stops), the answers hold for every remaining page, the side whose
    // banner is being picked, and the banners as the pages address them.
    bool page_prompt_cancel = false;
    bool use_title_for_all = false;
    QString banner_side;
    QString top_banner_ref;
    QString bottom_banner_ref;

    // Shows the window modally; returns when it has been hidden.
    void show();
    // Loads the image into the preview, fitted inside its frame with its proportions kept.
    void showPreview(const QString& image_path);

    // OK: banner clean-up, then hidden.
    void acceptAnswers();
    // Select Top / Select Bottom: names the side, then runs the banner picker.
    void selectTopBanner();
    void selectBottomBanner();
    // Clear Text.
    void clearText();
    // Exit: the run stops.
    void b_cancel_exit_Click();
    void o_default_Click();
    void o_top_banner_LostFocus();
    void o_bottom_banner_LostFocus();
    void o_top_link_LostFocus();
    void o_bottom_link_LostFocus();
    // The Options menu: the colour, placement and slide-show option windows
    // ("frm_color", "frm_fullimage", "frm_soptions", opened by name), and
    // Clear Banners.
    void openColourOptions();
    void openPlacementOptions();
    void openSlideShowOptions();
    void clearBanners();

    // Asks for the banner picture of the side named in banner_side.
    void select_banner();

    // The banner check of one side, as run when its box loses the focus.
    void checkBanner(Side side);

private:
    QString m_folder;

    void openOptionWindow(const QString& name);
    void copyBannerFile(const QString& path, const QString& fileName);
    void clearBanner(Side side);
    void loadBanner(Side side);
};

// The page prompt's banner picker: asks for a GIF or JPEG picture for the side
// the prompt names and puts it into the prompt and the banner settings. The
// picture is copied beside the page (into the run's folder when the page names no
// folder) unless a file of its name is there already.
void select_banner_file(PagePrompt& prompt);

} // namespace mosaicon
