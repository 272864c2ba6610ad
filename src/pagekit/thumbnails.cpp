#include "pagekit/thumbnails.h"

#include "pagekit/imageheaders.h"

#include "settings/program.h"
#include "settings/thumbnailrecords.h"

#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/picturetypes.h"
#include "platform/profilefile.h"

#include <cmath>
#include <QFile>
#include <QFileInfo>

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

// A name the file system can hold: a name of more than 255 bytes loses
// characters just before its last `ending` characters until it fits.
QString fitted(QString name, qsizetype ending)
{
    constexpr qsizetype maxBytes = 255;
    while (name.toUtf8().size() > maxBytes && name.size() > ending + 1) {
        qsizetype at = name.size() - ending - 1;
        qsizetype count = 1;
        if (at > 0 && name.at(at).isLowSurrogate()) {
            --at;
            count = 2;
        }
        name.remove(at, count);
    }
    return name;
}

} // namespace

int thumbnail_size()
{
    const int size = setting_number<qint16>(settings(), &Settings::thumb_size);
    // An empty or zero size would give every user 4-pixel thumbnails.
    return size > 0 ? size : 100;
}

int styled_thumbnail_limit(int size)
{
    // Decoding just above the thumbnail's size gives the same thumbnail as the whole photo.
    return platform::pixelsAtLeast(size * thumbnailBoxTwipsPerPixel) + 1;
}

void apply_thumbnail_settings(platform::ImageControl& engine)
{
    const Settings& s = settings();
    engine.setJpegOutputMode(0);
    engine.setJpegOptimize(s.thumb_optimize);
    engine.setJpegQuality(setting_number<int>(s, &Settings::thumb_quality));
    engine.setJpegSmoothing(setting_number<int>(s, &Settings::thumb_smoothing));
    engine.setJpegDither(setting_number<int>(s, &Settings::thumb_dither));
    engine.setAppearance(s.thumb_3d ? 0 : 1);
    engine.setBorderStyle(0);
    engine.setBackColor(setting_number<quint32>(s, &Settings::thumb_bg_color));
}

bool prepare_thumbnail_engine(platform::ImageControl& engine, const QString& image, int size,
                              std::optional<double> boxTwips)
{
    const Settings& s = settings();
    apply_thumbnail_settings(engine);
    if (!is_styled(s.thumb_style))
        return true;
    const double t = boxTwips.value_or(size * thumbnailBoxTwipsPerPixel);
    const int limit = styled_thumbnail_limit(size);
    engine.setFitMode(platform::FitMode::OwnSize);
    // One decode an image: the engine may already hold it at this size.
    if (engine.fileName() != image || engine.sizeLimit() != limit) {
        engine.setFileName(QString());
        engine.setSizeLimit(limit);
        if (!engine.setFileName(image))
            return false;
    }
    fit_in_box(engine, t, t);
    return true;
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

QString thumbnail_file_name(const QString& file_name, bool prefix, bool cutAlways)
{
    const QString jpg = QStringLiteral(".jpg");
    if (prefix) {
        QString name = file_name.contains(QLatin1String("tn_")) ? file_name : QStringLiteral("tn_") + file_name;
        if (!cutAlways && name.contains(jpg))
            return fitted(name, name.size() - name.lastIndexOf(u'.'));
        return fitted(cutAtFirstDot(name, jpg), jpg.size());
    }
    if (file_name.contains(QLatin1String("_tn.jpg")))
        return file_name;
    const QString ending = QStringLiteral("_tn.jpg");
    return fitted(cutAtFirstDot(file_name, ending), ending.size());
}

QString thumbnail_in_the_way(const QString& output, const QString& picture)
{
    const QFileInfo there(output);
    if (!there.exists() && !there.isSymLink())
        return QString();
    // A link is never this program's: it writes files.
    const QString from = there.isSymLink() ? QString() : platform::jpeg_made_from(output);
    if (from.isEmpty())
        return QStringLiteral("%1 is already there and is not a thumbnail this program made, so it "
                              "was left as it is.")
            .arg(output);
    // Made from this picture, or from the copy a page run made of it.
    if (from == picture || platform::isSameFile(from, picture) ||
        platform::haveSameBytes(from, picture))
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
    if (s.thumb_size.isEmpty()) {
        const QString stored =
            settingsFile().get(QStringLiteral("Current"), QStringLiteral("Thumbnail Size"));
        s.thumb_size = stored.isEmpty() ? QStringLiteral("100") : stored;
    }
    const int size = thumbnail_size();
    // Emptied first, so a new limit never decodes the previous picture again.
    engine.setFileName(QString());
    engine.setSizeLimit(size + 4);
    engine.setFitMode(platform::FitMode::OwnSize);
    if (!engine.setFileName(image)) {
        engine.setSizeLimit(0);
        return name;
    }
    if (!(size < engine.imageHeight() || size < engine.imageWidth()))
        return name;
    const QString thumb = platform::joinPath(dir, thumbnail_file_name(name, s.prefix_thumbnail_file, false));
    // Nothing made from a picture replaces that picture.
    if (thumb == image || platform::isSameFile(thumb, image))
        return name;
    // A file this program did not make from this picture stays; the picture stands for itself.
    if (!thumbnail_in_the_way(thumb, image).isEmpty())
        return name;
    if (!prepare_thumbnail_engine(engine, image, size))
        return name;
    // The save replaces an older thumbnail atomically; a failed save keeps it.
    if (!engine.saveAsJpeg(thumb, platform::Flush::ToDisk, image)) {
        if (error)
            *error = QStringLiteral("The thumbnail %1 could not be written: %2").arg(thumb, engine.errorString());
        engine.setSizeLimit(0);
        return std::nullopt;
    }
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
