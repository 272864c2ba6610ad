#include "dialogs/widgets/frmhtmlheadingfooting.h"
#include "dialogs/htmlheadingfooting.h"

#include "dialogdriver.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

QPlainTextEdit* box(FrmHtmlHeadingFooting& dialog, const char* name)
{
    return dialog.findChild<QPlainTextEdit*>(QString::fromUtf8(name));
}

// Runs the editor as the program does, `user` working its dialog.
void edit(TestProgram& tp, const std::function<void(FrmHtmlHeadingFooting&)>& user)
{
    workModalDialog<FrmHtmlHeadingFooting>(tp, "frm_html_heading_footing", user,
                                           [] { HtmlHeadingFooting::edit(); });
}

} // namespace

class TestHtmlHeadingFooting : public QObject
{
    Q_OBJECT

private slots:
    void savesTheBoxes()
    {
        TestProgram tp;
        tp.write("htmlhead.htm", "<html>\r\n<h1>Old</h1>\r\n");
        tp.write("htmlfoot.htm", "</html>\n");
        edit(tp, [](FrmHtmlHeadingFooting& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("HTML Heading  And Footing"));
            QCOMPARE(box(dialog, "html_header")->toPlainText(),
                     QStringLiteral("<html>\n<h1>Old</h1>\n"));
            QCOMPARE(box(dialog, "html_footer")->toPlainText(), QStringLiteral("</html>\n"));
            box(dialog, "html_header")->setPlainText("<html>\n<h1>New</h1>\n");
            box(dialog, "html_footer")->setPlainText("");
            dialog.findChild<QPushButton*>("Command1")->click();
        });
        QCOMPARE(tp.read("htmlhead.htm"), QByteArray("<html>\r\n<h1>New</h1>\r\n"));
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("\r\n"));
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
            edit(tp, [](FrmHtmlHeadingFooting& dialog) {
                dialog.findChild<QPushButton*>("Command1")->click();
            });
            QCOMPARE(tp.read("htmlhead.htm"), expected);
            QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("</body>\r\n"));
        }
    }

    // Each box ends in a line break, so what is typed at its end starts a line.
    void aLineTypedAtTheEndLandsOnItsOwnLine()
    {
        TestProgram tp;
        tp.write("htmlhead.htm", "<html>\r\n<p>\r\n");
        tp.write("htmlfoot.htm", "</body>\r\n");
        edit(tp, [](FrmHtmlHeadingFooting& dialog) {
            for (const auto& [name, typed] :
                 {std::pair{"html_header", "<hr>"}, std::pair{"html_footer", "</html>"}}) {
                box(dialog, name)->moveCursor(QTextCursor::End);
                QTest::keyClicks(box(dialog, name), QString::fromLatin1(typed));
            }
            dialog.findChild<QPushButton*>("Command1")->click();
        });
        QCOMPARE(tp.read("htmlhead.htm"), QByteArray("<html>\r\n<p>\r\n<hr>\r\n"));
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("</body>\r\n</html>\r\n"));
    }

    // A file that cannot be written is reported; Save / Exit then keeps the
    // window, and the save as the window goes reports it again.
    void aFileThatCannotBeWrittenIsReported()
    {
        TestProgram tp;
        QDir(tp.folder()).mkdir("htmlhead.htm");
        tp.write("htmlfoot.htm", "</body>\r\n");
        const QString title = QStringLiteral("HTML Heading  And Footing");
        edit(tp, [&](FrmHtmlHeadingFooting& dialog) {
            box(dialog, "html_footer")->setPlainText("<hr>");
            tp.ui.expectMessage(std::nullopt);
            tp.ui.expectMessage(std::nullopt);
            dialog.findChild<QPushButton*>("Command1")->click();
            QVERIFY(dialog.isVisible());
            dialog.reject();
        });
        QCOMPARE(tp.ui.asked().size(), 3);
        for (int i : {1, 2}) {
            QVERIFY(tp.ui.asked()[i].text.startsWith("The heading and footing could not be saved.\n" +
                                                     tp.path("htmlhead.htm")));
            QCOMPARE(tp.ui.asked()[i].title, title);
        }
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("<hr>\r\n"));
    }
};

QTEST_MAIN(TestHtmlHeadingFooting)
#include "tst_htmlheadingfooting.moc"
