#include "pagekit/imageheaders.h"

#include "settings/program.h"

#include "platform/ui.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace mosaicon {

namespace {

const QString readerTitle = QStringLiteral("Graphics Viewer");

// Byte reads on an open file; once the file ends (or a step gave up) every
// read fails and the walk stops, keeping what was read before.
class ByteReader
{
public:
    explicit ByteReader(const QString& path) : m_file(path) { m_open = m_file.open(QIODevice::ReadOnly); }

    bool ok() const { return m_open; }
    void close() { m_open = false; }

    int byte()
    {
        char c = 0;
        if (!m_open || !m_file.getChar(&c)) {
            m_open = false;
            return -1;
        }
        return static_cast<unsigned char>(c);
    }
    // Two bytes, the first the high one (JPEG) or the low one (GIF).
    int word(bool bigEndian)
    {
        const int a = byte();
        const int b = byte();
        if (a < 0 || b < 0)
            return -1;
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    }
    QByteArray read(qint64 count)
    {
        if (!m_open || count < 0 || m_file.pos() + count > m_file.size()) {
            m_open = false;
            return {};
        }
        return m_file.read(count);
    }
    bool skip(qint64 count)
    {
        if (!m_open || count < 0 || m_file.pos() + count > m_file.size()) {
            m_open = false;
            return false;
        }
        return m_file.seek(m_file.pos() + count);
    }

private:
    QFile m_file;
    bool m_open = false;
};

void skipColourTable(ByteReader& in, int packed)
{
    if (packed & 0x80)
        in.skip(3 * (1 << ((packed & 7) + 1)));
}

void skipSubBlocks(ByteReader& in)
{
    for (int n = in.byte(); n > 0; n = in.byte())
        in.skip(n);
}

void warnAsTheReader(const QString& text)
{
    platform::msgbox(text, platform::MsgBox::Exclamation, readerTitle);
}

// The next marker code, or -1 at the end of the file or after stray bytes.
int nextMarker(ByteReader& in)
{
    int passed = 0;
    int b = in.byte();
    while (b >= 0 && b != 0xFF) {
        ++passed;
        b = in.byte();
    }
    while (b == 0xFF)
        b = in.byte();
    if (b < 0)
        return -1;
    if (passed > 0) {
        warnAsTheReader(QStringLiteral("Garbage found in JPG file"));
        in.close();
        return -1;
    }
    return b;
}

// The EXIF orientation (1 to 8) of an APP1 segment's bytes, or 0.
int exifOrientation(const QByteArray& segment)
{
    if (!segment.startsWith(QByteArrayLiteral("Exif\0\0")) || segment.size() < 14)
        return 0;
    const QByteArray tiff = segment.mid(6);
    const bool big = tiff.startsWith("MM");
    if (!big && !tiff.startsWith("II"))
        return 0;
    const auto u16 = [&](qsizetype at) -> int {
        if (at < 0 || at + 2 > tiff.size())
            return -1;
        const auto a = static_cast<unsigned char>(tiff[at]);
        const auto b = static_cast<unsigned char>(tiff[at + 1]);
        return big ? (a << 8) | b : (b << 8) | a;
    };
    const auto u32 = [&](qsizetype at) -> qint64 {
        const int hi = u16(big ? at : at + 2);
        const int lo = u16(big ? at + 2 : at);
        return hi < 0 || lo < 0 ? -1 : (qint64(hi) << 16) | lo;
    };
    const qint64 ifd = u32(4);
    const int count = ifd < 0 ? -1 : u16(ifd);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = ifd + 2 + 12 * i;
        if (u16(entry) == 0x0112) {
            const int value = u16(entry + 8);
            return value >= 1 && value <= 8 ? value : 0;
        }
    }
    return 0;
}

bool isStartOfFrame(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

} // namespace

std::optional<QSize> read_gif_info(const QString& path)
{
    ByteReader in(path);
    if (!in.ok() || !in.skip(6))
        return std::nullopt;
    const int width = in.word(false);
    const int height = in.word(false);
    const int packed = in.byte();
    if (packed < 0)
        return std::nullopt;
    const QSize size(width, height);
    // The logical screen is the answer; the blocks are walked only to the end.
    in.skip(2);
    skipColourTable(in, packed);
    while (in.ok()) {
        const int introducer = in.byte();
        if (introducer == ',') {
            in.skip(8);
            skipColourTable(in, in.byte());
            in.byte(); // minimum code size
            skipSubBlocks(in);
        } else if (introducer == '!') {
            in.byte(); // label
            skipSubBlocks(in);
        } else if (introducer == 0 || introducer == ';' || introducer < 0) {
            break;
        }
    }
    return size;
}

namespace {

// Walks the markers up to the scan; returns the EXIF orientation seen before
// it, and the size the last frame header gave.
std::pair<int, std::optional<QSize>> walkJpeg(ByteReader& in)
{
    int orientation = 0;
    std::optional<QSize> sized;
    if (!in.ok() || in.byte() != 0xFF || in.byte() != 0xD8)
        return {orientation, sized};
    // An inconsistent frame header stops this file only, never later ones.
    bool stop = false;
    while (in.ok() && !stop) {
        const int marker = nextMarker(in);
        if (marker < 0 || marker == 0xDA || marker == 0xD8 || marker == 0xD9)
            break;
        if (isStartOfFrame(marker)) {
            const int length = in.word(true);
            in.byte(); // precision
            const int height = in.word(true);
            const int width = in.word(true);
            const int components = in.byte();
            if (components < 0)
                break;
            sized = QSize(width, height);
            if (length != 8 + 3 * components)
                stop = true;
            else
                in.skip(3 * components);
        } else if (marker == 0xFE) {
            const int length = in.word(true);
            if (length >= 0 && length < 2) {
                warnAsTheReader(QStringLiteral("Errroneous JPG marker length"));
                break;
            }
            in.skip(length - 2);
        } else {
            const int length = in.word(true);
            if (length < 2)
                break;
            if (marker == 0xE1 && orientation == 0)
                orientation = exifOrientation(in.read(length - 2));
            else
                in.skip(length - 2);
        }
    }
    return {orientation, sized};
}

} // namespace

std::optional<QSize> read_jpg_info(const QString& path)
{
    ByteReader in(path);
    const auto [orientation, sized] = walkJpeg(in);
    // Browsers show a photo turned by its EXIF orientation upright, so its
    // page sizes are the upright ones.
    if (sized && orientation >= 5)
        return sized->transposed();
    return sized;
}

std::optional<QSize> image_pixel_size(const QString& path)
{
    const QString tail = path.right(4).toLower();
    if (tail == QLatin1String(".gif"))
        return read_gif_info(path);
    if (tail == QLatin1String(".jpg"))
        return read_jpg_info(path);
    return std::nullopt;
}

} // namespace mosaicon
