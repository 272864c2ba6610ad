#include "slides/slidepages.h"

#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "pagerunfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>

using namespace mosaicon;

class TestSlidePages : public QObject
{
    Q_OBJECT

    struct Show : PageRunFixture
    {
        SlideShow show;
        QSet<QString> taken;

        Show()
        {
            QDir(tp.folder()).mkpath(QStringLiteral("web"));
            show.folder = tp.path("web");
        }
        // A picture of that size already in the show's folder, as a slide's image.
        QString image(const QString& name, int w, int h)
        {
            const QString path = tp.path(QStringLiteral("web/") + name);
            QImage img(w, h, QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            img.save(path, "JPEG");
            return added(path);
        }
        QString added(const QString& path)
        {
            ImageJob job;
            job.source = path;
            job.copy = path;
            show.images.append(job);
            taken.insert(QFileInfo(path).fileName());
            return path;
        }
        QString line(qsizetype index)
        {
            if (index == 0)
                name_reduced_copies(show, taken);
            return slide_image_line(started(), show, index);
        }
    };

private slots:
    void imageLineByTheSlideHeight_data()
    {
        QTest::addColumn<QString>("height");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QSize>("reduced");
        QTest::addColumn<QString>("heightAfter");
        QTest::addRow("an image exactly as high as a slide's image may be is shown itself")
            << "120" << 120 << "<img src=\"a.jpg\"><br>" << QSize(0, 0) << "120";
        QTest::addRow("one pixel higher gives the reduced copy linked to the image")
            << "120" << 121 << "<a href=\"a.jpg\"><img src=\"a_tn.jpg\" border=0 ></a><br>"
            << QSize(60, 120) << "120";
        QTest::addRow("an empty height is 200, and stays 200")
            << "" << 400 << "<a href=\"a.jpg\"><img src=\"a_tn.jpg\" border=0 ></a><br>"
            << QSize(100, 200) << "200";
        QTest::addRow("a height of 0 is 200, and stays 200")
            << "0" << 200 << "<img src=\"a.jpg\"><br>" << QSize(0, 0) << "200";
        QTest::addRow("a negative height counts as 200 without dividing by zero")
            << "-5" << 300 << "<a href=\"a.jpg\"><img src=\"a_tn.jpg\" border=0 ></a><br>"
            << QSize(100, 200) << "-5";
    }
    void imageLineByTheSlideHeight()
    {
        QFETCH(QString, height);
        QFETCH(int, pixels);
        QFETCH(QString, expected);
        QFETCH(QSize, reduced);
        QFETCH(QString, heightAfter);
        Show t;
        settings().slide_image_height = height;
        t.image(QStringLiteral("a.jpg"), pixels / 2, pixels);
        QCOMPARE(t.line(0), expected);
        QCOMPARE(t.show.written, 1);
        QCOMPARE(settings().slide_image_height.text(), heightAfter);
        QCOMPARE(QImage(t.tp.path("web/a_tn.jpg")).size(), reduced);
        QVERIFY(t.window.calls.contains(QStringLiteral("status Adding ") + t.tp.path("web/a.jpg")));
    }

    void wideLowImageIsShownItself()
    {
        Show t;
        settings().slide_image_height = QStringLiteral("100");
        t.image(QStringLiteral("a.jpg"), 300, 90);
        QCOMPARE(t.line(0), QStringLiteral("<img src=\"a.jpg\"><br>"));
    }

    void reducedCopyNeverReplacesTheImage_data()
    {
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("name");
        QTest::addRow("suffix form, name already ending _tn.jpg") << false << "dog_tn.jpg";
        QTest::addRow("prefix form, name already starting tn_") << true << "tn_dog.jpg";
    }
    void reducedCopyNeverReplacesTheImage()
    {
        QFETCH(bool, prefix);
        QFETCH(QString, name);
        Show t;
        settings().prefix_thumbnail_file = prefix;
        settings().slide_image_height = QStringLiteral("50");
        t.image(name, 100, 200);
        const QByteArray before = t.tp.read(QStringLiteral("web/") + name);
        QCOMPARE(t.line(0),
                 QStringLiteral("<a href=\"%1\"><img src=\"%1\" border=0 ></a><br>").arg(name));
        QCOMPARE(t.tp.read(QStringLiteral("web/") + name), before);
        QCOMPARE(QDir(t.tp.path("web")).entryList(QDir::Files), QStringList{name});
    }

    void reducedCopyTakesNoOtherImagesName()
    {
        Show t;
        settings().slide_image_height = QStringLiteral("50");
        t.image(QStringLiteral("a.jpg"), 100, 200);
        t.image(QStringLiteral("a_tn.jpg"), 10, 20);
        const QByteArray small = t.tp.read("web/a_tn.jpg");
        QCOMPARE(t.line(0),
                 QStringLiteral("<a href=\"a.jpg\"><img src=\"a_tn_2.jpg\" border=0 ></a><br>"));
        QCOMPARE(t.tp.read("web/a_tn.jpg"), small);
    }

    void heightIsNeverTheLastImagesHeight()
    {
        Show t;
        settings().slide_image_height = QStringLiteral("50");
        t.image(QStringLiteral("tall.jpg"), 100, 200);
        t.tp.write("web/broken.jpg", "not a picture");
        t.added(t.tp.path("web/broken.jpg"));
        t.line(0);
        QCOMPARE(t.line(1), QStringLiteral("<img src=\"broken.jpg\"><br>"));
    }

    void addressesAreEscapedAndTitlesKeptAsTyped()
    {
        Show t;
        settings().display_title = true;
        settings().slide_image_height = QStringLiteral("50");
        t.image(QStringLiteral("a b#1.jpg"), 100, 200);
        QCOMPARE(t.line(0),
                 QStringLiteral(
                     "<a href=\"a%20b%231.jpg\"><img src=\"a%20b%231_tn.jpg\" border=0 ></a><br>"));
        QCOMPARE(slide_link(QStringLiteral("slide 1.htm"), QStringLiteral("n&x.gif"),
                            QStringLiteral("next")),
                 QStringLiteral("<a href=\"slide%201.htm\"><img src=\"n%26x.gif\" border=0></a>"));
        TextFile page;
        write_slide_title(page, QStringLiteral("<b>A & B</b>"));
        QCOMPARE(page.bytes(),
                 QByteArray("<center><strong><b>A & B</b></strong></center><br>\r\n"));
    }

    void textBlock_data()
    {
        QTest::addColumn<bool>("preformatted");
        QTest::addColumn<bool>("record");
        QTest::addColumn<QString>("expected");
        QTest::addRow("plain text: each line and a blank") << false << true << "one two ";
        QTest::addRow("preformatted text in its frame")
            << true << true << "</center>\n<pre>\none \ntwo \n\n</pre>\n<center>";
        QTest::addRow("preformatted without a record keeps the empty frame")
            << true << false << "</center>\n<pre>\n\n</pre>\n<center>";
        QTest::addRow("plain without a record is empty") << false << false << "";
    }
    void textBlock()
    {
        QFETCH(bool, preformatted);
        QFETCH(bool, record);
        QFETCH(QString, expected);
        Show t;
        settings().use_associated_text = true;
        settings().preformatted_text = preformatted;
        const QString image = t.image(QStringLiteral("a.jpg"), 10, 10);
        t.tp.write("a.txt", "one\r\ntwo\r\n");
        if (record)
            settingsFile().put(QStringLiteral("Associated Text"), image, t.tp.path("a.txt"));
        QCOMPARE(slide_text_block(image), expected);
        settings().use_associated_text = false;
        QCOMPARE(slide_text_block(image), QString());
    }

    void iconsAreCopiedWhenTheirFilesExist()
    {
        Show t;
        t.tp.write("first.gif", "GIF89a");
        t.tp.write("my index.gif", "GIF89a");
        settings().first_icon = t.tp.path("first.gif");
        settings().index_icon = t.tp.path("my index.gif");
        settings().next_icon = t.tp.path("gone.gif");
        settings().exit_icon = t.tp.path("first.gif");
        const SlideIcons icons = copy_slide_icons(t.show.folder, true, false);
        QCOMPARE(icons.first, QStringLiteral("first.gif"));
        QCOMPARE(icons.index, QStringLiteral("my index.gif"));
        QVERIFY(icons.next.isEmpty());
        QVERIFY(icons.exit.isEmpty());
        QCOMPARE(t.tp.read("web/my index.gif"), QByteArray("GIF89a"));
        QCOMPARE(slide_link(QStringLiteral("slide_2.htm"), icons.next, QStringLiteral("next")),
                 QStringLiteral("<a href=\"slide_2.htm\">[next]</a>"));
    }
};

QTEST_MAIN(TestSlidePages)
#include "tst_slidepages.moc"
