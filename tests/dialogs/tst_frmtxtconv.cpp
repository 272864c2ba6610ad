#include "dialogs/widgets/frmtxtconv.h"

#include "pagekit/pageblocks.h"

#include "settings/program.h"

#include "dialogdriver.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

namespace {

QString box(const FrmTxtConv& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QString::fromUtf8(name))->text();
}

} // namespace

class TestFrmTxtConv : public QObject
{
    Q_OBJECT

private slots:
    void loadsChangesAndLeaves_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("shown"); // slide, image, start, copyright
        QTest::addColumn<QString>("action");    // save, reset, emptyStart
        QTest::addColumn<QString>("expected");  // the [Captions] section afterwards
        const QByteArray distinct = "[Captions]\r\nview the slide=Dia\r\nVIEW THE IMAGE=Bild\r\n"
                                    "Click Here=Los\r\nCopyright=(c) Mo <b>\r\n";
        const QStringList distinctShown{"Dia", "Bild", "Los", "(c) Mo <b>"};
        QTest::addRow("a new settings file: Save writes the defaults and an empty copyright")
            << QByteArray()
            << QStringList{"View The Slide", "View The Image", "Click Here To Start", ""} << "save"
            << "[Captions]\nView The Slide=View The Slide\nView The Image=View The Image\n"
               "Click Here=Click Here To Start\nCopyright=\n";
        QTest::addRow("keys in other letter case are found and overwritten, not added again")
            << distinct << distinctShown << "save"
            << "[Captions]\nView The Slide=Dia\nView The Image=Bild\nClick Here=Los\nCopyright=(c) "
               "Mo <b>\n";
        QTest::addRow("Reset then Save stores the shorter original values")
            << distinct << distinctShown << "reset"
            << "[Captions]\nView The Slide=View Slide\nView The Image=View Image\n"
               "Click Here=Click Here To Start\nCopyright=\n";
        QTest::addRow("an emptied start link is saved as its default, blanks are kept")
            << distinct << distinctShown << "emptyStart"
            << "[Captions]\nView The Slide=Dia\nView The Image=Bild\nClick Here=Click Here To "
               "Start\n"
               "Copyright=  \n";
    }
    void loadsChangesAndLeaves()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, shown);
        QFETCH(QString, action);
        QFETCH(QString, expected);
        TestProgram tp;
        program().ini_file_path = tp.path(QStringLiteral("mosaik.ini"));
        if (!stored.isEmpty())
            tp.write(QStringLiteral("mosaik.ini"), stored);
        CaptionTexts captions;
        FrmTxtConv dialog(&captions);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("HTML Text Conversion"));
        QCOMPARE(captions.height, 3210);
        QCOMPARE((QStringList{box(dialog, "o_ss_view_slide"), box(dialog, "o_ss_view_image"),
                              box(dialog, "o_ss_click_here"), box(dialog, "o_copyright")}),
                 shown);
        dialog.open();
        QSignalSpy finished(&dialog, &QDialog::finished);
        type(dialog, "o_ss_view_slide", QStringLiteral("typed"));
        if (action == QLatin1String("save")) {
            type(dialog, "o_ss_view_slide", shown[0]);
            dialog.menuFileItem(99)->trigger();
        } else if (action == QLatin1String("reset")) {
            dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(box(dialog, "o_ss_view_slide"), QStringLiteral("View Slide"));
            dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        } else {
            type(dialog, "o_ss_view_slide", shown[0]);
            type(dialog, "o_ss_click_here", QString());
            type(dialog, "o_copyright", QStringLiteral("  "));
            dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        }
        QCOMPARE(finished.size(), 1);
        QCOMPARE(tp.settingsText(), expected);
    }

    void thePagesReadWhatTheWindowSaved()
    {
        TestProgram tp;
        program().ini_file_path = tp.path(QStringLiteral("mosaik.ini"));
        CaptionTexts captions;
        captions.o_ss_view_image.text = QStringLiteral("Zum Bild");
        captions.o_copyright.text = QStringLiteral("(c) 2026");
        captions.saveAndClose();
        QCOMPARE(get_caption(QStringLiteral("o_ss_view_image")), QStringLiteral("Zum Bild"));
        QCOMPARE(get_caption(QStringLiteral("o_copyright")), QStringLiteral("(c) 2026"));
    }
};

QTEST_MAIN(TestFrmTxtConv)
#include "tst_frmtxtconv.moc"
