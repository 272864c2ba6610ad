#include "pagekit/thumbnails.h"

#include "platform/imagecontrol.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QFileInfo>
#include <QImage>
#include <QTest>

using namespace mosaicon;

class TestThumbnailRules : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("expected");
        QTest::addRow("suffix") << "cat.gif" << false << "cat_tn.jpg";
        QTest::addRow("suffix kept") << "dog_tn.jpg" << false << "dog_tn.jpg";
        QTest::addRow("cut at the first dot") << "a.b.gif" << false << "a_tn.jpg";
        QTest::addRow("no dot keeps no extension") << "readme" << false << "readme";
        QTest::addRow("prefix") << "cat.gif" << true << "tn_cat.jpg";
        QTest::addRow("prefix kept") << "tn_cat.gif" << true << "tn_cat.jpg";
        QTest::addRow("prefix without a dot") << "readme" << true << "tn_readme";
        QTest::addRow("prefix with several dots") << "a.b.gif" << true << "tn_a.jpg";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, prefix);
        QFETCH(QString, expected);
        TestProgram tp;
        settings().prefix_thumbnail_file = prefix;
        QCOMPARE(thumbnail_file_name(name, ThumbnailRule::PageRun), expected);
    }

    // The file system holds 255 bytes a name: a longer thumbnail name is cut
    // before its ending, at whole characters, and two long names that differ
    // only where they were cut still name two thumbnails.
    void longNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("other"); // differs from name only where its thumbnail's is cut
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("start"); // what the thumbnail's name keeps of the picture's
        QTest::addColumn<QString>("ending");
        const QString smiley = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::addRow("a 255-byte name's thumbnail")
            << QString(250, u'a') + "1.gif" << QString(250, u'a') + "2.gif" << false << QString(230, u'a')
            << "_tn.jpg";
        QTest::addRow("a 255-byte name's prefixed thumbnail")
            << QString(250, u'b') + "1.png" << QString(250, u'b') + "2.png" << true << "tn_" + QString(230, u'b')
            << ".jpg";
        QTest::addRow("a name of four-byte characters loses whole ones")
            << "aaa" + smiley.repeated(62) + ".gif" << "aab" + smiley.repeated(62) + ".gif" << false
            << "aaa" + smiley.repeated(55) << "_tn.jpg";
    }
    void longNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, other);
        QFETCH(bool, prefix);
        QFETCH(QString, start);
        QFETCH(QString, ending);
        TestProgram tp;
        settings().prefix_thumbnail_file = prefix;
        for (const ThumbnailRule rule : {ThumbnailRule::PageRun, ThumbnailRule::Conversion}) {
            const QString thumb = thumbnail_file_name(name, rule);
            QVERIFY2(thumb.toUtf8().size() <= 255 && thumb.toUtf8().size() > 245, qPrintable(thumb));
            QVERIFY2(thumb.startsWith(start) && thumb.endsWith(ending), qPrintable(thumb));
            QVERIFY(QString::fromUtf8(thumb.toUtf8()) == thumb);
            QCOMPARE(thumbnail_file_name(name, rule), thumb);
            QVERIFY(thumbnail_file_name(other, rule) != thumb);
        }
    }

    void imageTypes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("image");
        QTest::addColumn<bool>("gifOrJpg");
        QTest::addRow("camera JPEG in capitals") << "/p/DSC_0001.JPG" << true << true;
        QTest::addRow("GIF") << "/p/a.gif" << true << true;
        QTest::addRow("PNG") << "/p/a.png" << true << false;
        QTest::addRow("a .gif folder is no image") << "/p/x.gif/notes.txt" << false << false;
        QTest::addRow("no extension") << "/p/readme" << false << false;
    }
    void imageTypes()
    {
        QFETCH(QString, name);
        QFETCH(bool, image);
        QFETCH(bool, gifOrJpg);
        QCOMPARE(is_image_file(name), image);
        QCOMPARE(is_gif_or_jpg(name), gifOrJpg);
    }

    void dimensions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addRow("wide image scaled") << "a.JPG" << 300 << 150 << " 100" << " 50";
        QTest::addRow("fits: own size") << "a.JPG" << 100 << 100 << "100" << "100";
        QTest::addRow("very narrow side gives 10") << "a.JPG" << 1000 << 5 << " 100" << "10";
        QTest::addRow("fractions in general form") << "a.JPG" << 200 << 300 << " 66.6666666666667" << " 100";
        QTest::addRow("other types have no header read") << "a.png" << 300 << 150 << "0" << "0";
    }
    void dimensions()
    {
        QFETCH(QString, name);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QString, width);
        QFETCH(QString, height);
        TestProgram tp;
        settings().thumb_size = QStringLiteral("100");
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::blue);
        const char* format = name.endsWith(QLatin1String(".png")) ? "PNG" : "JPEG";
        QVERIFY(img.save(tp.path(name), format));
        const ImageDimensions shown = get_image_dimensions(tp.path(name));
        QCOMPARE(shown.width, width);
        QCOMPARE(shown.height, height);
    }

    void thumbnailBesideTheImageAndRecorded()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        settings().thumb_size = QStringLiteral("100");
        QImage img(400, 200, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(tp.path("x.jpg"), "JPEG");
        platform::ImageControl engine;
        const QString out = create_thumbnail(engine, tp.path("x.jpg")).value_or(QString());
        QCOMPARE(out, tp.path("x_tn.jpg"));
        QVERIFY(QImage(out).width() <= 104);
        QCOMPARE(settingsFile().get(QStringLiteral("Thumbnails (vi)"), tp.path("x.jpg")), out);
    }

    void smallImageIsItsOwnThumbnail()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        settings().thumb_size = QStringLiteral("100");
        QImage img(100, 60, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(tp.path("small.jpg"), "JPEG");
        platform::ImageControl engine;
        const QString out = create_thumbnail(engine, tp.path("small.jpg")).value_or(QString());
        QCOMPARE(out, QStringLiteral("small.jpg"));
        QVERIFY(!QFileInfo::exists(tp.path("small_tn.jpg")));
        QVERIFY(!QFileInfo::exists(tp.path("mosaik.ini")));
    }

    void noThumbnailReplacesItsOwnPicture()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        settings().thumb_size = QStringLiteral("100");
        settings().prefix_thumbnail_file = true;
        QImage img(400, 200, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.save(tp.path("tn_cat.jpg"), "JPEG");
        const QByteArray before = tp.read("tn_cat.jpg");
        platform::ImageControl engine;
        const QString out = create_thumbnail(engine, tp.path("tn_cat.jpg")).value_or(QString());
        QCOMPARE(out, QStringLiteral("tn_cat.jpg"));
        QCOMPARE(tp.read("tn_cat.jpg"), before);
    }

    void corruptFileGetsNothing()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        tp.write("bad.jpg", "not a picture at all");
        platform::ImageControl engine;
        const QString out = create_thumbnail(engine, tp.path("bad.jpg")).value_or(QString());
        QVERIFY(!QFileInfo::exists(tp.path("bad_tn.jpg")));
        QVERIFY(!QFileInfo::exists(tp.path("mosaik.ini")));
    }
};

QTEST_GUILESS_MAIN(TestThumbnailRules)
#include "tst_thumbnailrules.moc"
