#include "viewer/librarycatalog.h"

#include "catalog/catalogdata.h"
#include "catalog/catalogpages.h"
#include "dialogs/targetdirectory.h"
#include "pagekit/thumbnails.h"
#include "settings/pickers.h"
#include "settings/thumbsize.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/numbers.h"
#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>

namespace mosaicon::viewer {

using catalog::CatalogData;
using catalog::CatalogDataFormat;
using catalog::CatalogSaveFilter;

namespace {

// What the catalog keeps of a thumbnail conversion: the thumbnail when one
// exists (made, or the picture small enough to be its own), else nothing.
QString recordedThumbnail(const ConversionResult& result)
{
    const bool exists =
        result.outcome == ConversionResult::Made || result.outcome == ConversionResult::SmallLeft;
    return exists ? result.output : QString();
}

// Every conversion that did not happen for a reason the user must know, told
// once in one box.
void tellFailures(const QStringList& paths, const QList<ConversionResult>& results)
{
    QStringList failures;
    for (qsizetype i = 0; i < results.size(); ++i) {
        const ConversionResult& r = results.at(i);
        // The reason names the file as a rule; the file is named once.
        if (r.outcome == ConversionResult::Failed || r.outcome == ConversionResult::Occupied)
            failures.append(r.error.contains(paths.at(i))
                                ? r.error
                                : paths.at(i) + QStringLiteral(": ") + r.error);
        else if (r.outcome == ConversionResult::SourceMissing)
            failures.append(paths.at(i) + QStringLiteral(": the file does not exist."));
    }
    if (failures.isEmpty())
        return;
    warn(QStringLiteral("These images could not be made:\n") + failures.join(u'\n'));
}

} // namespace

LibraryCatalog::LibraryCatalog(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frm_librarycatalog"));
    pictures.setDisplaySize(displaySize());
}

QStringList LibraryCatalog::flelist() const
{
    return m_catalog.images();
}

void LibraryCatalog::Form_Load(const QStringList& mainList)
{
    Program& p = program();
    viewimage.setBackColor(thumb_back_color(p.settings));

    // The window's list is sorted; the catalog takes the same order, so that
    // entry i of both is one image.
    m_catalog.setImages(mainList);
    showFirstEntry();

    QString target = p.settings.target_dir;
    if (target.isEmpty()) {
        target = p.program_folder;
    } else if (!QFileInfo(target).isDir()) {
        warn(QStringLiteral("The target directory has been changed to '%1' because the directory "
                            "'%2' does not exist.")
                 .arg(p.program_folder, target));
        target = p.program_folder;
        p.settings.target_dir = target;
    }
    useTargetDirectory(target);
    reset_frm_viewem();

    p.settings.thumb_size = parse_thumb_size(p.settings.thumb_size).size;
    o_tn_size.text = p.settings.thumb_size;
    o_tn_size_Change();

    o_output_format.entries = {catalog_format_text(CatalogDataFormat::ImageTitle),
                               catalog_format_text(CatalogDataFormat::ImageThumbnailTitle)};
    o_output_format.index = 0;
    o_output_format.text = o_output_format.entries.first();
    o_output_format_Click();
}

void LibraryCatalog::show()
{
    platform::ui().showModal(objectName(), this);
}

void LibraryCatalog::useTargetDirectory(const QString& dir)
{
    Dir1 = QDir::cleanPath(QDir(dir).absolutePath());
    Drive1 = TargetDirectory::volumeOf(Dir1);
    targetdir.caption = Dir1;
}

void LibraryCatalog::reset_frm_viewem()
{
    targetdir.caption = Dir1;
    setBackgroundCaption = html_background_caption();
}

void LibraryCatalog::Frame2_Resize(int widthTwips, int heightTwips)
{
    if (Frame2.width == widthTwips && Frame2.height == heightTwips)
        return;
    Frame2.width = widthTwips;
    Frame2.height = heightTwips;
    pictures.setDisplaySize(displaySize());
    if (viewimage.visible() && !viewimage.isNull())
        recalculate_image();
    sharpenPicture();
}

platform::ImageControl::DisplaySize LibraryCatalog::displaySize() const
{
    return [width = double(Frame2.width), height = double(Frame2.height)](QSize natural) {
        // As recalculate_image() fits it.
        if (width > 300 && height > 300)
            return fitted_picture_pixels(natural, 0, width, height);
        return natural;
    };
}

void LibraryCatalog::sharpenPicture()
{
    reread_at_shown_size(pictures, viewimage, displaySize(), [this] {
        recalculate_image();
        readAhead();
        emit changed();
    });
}

// The picture at its natural size, reduced in proportion where it would not
// fit the frame less its margin; a frame with no room yet leaves it as it is.
void LibraryCatalog::recalculate_image()
{
    viewimage.setFitMode(platform::FitMode::OwnSize);
    platform::PictureFit fit{platform::pixelsToTwips(viewimage.imageWidth()),
                             platform::pixelsToTwips(viewimage.imageHeight())};
    if (Frame2.width > framedPictureMargins.side &&
        Frame2.height > framedPictureMargins.topAndBottom)
        fit = platform::fitPicture(fit.width, fit.height, Frame2.width, Frame2.height,
                                   framedPictureMargins);
    viewimage.setWidth(fit.width);
    viewimage.setHeight(fit.height);
    viewimage.setFitMode(fit.mode);
}

void LibraryCatalog::show_size_labels_catalog()
{
    o_width.caption = QStringLiteral("Width = ") + platform::strForm(viewimage.imageWidth());
    o_height.caption = QStringLiteral("Height = ") + platform::strForm(viewimage.imageHeight());
}

void LibraryCatalog::showReadError()
{
    viewimage.setVisible(false);
    o_notanimage.visible = false;
    error_reading_file.visible = true;
    o_width.caption = QStringLiteral("Width = 0");
    o_height.caption = QStringLiteral("Height = 0");
}

void LibraryCatalog::showFirstEntry()
{
    const qsizetype count = m_catalog.size();
    // A new list: what was read ahead for the old one goes.
    pictures.readAhead({});
    Frame1.caption = QStringLiteral("Current File List (%1)").arg(platform::strForm(count));
    selected = QList<bool>(count, false);
    ListIndex = -1;
    o_image_title.text.clear();
    if (count == 0) {
        caption = QStringLiteral("Image Catalog");
        pictures.cancel();
        showReadError();
        return;
    }
    ListIndex = 0;
    selected[0] = true;
    flelist_Click();
}

void LibraryCatalog::flelist_Click()
{
    if (!m_catalog.holds(ListIndex))
        return;
    const QString item = m_catalog.at(ListIndex).image;
    // The title box always belongs to the current entry, also when its
    // picture cannot be shown: what is typed there goes to that entry.
    o_image_title.text = m_catalog.at(ListIndex).title;
    caption = QStringLiteral("Image Catalog - ") + item;
    if (!is_image_file(item)) {
        // Nothing of the previous picture stays to be converted by mistake,
        // nor turns up after this entry.
        pictures.cancel();
        viewimage.clear();
        viewimage.setVisible(false);
        o_notanimage.visible = true;
        error_reading_file.visible = false;
        o_width.caption = QStringLiteral("Width = 0");
        o_height.caption = QStringLiteral("Height = 0");
        return;
    }
    if (!keep_processing) {
        // Read off the GUI thread: until it is, the window shows what it showed.
        pictures.show(item,
                      [this](const platform::LoadedPicture& picture) { showPicture(picture); });
        return;
    }
    pictures.cancel();
    viewimage.setVisible(true);
    o_notanimage.visible = false;
    error_reading_file.visible = false;
    show_size_labels_catalog();
}

void LibraryCatalog::showPicture(const platform::LoadedPicture& picture)
{
    viewimage.setVisible(true);
    o_notanimage.visible = false;
    error_reading_file.visible = false;
    if (viewimage.showLoaded(picture)) {
        recalculate_image();
        show_size_labels_catalog();
    } else {
        showReadError();
    }
    readAhead();
    emit changed();
}

void LibraryCatalog::readAhead()
{
    read_ahead_beside(pictures, ListIndex, m_catalog.size(),
                      [this](int i) { return m_catalog.at(i).image; });
}

void LibraryCatalog::o_image_title_LostFocus()
{
    if (m_catalog.holds(ListIndex))
        m_catalog.entry(ListIndex).title = o_image_title.text;
}

void LibraryCatalog::o_tn_size_Change()
{
    const ThumbSizeText corrected = parse_thumb_size(o_tn_size.text);
    o_tn_size.text = corrected.size;
    warn(thumb_size_warning(corrected.fault));
    program().settings.thumb_size = o_tn_size.text;
}

void LibraryCatalog::o_output_format_Click()
{
    const bool titles = o_output_format.index == 0;
    filterVisible = {true, titles, !titles};
    o_save_by_image_filter.index = 0;
}

void LibraryCatalog::Drive1_Change()
{
    if (QFileInfo(Drive1).isDir() && QDir(Drive1).isReadable()) {
        Dir1 = Drive1;
        Dir1_Change();
    } else {
        Drive1 = TargetDirectory::volumeOf(Dir1);
    }
}

void LibraryCatalog::Dir1_Change()
{
    useTargetDirectory(Dir1);
}

void LibraryCatalog::Label2_Click()
{
    if (!m_catalog.holds(ListIndex))
        return;
    program().settings.html_background = m_catalog.at(ListIndex).image;
    // The pop-up menu names the background it would replace.
    reset_frm_viewem();
}

void LibraryCatalog::setHtmlBackground()
{
    if (m_catalog.holds(ListIndex) && selected.value(ListIndex))
        program().settings.html_background = m_catalog.at(ListIndex).image;
    else
        select_html_background();
    reset_frm_viewem();
}

void LibraryCatalog::b_select_file_Click()
{
    if (const std::optional<QString> chosen = select_catalog_output_file(true))
        o_output_file.text = *chosen;
}

void LibraryCatalog::b_save_data_Click()
{
    const CatalogDataFormat format = o_output_format.index == 1
                                         ? CatalogDataFormat::ImageThumbnailTitle
                                         : CatalogDataFormat::ImageTitle;
    const auto filter = CatalogSaveFilter(qBound(0, o_save_by_image_filter.index, 2));
    save_catalog_data(o_output_file.text, m_catalog.entries(), format, filter);
}

void LibraryCatalog::b_create_web_page_catalog_Click()
{
    // The pages are written with the window answering between them: a second
    // click, a menu or leaving the window waits until the last page is written.
    if (batch_create_running)
        return;
    batch_create_running = true;
    emit changed();
    write_catalog_pages(
        targetdir.caption, m_catalog.entries(),
        {o_horizontal_images.text, o_vertical_images.text, o_use_thumbs.index == 0});
    // The pages are not stopped half written, and the window stays.
    leaveWhenListEnds = false;
    batch_create_running = false;
    emit changed();
}

void LibraryCatalog::loadSavedFile()
{
    const std::optional<QString> chosen = select_catalog_output_file(false);
    if (!chosen)
        return;
    const std::optional<CatalogData> data = catalog::load_catalog_data(*chosen);
    // A file that is not a data file never becomes the file the next save replaces.
    if (!data)
        return;
    o_output_file.text = *chosen;
    m_catalog.setEntries(data->entries);
    // The window shows the new catalog at once: its count, and its first
    // entry in place of a picture that may no longer be listed.
    showFirstEntry();
}

void LibraryCatalog::promptForTitles()
{
    const qsizetype start = qMax<qsizetype>(0, selected.indexOf(true));
    for (qsizetype i = start; i < m_catalog.size(); ++i) {
        ListIndex = int(i);
        selected[i] = true;
        if (i > 0)
            selected[i - 1] = false;
        flelist_Click();
        emit changed();
        const std::optional<QString> answer =
            platform::ui().inputBox(QStringLiteral("Enter the title for this image."),
                                    m_catalog.at(i).image, m_catalog.at(i).title);
        if (!answer || answer->isEmpty())
            return;
        m_catalog.entry(i).title = *answer;
        // The box shows the answer, so that leaving it keeps it.
        o_image_title.text = *answer;
    }
}

ConversionPlace LibraryCatalog::place() const
{
    ConversionPlace where;
    where.targetDir = targetdir.caption;
    where.copySmallThumbnail = false;
    return where;
}

bool LibraryCatalog::confirmCreation(ConversionKind kind)
{
    return confirm_place(kind, targetdir.caption + QStringLiteral(" directory"));
}

bool LibraryCatalog::targetDirectoryExists()
{
    if (QFileInfo(targetdir.caption).isDir())
        return true;
    warn(QStringLiteral("The images were not made because the target directory %1 does not exist.")
             .arg(targetdir.caption));
    return false;
}

void LibraryCatalog::setCreating(bool creating)
{
    Frame2.visible = !creating;
    emit changed();
    platform::doEvents();
}

void LibraryCatalog::createJpegFile()
{
    // A list entry that is not a picture leaves no picture to convert.
    if (error_reading_file.visible || o_notanimage.visible || viewimage.fileName().isEmpty()) {
        warn_cannot_create();
        return;
    }
    if (!confirmCreation(ConversionKind::Jpeg) || !targetDirectoryExists())
        return;
    const QString shown = viewimage.fileName();
    setCreating(true);
    const ConversionResult result = create_jpeg(shown, ConversionKind::Jpeg, place());
    setCreating(false);
    tellFailures({shown}, {result});
}

void LibraryCatalog::createThumbnailFile()
{
    if (error_reading_file.visible) {
        warn_cannot_create();
        return;
    }
    if (!confirmCreation(ConversionKind::Thumbnail) || !targetDirectoryExists())
        return;
    const double size = platform::val(program().settings.thumb_size);
    const bool larger = size < viewimage.imageHeight() || size < viewimage.imageWidth();
    if (o_notanimage.visible || !larger) {
        warn(
            o_notanimage.visible
                ? QStringLiteral("The thumbnail was not created because this file is not an image.")
                : QStringLiteral(
                      "The thumbnail was not created because it would be larger than the size of "
                      "the original image."));
        return;
    }
    const QString shown = viewimage.fileName();
    const int entry = ListIndex;
    setCreating(true);
    const ConversionResult result = create_jpeg(shown, ConversionKind::Thumbnail, place());
    if (m_catalog.holds(entry) && m_catalog.at(entry).image == shown)
        m_catalog.entry(entry).thumbnail = recordedThumbnail(result);
    setCreating(false);
    tellFailures({shown}, {result});
}

void LibraryCatalog::convertListToJpegs()
{
    convertList(ConversionKind::Jpeg);
}

void LibraryCatalog::convertListToThumbnails()
{
    convertList(ConversionKind::Thumbnail);
}

void LibraryCatalog::convertList(ConversionKind kind)
{
    const bool started = beginListConversion(
        kind, targetdir.caption + QStringLiteral(" directory"), [this] { emit changed(); },
        [this] { return selected.contains(true) && targetDirectoryExists(); });
    if (!started)
        return;
    register_thumbnail_directory(targetdir.caption);
    const QStringList paths = flelist();
    // The rows cannot change meanwhile: the list, the menus and leaving the window are off.
    const auto done = [this, kind](qsizetype i, const ConversionResult& result) {
        if (kind == ConversionKind::Thumbnail)
            m_catalog.entry(i).thumbnail = recordedThumbnail(result);
    };
    RunStop stop;
    listStop = &stop;
    if (leaveWhenListEnds)
        stop.stop();
    const QList<ConversionResult> results = convert_list(
        paths, kind, place(), [](const QString& path) { return is_image_file(path); }, done, &stop);
    listStop = nullptr;
    // The entry that was current stays shown, now the only one selected,
    // and the caption names it as a click on it does.
    selected.fill(false);
    if (ListIndex >= 0 && ListIndex < selected.size()) {
        selected[ListIndex] = true;
        caption = QStringLiteral("Image Catalog - ") + m_catalog.at(ListIndex).image;
    }
    batch_create_running = false;
    setCreating(false);
    // The user left the window meanwhile: it goes now, with nothing more to tell.
    if (leaveWhenListEnds) {
        leaveWhenListEnds = false;
        cancelAndExit();
        return;
    }
    tellFailures(paths, results);
}

void LibraryCatalog::leave()
{
    program().settings.target_dir = Dir1;
    emit hidden();
}

void LibraryCatalog::exitWithCurrentList()
{
    if (!m_catalog.isEmpty())
        m_newMainList = flelist();
    leave();
}

void LibraryCatalog::cancelAndExit()
{
    leave();
}

bool LibraryCatalog::Form_QueryUnload()
{
    // A list conversion stops, and the window goes when it has; the pages
    // being written are finished first.
    if (batch_create_running) {
        leaveDuringList();
        return false;
    }
    cancelAndExit();
    return true;
}

} // namespace mosaicon::viewer
