#include "platform/imagecontrol.h"
#include "platform/wincolor.h"

#include "testpictures.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using mosaicon::platform::colorFromWin;
using mosaicon::platform::FitMode;
using mosaicon::platform::ImageControl;
using mosaicon::platform::LoadedPicture;
using mosaicon::platform::winFromColor;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

QImage solid(int w, int h, QRgb color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Left half red, right half blue, so that orientation shows.
QImage halves(int w, int h)
{
    QImage image = solid(w, h, Blue);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            image.setPixel(x, y, Red);
    return image;
}

QImage noise(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A JPEG whose pixels are stored 40x20 with an EXIF orientation of 6 (turn 90
// degrees clockwise to view): a minimal APP1 segment right after SOI.
QByteArray jpegWithOrientation6(const QImage& stored)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "jpeg", 95);
    const QByteArray tiff = QByteArray("MM\x00\x2A\x00\x00\x00\x08", 8)  // header, IFD at 8
                            + QByteArray("\x00\x01", 2)                   // one entry
                            + QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00", 12)
                            + QByteArray("\x00\x00\x00\x00", 4); // no next IFD
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    const int length = int(payload.size()) + 2;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    jpeg.insert(2, app1);
    return jpeg;
}

// A 2x1 GIF of two frames: all red, then all blue.
QByteArray animatedGif()
{
    return QByteArray("GIF89a\x02\x00\x01\x00\x80\x00\x00", 13)
           + QByteArray("\xFF\x00\x00\x00\x00\xFF", 6)
           + QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19)
           + QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8)
           + QByteArray("\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00", 10)
           + QByteArray("\x02\x02\x04\x0A\x00", 5)
           + QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8)
           + QByteArray("\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00", 10)
           + QByteArray("\x02\x02\x4C\x0A\x00", 5) + QByteArray("\x3B", 1);
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
    return out;
}

// A small PNG with a tEXt chunk right after IHDR whose length field says
// `declared`, whatever the data that follows.
QByteArray pngWithTextChunk(quint32 declared)
{
    QByteArray png = encoded(solid(8, 8, Red), "png");
    const int afterHeader = 8 + 12 + 13;
    png.insert(afterHeader, bigEndian(declared, 4) + "tEXtComment" + QByteArray(5, '\0'));
    return png;
}

// A small PNG whose header states that size, its check sum mended so that
// only its image data is wrong.
QByteArray pngStating(quint32 width, quint32 height)
{
    QByteArray png = encoded(solid(8, 8, Red), "png");
    png.replace(16, 8, bigEndian(width, 4) + bigEndian(height, 4));
    png.replace(29, 4, bigEndian(crc32(png.mid(12, 17)), 4));
    return png;
}

// A small JPEG with an APP1 segment right after SOI whose length field says
// `declared`.
QByteArray jpegWithSegment(quint32 declared)
{
    QByteArray jpeg = encoded(solid(8, 8, Red), "jpeg");
    jpeg.insert(2, QByteArray("\xFF\xE1", 2) + bigEndian(declared, 2) + "Exif");
    return jpeg;
}

QImage withText(QImage image)
{
    image.setText(QStringLiteral("Title"), QStringLiteral("Harbour at dusk"));
    image.setText(QStringLiteral("Author"), QStringLiteral("A. Painter"));
    return image;
}

QSize savedSize(const QString& path)
{
    QImageReader reader(path, QByteArrayLiteral("jpeg"));
    return reader.size();
}

} // namespace

class TestImageControl : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void loads_data();
    void loads();
    void loadFailureEmptiesTheControl_data();
    void loadFailureEmptiesTheControl();
    void emptyPathClears();
    void photoOverQtsDefaultMemoryLimitLoads();
    void lengthsPastTheFileAreRefusedBeforeDecoding_data();
    void lengthsPastTheFileAreRefusedBeforeDecoding();

    void sizeLimit_data();
    void sizeLimit();
    void raisingTheLimitRereadsTheFile();
    void raisingTheLimitAfterTheFileWentKeepsAPicture();

    void loadForDisplayReadsAtTheShownSize_data();
    void loadForDisplayReadsAtTheShownSize();
    void aPictureLoadedForAWindowIsNeverReadAgainForALimit();

    void savedSizeFollowsFitMode_data();
    void savedSizeFollowsFitMode();
    void lowerQualityWritesASmallerFile();
    void outputModeChoosesBaselineOrProgressive_data();
    void outputModeChoosesBaselineOrProgressive();
    void transparencyIsLaidOnBackColor_data();
    void transparencyIsLaidOnBackColor();
    void smoothingSoftensEdgesInProportion_data();
    void smoothingSoftensEdgesInProportion();
    void saveWithNothingLoadedWritesNothing();
    void saveFailureKeepsNoFile();
    void aPictureLoadedAfterAnotherCarriesNoneOfItsData_data();
    void aPictureLoadedAfterAnotherCarriesNoneOfItsData();

    void winColors_data();
    void winColors();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString savePng(const QString& name, const QImage& image)
    {
        const QString file = path(name);
        if (!image.save(file, "png"))
            return {};
        return file;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestImageControl::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestImageControl::loads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QRgb>("topLeft");
    QTest::addColumn<QRgb>("bottomRight");

    QTest::addRow("a PNG loads at its natural size")
        << "wide.png" << encoded(halves(300, 150), "png") << QSize(300, 150) << Red << Blue;
    QTest::addRow("an upper-case suffix names the format")
        << "WIDE.PNG" << encoded(halves(300, 150), "png") << QSize(300, 150) << Red << Blue;
    QTest::addRow("a BMP named .dib loads by its content")
        << "old.dib" << encoded(halves(64, 32), "bmp") << QSize(64, 32) << Red << Blue;
    QTest::addRow("a JPEG named .gif loads by its content")
        << "photo.gif" << encoded(solid(40, 30, Red), "jpeg") << QSize(40, 30) << Red << Red;
    QTest::addRow("an animated GIF shows its first frame")
        << "anim.gif" << animatedGif() << QSize(2, 1) << Red << Red;
    QTest::addRow("an EXIF orientation 6 JPEG is shown upright")
        << "phone.jpg" << jpegWithOrientation6(halves(40, 20)) << QSize(20, 40) << Red << Blue;
}

void TestImageControl::loads()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, natural);
    QFETCH(QRgb, topLeft);
    QFETCH(QRgb, bottomRight);
    writeBytes(path(name), bytes);
    if (name == "anim.gif")
        QCOMPARE(QImageReader(path(name)).imageCount(), 2);

    ImageControl control;
    QVERIFY2(control.setFileName(path(name)), qPrintable(control.errorString()));
    QCOMPARE(control.fileName(), path(name));
    QVERIFY(control.errorString().isEmpty());
    QCOMPARE(control.imageWidth(), natural.width());
    QCOMPARE(control.imageHeight(), natural.height());
    QCOMPARE(control.picture().size(), natural);
    QCOMPARE(control.width(), natural.width() * 15.0);
    QCOMPARE(control.height(), natural.height() * 15.0);

    // JPEG is lossy: colours are compared within a margin.
    auto near = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24
               && qAbs(qBlue(a) - qBlue(b)) < 24;
    };
    const QImage picture = control.picture();
    QVERIFY(near(picture.pixel(0, 0), topLeft));
    QVERIFY(near(picture.pixel(picture.width() - 1, picture.height() - 1), bottomRight));
}

void TestImageControl::loadFailureEmptiesTheControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // as every page tells it; empty: the decoder's words

    QByteArray random(4096, '\0');
    QRandomGenerator generator(11);
    for (auto& byte : random)
        byte = char(generator.bounded(256));
    QTest::addRow("random bytes named .jpg")
        << "broken.jpg" << random << "its contents are not a picture";
    QTest::addRow("a missing file") << "missing.png" << QByteArray() << "";
    QTest::addRow("a PCX picture, which Qt cannot decode")
        << "scan.pcx" << QByteArray("\x0A\x05\x01\x08\x00\x00\x00\x00\x0F\x00\x0F\x00", 12)
                             + QByteArray(116, '\0') + random << "";
    QTest::addRow("an empty file") << "empty.png" << QByteArray("") << "the file is empty";
}

void TestImageControl::loadFailureEmptiesTheControl()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    if (!bytes.isNull())
        writeBytes(path(name), bytes);

    ImageControl control;
    QVERIFY(control.setFileName(savePng("before.png", solid(30, 20, Red))));
    QVERIFY(!control.setFileName(path(name)));
    QVERIFY(control.isNull());
    QVERIFY(control.picture().isNull());
    QCOMPARE(control.fileName(), QString());
    QCOMPARE(control.imageWidth(), 0);
    QCOMPARE(control.imageHeight(), 0);
    QVERIFY2(control.errorString().contains(path(name)), qPrintable(control.errorString()));
    QVERIFY(control.errorString().size() > path(name).size() + 2);
    if (!reason.isEmpty())
        QCOMPARE(control.errorReason(), reason);
}

void TestImageControl::emptyPathClears()
{
    ImageControl control;
    QVERIFY(control.setFileName(savePng("a.png", solid(30, 20, Red))));
    QVERIFY(control.setFileName(QString()));
    QVERIFY(control.isNull());
    QCOMPARE(control.fileName(), QString());
    QCOMPARE(control.imageWidth(), 0);
    QVERIFY(control.errorString().isEmpty());
}

void TestImageControl::photoOverQtsDefaultMemoryLimitLoads()
{
    // 8200 x 4100 x 4 bytes is over Qt's default limit of 128 MB.
    const QString file = path("big.jpg");
    QVERIFY(solid(8200, 4100, Blue).save(file, "jpeg", 50));
    ImageControl control;
    QVERIFY2(control.setFileName(file), qPrintable(control.errorString()));
    QCOMPARE(control.imageWidth(), 8200);
    QCOMPARE(control.imageHeight(), 4100);
}

void TestImageControl::lengthsPastTheFileAreRefusedBeforeDecoding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QSize>("natural");

    const QString chunkPastEnd = "damaged: a chunk runs past the end of the file";
    const QString segmentPastEnd = "damaged: a segment runs past the end of the file";
    const QString segmentUnder2 = "damaged: a segment declares a length under 2 bytes";
    const QByteArray noisyPng = encoded(noise(64, 64), "png");
    const QByteArray noisyJpeg = encoded(noise(64, 64), "jpeg");

    QTest::addRow("a PNG whose text chunk claims 2 GB is refused")
        << "bomb.png" << pngWithTextChunk(0x7FFFFFF0u) << chunkPastEnd << QSize();
    // The inserted chunk starts at byte 33 and adds 20 bytes, so with its
    // header and CRC it reaches the end of the file when its data is P - 25.
    const quint32 plainPng = quint32(encoded(solid(8, 8, Red), "png").size());
    QTest::addRow("a PNG chunk whose CRC ends one byte past the file is refused")
        << "long.png" << pngWithTextChunk(plainPng - 24) << chunkPastEnd << QSize();
    QTest::addRow("a PNG chunk length over 2^31-1 is refused")
        << "huge.png" << pngWithTextChunk(0xFFFFFFF0u)
        << "damaged: a chunk declares a length over 2 GB" << QSize();
    QTest::addRow("a damaged PNG named .gif is known by its signature")
        << "bomb.gif" << pngWithTextChunk(0x7FFFFFF0u) << chunkPastEnd << QSize();
    QTest::addRow("a PNG cut short in its image data is refused")
        << "cut.png" << noisyPng.left(noisyPng.size() / 2) << chunkPastEnd << QSize();
    QTest::addRow("a JPEG segment longer than the file is refused")
        << "long.jpg" << jpegWithSegment(0xFFFF) << segmentPastEnd << QSize();
    QTest::addRow("a JPEG segment length of 1 is refused")
        << "one.jpg" << jpegWithSegment(1) << segmentUnder2 << QSize();
    QTest::addRow("a JPEG segment length of 0 is refused")
        << "zero.jpg" << jpegWithSegment(0) << segmentUnder2 << QSize();
    QTest::addRow("a PNG with several text chunks loads")
        << "text.png" << encoded(withText(solid(30, 20, Red)), "png") << QString() << QSize(30, 20);
    QTest::addRow("bytes after a PNG's end chunk are not read as chunks")
        << "tail.png" << encoded(solid(30, 20, Red), "png") + QByteArray("\x7F\xFF\xFF\xFFtEXt", 8)
        << QString() << QSize(30, 20);
    QTest::addRow("a JPEG's scan data is not read as segments")
        << "noise.jpg" << noisyJpeg << QString() << QSize(64, 64);
    QTest::addRow("a JPEG cut short in its scan data is refused")
        << "cut.jpg" << cutShortJpeg() << "damaged: the picture is cut short" << QSize();
    QTest::addRow("a JPEG cut short before its scan is refused")
        << "head.jpg" << noisyJpeg.left(noisyJpeg.indexOf("\xFF\xDA"))
        << "damaged: the picture is cut short" << QSize();
    QTest::addRow("a JPEG stating 60000 x 60000 pixels in 600 bytes is refused")
        << "huge.jpg" << hugeStatedJpeg()
        << "damaged: its data cannot fill the 60000 x 60000 pixels it states" << QSize();
    QTest::addRow("a PNG stating 60000 x 60000 pixels in 100 bytes is refused")
        << "huge.png" << pngStating(60000, 60000)
        << "damaged: its data cannot fill the 60000 x 60000 pixels it states" << QSize();
    QTest::addRow("a 4000 x 4000 PNG of one colour loads")
        << "plain.png" << encoded(solid(4000, 4000, Red), "png") << QString() << QSize(4000, 4000);
    QTest::addRow("a 4000 x 4000 JPEG of one colour loads")
        << "plain.jpg" << encoded(solid(4000, 4000, Red), "jpeg") << QString() << QSize(4000, 4000);
    QTest::addRow("a GIF loads unchecked") << "anim.gif" << animatedGif() << QString() << QSize(2, 1);
}

void TestImageControl::lengthsPastTheFileAreRefusedBeforeDecoding()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QFETCH(QSize, natural);
    writeBytes(path(name), bytes);

    ImageControl control;
    const bool loaded = control.setFileName(path(name));
    if (reason.isEmpty()) {
        QVERIFY2(loaded, qPrintable(control.errorString()));
        QCOMPARE(QSize(control.imageWidth(), control.imageHeight()), natural);
        return;
    }
    QVERIFY(!loaded);
    QVERIFY(control.isNull());
    QCOMPARE(control.errorString(), QStringLiteral("Cannot load %1: %2").arg(path(name), reason));
}

void TestImageControl::sizeLimit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("limitFirst");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("shown");

    QByteArray wideJpeg;
    {
        QBuffer buffer(&wideJpeg);
        buffer.open(QIODevice::WriteOnly);
        halves(1000, 500).save(&buffer, "jpeg", 90);
    }
    QByteArray tallPng;
    {
        QBuffer buffer(&tallPng);
        buffer.open(QIODevice::WriteOnly);
        halves(500, 1000).save(&buffer, "png");
    }
    const QByteArray turned = jpegWithOrientation6(halves(40, 20));

    QTest::addRow("limit 104 set before loading a 1000x500 JPEG")
        << "wide.jpg" << wideJpeg << true << 104 << QSize(1000, 500) << QSize(104, 52);
    QTest::addRow("limit 104 set after loading a 1000x500 JPEG")
        << "wide.jpg" << wideJpeg << false << 104 << QSize(1000, 500) << QSize(104, 52);
    QTest::addRow("a limit between the decoder's scales is met exactly")
        << "wide.jpg" << wideJpeg << true << 333 << QSize(1000, 500) << QSize(333, 167);
    QTest::addRow("a limit larger than the picture does not enlarge it")
        << "wide.jpg" << wideJpeg << true << 2000 << QSize(1000, 500) << QSize(1000, 500);
    QTest::addRow("a limit equal to the long side keeps the size")
        << "wide.jpg" << wideJpeg << true << 1000 << QSize(1000, 500) << QSize(1000, 500);
    QTest::addRow("limit 0 is the natural size")
        << "wide.jpg" << wideJpeg << true << 0 << QSize(1000, 500) << QSize(1000, 500);
    QTest::addRow("a portrait PNG fits by its height")
        << "tall.png" << tallPng << true << 104 << QSize(500, 1000) << QSize(52, 104);
    QTest::addRow("an EXIF-turned JPEG is limited upright")
        << "phone.jpg" << turned << true << 10 << QSize(20, 40) << QSize(5, 10);
}

void TestImageControl::sizeLimit()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, limitFirst);
    QFETCH(int, limit);
    QFETCH(QSize, natural);
    QFETCH(QSize, shown);
    writeBytes(path(name), bytes);

    ImageControl control;
    if (limitFirst)
        control.setSizeLimit(limit);
    QVERIFY2(control.setFileName(path(name)), qPrintable(control.errorString()));
    if (!limitFirst)
        control.setSizeLimit(limit);

    QCOMPARE(control.imageWidth(), natural.width());
    QCOMPARE(control.imageHeight(), natural.height());
    QCOMPARE(control.picture().size(), shown);
    QCOMPARE(control.width(), shown.width() * 15.0);
    QCOMPARE(control.height(), shown.height() * 15.0);
    // Reduced, not cropped: both halves are still there, red on the left or top.
    const QImage picture = control.picture();
    QVERIFY(qRed(picture.pixel(0, 0)) > 200);
    QVERIFY(qBlue(picture.pixel(shown.width() - 1, shown.height() - 1)) > 200);

    QVERIFY(control.saveAsJpeg(path("out.jpg")));
    QCOMPARE(savedSize(path("out.jpg")), shown);
}

void TestImageControl::raisingTheLimitRereadsTheFile()
{
    const QString file = savePng("wide.png", halves(1000, 500));
    ImageControl control;
    control.setSizeLimit(100);
    QVERIFY(control.setFileName(file));
    QCOMPARE(control.picture().size(), QSize(100, 50));
    control.setSizeLimit(0);
    QCOMPARE(control.picture().size(), QSize(1000, 500));
    // Sharp halves prove the picture was decoded again, not blown up from 100x50.
    QCOMPARE(control.picture().pixel(497, 250), Red);
    QCOMPARE(control.picture().pixel(502, 250), Blue);
    QVERIFY(control.errorString().isEmpty());
}

void TestImageControl::raisingTheLimitAfterTheFileWentKeepsAPicture()
{
    const QString file = savePng("wide.png", halves(1000, 500));
    ImageControl control;
    control.setSizeLimit(100);
    QVERIFY(control.setFileName(file));
    QVERIFY(QFile::remove(file));
    control.setSizeLimit(400);
    QCOMPARE(control.picture().size(), QSize(400, 200));
    QCOMPARE(control.width(), 400 * 15.0);
    QCOMPARE(control.fileName(), file);
    QVERIFY(control.errorString().contains(file));
}

void TestImageControl::savedSizeFollowsFitMode_data()
{
    QTest::addColumn<FitMode>("mode");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QSize>("saved");

    QTest::addRow("fitted to a width saves at the control's size, twips rounded to pixels")
        << FitMode::FittedToWidth << 1507.0 << 752.0 << QSize(100, 50);
    QTest::addRow("fitted to a height stretches as to a width")
        << FitMode::FittedToHeight << 900.0 << 1500.0 << QSize(60, 100);
    QTest::addRow("fitted to a width rounds half a pixel up")
        << FitMode::FittedToWidth << 2257.5 << 7.5 << QSize(151, 1);
    QTest::addRow("its own size saves the shown picture whatever the control's size")
        << FitMode::OwnSize << 1507.0 << 752.0 << QSize(150, 75);
}

void TestImageControl::savedSizeFollowsFitMode()
{
    QFETCH(FitMode, mode);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QSize, saved);

    ImageControl control;
    control.setSizeLimit(150);
    QVERIFY(control.setFileName(savePng("wide.png", halves(300, 150))));
    QCOMPARE(control.width(), 2250.0);
    QCOMPARE(control.height(), 1125.0);
    control.setWidth(width);
    control.setHeight(height);
    control.setFitMode(mode);
    QCOMPARE(control.picture().size(), saved);
    QVERIFY(control.saveAsJpeg(path("out.jpg")));
    QCOMPARE(savedSize(path("out.jpg")), saved);
    // The control keeps the size it was given.
    QCOMPARE(control.width(), width);
}

void TestImageControl::lowerQualityWritesASmallerFile()
{
    ImageControl control;
    QVERIFY(control.setFileName(savePng("noise.png", noise(200, 200))));
    control.setJpegQuality(10);
    QVERIFY(control.saveAsJpeg(path("low.jpg")));
    control.setJpegQuality(95);
    QVERIFY(control.saveAsJpeg(path("high.jpg")));
    const qint64 low = QFileInfo(path("low.jpg")).size();
    const qint64 high = QFileInfo(path("high.jpg")).size();
    QVERIFY2(low > 0 && low * 2 < high, qPrintable(QStringLiteral("%1 vs %2").arg(low).arg(high)));
    QCOMPARE(QImageReader(path("low.jpg")).format(), QByteArray("jpeg"));
}

void TestImageControl::outputModeChoosesBaselineOrProgressive_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("frameMarker");
    QTest::addRow("mode 0 writes a baseline frame") << 0 << QByteArray("\xFF\xC0", 2);
    QTest::addRow("mode 1 writes a progressive frame") << 1 << QByteArray("\xFF\xC2", 2);
    QTest::addRow("any other non-zero mode is progressive too")
        << 2 << QByteArray("\xFF\xC2", 2);
}

void TestImageControl::outputModeChoosesBaselineOrProgressive()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, frameMarker);
    ImageControl control;
    QVERIFY(control.setFileName(savePng("noise.png", noise(64, 64))));
    control.setJpegOutputMode(mode);
    control.setJpegOptimize(true);
    QVERIFY(control.saveAsJpeg(path("out.jpg")));
    const QByteArray bytes = readBytes(path("out.jpg"));
    QVERIFY(bytes.contains(frameMarker));
    QCOMPARE(QImageReader(path("out.jpg")).read().size(), QSize(64, 64));
}

void TestImageControl::transparencyIsLaidOnBackColor_data()
{
    QTest::addColumn<bool>("setColor");
    QTest::addColumn<quint32>("backColor");
    QTest::addColumn<QRgb>("expected");
    QTest::addRow("on red (0x000000FF)") << true << quint32(0x000000FF) << Red;
    QTest::addRow("on white by default") << false << quint32(0) << qRgb(255, 255, 255);
    QTest::addRow("on blue (0x00FF0000)") << true << quint32(0x00FF0000) << Blue;
}

void TestImageControl::transparencyIsLaidOnBackColor()
{
    QFETCH(bool, setColor);
    QFETCH(quint32, backColor);
    QFETCH(QRgb, expected);

    QImage clear(40, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    for (int y = 0; y < 40; ++y)
        for (int x = 30; x < 40; ++x)
            clear.setPixel(x, y, qRgba(0, 255, 0, 255));
    ImageControl control;
    QVERIFY(control.setFileName(savePng("clear.png", clear)));
    if (setColor)
        control.setBackColor(backColor);
    QVERIFY(control.saveAsJpeg(path("out.jpg")));

    const QImage saved(path("out.jpg"));
    QCOMPARE(saved.size(), QSize(40, 40));
    const QRgb under = saved.pixel(8, 20);
    QVERIFY2(qAbs(qRed(under) - qRed(expected)) < 16 && qAbs(qGreen(under) - qGreen(expected)) < 16
                 && qAbs(qBlue(under) - qBlue(expected)) < 16,
             qPrintable(QColor(under).name()));
    // Opaque pixels stay as they are.
    QVERIFY(qGreen(saved.pixel(36, 20)) > 230);
}

void TestImageControl::smoothingSoftensEdgesInProportion_data()
{
    QTest::addColumn<int>("smoothing");
    QTest::addColumn<int>("besideEdge");
    // The 3x3 blur makes the black column next to white a quarter white (64).
    QTest::addRow("0 leaves the edge sharp") << 0 << 0;
    QTest::addRow("50 blends half the blur in") << 50 << 32;
    QTest::addRow("100 is the full blur") << 100 << 64;
    QTest::addRow("values over 100 count as 100") << 250 << 64;
}

void TestImageControl::smoothingSoftensEdgesInProportion()
{
    QFETCH(int, smoothing);
    QFETCH(int, besideEdge);

    QImage sharp = solid(64, 64, qRgb(255, 255, 255));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x)
            sharp.setPixel(x, y, qRgb(0, 0, 0));
    ImageControl control;
    QVERIFY(control.setFileName(savePng("sharp.png", sharp)));
    control.setJpegQuality(100);
    control.setJpegSmoothing(smoothing);
    QVERIFY(control.saveAsJpeg(path("out.jpg")));

    const QImage saved = QImage(path("out.jpg")).convertToFormat(QImage::Format_Grayscale8);
    const int edge = qGray(saved.pixel(31, 32));
    QVERIFY2(qAbs(edge - besideEdge) <= 6, qPrintable(QString::number(edge)));
    // Away from the edge nothing changes.
    QVERIFY(qGray(saved.pixel(10, 32)) <= 4);
    QVERIFY(qGray(saved.pixel(50, 32)) >= 251);
    // The picture shown is never smoothed; only the written file is.
    QCOMPARE(control.picture().pixel(31, 32), qRgb(0, 0, 0));
}

void TestImageControl::saveWithNothingLoadedWritesNothing()
{
    ImageControl control;
    QVERIFY(!control.saveAsJpeg(path("out.jpg")));
    QCOMPARE(control.errorString(), QStringLiteral("No picture is loaded."));
    QVERIFY(!QFile::exists(path("out.jpg")));
}

void TestImageControl::saveFailureKeepsNoFile()
{
    ImageControl control;
    QVERIFY(control.setFileName(savePng("a.png", solid(30, 20, Red))));
    const QString target = path("no such folder/out.jpg");
    QVERIFY(!control.saveAsJpeg(target));
    QVERIFY(control.errorString().contains(target));
    QVERIFY(!QFile::exists(target));

    // A control stretched to nothing has nothing to write.
    control.setFitMode(FitMode::FittedToWidth);
    control.setWidth(0);
    QVERIFY(!control.saveAsJpeg(path("zero.jpg")));
    QVERIFY(!control.errorString().isEmpty());
    QVERIFY(!QFile::exists(path("zero.jpg")));
}

void TestImageControl::winColors_data()
{
    QTest::addColumn<quint32>("win");
    QTest::addColumn<QColor>("color");
    QTest::addRow("0x0000FF is red") << quint32(0x0000FF) << QColor(255, 0, 0);
    QTest::addRow("0x00FF00 is green") << quint32(0x00FF00) << QColor(0, 255, 0);
    QTest::addRow("0xFF0000 is blue") << quint32(0xFF0000) << QColor(0, 0, 255);
    QTest::addRow("bytes are red, green, blue from the lowest")
        << quint32(0x00123456) << QColor(0x56, 0x34, 0x12);
    QTest::addRow("white") << quint32(0x00FFFFFF) << QColor(255, 255, 255);
}

void TestImageControl::winColors()
{
    QFETCH(quint32, win);
    QFETCH(QColor, color);
    QCOMPARE(colorFromWin(win), color);
    QCOMPARE(winFromColor(color), win);
    QCOMPARE(winFromColor(colorFromWin(win)), win);
}


void TestImageControl::aPictureLoadedAfterAnotherCarriesNoneOfItsData_data()
{
    QTest::addColumn<bool>("colourProfile");
    QTest::addColumn<bool>("texts");
    QTest::addColumn<bool>("resolution"); // the second file has none
    QTest::addRow("a colour profile") << true << false << false;
    QTest::addRow("a comment") << false << true << false;
    QTest::addRow("a resolution") << false << false << true;
}

// The next picture of the same size is decoded into the memory of the one
// before: it must come out as a fresh control makes it, pixels and all.
void TestImageControl::aPictureLoadedAfterAnotherCarriesNoneOfItsData()
{
    QFETCH(bool, colourProfile);
    QFETCH(bool, texts);
    QFETCH(bool, resolution);
    QTemporaryDir dir;
    QImage first = noise(64, 48);
    if (colourProfile)
        first.setColorSpace(QColorSpace::DisplayP3);
    if (texts)
        first.setText(QStringLiteral("Description"), QStringLiteral("the first photo"));
    const QString firstPath = dir.filePath(QStringLiteral("first.jpg"));
    const QString secondPath = dir.filePath(QStringLiteral("second.jpg"));
    if (resolution) {
        first.setDotsPerMeterX(11811); // 300 dpi
        first.setDotsPerMeterY(11811);
    }
    QVERIFY(first.save(firstPath, "JPEG", 90));
    QByteArray second;
    QBuffer buffer(&second);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && solid(64, 48, Blue).save(&buffer, "JPEG", 90));
    if (resolution) {
        // JFIF density units 0: a pixel aspect ratio only, no resolution.
        const qsizetype jfif = second.indexOf(QByteArray("JFIF\0", 5));
        QVERIFY(jfif > 0);
        second[jfif + 7] = 0;
    }
    writeBytes(secondPath, second);

    ImageControl reused;
    QVERIFY(reused.setFileName(firstPath));
    QVERIFY(reused.setFileName(QString()));
    QVERIFY(reused.setFileName(secondPath));
    ImageControl fresh;
    QVERIFY(fresh.setFileName(secondPath));

    QCOMPARE(reused.picture(), fresh.picture());
    QCOMPARE(reused.picture().colorSpace(), fresh.picture().colorSpace());
    QCOMPARE(reused.picture().textKeys(), fresh.picture().textKeys());
    QCOMPARE(reused.picture().dotsPerMeterX(), fresh.picture().dotsPerMeterX());
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    const QString b = dir.filePath(QStringLiteral("b.jpg"));
    QVERIFY(reused.saveAsJpeg(a));
    QVERIFY(fresh.saveAsJpeg(b));
    QFile fa(a);
    QFile fb(b);
    QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
    QCOMPARE(fa.readAll(), fb.readAll());
}

void TestImageControl::loadForDisplayReadsAtTheShownSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("scale"); // the window shows pictures at this scale
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("read");

    QTest::addRow("a JPEG is decoded reduced") << "photo.jpg" << encoded(halves(400, 300), "jpeg")
                                               << 0.25 << QSize(400, 300) << QSize(100, 75);
    QTest::addRow("a PNG, which cannot be decoded reduced, is reduced after")
        << "wide.png" << encoded(halves(400, 200), "png") << 0.25 << QSize(400, 200)
        << QSize(100, 50);
    QTest::addRow("an EXIF orientation 6 JPEG is read upright, its size upright")
        << "phone.jpg" << jpegWithOrientation6(halves(80, 40)) << 0.25 << QSize(40, 80)
        << QSize(10, 20);
    QTest::addRow("a picture is never read larger than it is")
        << "small.png" << encoded(halves(20, 10), "png") << 2.0 << QSize(20, 10) << QSize(20, 10);
}

void TestImageControl::loadForDisplayReadsAtTheShownSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(double, scale);
    QFETCH(QSize, natural);
    QFETCH(QSize, read);
    writeBytes(path(name), bytes);
    const auto scaled = [scale](QSize size) { return (QSizeF(size) * scale).toSize(); };
    const LoadedPicture loaded = ImageControl::loadForDisplay(path(name), scaled);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    QCOMPARE(loaded.path, path(name));
    QCOMPARE(loaded.naturalSize, natural);
    QCOMPARE(loaded.image.size(), read);
    // Reduced, not cropped nor turned the wrong way: red on the left or top.
    QVERIFY(qRed(loaded.image.pixel(0, 0)) > 200);
    QVERIFY(qBlue(loaded.image.pixel(read.width() - 1, read.height() - 1)) > 200);

    // A window shows it with the file's own size.
    ImageControl control;
    QVERIFY(control.showLoaded(loaded));
    QCOMPARE(control.fileName(), path(name));
    QCOMPARE(QSize(control.imageWidth(), control.imageHeight()), natural);
    QCOMPARE(control.shownSize(), natural);
    QCOMPARE(control.heldSize(), read);
    QCOMPARE(QSizeF(control.width(), control.height()), QSizeF(natural) * 15.0);
}

void TestImageControl::aPictureLoadedForAWindowIsNeverReadAgainForALimit()
{
    const QString file = savePng("wide.png", halves(1000, 500));
    const auto fixed = [](QSize) { return QSize(300, 150); };
    ImageControl control;
    QVERIFY(control.showLoaded(ImageControl::loadForDisplay(file, fixed)));
    QVERIFY(QFile::remove(file));
    // Reduced from what it holds.
    control.setSizeLimit(100);
    QCOMPARE(control.picture().size(), QSize(100, 50));
    QCOMPARE(control.shownSize(), QSize(100, 50));
    // Back to the natural size: what it held, not the whole file.
    control.setSizeLimit(0);
    QCOMPARE(control.errorString(), QString());
    QCOMPARE(control.heldSize(), QSize(300, 150));
    QCOMPARE(control.shownSize(), QSize(1000, 500));
    QCOMPARE(control.imageWidth(), 1000);

    // A file that cannot be read empties the control, with the decoder's reason.
    writeBytes(path("broken.jpg"), "not a picture");
    const LoadedPicture broken = ImageControl::loadForDisplay(path("broken.jpg"), fixed);
    QVERIFY(!broken.ok());
    QVERIFY2(broken.error.contains(path("broken.jpg")), qPrintable(broken.error));
    QCOMPARE(broken.naturalSize, QSize(0, 0));
    QVERIFY(!control.showLoaded(broken));
    QVERIFY(control.isNull());
    QCOMPARE(control.fileName(), QString());
    QCOMPARE(control.errorString(), broken.error);
}

QTEST_MAIN(TestImageControl)
#include "tst_imagecontrol.moc"
