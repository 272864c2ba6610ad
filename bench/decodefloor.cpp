#include "decodefloor.h"

#ifdef MOSAICON_HAVE_TURBOJPEG

#include <QFile>

#include <turbojpeg.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int channels = 3;

// The picture's size scaled to fit the box, keeping its proportions.
QSize fitted(int width, int height, int box)
{
    const double factor = double(box) / std::max(width, height);
    return QSize(std::max(1, int(width * factor + 0.5)), std::max(1, int(height * factor + 0.5)));
}

// Area average: each output pixel is the mean of the input pixels it covers.
void shrink(const std::vector<unsigned char>& in, QSize from, std::vector<unsigned char>& out,
            QSize to)
{
    out.assign(size_t(to.width()) * to.height() * channels, 0);
    for (int y = 0; y < to.height(); ++y) {
        const int y0 = y * from.height() / to.height();
        const int y1 = std::max(y0 + 1, (y + 1) * from.height() / to.height());
        for (int x = 0; x < to.width(); ++x) {
            const int x0 = x * from.width() / to.width();
            const int x1 = std::max(x0 + 1, (x + 1) * from.width() / to.width());
            int sum[channels] = {};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < channels; ++c)
                        sum[c] += in[(size_t(sy) * from.width() + sx) * channels + c];
            const int count = (y1 - y0) * (x1 - x0);
            for (int c = 0; c < channels; ++c)
                out[(size_t(y) * to.width() + x) * channels + c] = (unsigned char)(sum[c] / count);
        }
    }
}

// One thread's codecs and buffers, kept from photo to photo as a thumbnailer would.
struct Worker
{
    tjhandle decoder = tjInitDecompress();
    tjhandle encoder = tjInitCompress();
    std::vector<unsigned char> decoded;
    std::vector<unsigned char> small;
    ~Worker()
    {
        tjDestroy(decoder);
        tjDestroy(encoder);
    }

    // The thumbnail's size, or an empty size when the photo could not be made one.
    QSize thumbnail(const QString& path, int box, int quality)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray jpeg = file.readAll();
        const auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
        int width = 0, height = 0, subsamp = 0, colorspace = 0;
        if (tjDecompressHeader3(decoder, data, jpeg.size(), &width, &height, &subsamp,
                                &colorspace) != 0)
            return {};
        const tjscalingfactor eighth{1, 8};
        const QSize scaled(TJSCALED(width, eighth), TJSCALED(height, eighth));
        decoded.resize(size_t(scaled.width()) * scaled.height() * channels);
        if (tjDecompress2(decoder, data, jpeg.size(), decoded.data(), scaled.width(), 0,
                          scaled.height(), TJPF_RGB, 0) != 0)
            return {};
        const QSize thumb = fitted(scaled.width(), scaled.height(), box);
        shrink(decoded, scaled, small, thumb);
        unsigned char* out = nullptr;
        unsigned long outSize = 0;
        const bool encoded = tjCompress2(encoder, small.data(), thumb.width(), 0, thumb.height(),
                                         TJPF_RGB, &out, &outSize, TJSAMP_420, quality, 0) == 0;
        tjFree(out);
        return encoded ? thumb : QSize();
    }
};

} // namespace

bool decode_floor_available()
{
    return true;
}

DecodeFloor decode_floor(const QStringList& photos, int box, int quality, int threads)
{
    std::vector<QSize> sizes(photos.size());
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        Worker worker;
        for (qsizetype i = next++; i < photos.size(); i = next++)
            sizes[i] = worker.thumbnail(photos.at(i), box, quality);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    DecodeFloor result;
    result.made =
        int(std::count_if(sizes.begin(), sizes.end(), [](QSize s) { return s.isValid(); }));
    result.first = sizes.empty() ? QSize() : sizes.front();
    return result;
}

#else

bool decode_floor_available()
{
    return false;
}

DecodeFloor decode_floor(const QStringList&, int, int, int)
{
    return {};
}

#endif
