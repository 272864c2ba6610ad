// The View Images window's buttons that make JPEG images and thumbnails.
#include "viewer/viewimages.h"

#include "pagekit/thumbnails.h"
#include "settings/program.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/ui.h"

#include <QImageReader>

namespace mosaicon::viewer {

namespace {

// A JPEG is not made into a JPEG again.
bool hasJpgExtension(const QString& path)
{
    return path.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive);
}

// A picture that already fits the thumbnail size serves as its own thumbnail.
bool fitsThumbnailSize(const QString& path)
{
    const QSize size = QImageReader(path).size();
    const int limit = thumbnail_size();
    return size.isValid() && size.width() <= limit && size.height() <= limit;
}

// Why a result made nothing, for the user; empty when there is nothing to tell.
QString failure(const QString& source, ConversionKind kind, const ConversionResult& result)
{
    if (result.outcome == ConversionResult::SameAsSource) {
        // Beside itself, a small picture's unchanged copy would be the picture:
        // nothing was to be made.
        if (kind == ConversionKind::Thumbnail && fitsThumbnailSize(source))
            return QString();
        return QStringLiteral("%1: the new image would replace the picture it is made from.")
            .arg(source);
    }
    if (result.outcome == ConversionResult::Failed || result.outcome == ConversionResult::Occupied)
        return QStringLiteral("%1: %2").arg(source, result.error);
    return QString();
}

} // namespace

ConversionPlace ViewImages::conversionPlace() const
{
    return {targetdir.caption, o_images_in_src_dir.value, true};
}

void ViewImages::createJpegFile()
{
    createOne(ConversionKind::Jpeg);
}

void ViewImages::createThumbnailFile()
{
    createOne(ConversionKind::Thumbnail);
}

// Works on the picture the control holds: after a click on an entry that is
// not an image, that is still the picture shown before.
void ViewImages::createOne(ConversionKind kind)
{
    const QString shown = viewimage.fileName();
    if (error_reading_file.visible || shown.isEmpty()) {
        warn_cannot_create();
        return;
    }
    QString directory = targetdir.caption;
    if (o_images_in_src_dir.value)
        directory = platform::split_file_path(shown).directory;
    if (!confirm_place(kind, directory + QStringLiteral(" directory")))
        return;
    if (kind == ConversionKind::Thumbnail) {
        const double size = platform::val(settings().thumb_size);
        if (!(size < viewimage.imageHeight() || size < viewimage.imageWidth())) {
            warn(o_notanimage.visible || error_reading_file.visible
                     ? QStringLiteral(
                           "The thumbnail was not created because this file is not an image.")
                     : QStringLiteral(
                           "The thumbnail was not created because it would be larger than the "
                           "size of the original image."));
            return;
        }
    }
    creating = true;
    Frame2.visible = false;
    emit changed();
    platform::doEvents();
    const ConversionResult result = create_jpeg(shown, kind, conversionPlace());
    Frame2.visible = true;
    creating = false;
    const QString why = failure(shown, kind, result);
    if (!why.isEmpty())
        warn(QStringLiteral("The image was not created.\n") + why);
}

void ViewImages::convertListToJpegs()
{
    convertList(ConversionKind::Jpeg);
}

void ViewImages::convertListToThumbnails()
{
    convertList(ConversionKind::Thumbnail);
}

void ViewImages::convertList(ConversionKind kind)
{
    const QString where = o_images_in_src_dir.value
                              ? QStringLiteral("directory where the source file is located")
                              : targetdir.caption + QStringLiteral(" directory");
    const bool started = beginListConversion(kind, where, [this] {
        enable_disable(false);
        emit changed();
    });
    if (!started)
        return;
    go_create_jpgs(kind);
    Frame2.visible = true;
}

void ViewImages::go_create_jpgs(ConversionKind kind)
{
    batch_create_running = true;
    enable_disable(false);
    bool anySelected = false;
    QStringList failures;
    RunStop stop;
    listStop = &stop;
    if (leaveWhenListEnds)
        stop.stop();
    for (ListId id : {Current, New}) {
        if (!list(id).hasSelection() || stop.stopped())
            continue;
        anySelected = true;
        // Registered even when the images go beside their sources.
        if (id == Current)
            register_thumbnail_directory(targetdir.caption);
        convertOneList(id, kind, failures, stop);
    }
    listStop = nullptr;
    if (!anySelected && !leaveWhenListEnds)
        warn(QStringLiteral(
            "You must select a file in one of the file lists ('Current File List' or 'New File "
            "List') and try again."));
    enable_disable(true);
    batch_create_running = false;
    emit changed();
    // The user left the window meanwhile: it goes now, with nothing more to tell.
    if (leaveWhenListEnds) {
        leaveWhenListEnds = false;
        cancelAndExit();
        return;
    }
    if (!failures.isEmpty())
        warn(QStringLiteral("These images could not be created:\n") + failures.join(u'\n'));
}

// Every image of the list; the entry that was current is shown again at the
// end, the only one selected.
void ViewImages::convertOneList(ListId id, ConversionKind kind, QStringList& failures, RunStop& stop)
{
    const QStringList paths = list(id).entries;
    const auto wanted = [kind](const QString& path) {
        return is_image_file(path) && (kind == ConversionKind::Thumbnail || !hasJpgExtension(path));
    };
    const auto done = [&](qsizetype index, const ConversionResult& result) {
        const QString why = failure(paths.at(index), kind, result);
        if (!why.isEmpty())
            failures.append(why);
        caption = QStringLiteral("View Image - ") + paths.at(index);
        emit changed();
    };
    convert_list(paths, kind, conversionPlace(), wanted, done, &stop);

    PathList& l = list(id);
    const int shown = l.current;
    l.selected.fill(false);
    viewimage.setVisible(false);
    caption = QStringLiteral("View Image ");
    if (shown >= 0)
        setSelected(id, shown, true);
    else
        viewimage.setVisible(!o_notanimage.visible && !error_reading_file.visible);
}

void ViewImages::enable_disable(bool enabled)
{
    controlsEnabled = enabled;
    for (Button* b : {&Command1, &Command6, &Command3, &Command2, &Command5, &Command4, &Command7})
        b->enabled = enabled;
}

} // namespace mosaicon::viewer
