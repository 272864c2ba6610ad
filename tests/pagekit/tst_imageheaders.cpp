#include "pagekit/imageheaders.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QImage>
#include <QTest>

using namespace mosaicon;

namespace {

QByteArray bytes(int a, int b)
{
    QByteArray out;
    out.append(char(a));
    out.append(char(b));
    return out;
}

QByteArray be16(int v)
{
    return bytes(v >> 8, v & 0xFF);
}

QByteArray le16(int v)
{
    return bytes(v & 0xFF, v >> 8);
}

QByteArray segment(int marker, const QByteArray& body)
{
    return bytes(0xFF, marker) + be16(int(body.size()) + 2) + body;
}

// A frame header of three components.
QByteArray frame(int marker, int width, int height, int lengthFix = 0)
{
    QByteArray body = QByteArray(1, 8) + be16(height) + be16(width) + QByteArray(1, 3) + QByteArray(9, 1);
    QByteArray s = segment(marker, body);
    if (lengthFix) {
        const QByteArray length = be16(int(body.size()) + 2 + lengthFix);
        s[2] = length[0];
        s[3] = length[1];
    }
    return s;
}

const QByteArray soi{"\xFF\xD8", 2};
const QByteArray sos{"\xFF\xDA\x00\x02", 4};

// A minimal EXIF block in Intel order holding only an orientation.
QByteArray exif(int orientation)
{
    QByteArray tiff = QByteArray("II") + le16(42) + QByteArray("\x08\x00\x00\x00", 4) + le16(1) + le16(0x0112) +
                      le16(3) + QByteArray("\x01\x00\x00\x00", 4) + le16(orientation) + le16(0) +
                      QByteArray(4, 0);
    return segment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

QByteArray gif(int screenWidth, int screenHeight, int imageWidth, int imageHeight)
{
    QByteArray g = QByteArray("GIF89a") + le16(screenWidth) + le16(screenHeight) + QByteArray("\x80\x00\x00", 3) +
                   QByteArray(6, 0); // a global table of two colours
    g += QByteArray("!\xF9\x04\x00\x00\x00\x00\x00", 8);
    g += QByteArray(1, ',') + le16(0) + le16(0) + le16(imageWidth) + le16(imageHeight) + QByteArray(1, 0);
    g += QByteArray("\x02\x02\x44\x01\x00", 5) + QByteArray(1, ';');
    return g;
}

} // namespace

class TestImageHeaders : public QObject
{
    Q_OBJECT

private slots:
    void jpegSizes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addRow("baseline frame") << soi + frame(0xC0, 640, 480) + sos << 640 << 480;
        QTest::addRow("progressive frame") << soi + frame(0xC2, 300, 200) + sos << 300 << 200;
        QTest::addRow("huffman table 0xC4 is skipped, not a frame")
            << soi + segment(0xC4, QByteArray(20, 0)) + frame(0xC0, 64, 32) + sos << 64 << 32;
        QTest::addRow("a later frame header wins")
            << soi + frame(0xC0, 10, 10) + frame(0xC1, 20, 30) + sos << 20 << 30;
        QTest::addRow("fill bytes before a marker") << soi + QByteArray(3, char(0xFF)) + frame(0xC0, 5, 6) + sos << 5 << 6;
        QTest::addRow("a comment is read past") << soi + segment(0xFE, "made here") + frame(0xC0, 7, 8) + sos << 7 << 8;
        QTest::addRow("no frame before the scan gives no size") << soi + sos << -1 << -1;
        QTest::addRow("not a JPEG") << QByteArray("GIF89a....") << -1 << -1;
        QTest::addRow("a truncated file keeps what was read") << soi + frame(0xC0, 9, 4) + QByteArray("\xFF\xE0\x00", 3)
                                                            << 9 << 4;
        QTest::addRow("EXIF orientation 6 gives the upright size")
            << soi + exif(6) + frame(0xC0, 40, 20) + sos << 20 << 40;
        QTest::addRow("EXIF orientation 3 keeps the size") << soi + exif(3) + frame(0xC0, 40, 20) + sos << 40 << 20;
    }
    void jpegSizes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, width);
        QFETCH(int, height);
        TestProgram tp;
        tp.write("p.jpg", bytes);
        const QSize size = read_jpg_info(tp.path("p.jpg")).value_or(QSize(-1, -1));
        QCOMPARE(size.width(), width);
        QCOMPARE(size.height(), height);
        VERIFY_DIALOGS(tp);
    }

    void realJpegFromQt()
    {
        TestProgram tp;
        QImage image(123, 45, QImage::Format_RGB32);
        image.fill(Qt::green);
        QVERIFY(image.save(tp.path("real.jpg"), "JPEG"));
        QCOMPARE(read_jpg_info(tp.path("real.jpg")), QSize(123, 45));
    }

    void strayByteIsGarbage()
    {
        TestProgram tp;
        tp.write("g.jpg", soi + frame(0xC0, 11, 12) + QByteArray("\x00", 1) + frame(0xC0, 99, 99) + sos);
        tp.ui.expectMessage(QStringLiteral("Garbage found in JPG file"));
        const auto size = read_jpg_info(tp.path("g.jpg"));
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Graphics Viewer"));
        QCOMPARE(tp.ui.asked().first().style, 48);
        QCOMPARE(size.value_or(QSize()).width(), 11);
    }

    void shortCommentLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addRow("length 0") << 0;
        QTest::addRow("length 1") << 1;
    }
    void shortCommentLength()
    {
        QFETCH(int, length);
        TestProgram tp;
        tp.write("c.jpg", soi + QByteArray("\xFF\xFE", 2) + be16(length) + frame(0xC0, 3, 3) + sos);
        tp.ui.expectMessage(QStringLiteral("Errroneous JPG marker length"));
        read_jpg_info(tp.path("c.jpg"));
        VERIFY_DIALOGS(tp);
    }

    void badFrameStopsOnlyThatFile()
    {
        TestProgram tp;
        tp.write("bad.jpg", soi + frame(0xC0, 50, 60, 1) + frame(0xC0, 70, 80) + sos);
        tp.write("good.jpg", soi + frame(0xC0, 1, 2) + sos);
        QCOMPARE(read_jpg_info(tp.path("bad.jpg")).value_or(QSize()).width(), 50);
        QCOMPARE(read_jpg_info(tp.path("good.jpg")), QSize(1, 2));
    }

    void gifGivesTheLogicalScreen()
    {
        TestProgram tp;
        tp.write("a.gif", gif(640, 480, 20, 10));
        QCOMPARE(read_gif_info(tp.path("a.gif")), QSize(640, 480));
        tp.write("short.gif", QByteArray("GIF8"));
        QCOMPARE(read_gif_info(tp.path("short.gif")), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestImageHeaders)
#include "tst_imageheaders.moc"
