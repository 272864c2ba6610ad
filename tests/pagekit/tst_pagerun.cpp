#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"
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
    void cleanup()
    {
        frm_htmltitle.unload();
        frm_htmledit.unload();
    }

    void promptIsFilledShownAndReadBack()
    {
        TestProgram tp;
        bool sawDefaults = false;
        tp.ui.expectModal(QStringLiteral("frm_htmltitle"), [&](QObject* window) {
            auto* prompt = qobject_cast<PagePrompt*>(window);
            sawDefaults = prompt->o_title.text == QLatin1String("HTML Title") &&
                          prompt->o_filename.text == QLatin1String("mosaik.htm") && !prompt->Frame3.visible &&
                          prompt->f_file_name.caption == QLatin1String("HTML File Name");
            prompt->o_filename.text = QStringLiteral("holiday.htm");
            prompt->Command1_Click();
        });
        QVERIFY(prompt_for_page(advanced()));
        VERIFY_DIALOGS(tp);
        QVERIFY(sawDefaults);
        QCOMPARE(frm_htmltitle->o_filename.text, QStringLiteral("holiday.htm"));
        QVERIFY(frm_htmltitle->Frame3.visible);
    }

    void exitStopsTheRun()
    {
        TestProgram tp;
        tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                          [](QObject* w) { qobject_cast<PagePrompt*>(w)->b_cancel_exit_Click(); });
        QVERIFY(!prompt_for_page(advanced()));
        VERIFY_DIALOGS(tp);
    }

    void notShown_data()
    {
        QTest::addColumn<bool>("useDefaults");
        QTest::addColumn<bool>("headerAndFooter");
        QTest::addRow("defaults chosen") << true << false;
        QTest::addRow("header and footer files on") << false << true;
    }
    void notShown()
    {
        QFETCH(bool, useDefaults);
        QFETCH(bool, headerAndFooter);
        TestProgram tp;
        frm_htmltitle->o_use_default_values.value = useDefaults;
        settings().header_and_footer = headerAndFooter;
        QVERIFY(prompt_for_page(advanced()));
        VERIFY_DIALOGS(tp);
        QCOMPARE(frm_htmltitle->o_filename.text, QStringLiteral("mosaik.htm"));
    }

    void titlesKeptForAllPages()
    {
        TestProgram tp;
        frm_htmltitle->o_title.text = QStringLiteral("My holiday");
        frm_htmltitle->o_use_default_values.value = true;
        program().use_title_for_all = true;
        QVERIFY(prompt_for_page(advanced()));
        QCOMPARE(frm_htmltitle->o_title.text, QStringLiteral("My holiday"));
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
        tp.write("my page.htm", "<html>");
        settings().auto_start_browser = browser;
        settings().auto_start_editor = editor;
        settings().editor_command = editorCommand;
        if (listShown)
            tp.ui.expectModal(QStringLiteral("frm_htmledit"));
        if (noBrowserMessage)
            tp.ui.expectMessage(noBrowser);
        end_page_run(tp.path("my page.htm"), true);
        VERIFY_DIALOGS(tp);
        const QStringList expectedOpen{QStringLiteral("file://") + tp.path("my%20page.htm")};
        QCOMPARE(tp.shell.opened, opened ? expectedOpen : QStringList());
    }

    void aMissingPageIsNotOpened()
    {
        TestProgram tp;
        settings().auto_start_browser = true;
        end_page_run(tp.path("never written.htm"), true);
        QVERIFY(tp.shell.opened.isEmpty());
    }

    void aRunWithoutEntriesRemovesItsPage()
    {
        TestProgram tp;
        tp.write("mosaik.htm", "<html>");
        end_page_run(tp.path("mosaik.htm"), false);
        QVERIFY(!QFileInfo::exists(tp.path("mosaik.htm")));
    }
};

QTEST_GUILESS_MAIN(TestPageRun)
#include "tst_pagerun.moc"
