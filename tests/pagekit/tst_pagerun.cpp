#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QFileInfo>
#include <QTest>

using namespace mosaicon;

namespace {

PageProposal advanced()
{
    PageProposal p;
    p.title = QStringLiteral("HTML Title");
    p.fileName = QStringLiteral("mosaik.htm");
    return p;
}

const QString noBrowser = QStringLiteral(
    "You must use a supported Internet browser to automatically load the HTML file.  Only Netscape and MSIE "
    "browsers are supported with this function.  Please select the desired browser from the menu 'Applications' "
    "option.");

} // namespace

class TestPageRun : public QObject
{
    Q_OBJECT

private slots:
    void promptIsFilledShownAndReadBack()
    {
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("advhtml"));
        bool sawDefaults = false;
        tp.ui.expectModal(QStringLiteral("frm_htmltitle"), [&](QObject* window) {
            auto* prompt = qobject_cast<PagePrompt*>(window);
            sawDefaults = prompt->o_title.text == QLatin1String("HTML Title") &&
                          prompt->o_filename.text == QLatin1String("mosaik.htm") && !prompt->Frame3.visible &&
                          prompt->f_file_name.caption == QLatin1String("HTML File Name");
            prompt->o_filename.text = QStringLiteral("holiday.htm");
            prompt->acceptAnswers();
        });
        QVERIFY(run->askForPage(advanced()));
        VERIFY_DIALOGS(tp);
        QVERIFY(sawDefaults);
        QCOMPARE(run->prompt().o_filename.text, QStringLiteral("holiday.htm"));
        QVERIFY(run->prompt().Frame3.visible);
    }

    void exitStopsTheRun()
    {
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("advhtml"));
        tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                          [](QObject* w) { qobject_cast<PagePrompt*>(w)->b_cancel_exit_Click(); });
        QVERIFY(!run->askForPage(advanced()));
        VERIFY_DIALOGS(tp);
    }

    // The page writers go on unasked while header and footer files are on;
    // the slide shows still ask then.
    void whenEachRuleAsks_data()
    {
        QTest::addColumn<bool>("slideRule");
        QTest::addColumn<bool>("useDefaults");
        QTest::addColumn<bool>("headerAndFooter");
        QTest::addColumn<bool>("shown");
        QTest::addRow("page: nothing set") << false << false << false << true;
        QTest::addRow("page: header and footer") << false << false << true << false;
        QTest::addRow("page: defaults") << false << true << false << false;
        QTest::addRow("slide: nothing set") << true << false << false << true;
        QTest::addRow("slide: header and footer") << true << false << true << true;
        QTest::addRow("slide: defaults and header and footer") << true << true << true << false;
    }
    void whenEachRuleAsks()
    {
        QFETCH(bool, slideRule);
        QFETCH(bool, useDefaults);
        QFETCH(bool, headerAndFooter);
        QFETCH(bool, shown);
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("slideshow"));
        run->prompt().o_use_default_values.value = useDefaults;
        settings().header_and_footer = headerAndFooter;
        PageProposal proposal = advanced();
        if (slideRule)
            proposal.unasked = Unasked::WhenDefaultsChosen;
        if (shown)
            tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                              [](QObject* w) { qobject_cast<PagePrompt*>(w)->acceptAnswers(); });
        QCOMPARE(run->asks(proposal.unasked), shown);
        QVERIFY(run->askForPage(proposal));
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), shown ? 1 : 0);
        QCOMPARE(run->prompt().o_filename.text, QStringLiteral("mosaik.htm"));
    }

    void titlesKeptForAllPages()
    {
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("advhtml"));
        run->prompt().o_title.text = QStringLiteral("My holiday");
        run->prompt().o_use_default_values.value = true;
        run->prompt().use_title_for_all = true;
        QVERIFY(run->askForPage(advanced()));
        QCOMPARE(run->prompt().o_title.text, QStringLiteral("My holiday"));
    }

    void endOfRun_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<bool>("editor");
        QTest::addColumn<QString>("editorCommand");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("listShown");
        QTest::addColumn<bool>("noBrowserMessage");
        QTest::addRow("both off: status only") << false << false << "" << false << false << false;
        QTest::addRow("browser") << true << false << "" << true << false << false;
        QTest::addRow("browser and editor") << true << true << "/usr/bin/ed" << true << true << false;
        QTest::addRow("editor without a command") << true << true << "" << true << false << true;
    }
    void endOfRun()
    {
        QFETCH(bool, browser);
        QFETCH(bool, editor);
        QFETCH(QString, editorCommand);
        QFETCH(bool, opened);
        QFETCH(bool, listShown);
        QFETCH(bool, noBrowserMessage);
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("advhtml"));
        tp.write("my page.htm", "<html>");
        settings().auto_start_browser = browser;
        settings().auto_start_editor = editor;
        settings().editor_command = editorCommand;
        if (listShown)
            tp.ui.expectModal(QStringLiteral("frm_htmledit"));
        if (noBrowserMessage)
            tp.ui.expectMessage(noBrowser);
        run->finish(tp.path("my page.htm"), true);
        VERIFY_DIALOGS(tp);
        const QStringList expectedOpen{QStringLiteral("file://") + tp.path("my%20page.htm")};
        QCOMPARE(tp.shell.opened, opened ? expectedOpen : QStringList());
    }

    void aMissingPageIsNotOpened()
    {
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("advhtml"));
        settings().auto_start_browser = true;
        run->finish(tp.path("never written.htm"), true);
        QVERIFY(tp.shell.opened.isEmpty());
    }

    void aRunWithoutEntriesRemovesItsPage()
    {
        TestProgram tp;
        const auto run = start_page_run({}, QStringLiteral("advhtml"));
        tp.write("mosaik.htm", "<html>");
        run->finish(tp.path("mosaik.htm"), false);
        QVERIFY(!QFileInfo::exists(tp.path("mosaik.htm")));
    }
};

QTEST_GUILESS_MAIN(TestPageRun)
#include "tst_pagerun.moc"
