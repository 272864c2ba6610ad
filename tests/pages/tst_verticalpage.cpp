#include "pages/createhtml.h"
#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"
#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "decodecount.h"
#include "expectedpage.h"
#include "pagerunfixture.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace mosaicon;

class TestVerticalPage : public QObject
{
    Q_OBJECT

    struct Run : PageRunFixture
    {
        Run()
        {
            toolbarKey = QStringLiteral("full_image");
            Settings& s = settings();
            s.internet_ready = true;
            s.thumb_size = QStringLiteral("100");
            s.thumb_quality = QStringLiteral("75");
            s.use_thumbnail = true;
            s.full_img_with_options = true;
            s.full_img_use_text = true;
            s.full_img_location = QStringLiteral("left");
            s.full_img_layout = QStringLiteral("#1");
            s.table_cell_padding = QStringLiteral("10");
        }
        // The text is stored for the copy in the output folder, as the driver
        // passes the source's records on to it.
        void text(const QString& picture, const QString& title, const QByteArray& lines)
        {
            const QString textFile = tp.path(QFileInfo(picture).baseName() + QStringLiteral(".txt"));
            tp.write(QFileInfo(textFile).fileName(), lines);
            platform::ProfileFile& ini = settingsFile();
            ini.put(QStringLiteral("Associated Text"), picture, textFile);
            ini.put(QStringLiteral("Associated Text Title"), picture, title);
        }
        void rules()
        {
            preparePrompt = [](PagePrompt& p) { p.o_use_hr.value = true; };
        }
        QByteArray page() const { return tp.read("web/mosaik.htm"); }
    };

private slots:
    void imagesWithTextsAndRules()
    {
        const DecodeCount decodes;
        Run run;
        run.rules();
        const QString dog = run.picture(QStringLiteral("dog.jpg"), 300, 150);
        run.picture(QStringLiteral("cat.jpg"), 200, 400);
        run.picture(QStringLiteral("small.jpg"), 40, 20);
        run.text(dog, QStringLiteral("Rex"), "In the <b>snow</b>.\r\nAgain.\r\n");
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.page(), "pages/vertical-texts-and-rules.htm");
        QCOMPARE(run.started().generated().o_flist.entries,
                 QStringList{run.tp.path("web/mosaik.htm")});
        QVERIFY(run.window.calls.contains(
            QStringLiteral("status The HTML document %1 has been created.").arg(run.tp.path("web/mosaik.htm"))));
        // The page takes the sizes the run read: no picture is decoded twice.
        QCOMPARE(decodes.decodedTwice(), QStringList());
    }

    void withoutRulesEveryBlockIsFollowedByAParagraph()
    {
        Run run;
        settings().full_img_location = QStringLiteral("center");
        settings().use_thumbnail = false;
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        run.picture(QStringLiteral("b.jpg"), 30, 60);
        go_create_html(run.started());
        COMPARE_PAGE(run.page(), "pages/vertical-without-rules.htm");
    }

    void tableLayouts_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("useText");
        QTest::addColumn<QString>("expected");
        QTest::addRow("#3 without texts: lines stand in the table without rows")
            << "#3" << false << "pages/vertical-table-3-without-texts.htm";
        QTest::addRow("#3 text left of the image, empty cell without text")
            << "#3" << true << "pages/vertical-table-3.htm";
        QTest::addRow("#4 text right of the image") << "#4" << true << "pages/vertical-table-4.htm";
    }
    void tableLayouts()
    {
        QFETCH(QString, layout);
        QFETCH(bool, useText);
        QFETCH(QString, expected);
        Run run;
        run.rules();
        settings().full_img_layout = layout;
        settings().full_img_use_text = useText;
        settings().full_img_location = QStringLiteral("right");
        settings().image_borders = true;
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        run.picture(QStringLiteral("b.jpg"), 10, 10);
        run.text(run.tp.path("web/a.jpg"), QStringLiteral("Title A"), "line one\r\n");
        go_create_html(run.started());
        COMPARE_PAGE(run.page(), expected);
    }

    void preformattedTextKeepsItsLines()
    {
        Run run;
        settings().preformatted_text = true;
        settings().full_img_layout = QStringLiteral("#2");
        const QString a = run.picture(QStringLiteral("a.jpg"), 40, 20);
        run.text(a, QString(), "one\r\ntwo\r\n");
        go_create_html(run.started());
        COMPARE_PAGE(run.page(), "pages/vertical-preformatted.htm");
    }

    void withoutOptionsTheThumbnailLinksTheImage()
    {
        Run run;
        settings().full_img_with_options = false;
        run.picture(QStringLiteral("dog.jpg"), 300, 150);
        go_create_html(run.started());
        COMPARE_PAGE(run.page(), "pages/vertical-without-options.htm");
    }

    void aListWithoutImagesLeavesNoPage()
    {
        Run run;
        settings().gif_jpeg_only = false;
        run.picture(QStringLiteral("a.png"), 40, 20);
        go_create_html(run.started());
        QVERIFY(!QFileInfo::exists(run.tp.path("web/mosaik.htm")));
        QCOMPARE(run.window.calls.last(), QStringLiteral("status There are no entries matching your selection."));
    }

    void typedNameIsWrittenInTheInternetDirectory_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("page");
        QTest::addRow("a bare word gets .htm") << "report" << "report.htm";
        QTest::addRow("a folder is dropped") << "/elsewhere/index.htm" << "index.htm";
        QTest::addRow("nothing typed") << "" << "mosaik.htm";
    }
    void typedNameIsWrittenInTheInternetDirectory()
    {
        QFETCH(QString, typed);
        QFETCH(QString, page);
        Run run;
        settings().rename_html = true;
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        run.tp.ui.expectInput(QStringLiteral("What is the name of the HTML file?"), typed);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.read(QStringLiteral("web/") + page).startsWith("<html>"));
        QCOMPARE(QDir(run.tp.path("web")).entryList({"*.htm"}), QStringList{page});
    }

    void outsideTheInternetRunTheSaveDialogNamesThePage()
    {
        Run run;
        settings().internet_ready = false;
        settings().rename_html = true;
        settings().relative_address = false;
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        QDir().mkpath(run.tp.path("other"));
        run.tp.ui.expectFile(QStringLiteral("Select Mosaicon Output File"), run.tp.path("other/show.htm"));
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(QFileInfo::exists(run.tp.path("web/show.htm")));
        QVERIFY(!QFileInfo::exists(run.tp.path("other/show.htm")));
        QCOMPARE(settings().last_html_directory.text(), run.tp.path("other") + u'/');
        QVERIFY(!settings().relative_address);
    }

    void cancellingTheSaveDialogWritesNothing()
    {
        Run run;
        settings().internet_ready = false;
        settings().rename_html = true;
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        run.tp.ui.expectFile(QStringLiteral("Select Mosaicon Output File"), std::nullopt);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(QDir(run.tp.path("web")).entryList({"*.htm"}), QStringList());
    }

    void theEditorOpensALonePageItself()
    {
        Run run;
        settings().auto_start_editor = true;
        settings().editor_command = QStringLiteral("/bin/sh");
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.shell.started.size(), 1);
        QCOMPARE(run.tp.shell.started.at(0).arguments, QStringList{run.tp.path("web/mosaik.htm")});
    }

    void severalGeneratedFilesAreOfferedInTheirList()
    {
        TestProgram tp;
        settings().auto_start_editor = true;
        settings().editor_command = QStringLiteral("/bin/sh");
        tp.write("a.htm", "<html>");
        const auto run = start_page_run({}, QStringLiteral("full_image"));
        run->generated().o_flist.entries = QStringList{tp.path("a.htm"), tp.path("b.htm")};
        tp.ui.expectModal(QStringLiteral("frm_htmledit"), [](QObject*) {});
        run->finish(tp.path("a.htm"), true, EditorStart::DirectWhenAlone);
        VERIFY_DIALOGS(tp);
        QVERIFY(tp.shell.started.isEmpty());
    }

    void backgroundPictureIsCopiedBesideThePage()
    {
        Run run;
        settings().use_background_image = true;
        run.tp.write("paper.gif", "GIF89a");
        settings().html_background = run.tp.path("paper.gif");
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        go_create_html(run.started());
        QVERIFY(run.page().startsWith("<html>\r\n<body background=\"paper.gif\" text=#000000 link=#0000FF "
                                      "vlink=#FF0000 alink=#000000 >\r\n"));
        QCOMPARE(run.tp.read("web/paper.gif"), QByteArray("GIF89a"));
    }
};

QTEST_MAIN(TestVerticalPage)
#include "tst_verticalpage.moc"
