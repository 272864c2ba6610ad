#include "slides/slideshow.h"

#include "pagekit/pageprompt.h"

#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/profilefile.h"

#include "decodecount.h"
#include "expectedpage.h"
#include "slidefixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QUrl>

using namespace mosaicon;

class TestSlideFrames : public QObject
{
    Q_OBJECT

    struct Run : SlideRunFixture
    {
        Run() : SlideRunFixture(true) {}
    };

private slots:
    void threeSlidesWithDefaults()
    {
        const DecodeCount decodes;
        Run run;
        run.threePictures();
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/mkindex.htm"), "slides/frames/defaults/mkindex.htm");
        COMPARE_PAGE(run.tp.read("web/html00.htm"), "slides/frames/defaults/html00.htm");
        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), "slides/frames/defaults/slide_1.htm");
        COMPARE_PAGE(run.tp.read("web/slide_2.htm"), "slides/frames/defaults/slide_2.htm");
        COMPARE_PAGE(run.tp.read("web/slide_3.htm"), "slides/frames/defaults/slide_3.htm");
        COMPARE_PAGE(run.tp.read("web/the-end.htm"), "slides/frames/defaults/the-end.htm");
        COMPARE_PAGE(run.tp.read("web/mkslide.htm"), "slides/frames/defaults/mkslide.htm");
        QCOMPARE(QImage(run.tp.path("web/b_tn.jpg")).size(), QSize(67, 200));
        QCOMPARE(run.webFiles(), (QStringList{"a.jpg", "b.jpg", "b_tn.jpg", "c.jpg", "html00.htm",
                                              "mkindex.htm", "mkslide.htm", "slide_1.htm",
                                              "slide_2.htm", "slide_3.htm", "the-end.htm"}));
        QCOMPARE(run.started().generated().o_flist.entries,
                 (QStringList{run.tp.path("web/mkindex.htm"), run.tp.path("web/html00.htm"),
                              run.tp.path("web/slide_1.htm"), run.tp.path("web/slide_2.htm"),
                              run.tp.path("web/slide_3.htm")}));
        QCOMPARE(run.window.calls.last(),
                 QStringLiteral("status The HTML document %1 has been created.")
                     .arg(run.tp.path("web/mkindex.htm")));
        QCOMPARE(settings().slide_image_height.text(), QStringLiteral("200"));
        // A file name as title is never stored.
        QVERIFY(associated_title(run.tp.path("web/a.jpg")).isEmpty());
        // Unshown prompts preview nothing: each picture is decoded once, for its reduced copy.
        QCOMPARE(decodes.decodedTwice(), QStringList());
        QCOMPARE(decodes.of(run.tp.path("web/a.jpg")), 1);
    }

    // A file of the user's at a reduced copy's name stays, and says so; the
    // slide shows the image itself.
    void aUsersFileAtTheReducedCopysNameStays()
    {
        Run run;
        run.threePictures();
        run.tp.write("web/b_tn.jpg", "mine");
        run.tp.ui.expectMessage(QStringLiteral("%1 is already there and is not a thumbnail this program made, "
                                               "so it was left as it is.")
                                    .arg(run.tp.path("web/b_tn.jpg")));
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.read("web/b_tn.jpg"), QByteArray("mine"));
        QVERIFY(run.tp.read("web/slide_2.htm").contains("<a href=\"b.jpg\"><img src=\"b.jpg\" border=0 ></a>"));
    }

    void threeSlidesWithEverything()
    {
        Run run;
        run.threePictures();
        run.everyOption(false);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);

        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), "slides/frames/everything/slide_1.htm");
        COMPARE_PAGE(run.tp.read("web/slide_2.htm"), "slides/frames/everything/slide_2.htm");
        // The loop goes back to the first slide; the end page is written all the same.
        COMPARE_PAGE(run.tp.read("web/slide_3.htm"), "slides/frames/everything/slide_3.htm");
        COMPARE_PAGE(run.tp.read("web/the-end.htm"), "slides/frames/everything/the-end.htm");
        COMPARE_PAGE(run.tp.read("web/html00.htm"), "slides/frames/everything/html00.htm");
        const QByteArray index = run.tp.read("web/mkindex.htm");
        QVERIFY(index.startsWith(lines(
            {"<html>", "<head>", "<title>Slide Show Index</title>", "</head>", pictureBody})));
        QVERIFY(index.contains(
            lines({"<strong>1. Ay</strong><br>", "<a href=\"slide_1.htm\"> View The Slide </a><br>",
                   "<a href=\"a.jpg\"> View The Image </a><br>", "<strong>2. Bee</strong><br>"})));
        for (const char* file :
             {"first.gif", "next.gif", "index.gif", "previous.gif", "last.gif", "bg.gif"})
            QCOMPARE(run.tp.read(QStringLiteral("web/") + QLatin1String(file)),
                     QByteArray("GIF89a") + (file == QByteArray("bg.gif") ? " bg" : ""));
        QCOMPARE(run.tp.read("web/top.gif"), QByteArray("GIF89a top"));
        QCOMPARE(run.tp.read("web/bottom.gif"), QByteArray("GIF89a bottom"));
    }

    void oddFileNamesReachTheBrowserWhole()
    {
        Run run;
        run.oddFileNames();
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        const auto addresses = run.webAddresses();
        QVERIFY2(addresses.broken.isEmpty(), qPrintable(addresses.broken.join(u'\n')));
        QVERIFY(addresses.count > 20);
        QVERIFY(
            run.tp.read("web/slide_1.htm")
                .contains("<a href=\"a%20b%231%26%27x.jpg\"><img src=\"a%20b%231%26%27x_tn.jpg\""));
    }

    void indexPageEndsWithTheFooterFile()
    {
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        settings().header_and_footer = true;
        run.tp.write("htmlfoot.htm", "<p>Mine</p>\r\n</body>\r\n</html>\r\n");
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.read("web/mkindex.htm")
                    .endsWith("<a href=\"a.jpg\"> View The Image "
                              "</a><br>\r\n</font>\r\n<p>Mine</p>\r\n</body>\r\n"
                              "</html>\r\n"));
    }

    void oneSlide_data()
    {
        QTest::addColumn<bool>("loop");
        QTest::addColumn<QString>("page");
        QTest::addRow("without loop the slide leads to the end page")
            << false << "slides/frames/one-slide/slide_1-no-loop.htm";
        QTest::addRow("with loop the slide leads to itself") << true << "slides/frames/one-slide/slide_1-loop.htm";
    }
    void oneSlide()
    {
        QFETCH(bool, loop);
        QFETCH(QString, page);
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        settings().slide_loop = loop;
        settings().auto_advance = true;
        settings().slide_delay = QStringLiteral("3");
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), page);
        QVERIFY(QFileInfo::exists(run.tp.path("web/the-end.htm")));
    }

    void titlesForAllRemainingPages()
    {
        Run run;
        run.picture(QStringLiteral("b.jpg"), 10, 10);
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        store_associated_title(run.tp.path("pics/b.jpg"), QStringLiteral("Bee"));
        run.preparePrompt = [](PagePrompt& p) {
            p.use_title_for_all = true;
            p.o_title.text = QStringLiteral("Fixed");
            p.o_title_tag.text = QStringLiteral("Fixed tag");
        };
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.read("web/mkindex.htm")
                    .startsWith("<html>\r\n<head>\r\n<title>Fixed tag</title>\r\n"));
        // Every slide keeps the typed title, whether its image has a title record or not.
        QVERIFY(run.tp.read("web/slide_1.htm").contains("<title>Fixed</title>\r\n"));
        QVERIFY(run.tp.read("web/slide_2.htm").contains("<title>Fixed</title>\r\n"));
        QVERIFY(run.tp.read("web/mkindex.htm").contains("<strong>2. Fixed</strong><br>\r\n"));
        QVERIFY(run.tp.read("web/mkslide.htm").contains("<title>Fixed</title>\r\n"));
    }

    void missingImageGetsABarePage()
    {
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        run.listed(run.tp.path("pics/gone.jpg"));
        run.picture(QStringLiteral("c.jpg"), 10, 10);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/slide_2.htm"), "slides/frames/missing-image/slide_2.htm");
        const QByteArray index = run.tp.read("web/mkindex.htm");
        QVERIFY(!index.contains("gone"));
        QVERIFY(index.contains("<strong>3. c.jpg</strong><br>"));
        QVERIFY(
            run.window.calls.contains(QStringLiteral("status Adding ") + run.tp.path("web/c.jpg")));
        QVERIFY(!run.window.calls.contains(QStringLiteral("status Adding ") +
                                           run.tp.path("web/gone.jpg")));
    }

    void noImageLeftWritesNoSlideAndDeletesNothing()
    {
        Run run;
        run.listed(run.tp.path("pics/gone.jpg"));
        run.tp.write("slide_1.htm", "mine");
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.window.calls.last(),
                 QStringLiteral("status There are no entries matching your selection."));
        QCOMPARE(run.tp.read("slide_1.htm"), QByteArray("mine"));
        QCOMPARE(run.webFiles(), (QStringList{"html00.htm", "mkindex.htm", "mkslide.htm",
                                              "slide_1.htm", "the-end.htm"}));
        QVERIFY(run.tp.shell.opened.isEmpty());
    }

    void typedNamesAndTitles()
    {
        Run run;
        run.threePictures();
        run.showPrompts();
        run.prompted([](PagePrompt& p) {
            QCOMPARE(p.f_file_name.caption, QStringLiteral("File Name For The Slide Show Index"));
            QCOMPARE(p.o_filename.text, QStringLiteral("mkindex.htm"));
            QVERIFY(!p.Frame3.visible);
            QVERIFY(!p.o_url_exit.enabled);
            p.o_filename.text = QStringLiteral("/elsewhere/left.htm");
            p.acceptAnswers();
        });
        run.prompted([](PagePrompt& p) {
            QCOMPARE(p.f_file_name.caption,
                     QStringLiteral("File Name For The Slide Show Main Page"));
            QCOMPARE(p.o_title.text, QStringLiteral("Main/Initial HTML Title"));
            p.o_filename.text = QString();
            p.acceptAnswers();
        });
        run.prompted([](PagePrompt& p) {
            QCOMPARE(p.o_filename.text, QStringLiteral("slide_1.htm"));
            QVERIFY(!p.o_filename.enabled);
            QCOMPARE(p.o_title.text, QStringLiteral("a.jpg"));
            QVERIFY(p.Frame3.visible);
            // The shown prompt previews the slide's picture.
            QVERIFY(!p.o_image.isNull());
            QCOMPARE(QSize(p.o_image.imageWidth(), p.o_image.imageHeight()), QSize(100, 50));
            p.o_title.text = QStringLiteral("My <i>Cat</i>");
            p.acceptAnswers();
        });
        run.prompted([](PagePrompt& p) {
            p.o_title.text = QStringLiteral("Kept for all");
            p.o_default.value = true;
            p.acceptAnswers();
        });
        run.prompted([](PagePrompt& p) { p.acceptAnswers(); });
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.read("web/slide_1.htm").contains("<title>My <i>Cat</i></title>\r\n"));
        QVERIFY(run.tp.read("web/left.htm").contains("<strong>1. My <i>Cat</i></strong><br>"));
        QCOMPARE(associated_title(run.tp.path("web/a.jpg")), QStringLiteral("My <i>Cat</i>"));
        QCOMPARE(associated_title(run.tp.path("pics/a.jpg")), QStringLiteral("My <i>Cat</i>"));
        QVERIFY(associated_title(run.tp.path("web/b.jpg")).isEmpty());
        QVERIFY(run.tp.read("web/mkslide.htm").contains("SRC=\"left.htm\""));
        QVERIFY(run.tp.read("web/mkslide.htm").contains("SRC=\"html00.htm\""));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/elsewhere/left.htm")));
    }

    void framesetNameIsAskedUntilConfirmed()
    {
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        settings().rename_slide = true;
        const QString ask =
            QStringLiteral("Enter the name file name you want to use for the slide show.");
        run.tp.ui.expectInput(ask, QStringLiteral("my show.x"))
            .expectMessage(QStringLiteral(
                "You have entered a bad file name.  You can only use numbers and letters "
                "for the file name.  Do not use special characters."))
            .expectInput(ask, QString())
            .expectInput(ask, QStringLiteral("Show.v2"))
            .expectMessage(QStringLiteral("Is 'show.htm' the name of the file you want to use?"),
                           platform::MsgBox::No)
            .expectInput(ask, QStringLiteral("Final"))
            .expectMessage(QStringLiteral("Is 'final.htm' the name of the file you want to use?"),
                           platform::MsgBox::Yes);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QStringList defaults;
        for (const auto& asked : run.tp.ui.asked())
            if (asked.text == ask)
                defaults << asked.defaultText;
        QCOMPARE(defaults, (QStringList{"mkslide.htm", "my show.x", "", "Show.htm"}));
        QVERIFY(run.tp.read("web/Final.htm").contains("SRC=\"mkindex.htm\""));
        QVERIFY(!QFileInfo::exists(run.tp.path("web/mkslide.htm")));
    }

    void exitAtAPrompt_data()
    {
        QTest::addColumn<int>("prompts");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("listed");
        QTest::addRow("at the index prompt nothing is written")
            << 1 << QStringList{"a.jpg", "b.jpg", "c.jpg"} << 0;
        QTest::addRow("at the start prompt the index head is kept")
            << 2 << QStringList{"a.jpg", "b.jpg", "c.jpg", "mkindex.htm"} << 1;
        QTest::addRow("at the second slide the first one is kept")
            << 4
            << QStringList{"a.jpg", "b.jpg", "c.jpg", "html00.htm", "mkindex.htm", "slide_1.htm"}
            << 3;
    }
    void exitAtAPrompt()
    {
        QFETCH(int, prompts);
        QFETCH(QStringList, files);
        QFETCH(int, listed);
        Run run;
        run.threePictures();
        run.showPrompts();
        settings().auto_start_browser = true;
        for (int i = 1; i < prompts; ++i)
            run.prompted([](PagePrompt& p) { p.acceptAnswers(); });
        run.prompted([](PagePrompt& p) { p.b_cancel_exit_Click(); });
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.webFiles(), files);
        QCOMPARE(run.started().generated().o_flist.entries.size(), listed);
        QVERIFY(run.tp.shell.opened.isEmpty());
        QVERIFY(run.window.calls.filter(QStringLiteral("has been created")).isEmpty());
        if (prompts == 2)
            QVERIFY(run.tp.read("web/mkindex.htm").endsWith("<hr>\r\n<font size=\"-1\">\r\n"));
        if (prompts == 4)
            QVERIFY(run.tp.read("web/mkindex.htm")
                        .endsWith("<a href=\"a.jpg\"> View The Image </a><br>\r\n"));
    }

    void theEndOfTheRunOpensTheFrameset()
    {
        Run run;
        run.threePictures();
        settings().auto_start_browser = true;
        settings().auto_start_editor = true;
        run.tp.ui.expectMessage(
            QStringLiteral("You must use a supported Internet browser to automatically load the "
                           "HTML file.  Only Netscape and MSIE "
                           "browsers are supported with this function.  Please select the desired "
                           "browser from the menu "
                           "'Applications' option."));
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.shell.opened,
                 QStringList{QUrl::fromLocalFile(run.tp.path("web/mkslide.htm")).toString()});
        QVERIFY(run.window.calls.contains(
            QStringLiteral("status The HTML document slide_3.htm has been created.")));
    }
};

QTEST_MAIN(TestSlideFrames)
#include "tst_slideframes.moc"
