#pragma once

#include "viewer/imageconversion.h"
#include "viewer/picturestate.h"

#include "catalog/catalog.h"

#include "settings/program.h"

#include "platform/controlvalues.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace mosaicon::viewer {

// The Image Catalog window without its widgets: the list (the images of the
// catalog in its order, with their selection), the picture of the current
// entry, its title, the target directory, the thumbnail size, the data file
// and the web-page options, with the window's rules. The dialog
// only shows it, so the opener and the tests need no widgets.
class LibraryCatalog : public QObject, public PictureState
{
    Q_OBJECT

public:
    using TextBox = platform::TextBox;
    using Label = platform::Label;
    using Frame = platform::Frame;

    // The smallest outer size of the window, in twips.
    static constexpr int minimumWidth = 6800;
    static constexpr int minimumHeight = 6700;

    explicit LibraryCatalog(QObject* parent = nullptr);

    QString caption = QStringLiteral("Image Catalog");
    Frame Frame1{QStringLiteral("Current File List")};
    // One flag per catalog entry, and the current entry (-1: none).
    QList<bool> selected;
    int ListIndex = -1;
    Label o_width{QStringLiteral("Width = 0")};
    Label o_height{QStringLiteral("Height = 0")};
    // The title of the current entry.
    TextBox o_image_title;
    // The root of the volume the drive list shows, and the target directory.
    QString Drive1;
    QString Dir1;
    Label targetdir;
    // The pop-up menu's item 3, naming the pages' background when there is one.
    QString setBackgroundCaption = QStringLiteral("Set HTML Background");
    TextBox o_tn_size;
    TextBox o_output_file;
    platform::ComboBox o_output_format;
    // 0 all, 1 only those with titles, 2 only those with thumbnails; the
    // format decides which of 1 and 2 is offered.
    platform::OptionGroup o_save_by_image_filter{0};
    std::array<bool, 3> filterVisible{true, true, false};
    // 0: thumbnail cells, 1: full-size cells.
    platform::OptionGroup o_use_thumbs{0};
    TextBox o_horizontal_images{QStringLiteral("2")};
    TextBox o_vertical_images{QStringLiteral("2")};

    // The list as the window shows it: the catalog's images.
    QStringList flelist() const;
    // The catalog the window shows: its images in the window's order, with
    // their thumbnails and titles.
    const catalog::Catalog& contents() const { return m_catalog; }
    catalog::Catalog& contents() { return m_catalog; }
    // Off while a list is converted: the menus, the target directory and the list.
    bool controlsEnabled() const { return !batch_create_running; }
    // What "Exit And Use Current File List" leaves for the main window's list.
    const std::optional<QStringList>& newMainList() const { return m_newMainList; }

    // The load steps over the main window's file list: the catalog starts
    // anew from it, in the one order of image lists.
    void Form_Load(const QStringList& mainList);
    // Shows the window modally; returns when it has been hidden.
    void show();

    // The target directory label and the pop-up menu's background item, from the settings.
    void reset_frm_viewem();

    // The room the picture frame has now, in twips: the picture is fitted again.
    void Frame2_Resize(int widthTwips, int heightTwips);
    // Shows the current entry (ListIndex), as after a click on the list.
    void flelist_Click();
    // Stores the title box for the entry it shows, the current one: with
    // several selected, the first of them would get another entry's title.
    void o_image_title_LostFocus();
    void o_tn_size_Change();
    void o_output_format_Click();
    // The drive list now shows Drive1: the directory goes to its root, or
    // the drive goes back when that cannot be read.
    void Drive1_Change();
    // The directory list now shows Dir1.
    void Dir1_Change();
    // The label beside the list: the current entry becomes the pages' background.
    void Label2_Click();
    void b_select_file_Click();
    // Saves the catalog to the output file in the chosen format, through the chosen filter.
    void b_save_data_Click();
    // Writes the catalog's web pages into the target directory.
    void b_create_web_page_catalog_Click();
    // File: Exit And Use Current File List, Cancel And Exit.
    void exitWithCurrentList();
    void cancelAndExit();
    // The window's frame closes it: refused (false) while the pages are
    // written; while a list is converted, the conversion stops and the
    // window goes when it has; otherwise Cancel And Exit.
    bool Form_QueryUnload();

    // Options 10: a title for each entry from the first selected one on.
    void promptForTitles();
    // Options 15 and 20: from the picture shown.
    void createThumbnailFile();
    void createJpegFile();
    // Options 25 and 30: every image of the list, when an entry is selected.
    void convertListToJpegs();
    void convertListToThumbnails();
    // Pop-up 3: the selected current entry, else a picture file asked for,
    // becomes the pages' background.
    void setHtmlBackground();
    // Options 35: a data file, chosen and read whole, replaces the catalog.
    void loadSavedFile();

signals:
    // The window is to be hidden: the modal show returns.
    void hidden();
    // Shown state changed while a command runs (a picture, the selection,
    // the enabled controls): the window shows it before the command ends.
    void changed();

private:
    // The picture of the entry clicked has been read (or has failed).
    void showPicture(const platform::LoadedPicture& picture);
    // The entries beside the current one are read ahead.
    void readAhead();
    // The size pictures are read at, for the frame now.
    platform::ImageControl::DisplaySize displaySize() const;
    // The picture shown is read again when it is held at another size than shown.
    void sharpenPicture();
    void recalculate_image();
    void show_size_labels_catalog();
    void showReadError();
    // Shows the first entry selected, or the read error when there is none.
    void showFirstEntry();
    void useTargetDirectory(const QString& dir);
    void leave();
    ConversionPlace place() const;
    bool confirmCreation(ConversionKind kind);
    // Tells a missing target directory once, before anything is made.
    bool targetDirectoryExists();
    void convertList(ConversionKind kind);
    // Frame2 is hidden while pictures are made.
    void setCreating(bool creating);

    std::optional<QStringList> m_newMainList;
    catalog::Catalog m_catalog;
};

} // namespace mosaicon::viewer
