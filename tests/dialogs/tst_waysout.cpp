#include "dialogs/widgets/frmcolor.h"
#include "dialogs/widgets/frmfullimage.h"
#include "dialogs/widgets/frmhtmlheadingfooting.h"
#include "dialogs/widgets/frmoptions.h"
#include "dialogs/widgets/frmsoptions.h"
#include "dialogs/widgets/frmtempdir.h"
#include "dialogs/widgets/frmtxtconv.h"
#include "pagekit/pageblocks.h"
#include "settings/program.h"

#include "platform/widgets/dirlistbox.h"

#include "dialogdriver.h"

#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace mosaicon;

namespace {

// The ways out of a dialog as the rows name them, in the order of the letters
// given for each dialog below.
const char* const ways[] = {"the Save / Exit button", "the Cancel button",        "File > Cancel",
                            "File > Save / Exit",     "the window frame's close", "Esc"};

// The Cancel button's name differs between the dialogs.
template <class Dialog> void leave(Dialog& dialog, const QString& way, const char* cancelButton)
{
    if (way.startsWith("File > "))
        dialog.menuFileItem(way == "File > Cancel" ? 98 : 99)->trigger();
    else if (way == "the window frame's close")
        dialog.close();
    else if (way == "Esc")
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else if (way == "the Cancel button")
        click(dialog, cancelButton);
    else if (way == "the Save / Exit button")
        click(dialog, "Command1");
    else
        QFAIL(qPrintable("no such way out: " + way));
}

// A dialog as the user meets it: an old value stored, the dialog opened as the
// program opens it, one control changed, the dialog left by `way`; returns
// what was stored afterwards.
using Work = QString (*)(TestProgram& tp, QString way);

// The lists start on "start"; the user picks `picked`, if given, by Enter on its entry.
QString targetDirectory(TestProgram& tp, const QString& way, const char* stored, const char* picked)
{
    QDir(tp.folder()).mkpath("web/out");
    QDir(tp.folder()).mkpath("start");
    settings().internet_dir = tp.path(stored);
    TargetDirectory target(tp.path("start"));
    workModalDialog<FrmTempDir>(
        tp, "frm_tempdir",
        [&](FrmTempDir& d) {
            if (picked) {
                d.o_dir()->setCurrentItem(d.o_dir()->findItems(picked, Qt::MatchExactly).value(0));
                QTest::keyClick(d.o_dir(), Qt::Key_Return);
            }
            leave(d, way, "Command2");
        },
        [&target] { target.show(); });
    // The opener's unload stores the directory.
    target.unload();
    return QDir(tp.folder()).relativeFilePath(settings().internet_dir.text());
}

} // namespace

class TestWaysOut : public QObject
{
    Q_OBJECT

private slots:
    void everyWayOutOfADialog_data()
    {
        QTest::addColumn<Work>("work");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("stored");
        // A letter a way: 'S' saves, leaving `saved`; 'C' cancels, and 'B' saves
        // but puts back the background picture, leaving `cancelled`.
        const auto dialog = [](const char* name, const char* letters, const char* saved,
                               const char* cancelled, Work work) {
            for (int i = 0; i < int(std::size(ways)); ++i) {
                const char* says = letters[i] == 'S'   ? "saves"
                                   : letters[i] == 'C' ? "cancels"
                                                       : "saves but puts back the background";
                QTest::addRow("%s: %s %s", name, ways[i], says)
                    << work << QString::fromUtf8(ways[i])
                    << QString::fromUtf8(letters[i] == 'S' ? saved : cancelled);
            }
        };
        dialog("slide options", "SSSSSS", "600", "", [](TestProgram& tp, QString way) {
            settings().slide_image_height = QStringLiteral("480");
            workModalDialog<FrmSOptions>(tp, "frm_soptions", [way](FrmSOptions& d) {
                type(d, "o_simage_height", "600");
                leave(d, way, "Command2");
            });
            return settings().slide_image_height.text();
        });
        dialog("colour options", "SCCSCC", "#800000", "#008000", [](TestProgram& tp, QString way) {
            settings().text_color = QStringLiteral("#008000");
            workModalDialog<FrmColor>(tp, "frm_color", [way](FrmColor& d) {
                QTest::mouseClick(d.sample(ColorOptions::NormalText), Qt::LeftButton);
                QTest::mouseClick(d.swatch(6), Qt::LeftButton);
                leave(d, way, "Command2");
            });
            return settings().text_color.text();
        });
        dialog("caption texts", "SCCSCC", "Neu", "Alt", [](TestProgram& tp, QString way) {
            program().ini_file_path = tp.path("mosaik.ini");
            tp.write("mosaik.ini", "[Captions]\r\nView The Slide=Alt\r\n");
            workModalDialog<FrmTxtConv>(
                tp, "frm_txtconv",
                [way](FrmTxtConv& d) {
                    type(d, "o_ss_view_slide", "Neu");
                    leave(d, way, "Command3");
                },
                [] { CaptionTexts().show(); });
            return get_caption("o_ss_view_slide");
        });
        // The colour window, opened from here, changes the background picture.
        dialog("HTML options", "SBBSSS", "90 marble.jpg", "90 paper.gif",
               [](TestProgram& tp, QString way) {
                   settings().thumb_size = QStringLiteral("120");
                   settings().html_background = QStringLiteral("paper.gif");
                   workModalDialog<FrmOptions>(tp, "frm_options", [&tp, way](FrmOptions& d) {
                       tp.ui.expectModal("frm_color", [](QObject* value) {
                           settings().html_background = QStringLiteral("marble.jpg");
                           qobject_cast<ColorOptions*>(value)->cancel();
                       });
                       click(d, "b_color");
                       type(d, "o_thumbnail_size", "90");
                       leave(d, way, "Command9");
                   });
                   return settings().thumb_size.text() + u' ' + settings().html_background.text();
               });
        dialog("target directory", "SSSSSS", "web/out", "",
               [](TestProgram& tp, QString way) { return targetDirectory(tp, way, "web", "out"); });
        dialog(
            "target directory, the stored one missing", "SSSSSS", "start", "",
            [](TestProgram& tp, QString way) { return targetDirectory(tp, way, "gone", nullptr); });
        // A clicked layout is stored at once, whatever the way out.
        dialog("placement options", "SCCSCC", "center #3", "right #3",
               [](TestProgram& tp, QString way) {
                   Settings& s = settings();
                   s.full_img_with_options = true;
                   s.full_img_location = QStringLiteral("right");
                   s.full_img_layout = QStringLiteral("#2");
                   workModalDialog<FrmFullImage>(tp, "frm_fullimage", [way](FrmFullImage& d) {
                       d.findChild<QButtonGroup*>("o_full_img_location")->button(1)->click();
                       QTest::mouseClick(d.findChild<QLabel*>("o_text_3"), Qt::LeftButton);
                       leave(d, way, "Command2");
                   });
                   return s.full_img_location.text() + u' ' + s.full_img_layout.text();
               });
        dialog(
            "heading and footing editor", "SSSSSS", "<h1>New</h1>\r\n", "",
            [](TestProgram& tp, QString way) {
                tp.write("htmlhead.htm", "<h1>Old</h1>\r\n");
                workModalDialog<FrmHtmlHeadingFooting>(
                    tp, "frm_html_heading_footing",
                    [way](FrmHtmlHeadingFooting& d) {
                        d.findChild<QPlainTextEdit*>("html_header")->setPlainText("<h1>New</h1>");
                        leave(d, way, "Command2");
                    },
                    [] { HtmlHeadingFooting::edit(); });
                return QString::fromUtf8(tp.read("htmlhead.htm"));
            });
    }
    void everyWayOutOfADialog()
    {
        QFETCH(Work, work);
        QFETCH(QString, way);
        QFETCH(QString, stored);
        TestProgram tp;
        QCOMPARE(work(tp, way), stored);
    }
};

QTEST_MAIN(TestWaysOut)
#include "tst_waysout.moc"
