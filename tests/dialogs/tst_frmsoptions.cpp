#include "dialogs/widgets/frmsoptions.h"

#include "mainwindow/mainform.h"
#include "mainwindow/windows.h"
#include "pagekit/pageprompt.h"
#include "settings/program.h"

#include "dialogdriver.h"
#include "testprogram.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace mosaicon;

namespace {

// The settings the window edits, as "name=value" lines.
QStringList slideSettings()
{
    const Settings& s = settings();
    const auto yes = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    return {"height=" + s.slide_image_height.text(),
            "delay=" + s.slide_delay.text(),
            "frames=" + yes(s.use_frames),
            "title=" + yes(s.display_title),
            "text=" + yes(s.use_associated_text),
            "preformatted=" + yes(s.preformatted_text),
            "advance=" + yes(s.auto_advance),
            "loop=" + yes(s.slide_loop),
            "rename=" + yes(s.rename_slide),
            "index=" + yes(program().create_index),
            "image directory=" + yes(s.use_image_directory)};
}

void openSlideOptions(TestProgram& tp, const std::function<void(FrmSOptions&)>& user)
{
    workModalDialog<FrmSOptions>(tp, QStringLiteral("frm_soptions"), user);
}

} // namespace

class TestFrmSOptions : public QObject
{
    Q_OBJECT

private slots:
    void savesEveryControl()
    {
        TestProgram tp;
        Settings& s = settings();
        s.slide_image_height = QStringLiteral("480");
        s.slide_delay = QStringLiteral("12");
        s.use_frames = true;
        s.display_title = false;
        s.use_associated_text = true;
        s.preformatted_text = false;
        s.auto_advance = true;
        s.slide_loop = true;
        s.rename_slide = false;
        s.use_image_directory = true;
        program().create_index = true;
        openSlideOptions(tp, [&](FrmSOptions& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("HTML Slide Show Options"));
            // This window spells its Save / Exit row without blanks.
            QCOMPARE(d.menuFileItem(98)->text(), QStringLiteral("&Cancel"));
            QCOMPARE(d.menuFileItem(99)->text(), QStringLiteral("&Save/Exit"));
            QCOMPARE(d.findChild<QLineEdit*>("o_simage_height")->text(), QStringLiteral("480"));
            QCOMPARE(d.findChild<QLineEdit*>("o_slide_delay")->text(), QStringLiteral("12"));
            QString checked;
            for (const char* name : {"o_use_frames", "o_display_title", "o_use_associated_text",
                                     "o_preformatted", "o_auto_advance", "o_slide_loop",
                                     "o_rename_slide", "o_create_index", "o_use_image_directory"})
                checked += d.findChild<QCheckBox*>(name)->isChecked() ? u'1' : u'0';
            QCOMPARE(checked, QStringLiteral("101011010"));
            QVERIFY(d.findChild<QCheckBox*>("o_use_image_directory")->isHidden());

            type(d, "o_simage_height", QStringLiteral("600"));
            type(d, "o_slide_delay", QStringLiteral("5"));
            for (const char* name : {"o_use_frames", "o_display_title", "o_slide_loop",
                                     "o_rename_slide", "o_create_index", "o_use_image_directory"})
                click(d, name);
            click(d, "Command1");
        });
        QCOMPARE(slideSettings(),
                 (QStringList{"height=600", "delay=5", "frames=no", "title=yes", "text=yes",
                              "preformatted=no", "advance=yes", "loop=no", "rename=yes", "index=no",
                              "image directory=yes"}));
    }

    void emptyOrZeroNumbersTakeTheirDefaults_data()
    {
        QTest::addColumn<QString>("storedDelay");
        QTest::addColumn<QString>("shownDelay");
        QTest::addColumn<QString>("typedHeight");
        QTest::addColumn<QString>("savedHeight");
        QTest::addColumn<QString>("savedDelay");
        QTest::addRow("zero delay shown and saved as 30, zero height saved as 200") << "0"
                                                                                    << "30"
                                                                                    << "0"
                                                                                    << "200"
                                                                                    << "30";
        QTest::addRow("empty delay and height") << ""
                                                << "30"
                                                << ""
                                                << "200"
                                                << "30";
        QTest::addRow("a doubled zero is kept as typed") << "7"
                                                         << "7"
                                                         << "00"
                                                         << "00"
                                                         << "7";
        QTest::addRow("a zero after a blank is kept as typed") << "7"
                                                               << "7"
                                                               << " 0"
                                                               << " 0"
                                                               << "7";
        QTest::addRow("letters are kept as typed") << "x"
                                                   << "x"
                                                   << "tall"
                                                   << "tall"
                                                   << "x";
    }
    void emptyOrZeroNumbersTakeTheirDefaults()
    {
        QFETCH(QString, storedDelay);
        QFETCH(QString, shownDelay);
        QFETCH(QString, typedHeight);
        QFETCH(QString, savedHeight);
        QFETCH(QString, savedDelay);
        TestProgram tp;
        settings().slide_delay = storedDelay;
        SlideOptions window;
        window.Form_Load();
        QCOMPARE(window.o_slide_delay.text, shownDelay);
        window.o_simage_height.text = typedHeight;
        window.Form_Unload();
        QCOMPARE(settings().slide_image_height.text(), savedHeight);
        QCOMPARE(settings().slide_delay.text(), savedDelay);
        QCOMPARE(window.o_simage_height.text, typedHeight);
    }

    void clickRulesKeepDependentOptions_data()
    {
        QTest::addColumn<bool>("advance");
        QTest::addColumn<bool>("assocText");
        QTest::addColumn<QStringList>("clicks");
        // Loop checked and enabled, delay box and label enabled, pre-formatted
        // checked and enabled: "C" checked, "E" enabled, "-" not.
        QTest::addColumn<QString>("state");
        QTest::addRow("both off at load leave everything enabled")
            << false << false << QStringList() << "-E EE -E";
        QTest::addRow("both on at load") << true << true << QStringList() << "CE EE CE";
        QTest::addRow("unchecking advance disables and clears the loop, the delay and its label")
            << true << false << QStringList{"o_auto_advance"} << "-- -- -E";
        QTest::addRow("checking advance again enables them, the loop stays clear")
            << true << false << QStringList{"o_auto_advance", "o_auto_advance"} << "-E EE -E";
        QTest::addRow("checking associated text checks pre-formatted")
            << false << false << QStringList{"o_use_associated_text"} << "-E EE CE";
        QTest::addRow("unchecking associated text clears and disables pre-formatted")
            << false << true << QStringList{"o_use_associated_text"} << "-E EE --";
    }
    void clickRulesKeepDependentOptions()
    {
        QFETCH(bool, advance);
        QFETCH(bool, assocText);
        QFETCH(QStringList, clicks);
        QFETCH(QString, state);
        TestProgram tp;
        Settings& s = settings();
        s.auto_advance = advance;
        s.slide_loop = advance;
        s.use_associated_text = assocText;
        s.preformatted_text = assocText;
        openSlideOptions(tp, [&](FrmSOptions& d) {
            for (const QString& name : clicks)
                click(d, name);
            const auto checked = [&](const char* name) {
                return d.findChild<QCheckBox*>(name)->isChecked() ? u'C' : u'-';
            };
            const auto enabled = [&](const char* name) {
                return d.findChild<QWidget*>(name)->isEnabled() ? u'E' : u'-';
            };
            const QString shown = QString(checked("o_slide_loop")) + enabled("o_slide_loop") +
                                  u' ' + enabled("o_slide_delay") + enabled("Label1") + u' ' +
                                  checked("o_preformatted") + enabled("o_preformatted");
            QCOMPARE(shown, state);
            d.menuFileItem(98)->trigger();
        });
    }

    void openedFromTheMainMenuAndThePagePrompt_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addRow("main window Options > Slides") << "main";
        QTest::addRow("page prompt Options > Slide Show") << "prompt";
    }
    void openedFromTheMainMenuAndThePagePrompt()
    {
        QFETCH(QString, opener);
        TestProgram tp;
        settings().slide_image_height = QStringLiteral("480");
        tp.ui.expectModal(QStringLiteral("frm_soptions"), [](QObject* value) {
            auto* window = qobject_cast<SlideOptions*>(value);
            QVERIFY(window);
            window->o_simage_height.text = QStringLiteral("720");
            window->cancel();
        });
        if (opener == QLatin1String("main")) {
            MainForm form;
            form.Form_Load();
            form.menuItem(QStringLiteral("menuOptionsItem"), 6)->trigger();
        } else {
            registerWindows();
            PagePrompt prompt;
            prompt.openSlideShowOptions();
        }
        VERIFY_DIALOGS(tp);
        QCOMPARE(settings().slide_image_height.text(), QStringLiteral("720"));
    }
};

QTEST_MAIN(TestFrmSOptions)
#include "tst_frmsoptions.moc"
