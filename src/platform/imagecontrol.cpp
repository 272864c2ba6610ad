#include "platform/imagecontrol.h"

#include "platform/files.h"
#include "platform/picturecheck.h"
#include "platform/wincolor.h"

#include <QBuffer>
#include <QColorSpace>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <array>
#include <atomic>
#include <optional>
#include <utility>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace mosaicon::platform {

namespace {

// Qt's default refuses anything over 128 MB, about a 33-megapixel photo.
constexpr int DecoderMemoryLimitMb = 1024;
// Larger files are decoded from the disk as they are read: held whole beside
// their decoded picture, a lossless photo's bytes would add half as much again.
constexpr qint64 WholeReadLimit = qint64(16) << 20;

// The JPEG comment key of the mark; the value is the picture's path,
// percent-encoded so that the reader's folding of blanks keeps it whole.
const QString madeFromKey = QStringLiteral("Mosaicon-made-from");
// A thumbnail larger than this is no thumbnail of this program's: its
// header alone is read, and it never passes for unchanged.
constexpr qint64 MarkedFileLimit = qint64(64) << 20;
constexpr qint64 MarkedHeaderLimit = 256 << 10;

QByteArray imageDigest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(32);
}

// The JPEG with this program's mark as a comment after its first segment:
// the path of the picture it was made from, that picture's size and
// modification time (so that a moved or renamed picture is known by its
// content), and a digest of every byte after the mark (so that a file
// changed since is known as no longer this program's).
QByteArray withMark(const QByteArray& jpeg, const QString& madeFrom)
{
    qsizetype at = 2;
    // After the JFIF segment, which readers expect first.
    if (jpeg.size() > 6 && uchar(jpeg.at(2)) == 0xFF && uchar(jpeg.at(3)) == 0xE0)
        at = 4 + ((uchar(jpeg.at(4)) << 8) | uchar(jpeg.at(5)));
    const QByteArray rest = jpeg.mid(at);
    const QFileInfo picture(madeFrom);
    QByteArray text = madeFromKey.toLatin1() + ": " + picture.absoluteFilePath().toUtf8().toPercentEncoding("/");
    if (picture.isFile())
        text += " size=" + QByteArray::number(picture.size()) + " modified=" +
                QByteArray::number(picture.lastModified().toMSecsSinceEpoch());
    text += " image=" + imageDigest(rest);
    // A comment segment holds 65533 bytes; a longer path makes no mark.
    if (text.size() > 65533)
        return jpeg;
    const qsizetype length = text.size() + 2;
    QByteArray marked = jpeg.left(at);
    marked += char(0xFF);
    marked += char(0xFE);
    marked += char(length >> 8);
    marked += char(length & 0xFF);
    marked += text;
    marked += rest;
    return marked;
}

QSize fitInSquare(const QSize& size, int limit)
{
    if (limit <= 0 || (size.width() <= limit && size.height() <= limit))
        return size;
    const double scale = double(limit) / double(qMax(size.width(), size.height()));
    return QSize(qMax(1, qRound(size.width() * scale)), qMax(1, qRound(size.height() * scale)));
}

// Readers mostly report errors without saying which file they were reading.
QString withFileName(const QString& path, const QString& message, const char* verb)
{
    if (message.contains(path))
        return message;
    return QStringLiteral("Cannot %1 %2: %3").arg(QLatin1String(verb), path, message);
}

// The size a picture of a natural size (upright) is to be read at.
using TargetSize = std::function<QSize(QSize naturalSize)>;

// Decodes with the reader's format into image, reusing its memory when the
// decoder can (JPEG does for a picture of the same size and format); when the
// target is smaller than the picture and the decoder can scale while decoding
// (JPEG uses DCT scaling), only the reduced picture is ever built, which is
// what keeps big photos fast. False, with the image null, when the reader
// failed.
bool readWith(QImageReader& reader, const TargetSize& target, QSize* naturalSize, QImage* image)
{
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    // The decoder scales in the stored orientation, before EXIF rotation.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    bool scaled = false;
    if (stored.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const QSize upright = turned ? stored.transposed() : stored;
        const QSize wanted = target(upright);
        if (wanted.isValid() && wanted != upright) {
            reader.setScaledSize(turned ? wanted.transposed() : wanted);
            scaled = true;
        }
    }
    if (!reader.read(image) || image->isNull()) {
        *image = QImage();
        return false;
    }
    if (scaled)
        *naturalSize = turned ? stored.transposed() : stored;
    else
        *naturalSize = image->size();
    return true;
}

// What a decoder leaves in place when it decodes into an image's memory: the
// next picture must carry only what its own file holds.
void clearMetadata(QImage& image)
{
    static const QImage fresh(1, 1, QImage::Format_RGB32);
    image.setColorSpace(QColorSpace());
    image.setDotsPerMeterX(fresh.dotsPerMeterX());
    image.setDotsPerMeterY(fresh.dotsPerMeterY());
    image.setOffset(QPoint());
}

QImage flattened(const QImage& image, const QColor& background)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(background);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

// A 3x3 [1 2 1] x [1 2 1] / 16 blur, done as two passes over rolling rows of
// horizontal sums, blended with the original by strength / 100.
QImage smoothed(const QImage& source, int strength)
{
    const bool gray = source.format() == QImage::Format_Grayscale8;
    const QImage in = source.convertToFormat(QImage::Format_RGB32);
    const int w = in.width();
    const int h = in.height();
    QImage out(w, h, QImage::Format_RGB32);

    std::array<std::vector<quint16>, 3> buffers;
    for (auto& buffer : buffers)
        buffer.resize(size_t(w) * 3);
    auto horizontal = [&](int y, quint16* sums) {
        const auto* line = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb l = line[qMax(x - 1, 0)];
            const QRgb m = line[x];
            const QRgb r = line[qMin(x + 1, w - 1)];
            sums[3 * x] = quint16(qRed(l) + 2 * qRed(m) + qRed(r));
            sums[3 * x + 1] = quint16(qGreen(l) + 2 * qGreen(m) + qGreen(r));
            sums[3 * x + 2] = quint16(qBlue(l) + 2 * qBlue(m) + qBlue(r));
        }
    };

    quint16* above = buffers[0].data();
    quint16* here = buffers[1].data();
    quint16* below = buffers[2].data();
    horizontal(0, here);
    std::copy(here, here + size_t(w) * 3, above);
    horizontal(qMin(1, h - 1), below);

    const int keep = 100 - strength;
    auto blend = [&](int original, int blurred) {
        return (original * keep + blurred * strength + 50) / 100;
    };
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int i = 3 * x;
            const int r = (above[i] + 2 * here[i] + below[i] + 8) >> 4;
            const int g = (above[i + 1] + 2 * here[i + 1] + below[i + 1] + 8) >> 4;
            const int b = (above[i + 2] + 2 * here[i + 2] + below[i + 2] + 8) >> 4;
            dst[x] = qRgb(blend(qRed(src[x]), r), blend(qGreen(src[x]), g),
                          blend(qBlue(src[x]), b));
        }
        if (y + 1 < h) {
            std::swap(above, here);
            std::swap(here, below);
            horizontal(qMin(y + 2, h - 1), below);
        }
    }
    return gray ? out.convertToFormat(QImage::Format_Grayscale8) : out;
}

std::atomic<DecodeWatcher> decodeWatcher{nullptr};

// Reads the file at the size target gives for its natural size (the decoder's
// own size when it cannot scale), into decoded's memory where it can; false
// with the reason in error when it cannot be read, and that reason without
// the file's name in reason.
bool decodeFile(const QString& path, const TargetSize& target, QImage* decoded, QSize* naturalSize,
                QString* error, QString* reason = nullptr)
{
    if (const DecodeWatcher watcher = decodeWatcher.load(std::memory_order_acquire))
        watcher(path);
    // Before any reader touches the file: Qt's allocation limit does not cover
    // what libpng allocates for a chunk, so one bad length can freeze the program.
    const auto fail = [&](const QString& why) {
        *error = withFileName(path, why, "load");
        if (reason)
            *reason = why;
        return false;
    };
    const QString damage = pictureDamage(path);
    if (!damage.isEmpty())
        return fail(damage);
    // Read whole first: the decoders ask for a few kilobytes at a time, and a
    // system call for each costs more than the copy.
    QFile file(path);
    QBuffer buffer;
    if (file.open(QIODevice::ReadOnly) && file.size() > 0 && file.size() <= WholeReadLimit) {
        buffer.setData(file.readAll());
        buffer.open(QIODevice::ReadOnly);
    }
    file.close();
    const bool inMemory = buffer.isOpen();
    std::optional<QImageReader> bySuffix;
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (inMemory)
        bySuffix.emplace(&buffer, suffix);
    else
        bySuffix.emplace(path, suffix);
    QImage image = std::move(*decoded);
    if (!readWith(*bySuffix, target, naturalSize, &image) &&
        bySuffix->error() != QImageReader::FileNotFoundError) {
        // Files are often misnamed (a JPEG saved as .gif) or use a suffix Qt
        // has no name for (.dib), so the content decides on the second try.
        std::optional<QImageReader> content;
        if (inMemory && buffer.seek(0))
            content.emplace(&buffer);
        else
            content.emplace(path);
        QImageReader& byContent = *content;
        byContent.setDecideFormatFromContent(true);
        if (!readWith(byContent, target, naturalSize, &image)) {
            // Told as every page tells it when the bytes say why; otherwise
            // the content reader's error is the telling one when it recognised
            // the format, and the suffix's decoder knows more when it did not.
            const QImageReader& teller =
                byContent.error() != QImageReader::UnsupportedFormatError ? byContent : *bySuffix;
            const QString fault = pictureFault(path);
            return fail(fault.isEmpty() ? teller.errorString() : fault);
        }
    } else if (image.isNull()) {
        return fail(bySuffix->errorString());
    }
    *decoded = std::move(image);
    return true;
}

} // namespace

ImageControl::ImageControl()
{
    prepareDecoder();
}

void ImageControl::prepareDecoder()
{
    static const bool prepared = [] {
        QImageReader::setAllocationLimit(DecoderMemoryLimitMb);
#ifdef __GLIBC__
        // Files and pictures of some megabytes go back to the system when
        // freed: with a threshold that follows them upwards, the allocator
        // would keep tens of megabytes a worker thread, which the budget of
        // the work beside the window does not see.
        mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
        return true;
    }();
    Q_UNUSED(prepared);
}

bool ImageControl::decode(const QString& path, int limit, QImage* decoded, QSize* naturalSize)
{
    return decodeFile(
        path, [limit](QSize natural) { return limitedSize(natural, limit); }, decoded, naturalSize,
        &m_error, &m_errorReason);
}

LoadedPicture ImageControl::loadForDisplay(const QString& path, const DisplaySize& displaySize)
{
    // Never larger than the file, never empty.
    const auto target = [&displaySize](QSize natural) {
        const QSize wanted = displaySize(natural);
        return QSize(qBound(1, wanted.width(), qMax(1, natural.width())),
                     qBound(1, wanted.height(), qMax(1, natural.height())));
    };
    LoadedPicture loaded;
    loaded.path = path;
    QImage image;
    QSize natural;
    if (!decodeFile(path, target, &image, &natural, &loaded.error))
        return loaded;
    // Decoders that cannot scale while decoding gave the whole picture.
    const QSize wanted = target(natural);
    if (image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    loaded.image = std::move(image);
    loaded.naturalSize = natural;
    return loaded;
}

QSize ImageControl::limitedSize(QSize naturalSize, int limit)
{
    return fitInSquare(naturalSize, limit);
}

qint64 ImageControl::decodedPixels(const QString& path, int limit)
{
    QImageReader reader(path);
    const QSize natural = reader.size();
    if (!natural.isValid())
        return 0;
    const qint64 all = qint64(natural.width()) * natural.height();
    qint64 decoded = all;
    if (limit > 0 && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const QSize shown = limitedSize(natural, limit);
        decoded = std::min(all, 4 * qint64(shown.width()) * shown.height());
    }
    const QImage::Format format = reader.imageFormat();
    const int depth = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    decoded = decoded * std::max(depth, 32) / 32;
    // A transparent picture is laid on its background colour in a copy.
    if (format != QImage::Format_Invalid && QImage::toPixelFormat(format).alphaUsage() == QPixelFormat::UsesAlpha)
        decoded += decoded;
    return decoded;
}

void ImageControl::setChangeCallback(std::function<void()> callback)
{
    m_changed = std::move(callback);
}

void ImageControl::changed()
{
    if (m_changed)
        m_changed();
}

bool ImageControl::setFileName(const QString& path)
{
    // Never left showing the previous picture under a failed load.
    const bool hadPicture = forget();
    if (path.isEmpty()) {
        if (hadPicture)
            changed();
        return true;
    }
    QImage decoded = std::exchange(m_spare, QImage());
    QSize naturalSize;
    if (!decode(path, m_sizeLimit, &decoded, &naturalSize)) {
        if (hadPicture)
            changed();
        return false;
    }
    m_fileName = path;
    m_decoded = std::move(decoded);
    m_naturalSize = naturalSize;
    reduce();
    // Asked for a reduced picture: the natural one of a decoder that cannot
    // scale is not worth its memory.
    if (m_sizeLimit > 0)
        m_decoded = m_shown;
    if (m_fitMode == FitMode::OwnSize)
        fitControlToPicture();
    changed();
    return true;
}

bool ImageControl::showLoaded(const LoadedPicture& picture)
{
    const bool hadPicture = forget();
    if (!picture.ok()) {
        m_error = picture.error.isEmpty()
                      ? withFileName(picture.path, QStringLiteral("no picture"), "load")
                      : picture.error;
        if (hadPicture)
            changed();
        return false;
    }
    m_fileName = picture.path;
    m_decoded = picture.image;
    m_naturalSize = picture.naturalSize;
    m_forDisplay = true;
    reduce();
    if (m_fitMode == FitMode::OwnSize)
        fitControlToPicture();
    changed();
    return true;
}

void ImageControl::reduce()
{
    m_stretched = QImage();
    const QSize target = shownSize();
    const bool within =
        m_decoded.width() <= target.width() && m_decoded.height() <= target.height();
    if (m_decoded.size() == target || (m_forDisplay && within))
        m_shown = m_decoded;
    else
        m_shown = m_decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ImageControl::fitControlToPicture()
{
    const QSize shown = shownSize();
    m_width = pixelsToTwips(shown.width());
    m_height = pixelsToTwips(shown.height());
}

void ImageControl::setSizeLimit(int limit)
{
    limit = qMax(0, limit);
    if (limit == m_sizeLimit)
        return;
    m_sizeLimit = limit;
    if (m_decoded.isNull())
        return;
    const QSize target = limitedSize(m_naturalSize, limit);
    bool reread = false;
    const bool tooSmall =
        m_decoded.width() < target.width() || m_decoded.height() < target.height();
    if (tooSmall && !m_forDisplay) {
        QImage decoded;
        QSize naturalSize;
        reread = decode(m_fileName, limit, &decoded, &naturalSize);
        if (reread) {
            m_decoded = std::move(decoded);
            m_naturalSize = naturalSize;
            m_error.clear();
        }
        // When the file has gone the held picture is stretched to the asked
        // size, so the control keeps the shape callers expect.
    }
    reduce();
    if (reread && limit > 0)
        m_decoded = m_shown;
    if (m_fitMode == FitMode::OwnSize)
        fitControlToPicture();
    changed();
}

void ImageControl::setFitMode(FitMode mode)
{
    if (mode == m_fitMode)
        return;
    m_fitMode = mode;
    changed();
}

void ImageControl::setJpegQuality(int quality)
{
    m_jpegQuality = qBound(0, quality, 100);
}

void ImageControl::setJpegSmoothing(int smoothing)
{
    m_jpegSmoothing = qBound(0, smoothing, 100);
}

void ImageControl::setJpegDither(int dither)
{
    m_jpegDither = qBound(0, dither, 2);
}

void ImageControl::setBackColor(quint32 color)
{
    m_backColor = color;
}

void ImageControl::setAppearance(int appearance)
{
    if (appearance == m_appearance)
        return;
    m_appearance = appearance;
    changed();
}

void ImageControl::setBorderStyle(int style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    changed();
}

void ImageControl::setLeft(double twips)
{
    m_left = twips;
    changed();
}

void ImageControl::setTop(double twips)
{
    m_top = twips;
    changed();
}

void ImageControl::setWidth(double twips)
{
    m_width = twips;
    changed();
}

void ImageControl::setHeight(double twips)
{
    m_height = twips;
    changed();
}

void ImageControl::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    changed();
}

QSize ImageControl::stretchedSize() const
{
    return QSize(pixels(m_width), pixels(m_height));
}

QImage ImageControl::picture() const
{
    if (m_shown.isNull() ||
        (m_fitMode != FitMode::FittedToWidth && m_fitMode != FitMode::FittedToHeight))
        return m_shown;
    const QSize size = stretchedSize();
    if (size.width() < 1 || size.height() < 1)
        return QImage();
    if (size == m_shown.size())
        return m_shown;
    // Kept, since the display asks for it on every paint.
    if (m_stretched.size() != size)
        m_stretched = m_shown.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return m_stretched;
}

bool ImageControl::forget()
{
    const bool hadPicture = !m_shown.isNull();
    m_fileName.clear();
    m_error.clear();
    m_errorReason.clear();
    m_shown = QImage();
    m_stretched = QImage();
    // Kept for the next load when nothing else holds it: a new picture of
    // its size is decoded into its memory. A fresh one for each photo of a
    // list costs more in page faults than the decoding itself. Texts cannot
    // be taken off an image, so a picture that has some is not kept.
    if (m_decoded.isDetached() && m_decoded.textKeys().isEmpty()) {
        m_spare = std::move(m_decoded);
        clearMetadata(m_spare);
    }
    m_decoded = QImage();
    m_naturalSize = QSize(0, 0);
    m_forDisplay = false;
    return hadPicture;
}

void ImageControl::clear()
{
    if (forget())
        changed();
}

bool ImageControl::saveAsJpeg(const QString& path, Flush flush, const QString& madeFrom)
{
    if (isNull()) {
        m_error = QStringLiteral("No picture is loaded.");
        return false;
    }
    QImage image = picture();
    if (image.isNull()) {
        m_error = withFileName(path, QStringLiteral("The image control has no width or height."),
                               "save");
        return false;
    }
    // JPEG has no transparency; Qt would write transparent pixels as black.
    if (image.hasAlphaChannel())
        image = flattened(image, colorFromWin(m_backColor));
    if (m_jpegSmoothing > 0)
        image = smoothed(image, m_jpegSmoothing);

    // Encoded in memory first: the mark carries a digest of the bytes that follow it.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, QByteArrayLiteral("jpeg"));
    writer.setQuality(qMax(1, m_jpegQuality));
    writer.setOptimizedWrite(m_jpegOptimize);
    writer.setProgressiveScanWrite(m_jpegOutputMode != 0);
    // A mark the picture carried from elsewhere never makes this file pass for another's.
    if (image.textKeys().contains(madeFromKey))
        writer.setText(madeFromKey, QString());
    if (!writer.write(image)) {
        m_error = withFileName(path, writer.errorString(), "save");
        return false;
    }
    QByteArray bytes = encoded.data();
    if (!madeFrom.isEmpty())
        bytes = withMark(bytes, madeFrom);

    ReplacingFile file(path);
    if (!file.open()) {
        m_error = withFileName(path, file.errorString(), "save");
        return false;
    }
    if (file.file().write(bytes) != bytes.size()) {
        m_error = withFileName(path, file.errorString(), "save");
        file.cancel();
        return false;
    }
    if (!file.commit(flush)) {
        m_error = withFileName(path, file.errorString(), "save");
        return false;
    }
    m_error.clear();
    return true;
}

std::optional<JpegMark> jpeg_mark(const QString& path)
{
    QFile file(path);
    // Another type of file is no JPEG of this program's.
    if (!file.open(QIODevice::ReadOnly) || file.peek(2) != QByteArrayLiteral("\xff\xd8"))
        return std::nullopt;
    // A thumbnail is small; a large file is read only as far as its header.
    const QByteArray bytes = file.size() <= MarkedFileLimit ? file.readAll() : file.read(MarkedHeaderLimit);
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && uchar(bytes.at(at)) == 0xFF) {
        const uchar marker = uchar(bytes.at(at + 1));
        if (marker == 0xDA || marker == 0xD9)
            break;
        const qsizetype length = (uchar(bytes.at(at + 2)) << 8) | uchar(bytes.at(at + 3));
        if (length < 2 || at + 2 + length > bytes.size())
            break;
        const QByteArray body = bytes.mid(at + 4, length - 2);
        const qsizetype next = at + 2 + length;
        if (marker == 0xFE && body.startsWith(madeFromKey.toLatin1() + ": ")) {
            const QList<QByteArray> fields = body.mid(madeFromKey.size() + 2).simplified().split(' ');
            JpegMark mark;
            mark.madeFrom = QString::fromUtf8(QByteArray::fromPercentEncoding(fields.value(0)));
            for (qsizetype i = 1; i < fields.size(); ++i) {
                const QByteArray& field = fields.at(i);
                if (field.startsWith("size="))
                    mark.sourceSize = field.mid(5).toLongLong();
                else if (field.startsWith("modified="))
                    mark.sourceModified = field.mid(9).toLongLong();
                else if (field.startsWith("image="))
                    mark.imageDigest = field.mid(6);
            }
            if (!mark.imageDigest.isEmpty())
                mark.unchanged = file.size() <= MarkedFileLimit && imageDigest(bytes.mid(next)) == mark.imageDigest;
            return mark;
        }
        at = next;
    }
    return std::nullopt;
}

void set_decode_watcher(DecodeWatcher watcher)
{
    decodeWatcher.store(watcher, std::memory_order_release);
}

} // namespace mosaicon::platform
