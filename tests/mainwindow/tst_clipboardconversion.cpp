#include "mainwindow/mainform.h"

#include "settings/program.h"

#include "platform/clipboard.h"

#include "testprogram.h"
#include "windowsleft.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>

using namespace mosaicon;

namespace {

QString cannotConvert(const QString& text, const QString& path)
{
    return QStringLiteral("Browser Address Conversion:\n\nThe web address '%1' cannot be converted.  The file '%2' "
                          "does not exist.")
        .arg(text, path);
}

} // namespace

class TestClipboardConversion : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void oneTick_data()
    {
        QTest::addColumn<QString>("text");      // DIR stands for the test's folder as an address
        QTest::addColumn<QString>("clipboard"); // afterwards; DIR stands for the folder as a path
        QTest::addColumn<QString>("missing");   // the path told missing, or ""
        QTest::addRow("an encoded blank and UTF-8 letter are decoded")
            << "file://DIR/My%20Pics/caf%C3%A9.jpg" << "DIR/My Pics/café.jpg" << "";
        QTest::addRow("the scheme in capitals after blanks") << "  FILE://DIR/My%20Pics/caf%C3%A9.jpg\n"
                                                             << "DIR/My Pics/café.jpg" << "";
        QTest::addRow("an address in the middle of a text is left alone")
            << "see file://DIR/My%20Pics/caf%C3%A9.jpg" << "see file://DIR/My%20Pics/caf%C3%A9.jpg" << "";
        QTest::addRow("a web address is left alone") << "https://example.com/a.jpg" << "https://example.com/a.jpg"
                                                     << "";
        QTest::addRow("a plain path is left alone") << "DIR/My Pics/café.jpg" << "DIR/My Pics/café.jpg" << "";
        // Trimmed, the path would name the file beside it.
        QTest::addRow("a line break inside the address stays in the path that is tested")
            << "FILE:DIR/My%20Pics/caf%C3%A9.jpg\n#" << "FILE:DIR/My%20Pics/caf%C3%A9.jpg\n#"
            << "DIR/My Pics/café.jpg\n";
    }
    void oneTick()
    {
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        QFETCH(QString, missing);
        TestProgram tp;
        QDir(tp.folder()).mkdir(QStringLiteral("My Pics"));
        tp.write(QStringLiteral("My Pics/café.jpg"), "x");
        MainForm form;
        text.replace(QLatin1String("DIR"), QString::fromUtf8(QUrl::fromLocalFile(tp.folder()).toEncoded().mid(7)));
        clipboard.replace(QLatin1String("DIR"), tp.folder());
        missing.replace(QLatin1String("DIR"), tp.folder());
        if (!missing.isEmpty())
            tp.ui.expectMessage(cannotConvert(text, missing));
        platform::setClipboardText(text);
        form.Timer3_Timer();
        VERIFY_DIALOGS(tp);
        QCOMPARE(platform::clipboardText(), clipboard);
        const bool converted = clipboard != text;
        QCOMPARE(form.statusText(),
                 converted ? QStringLiteral("The file name '%1' was copied to the clipboard.").arg(clipboard) : "");
    }

    void aMissingFileIsReportedOnce()
    {
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Pro v4.00");
        MainForm form;
        const QString gone = QUrl::fromLocalFile(tp.path("gone pic.jpg")).toString(QUrl::FullyEncoded);
        const QString other = QUrl::fromLocalFile(tp.path("other.jpg")).toString(QUrl::FullyEncoded);
        platform::setClipboardText(gone);
        // Ticks that come while the box is open show nothing more, not even for another address.
        tp.ui.expectMessage(cannotConvert(gone, tp.path("gone pic.jpg")), platform::MsgBox::Ok, [&] {
            form.Timer3_Timer();
            platform::setClipboardText(other);
            form.Timer3_Timer();
            platform::setClipboardText(gone);
        });
        form.Timer3_Timer();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), 1);
        QCOMPARE(tp.ui.asked().first().style, 48);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Mosaicon Pro v4.00"));
        // A minute of the same address gives no second box.
        for (int i = 0; i < 60; ++i)
            form.Timer3_Timer();
        QCOMPARE(tp.ui.asked().size(), 1);
        QCOMPARE(platform::clipboardText(), gone);
        // Another missing address is reported in its turn.
        platform::setClipboardText(other);
        tp.ui.expectMessage(cannotConvert(other, tp.path("other.jpg")));
        form.Timer3_Timer();
        VERIFY_DIALOGS(tp);
    }

    void theOptionsItemTurnsTheTimerOnAndOff()
    {
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        QAction* item = form.menuItem(QStringLiteral("menuOptionsItem"), 3);
        QVERIFY(!item->isChecked());
        QVERIFY(!form.clipboardConversionOn());
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(form.clipboardConversionOn());
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!form.clipboardConversionOn());
        VERIFY_DIALOGS(tp);
    }
};

QTEST_MAIN(TestClipboardConversion)
#include "tst_clipboardconversion.moc"
