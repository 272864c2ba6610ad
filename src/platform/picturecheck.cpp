#include "platform/picturecheck.h"

#include <QFile>

#include <algorithm>

namespace mosaicon::platform {

namespace {

const QString ChunkPastEnd = QStringLiteral("damaged: a chunk runs past the end of the file");
const QString SegmentPastEnd = QStringLiteral("damaged: a segment runs past the end of the file");

quint32 bigEndian(const QByteArray& bytes, int at, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// Chunks are length(4) + type(4) + data + CRC(4), after the 8-byte signature.
QString pngDamage(QFile& file)
{
    const qint64 size = file.size();
    qint64 pos = 8;
    while (pos < size) {
        if (!file.seek(pos))
            return {};
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            return ChunkPastEnd;
        const quint32 length = bigEndian(header, 0, 4);
        if (length > 0x7FFFFFFFu)
            return QStringLiteral("damaged: a chunk declares a length over 2 GB");
        if (pos + 12 + qint64(length) > size)
            return ChunkPastEnd;
        if (header.mid(4, 4) == "IEND")
            return {};
        pos += 12 + qint64(length);
    }
    return {};
}

// Segments up to the start of the scan: the scan data itself has no length,
// and a file cut short there still decodes (with a grey bottom).
QString jpegDamage(QFile& file, qint64* scan = nullptr)
{
    const qint64 size = file.size();
    qint64 pos = 2;
    while (pos < size) {
        if (!file.seek(pos))
            return {};
        const QByteArray head = file.read(4);
        if (head.size() < 2 || quint8(head[0]) != 0xFF)
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
        if (marker == 0xDA) {
            if (scan)
                *scan = pos;
            return {};
        }
        pos += 2 + qint64(length);
    }
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

} // namespace

bool jpegCutShort(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.read(3).startsWith(QByteArrayLiteral("\xFF\xD8\xFF")))
        return false;
    qint64 scan = -1;
    return !jpegDamage(file, &scan).isEmpty() || scan < 0 || !hasEndMarker(file, scan);
}

QString pictureDamage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray signature = file.read(8);
    if (signature == QByteArrayLiteral("\x89PNG\r\n\x1A\n"))
        return pngDamage(file);
    if (signature.startsWith(QByteArrayLiteral("\xFF\xD8\xFF")))
        return jpegDamage(file);
    return {};
}

} // namespace mosaicon::platform
