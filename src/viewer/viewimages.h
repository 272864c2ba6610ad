#pragma once

#include "viewer/fileoperations.h"
#include "viewer/imageconversion.h"
#include "viewer/pathlist.h"
#include "viewer/picturestate.h"

#include "platform/controlvalues.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace mosaicon::viewer {

// "View Images": browses two lists of image paths (the current list, a copy
// of the main window's, and a new list the user sorts files into), shows the
// chosen file's picture and size, makes JPEG copies and thumbnails, copies,
// moves and deletes files into a target directory, and on leaving may hand a
// list back to the main window. The value holds the controls' state and the
// window's rules; the dialog only shows it.
class ViewImages : public QObject, public PictureState
{
    Q_OBJECT

public:
    using Label = platform::Label;
    using Frame = platform::Frame;

    enum ListId
    {
        Current = 0, // flelist
        New = 1,     // newlist
    };

    struct Button
    {
        QString caption;
        bool enabled = true;
        bool visible = true;
    };

    // The outer size is never less than this, in twips.
    static constexpr int minimumWidth = 6800;
    static constexpr int minimumHeight = 6700;

    explicit ViewImages(QObject* parent = nullptr);

    // Loads the window on the main window's list, shows it modally and unloads
    // it. The list to put in the main window's place, when the way out said so.
    static std::optional<QStringList> showModally(const QStringList& mainList);

    QString caption = QStringLiteral("View Images");
    PathList flelist;
    PathList newlist;
    Frame Frame1{QStringLiteral("Current File List")};
    Frame Frame5{QStringLiteral("New File List")};
    Label o_height{QStringLiteral("height")};
    Label o_width{QStringLiteral("width")};
    Label htmlbackground;
    Label targetdir;
    platform::TextBox o_tn_size;
    platform::CheckBox o_images_in_src_dir;
    // 0 Copy, 1 Move.
    platform::OptionGroup fileoption;
    Button Command1{QStringLiteral("Create Thumbnail File")};
    Button Command2{QStringLiteral("Create JPG File")};
    Button Command3{QStringLiteral("Copy / Move File(s)")};
    Button Command4{QStringLiteral("View File Copy Log")};
    Button Command5{QStringLiteral("Convert List To JPGs")};
    Button Command6{QStringLiteral("Convert List To Thumbs")};
    Button Command7{QStringLiteral("Delete")};
    Button Command8{QStringLiteral("Associate Text")};
    // The target directory: Dir1's path.
    QString Dir1;
    // The menus, the lists, the target and the HTML background label; off
    // while a list is converted.
    bool controlsEnabled = true;
    // Options > View Thumbnail and its pop-up twin.
    bool viewThumbnail = false;
    // The caption of Options > Set HTML Background and its pop-up twin.
    QString setBackgroundCaption;
    // True while one image is made.
    bool creating = false;
    // What leaving the window hands to the main window.
    std::optional<QStringList> handBack;

    PathList& list(ListId id) { return id == Current ? flelist : newlist; }
    const PathList& list(ListId id) const { return id == Current ? flelist : newlist; }

    void Form_Load(const QStringList& mainList);
    // The user's click on entry `index`: it becomes current and its selected
    // flag `selected`; then the click handling runs.
    void click(ListId id, int index, bool selected);
    // The click handling of a list (its current entry is shown).
    void list_Click(ListId id);
    // Moves the current entry to the other list.
    void list_DblClick(ListId id);
    // Changes a selected flag from code, which runs the click handling.
    void setSelected(ListId id, int index, bool selected);

    // Label2's click and htmlbackground's double click.
    void Label2_Click();
    void htmlbackground_DblClick();
    // A new target directory chosen in the directory list.
    void Dir1_Change(const QString& path);
    void o_images_in_src_dir_Click();
    void o_tn_size_Change();
    // Create Thumbnail File, Create JPG File: the picture shown.
    void createThumbnailFile();
    void createJpegFile();
    // Convert List To JPGs, Convert List To Thumbs.
    void convertListToJpegs();
    void convertListToThumbnails();
    // Associate Text: for the picture shown.
    void associateText();
    // Copy / Move File(s), View File Copy Log, Delete: the selected entries
    // of both lists.
    void copyOrMoveSelected();
    void viewCopyLog();
    void deleteSelected();

    // A menu item's command: under the busy cursor, the list captions
    // written again after it.
    void runMenuCommand(void (ViewImages::*command)());
    // The File menu and the pop-up's exits. From the File menu an empty list
    // leaves the main window's list as it is; from the pop-up it empties it.
    void exitWithCurrentList();
    void exitWithNewList();
    void cancelAndExit();
    void handBackCurrentList();
    void handBackNewList();
    void exitWithoutList();
    // The Options menu and the pop-up.
    void clearHtmlBackground();
    void moveSelectedToNewList();
    void moveSelectedToCurrentList();
    void clearCurrentListSelections();
    void clearNewListSelections();
    void clearAllSelections();
    // The pop-up's: the clicks they make load no picture.
    void clearCurrentListSelectionsOnly();
    void clearNewListSelectionsOnly();
    void clearAllSelectionsOnly();
    void toggleViewThumbnail();
    void addFile();
    void changeThumbnailColor();
    // Associate Text, once for each list whose current entry is selected.
    void associateFromMenu();

    // The window's close box: false, keeping the window, while a picture or
    // a list is made, since the conversion works on the window's lists; a
    // list's conversion stops, and the window goes when it has.
    bool Form_QueryUnload();
    // Whichever way the window was left: the target directory is kept.
    void Form_Unload();

    // The room the picture frame has now, in twips: the picture is fitted
    // again, and read again when it is now shown at another size.
    void Frame2_Resize(int widthTwips, int heightTwips);
    void recalculate_image(const QString& fle);
    void reset_frm_viewem();
    // Converts every image of each list that has a selected entry.
    void go_create_jpgs(ConversionKind kind);
    // Off while a list is converted: the buttons, the menus, the lists and the target.
    void enable_disable(bool enabled);

signals:
    // The window is to be hidden: the modal show returns.
    void hidden();
    // Something changed while a long command runs: the dialog shows it.
    void changed();

private:
    void showListEntry(ListId id);
    // The picture of a clicked entry has been read (or has failed): it shows
    // with its caption and size, and the entries beside it are read ahead.
    void showPicture(ListId id, const QString& text, const platform::LoadedPicture& picture,
                     bool opening);
    void showCaptionAndSize(const QString& text);
    void readAhead(ListId id);
    void enableCreateButtons(const QString& entry);
    // The size pictures are read at, for the frame and the size limit now.
    platform::ImageControl::DisplaySize displaySize() const;
    // The picture shown is read again when it is held at another size than shown.
    void sharpenPicture();
    // The clicked entry's picture could not be read.
    void showReadError(const QString& text);
    void show_size_labels_viewem();
    void writeCaptions();
    void moveSelected(ListId from);
    void clearSelections(ListId id);
    void setHtmlBackgroundFromLists();
    QString assocTextPath() const;
    void exitWith(std::optional<QStringList> list);
    void setTnSize(const QString& text);
    void createOne(ConversionKind kind);
    void convertList(ConversionKind kind);
    void convertOneList(ListId id, ConversionKind kind, QStringList& failures, RunStop& stop);
    ConversionPlace conversionPlace() const;
    QList<ListSelection> listSelections() const;
    void openTarget();

    // The list whose entry was last shown: its neighbours are read ahead.
    ListId m_shownList = Current;
    // Form_Load is showing the first entry.
    bool m_opening = false;
};

// The count caption form: the title, then " (", Str() of the count and ")".
QString countCaption(const QString& title, qsizetype count);

} // namespace mosaicon::viewer
