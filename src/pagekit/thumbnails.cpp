#include "pagekit/thumbnails.h"

#include "pagekit/imageheaders.h"

#include "settings/program.h"
#include "settings/thumbnailrecords.h"
#include "settings/thumbsize.h"

#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/picturetypes.h"
#include "platform/profilefile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace mosaicon {

namespace {

QString extensionOf(const QString& name)
{
    const qsizetype slash = name.lastIndexOf(u'/');
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > slash ? name.mid(dot + 1).toLower() : QString();
}

// The icon table's key: looks at the last four, then five characters for a
// ".", as the table's keys are three or four letters long.
QString iconKeyOf(const QString& file)
{
    const auto after = [&](int n) -> QString {
        if (file.size() < 5 || file.size() < n)
            return {};
        const QString tail = file.right(n);
        const qsizetype dot = tail.indexOf(u'.');
        return dot < 0 ? QString() : tail.mid(dot + 1);
    };
    QString ext = after(4);
    if (ext.isEmpty() && file.size() > 5)
        ext = after(5);
    return ext;
}

QString cutAtFirstDot(const QString& name, const QString& ending)
{
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot) + ending;
}

constexpr qsizetype maxNameBytes = 255;

// A stem cut, at whole characters, to at most that many UTF-8 bytes.
QString cutToBytes(const QString& stem, qsizetype bytes)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < stem.size()) {
        const qsizetype step = stem.at(end).isHighSurrogate() && end + 1 < stem.size() ? 2 : 1;
        const qsizetype size = stem.mid(end, step).toUtf8().size();
        if (used + size > bytes)
            break;
        used += size;
        end += step;
    }
    return stem.left(end);
}

// A thumbnail name the file system can hold. A longer one is cut before its
// ending and takes a short digest of the whole name, so that two long names
// that differ only where they were cut still name two thumbnails, the same
// two on every run.
QString fitted(const QString& name, qsizetype ending)
{
    if (name.toUtf8().size() <= maxNameBytes)
        return name;
    const QString mark = u'~' + QString::fromLatin1(
                                    QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex().left(8));
    return name_within_limit(name.left(name.size() - ending), mark + name.right(ending));
}

} // namespace

QString name_within_limit(const QString& stem, const QString& ending)
{
    return cutToBytes(stem, maxNameBytes - ending.toUtf8().size()) + ending;
}

int thumbnail_size()
{
    return thumb_size_pixels(settings().thumb_size);
}

int styled_thumbnail_limit(int size)
{
    // Decoding just above the thumbnail's size gives the same thumbnail as the whole photo.
    return platform::pixelsAtLeast(size * thumbnailBoxTwipsPerPixel) + 1;
}

ThumbnailRecipe thumbnail_recipe()
{
    const Settings& s = settings();
    ThumbnailRecipe r;
    r.size = thumbnail_size();
    r.style = s.thumb_style;
    r.quality = setting_number<int>(s, &Settings::thumb_quality);
    r.smoothing = setting_number<int>(s, &Settings::thumb_smoothing);
    r.dither = setting_number<int>(s, &Settings::thumb_dither);
    r.optimize = s.thumb_optimize;
    r.threeD = s.thumb_3d;
    r.background = setting_number<quint32>(s, &Settings::thumb_bg_color);
    r.prefixName = s.prefix_thumbnail_file;
    return r;
}

void apply_thumbnail_settings(platform::ImageControl& engine, const ThumbnailRecipe& recipe)
{
    engine.setJpegOutputMode(0);
    engine.setJpegOptimize(recipe.optimize);
    engine.setJpegQuality(recipe.quality);
    engine.setJpegSmoothing(recipe.smoothing);
    engine.setJpegDither(recipe.dither);
    engine.setAppearance(recipe.threeD ? 0 : 1);
    engine.setBorderStyle(0);
    engine.setBackColor(recipe.background);
}

namespace {

bool isThumbnail(ReducedFor purpose)
{
    return purpose != ReducedFor::WindowJpeg;
}

// Decoded once, at the size it is saved from: a borderless picture just
// above its box, a thumbnail with borders at the size plus four, a slide's
// copy at the size it is saved at.
int decodeLimit(ReducedFor purpose, const ThumbnailRecipe& recipe)
{
    if (purpose == ReducedFor::SlideCopy)
        return recipe.size;
    if (is_styled(recipe.style))
        return styled_thumbnail_limit(recipe.size);
    return isThumbnail(purpose) ? recipe.size + 4 : 0;
}

} // namespace

qint64 reduced_picture_pixels(ReducedFor purpose, const QString& picture, const ThumbnailRecipe& recipe)
{
    return platform::ImageControl::decodedPixels(picture, decodeLimit(purpose, recipe));
}

Reduction make_reduced_picture(platform::ImageControl& engine, ReducedFor purpose, const QString& picture,
                               const QString& output, const ThumbnailRecipe& recipe)
{
    Reduction r;
    const int size = recipe.size;
    const bool thumbnail = isThumbnail(purpose);
    const bool window = purpose == ReducedFor::WindowThumbnail || purpose == ReducedFor::WindowJpeg;
    engine.setFitMode(platform::FitMode::OwnSize);
    // Emptied first, so a new limit never decodes the previous picture again.
    engine.setFileName(QString());
    engine.setSizeLimit(decodeLimit(purpose, recipe));
    // A picture that cannot be loaded leaves the engine empty: nothing is
    // ever made from the previous image.
    if (!engine.setFileName(picture)) {
        r.outcome = Reduction::Unreadable;
        r.error = engine.errorString();
        r.reason = engine.errorReason();
        engine.setSizeLimit(0);
        return r;
    }
    r.pixels = QSize(engine.imageWidth(), engine.imageHeight());
    if (thumbnail && engine.imageWidth() <= size && engine.imageHeight() <= size) {
        r.outcome = Reduction::Small;
        return r;
    }
    if (output.isEmpty()) {
        r.outcome = Reduction::Decoded;
        return r;
    }
    // Nothing made from a picture replaces that picture.
    if (output == picture || platform::isSameFile(output, picture)) {
        r.outcome = Reduction::SamePicture;
        return r;
    }
    // The run's own folder holds its copies and their thumbnails, whose
    // names pass from picture to picture between runs; there only a thumbnail
    // the user edited stays. Anywhere else a file this program did not make
    // from this picture stays.
    r.error = purpose == ReducedFor::RunThumbnail ? thumbnail_edited(output)
                                                  : thumbnail_in_the_way(output, picture);
    if (!r.error.isEmpty()) {
        r.outcome = Reduction::InTheWay;
        return r;
    }
    apply_thumbnail_settings(engine, recipe);
    if (is_styled(recipe.style)) {
        // An image window's box is the thumbnail size in pixels; a page's is
        // that size in thumbnailBoxTwipsPerPixel twips.
        const double box = window ? platform::pixelsToTwips(size) : size * thumbnailBoxTwipsPerPixel;
        fit_in_box(engine, box, box);
    }
    // The save replaces an older file atomically; a failed save keeps it. A
    // thumbnail carries the mark that lets a later run replace it; a JPEG
    // copy is never replaced, so needs none.
    const platform::Flush flush = purpose == ReducedFor::PageThumbnail ? platform::Flush::ToDisk
                                                                        : platform::Flush::ToCache;
    if (!engine.saveAsJpeg(output, flush, thumbnail ? picture : QString())) {
        r.outcome = Reduction::Failed;
        r.error = thumbnail ? QStringLiteral("The thumbnail %1 could not be written: %2").arg(output, engine.errorString())
                            : engine.errorString();
        engine.setSizeLimit(0);
        return r;
    }
    r.outcome = Reduction::Made;
    return r;
}

void fit_in_box(platform::ImageControl& engine, double width, double height)
{
    if (engine.width() >= width) {
        const double factor = width / engine.width();
        engine.setWidth(engine.width() * factor);
        engine.setHeight(engine.height() * factor);
        engine.setFitMode(platform::FitMode::FittedToWidth);
    }
    if (engine.height() >= height) {
        const double factor = height / engine.height();
        engine.setWidth(engine.width() * factor);
        engine.setHeight(engine.height() * factor);
        engine.setFitMode(platform::FitMode::FittedToHeight);
    }
}

QString thumbnail_file_name(const QString& file_name, ThumbnailRule rule, const QString& source)
{
    ThumbnailRecipe recipe;
    recipe.prefixName = settings().prefix_thumbnail_file;
    return thumbnail_file_name(file_name, rule, recipe, source);
}

QString thumbnail_file_name(const QString& file_name, ThumbnailRule rule, const ThumbnailRecipe& recipe,
                            const QString& source)
{
    const QString jpg = QStringLiteral(".jpg");
    if (recipe.prefixName) {
        QString name = file_name.contains(QLatin1String("tn_")) ? file_name : QStringLiteral("tn_") + file_name;
        if (rule == ThumbnailRule::Conversion && name.contains(jpg))
            return fitted(name, name.size() - name.lastIndexOf(u'.'));
        return fitted(cutAtFirstDot(name, jpg), jpg.size());
    }
    const QString ending = QStringLiteral("_tn.jpg");
    if (file_name.contains(ending) || (rule == ThumbnailRule::PageRun && source.contains(ending)))
        return file_name;
    return fitted(cutAtFirstDot(file_name, ending), ending.size());
}

namespace {

QString changedSinceMade(const QString& output)
{
    return QStringLiteral("%1 was changed since this program made it, so it was left as it is.")
        .arg(output);
}

} // namespace

QString thumbnail_edited(const QString& output)
{
    const QFileInfo there(output);
    if (!there.isFile() || there.isSymLink())
        return QString();
    const std::optional<platform::JpegMark> mark = platform::jpeg_mark(output);
    const bool edited =
        mark && !mark->madeFrom.isEmpty() && !mark->imageDigest.isEmpty() && !mark->unchanged;
    return edited ? changedSinceMade(output) : QString();
}

QString thumbnail_in_the_way(const QString& output, const QString& picture)
{
    const QFileInfo there(output);
    if (!there.exists() && !there.isSymLink())
        return QString();
    // A link is never this program's: it writes files.
    const std::optional<platform::JpegMark> mark =
        there.isSymLink() ? std::nullopt : platform::jpeg_mark(output);
    if (!mark || mark->madeFrom.isEmpty())
        return QStringLiteral("%1 is already there and is not a thumbnail this program made, so it "
                              "was left as it is.")
            .arg(output);
    const bool earlier = mark->imageDigest.isEmpty();
    if (!earlier && !mark->unchanged)
        return changedSinceMade(output);
    // Made from this picture, or from the copy a page run made of it. A
    // relative name did not come from this program, and means nothing here.
    const QString& from = mark->madeFrom;
    if (QFileInfo(from).isAbsolute() &&
        (from == picture || platform::isSameFile(from, picture) || platform::haveSameBytes(from, picture)))
        return QString();
    // Made from this very content, wherever its folder lies now or whatever it is called.
    const QFileInfo source(picture);
    if (!earlier && mark->sourceSize >= 0 && source.isFile() && source.size() == mark->sourceSize &&
        source.lastModified().toMSecsSinceEpoch() == mark->sourceModified)
        return QString();
    return QStringLiteral("%1 is already there and is a thumbnail this program made from another "
                          "picture (%2), so it was left as it is.")
        .arg(output, from);
}

bool is_image_file(const QString& name)
{
    return platform::pictureExtensions().contains(extensionOf(name));
}

bool is_gif_or_jpg(const QString& name)
{
    const QString ext = extensionOf(name);
    return ext == QLatin1String("gif") || ext == QLatin1String("jpg");
}

ImageDimensions get_image_dimensions(const QString& path)
{
    const QSize pixels = image_pixel_size(path).value_or(QSize(0, 0));
    const double size = thumbnail_size();
    const double h = pixels.height();
    const double w = pixels.width();
    if (h <= size && w <= size)
        return {QString::number(pixels.height()), QString::number(pixels.width())};
    const double factor = size / (h > w ? h : w);
    const auto side = [](double v) { return v < 11 ? QStringLiteral("10") : platform::strFormDouble(v); };
    return {side(h * factor), side(w * factor)};
}

std::optional<QString> create_thumbnail(platform::ImageControl& engine, const QString& image,
                                        QString* error)
{
    if (!platform::file_exists(image))
        return QString();
    Settings& s = settings();
    const auto [dir, name] = platform::split_file_path(image);
    if (s.thumb_size.isEmpty())
        reread_setting(s, &Settings::thumb_size);
    const QString thumb = platform::joinPath(dir, thumbnail_file_name(name, ThumbnailRule::Conversion));
    const Reduction made = make_reduced_picture(engine, ReducedFor::PageThumbnail, image, thumb, thumbnail_recipe());
    if (made.outcome == Reduction::Failed) {
        if (error)
            *error = made.error;
        return std::nullopt;
    }
    // Otherwise, when nothing was made (a small picture, one that cannot be
    // read, a file it may not replace), the picture stands for itself.
    if (made.outcome != Reduction::Made)
        return name;
    settingsFile().put(QStringLiteral("Thumbnails (vi)"), image, thumb);
    return thumb;
}

std::optional<QString> get_thumbnail_icon(const QString& file, const QString& publish_folder,
                                          QString* copy_error)
{
    const QString ext = iconKeyOf(file);
    bool found = false;

    const QString thumbnail = find_thumbnail(file);
    if (!thumbnail.isEmpty())
        return thumbnail;

    platform::ProfileFile& ini = settingsFile();
    const QString section = QStringLiteral("Thumbnail Icons");
    QString icon = ini.get(section, ext).trimmed();
    if (!ext.isEmpty() && platform::file_exists(icon)) {
        found = true;
    } else {
        if (!ext.isEmpty())
            ini.put(section, ext, QStringLiteral("{no icon file name defined}"));
        icon = ini.get(section, QStringLiteral("other")).trimmed();
        found = platform::file_exists(icon);
    }
    if (!found)
        return std::nullopt;
    if (!publish_folder.isEmpty()) {
        const QString name = platform::split_file_path(icon).file_name;
        const QString copy = platform::joinPath(publish_folder, name);
        QString error;
        if (!platform::copyFile(icon, copy, &error) && copy_error)
            *copy_error =
                QStringLiteral("The icon %1 could not be copied to %2: %3").arg(icon, copy, error);
    }
    // Paths keep their case: a lower-cased path would name no file here.
    return icon;
}

} // namespace mosaicon
