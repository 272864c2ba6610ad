#include "platform/picturecheck.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace mosaicon::platform {

namespace {

const QString ChunkPastEnd = QStringLiteral("damaged: a chunk runs past the end of the file");
const QString SegmentPastEnd = QStringLiteral("damaged: a segment runs past the end of the file");
const QString CutShort = QStringLiteral("damaged: the picture is cut short");

// Deflate writes at most 258 bytes for two bits: no PNG's image data unpacks
// to more than 1032 times its size.
constexpr double DeflateMostPerByte = 1032;
// A Huffman-coded JPEG spends at least one bit on every 8 x 8 block of a
// component, and a component has at least one block for every 32 x 32 pixels
// (sampled at a quarter each way): at most 8192 pixels for a byte of data.
constexpr double JpegMostPixelsPerByte = 8192;

quint32 bigEndian(const QByteArray& bytes, int at, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

QString cannotFill(quint32 width, quint32 height)
{
    return QStringLiteral("damaged: its data cannot fill the %1 x %2 pixels it states")
        .arg(width)
        .arg(height);
}

// The image data a PNG's header asks for, unpacked: a filter byte and the
// pixels of each row, as a picture that is not interlaced (an interlaced
// one needs more).
double pngUnpackedBytes(const QByteArray& header)
{
    const double width = bigEndian(header, 0, 4);
    const double height = bigEndian(header, 4, 4);
    const int depth = quint8(header[8]);
    int channels = 1;
    switch (quint8(header[9])) {
    case 2: channels = 3; break;
    case 4: channels = 2; break;
    case 6: channels = 4; break;
    default: break;
    }
    return height * (1 + std::ceil(width * depth * channels / 8));
}

// Chunks are length(4) + type(4) + data + CRC(4), after the 8-byte signature.
QString pngDamage(QFile& file)
{
    const qint64 size = file.size();
    qint64 pos = 8;
    QByteArray header;
    double imageData = 0;
    while (pos < size) {
        if (!file.seek(pos))
            return {};
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return ChunkPastEnd;
        const quint32 length = bigEndian(chunk, 0, 4);
        if (length > 0x7FFFFFFFu)
            return QStringLiteral("damaged: a chunk declares a length over 2 GB");
        if (pos + 12 + qint64(length) > size)
            return ChunkPastEnd;
        const QByteArray type = chunk.mid(4, 4);
        if (type == "IHDR" && length >= 13)
            header = file.read(13);
        else if (type == "IDAT")
            imageData += length;
        else if (type == "IEND")
            break;
        pos += 12 + qint64(length);
    }
    // A few bytes more for the stream's own header and check sum.
    if (header.size() == 13 && pngUnpackedBytes(header) > DeflateMostPerByte * (imageData + 16))
        return cannotFill(bigEndian(header, 0, 4), bigEndian(header, 4, 4));
    return {};
}

// The scan's data never holds FF D9, so the last one after the scan starts
// is the end marker; it is looked for from the end back, a block at a time.
bool hasEndMarker(QFile& file, qint64 from)
{
    constexpr qint64 block = 64 * 1024;
    qint64 end = file.size();
    while (end > from) {
        const qint64 start = std::max(from, end - block);
        if (!file.seek(start))
            return false;
        // One byte more, so a marker across two blocks is still found.
        if (file.read(end - start + (end < file.size() ? 1 : 0)).contains("\xFF\xD9"))
            return true;
        end = start;
    }
    return false;
}

// Segments up to the start of the scan, whose data has no length: a file
// cut short there is known by its missing end marker.
QString jpegDamage(QFile& file)
{
    const qint64 size = file.size();
    qint64 pos = 2;
    quint32 width = 0;
    quint32 height = 0;
    bool huffman = false;
    while (pos < size) {
        if (!file.seek(pos))
            return {};
        const QByteArray head = file.read(9);
        if (head.size() < 2)
            return CutShort;
        if (quint8(head[0]) != 0xFF)
            return {}; // not a marker: left to the decoder, which skips such bytes
        const quint8 marker = quint8(head[1]);
        if (marker == 0xFF) { // fill byte before a marker
            pos += 1;
            continue;
        }
        if (marker == 0xD9)
            return {};
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            pos += 2;
            continue;
        }
        if (head.size() < 4)
            return SegmentPastEnd;
        const quint32 length = bigEndian(head, 2, 2);
        if (length < 2)
            return QStringLiteral("damaged: a segment declares a length under 2 bytes");
        if (pos + 2 + qint64(length) > size)
            return SegmentPastEnd;
        // Frame headers: C4 (tables), C8 and CC (arithmetic tables) are none.
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                           marker != 0xC8 && marker != 0xCC;
        if (frame && head.size() == 9) {
            height = bigEndian(head, 5, 2);
            width = bigEndian(head, 7, 2);
            // Arithmetic coding (C9 and up) can pack a plain area into
            // almost nothing: only Huffman-coded sizes are weighed.
            huffman = marker < 0xC9;
        }
        if (marker == 0xDA) {
            if (!hasEndMarker(file, pos))
                return CutShort;
            // A height of 0 is given after the scan: nothing to weigh.
            if (huffman && double(width) * height > JpegMostPixelsPerByte * double(size))
                return cannotFill(width, height);
            return {};
        }
        pos += 2 + qint64(length);
    }
    // The file ends before its scan.
    return CutShort;
}

} // namespace

QString pictureDamage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (file.size() == 0)
        return QStringLiteral("the file is empty");
    const QByteArray signature = file.read(8);
    if (signature == QByteArrayLiteral("\x89PNG\r\n\x1A\n"))
        return pngDamage(file);
    if (signature.startsWith(QByteArrayLiteral("\xFF\xD8\xFF")))
        return jpegDamage(file);
    return {};
}

QString pictureFault(const QString& path)
{
    const QString damage = pictureDamage(path);
    if (!damage.isEmpty())
        return damage;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Known by the readers' looks at its first bytes, whatever its name.
    if (QImageReader::imageFormat(&file).isEmpty())
        return QStringLiteral("its contents are not a picture");
    file.seek(0);
    const QByteArray head = file.read(4);
    const QString tail = path.right(4).toLower();
    if (tail == QLatin1String(".jpg") && !head.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("its contents are not a JPEG picture");
    if (tail == QLatin1String(".gif") && !head.startsWith("GIF8"))
        return QStringLiteral("its contents are not a GIF picture");
    return {};
}

} // namespace mosaicon::platform
