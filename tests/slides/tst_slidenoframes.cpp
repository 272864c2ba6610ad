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
#include <QUrl>
#include <QTest>

using namespace mosaicon;

namespace {

const QString firstSlideAsk = QStringLiteral("Enter the name file name you want to use for the first slide.");
const QString badName = QStringLiteral("You have entered a bad file name.  You can only use numbers and letters for "
                                       "the file name.  Do not use special characters.");

} // namespace

class TestSlideNoFrames : public QObject
{
    Q_OBJECT

    struct Run : SlideRunFixture
    {
        Run() : SlideRunFixture(false) {}
        QStringList defaultsAsked(const QString& text) const
        {
            QStringList defaults;
            for (const auto& asked : tp.ui.asked())
                if (asked.text == text)
                    defaults << asked.defaultText;
            return defaults;
        }
    };

private slots:
    void threeSlidesWithoutIndexPage()
    {
        const DecodeCount decodes;
        Run run;
        run.threePictures();
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), "slides/noframes/no-index/slide_1.htm");
        COMPARE_PAGE(run.tp.read("web/slide_2.htm"), "slides/noframes/no-index/slide_2.htm");
        // Without an index page and without loop the last slide has no next item.
        COMPARE_PAGE(run.tp.read("web/slide_3.htm"), "slides/noframes/no-index/slide_3.htm");
        COMPARE_PAGE(run.tp.read("web/the-end.htm"), "slides/noframes/no-index/the-end.htm");
        QCOMPARE(QImage(run.tp.path("web/b_tn.jpg")).size(), QSize(67, 200));
        QCOMPARE(run.webFiles(), (QStringList{"a.jpg", "b.jpg", "b_tn.jpg", "c.jpg", "slide_1.htm", "slide_2.htm",
                                              "slide_3.htm", "the-end.htm"}));
        QCOMPARE(run.started().generated().o_flist.entries,
                 (QStringList{run.tp.path("web/slide_1.htm"), run.tp.path("web/slide_2.htm"),
                              run.tp.path("web/slide_3.htm")}));
        QCOMPARE(run.window.calls.last(),
                 QStringLiteral("status The HTML document %1 has been created.").arg(run.tp.path("web/slide_1.htm")));
        QCOMPARE(settings().slide_image_height.text(), QStringLiteral("200"));
        // Unshown prompts preview nothing: each picture is decoded once, for its reduced copy.
        QCOMPARE(decodes.decodedTwice(), QStringList());
        QCOMPARE(decodes.of(run.tp.path("web/b.jpg")), 1);
    }

    void threeSlidesWithIndexPage_data()
    {
        QTest::addColumn<bool>("files");
        QTest::addColumn<QString>("index");
        QTest::addRow("the built-in head and foot") << false << "slides/noframes/index/mkslide-built-in.htm";
        QTest::addRow("the user's heading and footing files, unchanged")
            << true << "slides/noframes/index/mkslide-own-files.htm";
    }
    void threeSlidesWithIndexPage()
    {
        QFETCH(bool, files);
        QFETCH(QString, index);
        Run run;
        run.threePictures();
        program().create_index = true;
        settings().header_and_footer = files;
        run.tp.write("htmlhead.htm", "<html><head><title>Mine</title></head>\r\n<body>\r\n<h2>My show</h2>\r\n");
        run.tp.write("htmlfoot.htm", "<p>My foot</p>\r\n</body>\r\n</html>\r\n");
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/mkslide.htm"), index);
        // The heading and footing files are the index page's only.
        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), "slides/noframes/index/slide_1.htm");
        COMPARE_PAGE(run.tp.read("web/slide_3.htm"), "slides/noframes/index/slide_3.htm");
        COMPARE_PAGE(run.tp.read("web/the-end.htm"), "slides/noframes/index/the-end.htm");
        QCOMPARE(run.started().generated().o_flist.entries,
                 (QStringList{run.tp.path("web/mkslide.htm"), run.tp.path("web/slide_1.htm"),
                              run.tp.path("web/slide_2.htm"), run.tp.path("web/slide_3.htm")}));
        QCOMPARE(run.window.calls.last(),
                 QStringLiteral("status The HTML document %1 has been created.").arg(run.tp.path("web/mkslide.htm")));
    }

    void threeSlidesWithEverything()
    {
        Run run;
        run.threePictures();
        run.everyOption(true);
        run.preparePrompt = [](PagePrompt& p) { p.o_url_exit.text = QStringLiteral("http://example.com/?a=1&b=2"); };
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);

        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), "slides/noframes/everything/slide_1.htm");
        COMPARE_PAGE(run.tp.read("web/slide_2.htm"), "slides/noframes/everything/slide_2.htm");
        // The loop goes back to the first slide; the end page is written all the same.
        COMPARE_PAGE(run.tp.read("web/slide_3.htm"), "slides/noframes/everything/slide_3.htm");
        // No top banner; the index icon is not copied without an index page.
        COMPARE_PAGE(run.tp.read("web/the-end.htm"), "slides/noframes/everything/the-end.htm");
        for (const char* file : {"first.gif", "next.gif", "exit.gif", "previous.gif", "last.gif"})
            QCOMPARE(run.tp.read(QStringLiteral("web/") + QLatin1String(file)), QByteArray("GIF89a"));
        QVERIFY(!QFileInfo::exists(run.tp.path("web/index.gif")));
        QCOMPARE(run.tp.read("web/bg.gif"), QByteArray("GIF89a bg"));
        QCOMPARE(run.tp.read("web/top.gif"), QByteArray("GIF89a top"));
        QCOMPARE(run.tp.read("web/bottom.gif"), QByteArray("GIF89a bottom"));
    }

    void oneSlide_data()
    {
        QTest::addColumn<bool>("loop");
        QTest::addColumn<bool>("index");
        QTest::addColumn<QString>("page");
        QTest::addRow("without loop or index page the refresh alone leads to the end page")
            << false << false << "slides/noframes/one-slide/slide_1-no-loop.htm";
        QTest::addRow("with loop the slide leads to itself")
            << true << false << "slides/noframes/one-slide/slide_1-loop.htm";
        QTest::addRow("with an index page the next item leads to the end page")
            << false << true << "slides/noframes/one-slide/slide_1-index.htm";
    }
    void oneSlide()
    {
        QFETCH(bool, loop);
        QFETCH(bool, index);
        QFETCH(QString, page);
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        settings().slide_loop = loop;
        program().create_index = index;
        settings().auto_advance = true;
        settings().slide_delay = QStringLiteral("3");
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), page);
        QVERIFY(QFileInfo::exists(run.tp.path("web/the-end.htm")));
    }

    void indexPageName_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("page");
        QTest::addRow("a name gets .htm") << std::optional<QString>("Show") << "Show.htm";
        QTest::addRow("a typed folder is dropped") << std::optional<QString>("/elsewhere/Show.htm") << "Show.htm";
        QTest::addRow("capitals do not count as .htm") << std::optional<QString>("SHOW.HTM") << "SHOW.HTM.htm";
        QTest::addRow("an empty answer ends the run") << std::optional<QString>("") << "";
        QTest::addRow("Cancel ends the run") << std::optional<QString>() << "";
    }
    void indexPageName()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, page);
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        program().create_index = true;
        settings().rename_slide = true;
        run.tp.ui.expectInput(QStringLiteral("What is the name of the HTML file?"), answer);
        if (!page.isEmpty())
            run.tp.ui.expectInput(firstSlideAsk, QStringLiteral("first"))
                .expectMessage(QStringLiteral("Is 'first.htm' the name of the file you want to use?"),
                               platform::MsgBox::Yes);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.defaultsAsked(QStringLiteral("What is the name of the HTML file?")),
                 QStringList{"mkslide.htm"});
        if (page.isEmpty()) {
            QCOMPARE(run.webFiles(), QStringList{"a.jpg"});
            return;
        }
        QCOMPARE(run.webFiles(), (QStringList{"a.jpg", "first.htm", page, "the-end.htm"}));
        QVERIFY(run.tp.read("web/first.htm").contains(("<a href=\"" + page + "\">[index]</a>").toUtf8()));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/elsewhere/Show.htm")));
    }

    void firstSlideNameIsAskedUntilConfirmed()
    {
        Run run;
        run.picture(QStringLiteral("a.jpg"), 10, 10);
        run.picture(QStringLiteral("b.jpg"), 10, 10);
        program().create_index = true;
        settings().rename_slide = true;
        run.tp.ui.expectInput(QStringLiteral("What is the name of the HTML file?"), QStringLiteral("Show"))
            .expectInput(firstSlideAsk, QStringLiteral("show.jpg"))
            .expectInput(firstSlideAsk, QStringLiteral("my pic"))
            .expectMessage(badName)
            .expectInput(firstSlideAsk, std::nullopt)
            .expectInput(firstSlideAsk, QStringLiteral("My.Photo"))
            .expectMessage(QStringLiteral("Is 'My.htm' the name of the file you want to use?"), platform::MsgBox::No)
            .expectInput(firstSlideAsk, QStringLiteral("Start"))
            .expectMessage(QStringLiteral("Is 'Start.htm' the name of the file you want to use?"),
                           platform::MsgBox::Yes);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        // The name of the index page is refused without a question: both pages would be one file.
        QCOMPARE(run.defaultsAsked(firstSlideAsk), (QStringList{"index.htm", "show.jpg", "my pic", "", "My.htm"}));
        QCOMPARE(run.webFiles(), (QStringList{"a.jpg", "b.jpg", "Show.htm", "slide_2.htm", "Start.htm", "the-end.htm"}));
        QVERIFY(run.tp.read("web/Show.htm").contains("<a href=\"Start.htm\"> View The Slide </a><br>"));
        QVERIFY(run.tp.read("web/slide_2.htm")
                    .contains(lines({"<a href=\"Start.htm\">[first]</a>", "<a href=\"the-end.htm\">[next]</a>",
                                     "<a href=\"Show.htm\">[index]</a>", "<a href=\"Start.htm\">[previous]</a>"})));
        QVERIFY(run.tp.read("web/Start.htm").contains("<a href=\"slide_2.htm\">[next]</a>"));
        QVERIFY(run.tp.read("web/the-end.htm").contains("Go To <a href=\"Show.htm\">[index]</a>"));
    }

    void exitAtAPrompt_data()
    {
        QTest::addColumn<bool>("index");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QByteArray>("indexEnd");
        QTest::addRow("at the index prompt nothing is written")
            << true << 1 << QStringList{"a.jpg", "b.jpg", "c.jpg"} << QByteArray();
        QTest::addRow("at the first slide the index page keeps its head")
            << true << 2 << QStringList{"a.jpg", "b.jpg", "c.jpg", "mkslide.htm"} << QByteArray("<hr>\r\n<p>\r\n");
        QTest::addRow("at the second slide the first one is kept")
            << true << 3 << QStringList{"a.jpg", "b.jpg", "c.jpg", "mkslide.htm", "slide_1.htm"}
            << QByteArray("<a href=\"a.jpg\"> View The Image </a><br>\r\n");
        QTest::addRow("without index page, at the first slide nothing is written")
            << false << 1 << QStringList{"a.jpg", "b.jpg", "c.jpg"} << QByteArray();
    }
    void exitAtAPrompt()
    {
        QFETCH(bool, index);
        QFETCH(int, prompts);
        QFETCH(QStringList, files);
        QFETCH(QByteArray, indexEnd);
        Run run;
        run.threePictures();
        run.showPrompts();
        program().create_index = index;
        settings().auto_start_browser = true;
        for (int i = 1; i < prompts; ++i)
            run.prompted([](PagePrompt& p) { p.acceptAnswers(); });
        run.prompted([](PagePrompt& p) { p.b_cancel_exit_Click(); });
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.webFiles(), files);
        QCOMPARE(run.started().generated().o_flist.entries.size(), prompts - 1);
        QVERIFY(run.tp.shell.opened.isEmpty());
        QVERIFY(run.window.calls.filter(QStringLiteral("has been created")).isEmpty());
        if (!indexEnd.isEmpty())
            QVERIFY(run.tp.read("web/mkslide.htm").endsWith(indexEnd));
    }

    void promptsAndTypedTitles()
    {
        Run run;
        run.threePictures();
        run.showPrompts();
        settings().display_title = true;
        run.prompted([&run](PagePrompt& p) {
            QCOMPARE(p.f_file_name.caption, QStringLiteral("File Name For The Slide"));
            QCOMPARE(p.o_filename.text, run.tp.path("web/slide_1.htm"));
            QVERIFY(!p.o_filename.enabled);
            QVERIFY(p.o_url_exit.enabled);
            QVERIFY(p.Frame3.visible);
            QCOMPARE(p.o_title.text, QStringLiteral("a.jpg"));
            p.o_title.text = QStringLiteral("My <i>Cat</i>");
            p.o_title_tag.text = QStringLiteral("Cat & co");
            p.o_url_exit.text = QString();
            p.acceptAnswers();
        });
        run.prompted([](PagePrompt& p) {
            QCOMPARE(p.o_title.text, QStringLiteral("b.jpg"));
            p.o_title.text = QStringLiteral("b");
            p.acceptAnswers();
        });
        run.prompted([](PagePrompt& p) {
            p.o_title.text = QStringLiteral("Kept for all");
            p.o_default.value = true;
            p.acceptAnswers();
        });
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        const QByteArray first = run.tp.read("web/slide_1.htm");
        QVERIFY(first.contains("<title>Cat & co</title>\r\n</head>\r\n<center><strong>My <i>Cat</i></strong></center>"));
        // An emptied exit address still gives a link, to nowhere.
        QVERIFY(first.contains("\r\n<a href=\"\">[exit]</a>\r\n"));
        QCOMPARE(associated_title(run.tp.path("web/a.jpg")), QStringLiteral("My <i>Cat</i>"));
        QCOMPARE(associated_title(run.tp.path("pics/a.jpg")), QStringLiteral("My <i>Cat</i>"));
        // A title that is part of the image's path, or typed with "use for all" ticked, is not stored.
        for (const char* path : {"web/b.jpg", "pics/b.jpg", "web/c.jpg", "pics/c.jpg"})
            QVERIFY2(associated_title(run.tp.path(path)).isEmpty(), path);
    }

    void missingImageGetsABarePageAndNothingIsDeleted()
    {
        Run run;
        run.listed(run.tp.path("pics/gone.jpg"));
        run.tp.write("slide_1.htm", "mine");
        settings().auto_start_browser = true;
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.tp.read("web/slide_1.htm"), "slides/noframes/missing-image/slide_1.htm");
        QCOMPARE(run.window.calls.last(), QStringLiteral("status There are no entries matching your selection."));
        QCOMPARE(run.tp.read("slide_1.htm"), QByteArray("mine"));
        QCOMPARE(run.webFiles(), (QStringList{"slide_1.htm", "the-end.htm"}));
        QVERIFY(run.tp.shell.opened.isEmpty());
    }

    void theEndOfTheRunOpensTheEntryPage_data()
    {
        QTest::addColumn<bool>("index");
        QTest::addColumn<QString>("entry");
        QTest::addRow("the index page") << true << "web/mkslide.htm";
        QTest::addRow("without one, the first slide") << false << "web/slide_1.htm";
    }
    void theEndOfTheRunOpensTheEntryPage()
    {
        QFETCH(bool, index);
        QFETCH(QString, entry);
        Run run;
        run.threePictures();
        program().create_index = index;
        settings().auto_start_browser = true;
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.shell.opened, QStringList{QUrl::fromLocalFile(run.tp.path(entry)).toString()});
        QCOMPARE(run.window.calls.last(), QStringLiteral("status The HTML document slide_3.htm has been created."));
    }

    void oddFileNamesReachTheBrowserWhole()
    {
        Run run;
        run.oddFileNames();
        settings().rename_slide = true;
        program().create_index = true;
        run.tp.ui.expectInput(QStringLiteral("What is the name of the HTML file?"), QStringLiteral("my show"))
            .expectInput(firstSlideAsk, QStringLiteral("first"))
            .expectMessage(QStringLiteral("Is 'first.htm' the name of the file you want to use?"),
                           platform::MsgBox::Yes);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        const auto addresses = run.webAddresses();
        QVERIFY2(addresses.broken.isEmpty(), qPrintable(addresses.broken.join(u'\n')));
        QVERIFY(addresses.count > 15);
        QVERIFY(run.tp.read("web/first.htm")
                    .contains("<a href=\"a%20b%231%26%27x.jpg\"><img src=\"a%20b%231%26%27x_tn.jpg\""));
        QVERIFY(run.tp.read("web/slide_2.htm").contains("<a href=\"my%20show.htm\">[index]</a>"));
    }
};

QTEST_MAIN(TestSlideNoFrames)
#include "tst_slidenoframes.moc"
