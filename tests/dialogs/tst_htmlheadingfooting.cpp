#include "dialogs/widgets/frmhtmlheadingfooting.h"
#include "dialogs/htmlheadingfooting.h"

#include "testprogram.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

const QString windowName = QStringLiteral("frm_html_heading_footing");

QPlainTextEdit* box(FrmHtmlHeadingFooting& dialog, const char* name)
{
    return dialog.findChild<QPlainTextEdit*>(QString::fromUtf8(name));
}

} // namespace

class TestHtmlHeadingFooting : public QObject
{
    Q_OBJECT

private slots:
    // Every way out saves what the boxes hold, Cancel and the close box too.
    void everyWayOutSavesTheBoxes_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addRow("Save / Exit button") << "Command1";
        QTest::addRow("Cancel button") << "Command2";
        QTest::addRow("File > Cancel") << "98";
        QTest::addRow("File > Save / Exit") << "99";
        QTest::addRow("close box") << "";
    }
    void everyWayOutSavesTheBoxes()
    {
        QFETCH(QString, way);
        TestProgram tp;
        tp.write("htmlhead.htm", "<html>\r\n<h1>Old</h1>\r\n");
        tp.write("htmlfoot.htm", "</html>\n");
        tp.ui.expectModal(windowName, [&](QObject* window) {
            FrmHtmlHeadingFooting dialog(qobject_cast<HtmlHeadingFooting*>(window));
            dialog.open();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("HTML Heading  And Footing"));
            QCOMPARE(box(dialog, "html_header")->toPlainText(),
                     QStringLiteral("<html>\n<h1>Old</h1>\n"));
            QCOMPARE(box(dialog, "html_footer")->toPlainText(), QStringLiteral("</html>\n"));
            box(dialog, "html_header")->setPlainText("<html>\n<h1>New</h1>\n");
            box(dialog, "html_footer")->setPlainText("");
            bool index = false;
            if (way.isEmpty())
                dialog.reject();
            else if (const int menuIndex = way.toInt(&index); index)
                dialog.menuFileItem(menuIndex)->trigger();
            else
                dialog.findChild<QPushButton*>(way)->click();
            QVERIFY(!dialog.isVisible());
        });
        HtmlHeadingFooting::edit();
        QCOMPARE(tp.read("htmlhead.htm"), QByteArray("<html>\r\n<h1>New</h1>\r\n"));
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("\r\n"));
        VERIFY_DIALOGS(tp);
    }

    void tenOpensAndClosesLeaveTheFilesAlone_data()
    {
        QTest::addColumn<QByteArray>("head"); // empty: no file
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("lines with CR LF") << QByteArray("<body>\r\n<p>\r\n") << QByteArray("<body>\r\n<p>\r\n");
        QTest::addRow("a last line without its end gets one")
            << QByteArray("<body>\n<p>") << QByteArray("<body>\r\n<p>\r\n");
        QTest::addRow("an empty line at the close is kept, not added to")
            << QByteArray("<p>\r\n\r\n") << QByteArray("<p>\r\n\r\n");
        QTest::addRow("a missing file gets its default lines")
            << QByteArray() << QByteArray("<html>\r\n<center>\r\n<h1>Mosaicon HTML Output</h1>\r\n"
                                          "</center>\r\n<p>\r\n");
    }
    void tenOpensAndClosesLeaveTheFilesAlone()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, expected);
        TestProgram tp;
        if (!head.isEmpty())
            tp.write("htmlhead.htm", head);
        tp.write("htmlfoot.htm", "</body>\r\n");
        for (int i = 0; i < 10; ++i) {
            tp.ui.expectModal(windowName, [](QObject* window) {
                FrmHtmlHeadingFooting dialog(qobject_cast<HtmlHeadingFooting*>(window));
                dialog.findChild<QPushButton*>("Command1")->click();
            });
            HtmlHeadingFooting::edit();
            QCOMPARE(tp.read("htmlhead.htm"), expected);
            QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("</body>\r\n"));
        }
        VERIFY_DIALOGS(tp);
    }

    // Each box ends in a line break, so what is typed at its end starts a line.
    void aLineTypedAtTheEndLandsOnItsOwnLine()
    {
        TestProgram tp;
        tp.write("htmlhead.htm", "<html>\r\n<p>\r\n");
        tp.write("htmlfoot.htm", "</body>\r\n");
        tp.ui.expectModal(windowName, [&](QObject* window) {
            FrmHtmlHeadingFooting dialog(qobject_cast<HtmlHeadingFooting*>(window));
            dialog.open();
            for (const auto& [name, typed] :
                 {std::pair{"html_header", "<hr>"}, std::pair{"html_footer", "</html>"}}) {
                box(dialog, name)->moveCursor(QTextCursor::End);
                QTest::keyClicks(box(dialog, name), QString::fromLatin1(typed));
            }
            dialog.findChild<QPushButton*>("Command1")->click();
        });
        HtmlHeadingFooting::edit();
        QCOMPARE(tp.read("htmlhead.htm"), QByteArray("<html>\r\n<p>\r\n<hr>\r\n"));
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("</body>\r\n</html>\r\n"));
        VERIFY_DIALOGS(tp);
    }

    // A file that cannot be written is reported; Save / Exit then keeps the
    // window, and the save as the window goes reports it again.
    void aFileThatCannotBeWrittenIsReported()
    {
        TestProgram tp;
        QDir(tp.folder()).mkdir("htmlhead.htm");
        tp.write("htmlfoot.htm", "</body>\r\n");
        const QString title = QStringLiteral("HTML Heading  And Footing");
        tp.ui.expectModal(windowName, [&](QObject* window) {
            FrmHtmlHeadingFooting dialog(qobject_cast<HtmlHeadingFooting*>(window));
            dialog.open();
            box(dialog, "html_footer")->setPlainText("<hr>");
            dialog.findChild<QPushButton*>("Command1")->click();
            QVERIFY(dialog.isVisible());
            dialog.reject();
        });
        tp.ui.expectMessage(std::nullopt);
        tp.ui.expectMessage(std::nullopt);
        HtmlHeadingFooting::edit();
        QCOMPARE(tp.ui.asked().size(), 3);
        for (int i : {1, 2}) {
            QVERIFY(tp.ui.asked()[i].text.startsWith("The heading and footing could not be saved.\n" +
                                                     tp.path("htmlhead.htm")));
            QCOMPARE(tp.ui.asked()[i].title, title);
        }
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("<hr>\r\n"));
        VERIFY_DIALOGS(tp);
    }
};

QTEST_MAIN(TestHtmlHeadingFooting)
#include "tst_htmlheadingfooting.moc"
