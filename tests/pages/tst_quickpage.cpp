#include "pagekit/generatedfiles.h"
#include "pagekit/headfoot.h"
#include "pagekit/pageprompt.h"
#include "pages/quickpage.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "expectedpage.h"
#include "pagerunfixture.h"
#include "testpictures.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>
#include <QTest>

using namespace mosaicon;

class TestQuickPage : public QObject
{
    Q_OBJECT

    struct Run : PageRunFixture
    {
        Run() { QDir(tp.folder()).mkpath(QStringLiteral("web")); }
        // A listed picture; only its existence matters to this page.
        QString picture(const QString& name) { return file(name, pictureBytes(name)); }
        QByteArray page() const { return tp.read("web/mosaik.htm"); }
        void headerAndFooter(const QByteArray& head, const QByteArray& foot)
        {
            settings().header_and_footer = true;
            tp.write("htmlhead.htm", head);
            tp.write("htmlfoot.htm", foot);
        }
    };

private slots:
    void twoGifsMakeTheBarePage()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.picture(QStringLiteral("b.gif"));
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.page(), "pages/quick-two-gifs.htm", run.tp.folder());
        QVERIFY(run.window.calls.contains(
            QStringLiteral("status The HTML document %1 has been created.").arg(run.tp.path("web/mosaik.htm"))));
        // This page does not go through the generated-file list.
        QVERIFY(run.started().generated().o_flist.entries.isEmpty());
    }

    void onlyGifAndJpegFilesOfTheListAreTaken()
    {
        Run run;
        const QString gif = run.picture(QStringLiteral("a.gif"));
        run.picture(QStringLiteral("notes.txt"));
        const QString jpeg = run.picture(QStringLiteral("DSC_0001.JPG"));
        run.picture(QStringLiteral("c.png"));
        go_create_simple_html(run.started());
        QCOMPARE(run.templist, (QStringList{gif, jpeg}));
        QCOMPARE(run.sources, run.templist);
        COMPARE_PAGE(run.page(), "pages/quick-gif-and-jpeg.htm", run.tp.folder());
    }

    void aListWithoutGifOrJpegSaysSo()
    {
        Run run;
        run.picture(QStringLiteral("c.png"));
        run.tp.ui.expectMessage(QStringLiteral("There are no GIF or JPG files in the list."));
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.window.calls.contains(QStringLiteral("status There are no GIF or JPG files in the list.")));
        QVERIFY(!QFileInfo::exists(run.tp.path("web/mosaik.htm")));
    }

    void oddNamesLeadBackToTheirFiles()
    {
        Run run;
        const QString odd = run.picture(QStringLiteral("a b#1&'x\"q 50%.gif"));
        go_create_simple_html(run.started());
        const QString page = QString::fromUtf8(run.page());
        const QRegularExpression src(QStringLiteral("<img src=\"([^\"]*)\">"));
        const QRegularExpressionMatch m = src.match(page);
        QVERIFY2(m.hasMatch(), qPrintable(page));
        const QString address = m.captured(1).replace(QLatin1String("&amp;"), QLatin1String("&"));
        QVERIFY2(address.startsWith(QLatin1String("file:///")), qPrintable(address));
        QCOMPARE(QUrl(address).toLocalFile(), odd);
    }

    void theFolderOfATypedNameIsDropped()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.preparePrompt = [](PagePrompt& p) { p.o_use_default_values.value = false; };
        run.tp.ui.expectModal(QStringLiteral("frm_htmltitle"), [](QObject* w) {
            auto* prompt = qobject_cast<PagePrompt*>(w);
            prompt->o_filename.text = QStringLiteral("/elsewhere/index.htm");
            prompt->o_title.text = QStringLiteral("Holiday");
            prompt->acceptAnswers();
        });
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.read("web/index.htm").contains("<h1>Holiday</h1>"));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/elsewhere/index.htm")));
    }

    void leavingThePromptWritesNothing()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.preparePrompt = [](PagePrompt& p) { p.o_use_default_values.value = false; };
        run.tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                              [](QObject* w) { qobject_cast<PagePrompt*>(w)->b_cancel_exit_Click(); });
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(!QFileInfo::exists(run.tp.path("web/mosaik.htm")));
        QVERIFY(run.window.calls.filter(QStringLiteral("has been created")).isEmpty());
    }

    void headerAndFooterFilesSkipThePrompt()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.headerAndFooter("<html>\r\n<h2>Mine</h2>\r\n", "</body>\r\n</html>\r\n");
        // Not shown even though the user did not ask for defaults.
        run.preparePrompt = [](PagePrompt& p) { p.o_use_default_values.value = false; };
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        COMPARE_PAGE(run.page(), "pages/quick-own-head-and-foot.htm", run.tp.folder());
    }

    void headerMerge_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("expected");
        QTest::addRow("no html line")
            << QByteArray("<h2>Mine</h2>\r\n<BODY bgcolor=red>\r\n<p>\r\n") << "pages/quick-header-without-html.htm";
        QTest::addRow("a comment before the html line is lost")
            << QByteArray("<!-- mine -->\r\n<HTML lang=en>\r\n<h2>Mine</h2>\r\n")
            << "pages/quick-header-comment-lost.htm";
        QTest::addRow("the last body line wins")
            << QByteArray("<html>\r\n<body text=red>\r\n<hr>\r\n< body text=blue>\r\n")
            << "pages/quick-header-last-body.htm";
        QTest::addRow("bare line feeds")
            << QByteArray("<html>\n<h2>Mine</h2>\n") << "pages/quick-header-line-feeds.htm";
    }
    void headerMerge()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, expected);
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.headerAndFooter(header, "</body>\r\n</html>\r\n");
        go_create_simple_html(run.started());
        COMPARE_PAGE(run.page(), expected, run.tp.folder());
    }

    void footerMerge_data()
    {
        QTest::addColumn<QByteArray>("footer");
        QTest::addColumn<QString>("expected");
        QTest::addRow("both closing tags: unchanged, no copyright")
            << QByteArray("<p>bye\r\n</body>\r\n</html>\r\n") << "pages/quick-footer-closed.htm";
        QTest::addRow("only </html>: the body is closed before it")
            << QByteArray("<p>bye\r\n</HTML>\r\n") << "pages/quick-footer-html-only.htm";
        QTest::addRow("neither: copyright and closing tags follow")
            << QByteArray("<p>bye\r\n") << "pages/quick-footer-open.htm";
    }
    void footerMerge()
    {
        QFETCH(QByteArray, footer);
        QFETCH(QString, expected);
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.preparePrompt = [](PagePrompt& p) { p.bottom_banner_ref = QStringLiteral("bottom.gif"); };
        settingsFile().put(QStringLiteral("Captions"), QStringLiteral("Copyright"),
                           QStringLiteral("&copy; 2024"));
        run.headerAndFooter("<html>\r\n", footer);
        go_create_simple_html(run.started());
        COMPARE_PAGE(run.page(), expected, run.tp.folder());
    }

    void bannersAndCopyrightOfTheBuiltInHeadAndFoot()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        settings().top_banner_link = QStringLiteral("http://example.org/");
        run.preparePrompt = [](PagePrompt& p) {
            p.top_banner_ref = QStringLiteral("top.gif");
            p.bottom_banner_ref = QStringLiteral("bottom.gif");
        };
        settingsFile().put(QStringLiteral("Captions"), QStringLiteral("Copyright"),
                           QStringLiteral("(c) Ann"));
        go_create_simple_html(run.started());
        COMPARE_PAGE(run.page(), "pages/quick-banners.htm", run.tp.folder());
    }

    void vanishedFilesLeaveNoPage()
    {
        Run run;
        const QString a = run.picture(QStringLiteral("a.gif"));
        run.tp.write("web/other.htm", "someone else's page");
        QFile::remove(a);
        go_create_simple_html(run.started());
        QVERIFY(!QFileInfo::exists(run.tp.path("web/mosaik.htm")));
        QCOMPARE(run.tp.read("web/other.htm"), QByteArray("someone else's page"));
        QCOMPARE(run.window.calls.last(), QStringLiteral("status There are no entries matching your selection."));
        QVERIFY(run.tp.shell.opened.isEmpty());
    }

    void browserAndEditorOpenThePage()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        settings().auto_start_browser = true;
        settings().auto_start_editor = true;
        settings().editor_command = QStringLiteral("/bin/sh -n");
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        const QString page = run.tp.path("web/mosaik.htm");
        QCOMPARE(run.tp.shell.opened, QStringList{QString::fromUtf8(QUrl::fromLocalFile(page).toEncoded())});
        QCOMPARE(run.tp.shell.started.size(), 1);
        QCOMPARE(run.tp.shell.started.at(0).program, QStringLiteral("/bin/sh"));
        QCOMPARE(run.tp.shell.started.at(0).arguments, (QStringList{"-n", page}));
    }

    void failedStartsAreSaidOnce_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QStringList>("messages");
        const QString browser = QStringLiteral("Error:  Possible Browser problem.  Check to make sure you have "
                                               "selected the proper browser application.");
        QTest::addRow("browser fails, no editor asked") << QString() << QStringList{browser};
        QTest::addRow("browser fails, editor missing")
            << "/no/such/editor -n" << QStringList{browser, "The editor,/no/such/editor -n does not exist."};
    }
    void failedStartsAreSaidOnce()
    {
        QFETCH(QString, editor);
        QFETCH(QStringList, messages);
        Run run;
        run.picture(QStringLiteral("a.gif"));
        run.picture(QStringLiteral("b.gif"));
        run.tp.shell.succeed = false;
        settings().auto_start_browser = true;
        settings().auto_start_editor = !editor.isEmpty();
        settings().editor_command = editor;
        // The browser's message names the page and why it did not open.
        const QString page = run.tp.path("web/mosaik.htm");
        for (QString m : messages) {
            if (m.startsWith(QStringLiteral("Error:  Possible Browser problem.")))
                m += QStringLiteral("\n\n%1 could not be opened: %2").arg(page, run.tp.shell.failure);
            run.tp.ui.expectMessage(m);
        }
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.ui.asked().size(), messages.size());
        QVERIFY(QFileInfo::exists(run.tp.path("web/mosaik.htm")));
    }

    void aPageThatCannotBeWrittenSaysSoOnce()
    {
        Run run;
        run.picture(QStringLiteral("a.gif"));
        settings().internet_dir = run.tp.path("missing/web");
        settings().auto_start_browser = true;
        run.tp.ui.expectMessage(std::nullopt);
        go_create_simple_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.ui.asked().size(), 1);
        QVERIFY(run.tp.ui.asked().at(0).text.startsWith(
            QStringLiteral("The page %1 could not be written").arg(run.tp.path("missing/web/mosaik.htm"))));
        QVERIFY(run.tp.shell.opened.isEmpty());
        QVERIFY(run.window.calls.filter(QStringLiteral("has been created")).isEmpty());
    }
};

QTEST_MAIN(TestQuickPage)
#include "tst_quickpage.moc"
