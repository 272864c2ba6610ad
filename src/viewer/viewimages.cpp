#include "viewer/viewimages.h"

#include "dialogs/assoctext.h"

#include "pagekit/thumbnails.h"

#include "settings/pickers.h"
#include "settings/program.h"
#include "settings/thumbsize.h"
#include "settings/warning.h"

#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/ui.h"

#include <QDir>

namespace mosaicon::viewer {

namespace {

ViewImages::ListId other(ViewImages::ListId id)
{
    return id == ViewImages::Current ? ViewImages::New : ViewImages::Current;
}

} // namespace

QString countCaption(const QString& title, qsizetype count)
{
    return title + QStringLiteral(" (") + platform::strForm(count) + u')';
}

ViewImages::ViewImages(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frm_viewem"));
    pictures.setDisplaySize(displaySize());
}

std::optional<QStringList> ViewImages::showModally(const QStringList& mainList)
{
    ViewImages window;
    window.Form_Load(mainList);
    platform::ui().showModal(window.objectName(), &window);
    window.Form_Unload();
    return window.handBack;
}

void ViewImages::Form_Load(const QStringList& mainList)
{
    Program& p = program();
    viewimage.setBackColor(thumb_back_color(p.settings));
    // No events run while the list fills: the main window must not act on a
    // list that is being copied.
    flelist.setEntries(mainList);
    writeCaptions();

    // Selecting the first entry of an empty list fails, and that shows as
    // "Error Reading File"; a first picture that cannot be read shows it once
    // it has been tried.
    bool readFailed = flelist.count() == 0;
    if (!readFailed) {
        m_opening = true;
        setSelected(Current, 0, true);
        m_opening = false;
        if (!pictures.loading())
            viewimage.setVisible(is_image_file(flelist.text()));
    }
    fileoption.index = 0;
    openTarget();
    reset_frm_viewem();
    for (Button* b : {&Command1, &Command2, &Command5, &Command6})
        b->visible = true;
    o_images_in_src_dir.visible = true;
    enableCreateButtons(flelist.text());

    // Put right without a word when the window opens.
    const QString size = parse_thumb_size(p.settings.thumb_size).size;
    p.settings.thumb_size = size;
    setTnSize(size);
    // The buttons stay on: they refuse while the error shows.
    if (readFailed) {
        viewimage.setVisible(false);
        error_reading_file.visible = true;
    }
    o_images_in_src_dir.value = p.settings.images_in_source_dir;
}

// A stored target directory that is gone is replaced by the program folder,
// and the user is told.
void ViewImages::openTarget()
{
    Program& p = program();
    if (p.settings.target_dir.isEmpty())
        p.settings.target_dir = p.program_folder;
    const QString target = p.settings.target_dir;
    if (!QDir(target).exists()) {
        warn(QStringLiteral(
                 "The target directory has been changed to '%1' because the directory '%2' "
                 "does not exist.")
                 .arg(p.program_folder, target));
        p.settings.target_dir = p.program_folder;
    }
    // As the directory list spells it, so that the two never disagree.
    Dir1 = QDir::cleanPath(p.settings.target_dir);
    targetdir.caption = Dir1;
}

void ViewImages::click(ListId id, int index, bool selected)
{
    PathList& l = list(id);
    if (index < 0 || index >= l.count())
        return;
    l.current = index;
    l.selected[index] = selected;
    list_Click(id);
}

void ViewImages::setSelected(ListId id, int index, bool selected)
{
    PathList& l = list(id);
    if (index < 0 || index >= l.count() || (l.selected.at(index) == selected && l.current == index))
        return;
    click(id, index, selected);
}

void ViewImages::list_Click(ListId id)
{
    PathList& l = list(id);
    PathList& o = list(other(id));
    // One current entry across the two lists.
    if (o.count() > 0 && o.currentSelected() && l.currentSelected())
        o.selected[o.current] = false;
    showListEntry(id);
}

void ViewImages::showListEntry(ListId id)
{
    const QString text = list(id).text();
    const bool image = is_image_file(text);
    if (!batch_create_running)
        Command2.enabled = image && !text.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive);
    if (image && !keep_processing) {
        // Read off the GUI thread: until it is, the window shows what it showed.
        pictures.show(
            text, [this, id, text, opening = m_opening](const platform::LoadedPicture& picture) {
                showPicture(id, text, picture, opening);
            });
        return;
    }
    // No picture asked for earlier turns up after this entry.
    pictures.cancel();
    error_reading_file.visible = false;
    o_notanimage.visible = !image;
    viewimage.setVisible(image);
    showCaptionAndSize(text);
}

void ViewImages::showPicture(ListId id, const QString& text, const platform::LoadedPicture& picture,
                             bool opening)
{
    error_reading_file.visible = false;
    o_notanimage.visible = false;
    viewimage.setVisible(true);
    if (viewimage.showLoaded(picture)) {
        // A picture that can be read can be made into images again, whatever
        // could not be read before.
        if (!batch_create_running) {
            for (Button* b : {&Command1, &Command5, &Command6})
                b->enabled = true;
        }
        recalculate_image(text);
        showCaptionAndSize(text);
    } else {
        showReadError(text);
        // The window opens with its create buttons on: they refuse while the error shows.
        if (opening)
            enableCreateButtons(text);
    }
    m_shownList = id;
    readAhead(id);
    emit changed();
}

void ViewImages::showCaptionAndSize(const QString& text)
{
    caption = QStringLiteral("View Image - ") + text;
    readError.clear();
    if (o_notanimage.visible) {
        o_width.caption = QStringLiteral("Width = 0");
        o_height.caption = QStringLiteral("Height = 0");
    } else {
        show_size_labels_viewem();
    }
}

// Create JPG stays off for an entry whose name holds ".jpg".
void ViewImages::enableCreateButtons(const QString& entry)
{
    Command1.enabled = true;
    if (!entry.contains(QStringLiteral(".jpg"), Qt::CaseInsensitive))
        Command2.enabled = true;
    Command5.enabled = true;
    Command6.enabled = true;
}

void ViewImages::readAhead(ListId id)
{
    const PathList& l = list(id);
    read_ahead_beside(pictures, l.current, l.count(), [&l](int i) { return l.entries.at(i); });
}

platform::ImageControl::DisplaySize ViewImages::displaySize() const
{
    return [limit = viewimage.sizeLimit(), width = double(Frame2.width),
            height = double(Frame2.height)](QSize natural) {
        return fitted_picture_pixels(natural, limit, width, height);
    };
}

void ViewImages::sharpenPicture()
{
    reread_at_shown_size(pictures, viewimage, displaySize(), [this] {
        recalculate_image(viewimage.fileName());
        readAhead(m_shownList);
        emit changed();
    });
}

void ViewImages::Frame2_Resize(int widthTwips, int heightTwips)
{
    if (Frame2.width == widthTwips && Frame2.height == heightTwips)
        return;
    Frame2.width = widthTwips;
    Frame2.height = heightTwips;
    pictures.setDisplaySize(displaySize());
    if (viewimage.visible() && !viewimage.fileName().isEmpty())
        recalculate_image(viewimage.fileName());
    sharpenPicture();
}

// The picture area says the file could not be read, and nothing is made from
// it: the create and convert buttons stay off until a picture is read. The
// caption names the entry clicked, the label's tool tip why it failed.
void ViewImages::showReadError(const QString& text)
{
    viewimage.setVisible(false);
    o_notanimage.visible = false;
    error_reading_file.visible = true;
    for (Button* b : {&Command1, &Command6, &Command2, &Command5})
        b->enabled = false;
    caption = QStringLiteral("View Image - ") + text;
    readError = viewimage.errorString();
    o_width.caption = QStringLiteral("Width = 0");
    o_height.caption = QStringLiteral("Height = 0");
}

void ViewImages::show_size_labels_viewem()
{
    o_width.caption = QStringLiteral("Width = ") + platform::strForm(viewimage.imageWidth());
    o_height.caption = QStringLiteral("Height = ") + platform::strForm(viewimage.imageHeight());
}

void ViewImages::list_DblClick(ListId id)
{
    PathList& l = list(id);
    if (l.current < 0 || l.current >= l.count())
        return;
    list(other(id)).add(l.text());
    l.removeAt(l.current);
    writeCaptions();
}

void ViewImages::writeCaptions()
{
    // The lists have changed: what was read ahead for the old neighbours goes.
    pictures.readAhead({});
    Frame1.caption = countCaption(QStringLiteral("Current File List"), flelist.count());
    Frame5.caption = countCaption(QStringLiteral("New File List"), newlist.count());
}

// Fits the picture into the picture frame, its proportions kept; a picture
// that fits keeps its own size.
void ViewImages::recalculate_image(const QString& fle)
{
    viewimage.setFitMode(platform::FitMode::OwnSize);
    const QSize shown = viewimage.shownSize();
    const platform::PictureFit fit = platform::fitPicture(
        platform::pixelsToTwips(shown.width()), platform::pixelsToTwips(shown.height()),
        Frame2.width, Frame2.height, framedPictureMargins);
    viewimage.setWidth(qMax(0.0, fit.width));
    viewimage.setHeight(qMax(0.0, fit.height));
    viewimage.setFitMode(fit.mode);
    if (is_image_file(fle)) {
        o_notanimage.visible = false;
    } else {
        viewimage.setVisible(false);
        o_notanimage.visible = true;
    }
}

void ViewImages::reset_frm_viewem()
{
    targetdir.caption = Dir1;
    setBackgroundCaption = html_background_caption();
    htmlbackground.caption = settings().html_background;
}

void ViewImages::Label2_Click()
{
    Settings& s = settings();
    if (!flelist.text().isEmpty())
        s.html_background = flelist.text();
    if (!newlist.text().isEmpty())
        s.html_background = newlist.text();
    htmlbackground.caption = s.html_background;
    platform::refresh_toolbar();
}

void ViewImages::htmlbackground_DblClick()
{
    Settings& s = settings();
    bool found = false;
    for (const PathList* l : {&flelist, &newlist}) {
        if (l->count() > 0 && l->currentSelected()) {
            found = true;
            s.html_background = l->text();
            htmlbackground.caption = l->text();
        }
    }
    if (!found)
        select_html_background();
    reset_frm_viewem();
    platform::refresh_toolbar();
}

void ViewImages::Dir1_Change(const QString& path)
{
    Dir1 = path;
    targetdir.caption = path;
}

void ViewImages::o_images_in_src_dir_Click()
{
    settings().images_in_source_dir = o_images_in_src_dir.value;
}

void ViewImages::setTnSize(const QString& text)
{
    if (o_tn_size.text == text)
        return;
    o_tn_size.text = text;
    o_tn_size_Change();
}

void ViewImages::o_tn_size_Change()
{
    const QString text = o_tn_size.text;
    const int size = int(qBound(0.0, platform::val(text), 32767.0));
    if (viewThumbnail && !text.isEmpty() && size != 0) {
        viewimage.setSizeLimit(size);
        pictures.setDisplaySize(displaySize());
        if (viewimage.visible())
            recalculate_image(viewimage.fileName());
        sharpenPicture();
    }
    const ThumbSizeText corrected = parse_thumb_size(text);
    // The box runs this once more for "100", which stands.
    setTnSize(corrected.size);
    warn(thumb_size_warning(corrected.fault));
    settings().thumb_size = o_tn_size.text;
}

QString ViewImages::assocTextPath() const
{
    QString path;
    if (!flelist.text().isEmpty())
        path = flelist.text();
    if (!newlist.text().isEmpty())
        path = newlist.text();
    return path;
}

void ViewImages::associateText()
{
    AssocText::edit(QStringLiteral("viewem"), assocTextPath());
}

bool ViewImages::Form_QueryUnload()
{
    if (batch_create_running)
        leaveDuringList();
    if (batch_create_running || creating)
        return false;
    cancelAndExit();
    return true;
}

void ViewImages::Form_Unload()
{
    settings().target_dir = Dir1;
}

} // namespace mosaicon::viewer
