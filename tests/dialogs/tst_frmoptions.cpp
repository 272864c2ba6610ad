#include "dialogs/widgets/frmoptions.h"

#include "dialogs/coloroptions.h"
#include "dialogs/htmlheadingfooting.h"
#include "dialogs/targetdirectory.h"
#include "mainwindow/mainform.h"
#include "settings/program.h"

#include "platform/ui.h"

#include "dialogdriver.h"
#include "testprogram.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

const std::pair<QString, SettingText Settings::*> texts[] = {
    {"dither", &Settings::thumb_dither},        {"quality", &Settings::thumb_quality},
    {"smoothing", &Settings::thumb_smoothing},  {"size", &Settings::thumb_size},
    {"height", &Settings::pixel_height},        {"width", &Settings::pixel_width},
    {"count", &Settings::image_count},          {"padding", &Settings::table_cell_padding},
    {"directory", &Settings::internet_dir},     {"colour", &Settings::thumb_bg_color},
    {"background", &Settings::html_background},
};

bool Settings::*const flags[] = {
    &Settings::thumb_optimize,     &Settings::prefix_thumbnail_file, &Settings::thumb_3d,
    &Settings::use_thumbnail,      &Settings::image_borders,         &Settings::file_names,
    &Settings::file_name_only,     &Settings::file_name_and_path,    &Settings::file_title,
    &Settings::print_kb_size,      &Settings::print_pixel_size,      &Settings::create_batch_files,
    &Settings::rename_html,        &Settings::internet_ready,        &Settings::relative_address,
    &Settings::header_and_footer,  &Settings::gif_jpeg_only,         &Settings::auto_start_editor,
    &Settings::auto_start_browser, &Settings::individual_selections,
};

// The settings the window edits, as "name=value" lines; the flags as one
// digit each, in the order of the table above.
QStringList htmlSettings()
{
    const Settings& s = settings();
    QStringList lines;
    for (const auto& [name, text] : texts)
        lines.append(name + u'=' + (s.*text).text());
    lines.append(QStringLiteral("style=%1").arg(qToUnderlying(s.thumb_style)));
    QString bits;
    for (bool Settings::*flag : flags)
        bits += s.*flag ? u'1' : u'0';
    return lines << QStringLiteral("flags=") + bits;
}

// Stores lines in the form htmlSettings() gives them.
void storeSettings(const QStringList& lines)
{
    Settings& s = settings();
    for (const QString& line : lines) {
        const QString name = line.section(u'=', 0, 0);
        const QString value = line.section(u'=', 1);
        for (const auto& [textName, text] : texts) {
            if (name == textName)
                s.*text = value;
        }
        if (name == QLatin1String("style"))
            s.thumb_style = ThumbStyle(value.toInt());
        for (int i = 0; name == QLatin1String("flags") && i < value.size(); ++i)
            s.*flags[i] = value[i] == u'1';
    }
}

void openOptions(TestProgram& tp, const std::function<void(FrmOptions&)>& user)
{
    workModalDialog<FrmOptions>(tp, QStringLiteral("frm_options"), user);
}

QComboBox* combo(FrmOptions& d, const QString& name)
{
    return d.findChild<QComboBox*>(name);
}

const QString zeroSize =
    QStringLiteral("Thumbnail size cannot be zero.  The default size of 100 will be used.");
const QString zeroPrefix = QStringLiteral(
    "Thumbnail size cannot be prefixed with a zero.  The default size of 100 will be used.");

} // namespace

class TestFrmOptions : public QObject
{
    Q_OBJECT

private slots:
    void cancelSavesAllButTheBackgroundTheColourWindowChanged()
    {
        TestProgram tp;
        storeSettings({"dither=2", "quality=75", "smoothing=30", "size=120", "height=480",
                       "width=640", "count=4", "padding=6", "directory=/srv/<web>", "colour=255",
                       "background=paper.gif", "style=1", "flags=01011101101010101010"});
        openOptions(tp, [&](FrmOptions& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("HTML Output"));
            QCOMPARE(combo(d, "o_dither")->currentText(), QStringLiteral("High Quality"));
            QCOMPARE(combo(d, "o_optimize")->currentText(), QStringLiteral("No"));
            QCOMPARE(combo(d, "o_quality")->currentIndex(), 74);
            QCOMPARE(combo(d, "o_smoothing")->currentIndex(), 30);
            QCOMPARE(d.findChild<QLineEdit*>("o_thumbnail_size")->text(), QStringLiteral("120"));
            QCOMPARE(d.findChild<QButtonGroup*>("o_thumbnail_style")->checkedId(), 1);
            auto* directory = d.findChild<QLabel*>("o_internet_directory");
            QCOMPARE(directory->text(), QStringLiteral("/srv/<web>"));
            QCOMPARE(directory->textFormat(), Qt::PlainText);
            QVERIFY(d.findChild<QPushButton*>("b_thumb_bcolor")->styleSheet().contains("#ff0000"));

            // The colour window, opened from here, changes the background picture.
            tp.ui.expectModal(QStringLiteral("frm_color"), [](QObject* value) {
                settings().html_background = QStringLiteral("marble.jpg");
                qobject_cast<ColorOptions*>(value)->cancel();
            });
            click(d, "b_color");
            combo(d, "o_dither")->setCurrentIndex(0);
            combo(d, "o_optimize")->setCurrentIndex(0);
            combo(d, "o_quality")->setCurrentIndex(49);
            combo(d, "o_smoothing")->setEditText(QStringLiteral("12"));
            type(d, "o_thumbnail_size", QStringLiteral("90"));
            type(d, "o_image_height", QStringLiteral("300"));
            type(d, "o_image_width", QStringLiteral("400"));
            type(d, "o_image_count", QStringLiteral("3"));
            type(d, "o_table_cell_padding", QStringLiteral("2"));
            d.findChild<QButtonGroup*>("o_thumbnail_style")->button(0)->click();
            for (const char* name :
                 {"o_thumbnail_prefix", "o_3d_thumbnail", "o_image_borders", "o_file_name_only",
                  "o_print_tn_kb_size", "o_rename_html", "o_create_batch_files", "o_header_footer",
                  "o_html_images_only", "o_start_editor", "o_start_browser",
                  "o_individual_selections", "o_thumbnail_postfix", "o_maintain_ratio"})
                click(d, name);
            click(d, "Command9");
        });
        QCOMPARE(
            htmlSettings(),
            (QStringList{"dither=0", "quality=50", "smoothing=12", "size=90", "height=300",
                         "width=400", "count=3", "padding=2", "directory=/srv/<web>", "colour=255",
                         "background=paper.gif", "style=0", "flags=10110110111100110101"}));
    }

    void storedNumbersOutsideTheListsAreShownAndKeptAsStored_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("saved");
        QTest::addRow("quality 0 is below the list") << "o_quality"
                                                     << "0"
                                                     << "0"
                                                     << "0";
        QTest::addRow("quality 150 is above it") << "o_quality"
                                                 << "150"
                                                 << "150"
                                                 << "150";
        QTest::addRow("quality in letters") << "o_quality"
                                            << "good"
                                            << "good"
                                            << "good";
        QTest::addRow("quality 75.0 is entry 75") << "o_quality"
                                                  << "75.0"
                                                  << "75"
                                                  << "75";
        QTest::addRow("smoothing 101 is above the list") << "o_smoothing"
                                                         << "101"
                                                         << "101"
                                                         << "101";
        QTest::addRow("smoothing 7.5 is between entries") << "o_smoothing"
                                                          << "7.5"
                                                          << "7.5"
                                                          << "7.5";
        QTest::addRow("smoothing empty is entry 0") << "o_smoothing"
                                                    << ""
                                                    << "0"
                                                    << "0";
        QTest::addRow("dither 7 is taken as the default") << "o_dither"
                                                          << "7"
                                                          << "Default"
                                                          << "1";
        QTest::addRow("dither 1.6 rounds to the last entry") << "o_dither"
                                                             << "1.6"
                                                             << "High Quality"
                                                             << "2";
        QTest::addRow("dither 1e300 is taken as the default") << "o_dither"
                                                              << "1e300"
                                                              << "Default"
                                                              << "1";
    }
    void storedNumbersOutsideTheListsAreShownAndKeptAsStored()
    {
        QFETCH(QString, box);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, saved);
        TestProgram tp;
        Settings& s = settings();
        SettingText Settings::*setting =
            box == QLatin1String("o_quality")     ? &Settings::thumb_quality
            : box == QLatin1String("o_smoothing") ? &Settings::thumb_smoothing
                                                  : &Settings::thumb_dither;
        s.*setting = stored;
        openOptions(tp, [&](FrmOptions& d) {
            QCOMPARE(combo(d, box)->currentText(), shown);
            click(d, "Command1");
        });
        QCOMPARE((s.*setting).text(), saved);
    }

    void typedNumbersAreCorrectedOnSave_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("savedSize");
        QTest::addColumn<QString>("savedCount");
        QTest::addColumn<QStringList>("messages");
        QTest::addRow("size 0 says only that it cannot be zero") << "0"
                                                                 << "4"
                                                                 << "100"
                                                                 << "4" << QStringList{zeroSize};
        QTest::addRow("size 00 says it cannot begin with a zero") << "00"
                                                                  << "4"
                                                                  << "100"
                                                                  << "4" << QStringList{zeroPrefix};
        QTest::addRow("size 05 likewise") << "05"
                                          << "4"
                                          << "100"
                                          << "4" << QStringList{zeroPrefix};
        QTest::addRow("an empty size becomes 100 silently") << ""
                                                            << "4"
                                                            << "100"
                                                            << "4" << QStringList();
        QTest::addRow("an empty count becomes 1") << "80"
                                                  << ""
                                                  << "80"
                                                  << "1" << QStringList();
        QTest::addRow("a count in letters becomes 1") << "80"
                                                      << "many"
                                                      << "80"
                                                      << "1" << QStringList();
        QTest::addRow("a count of 0 becomes 1") << "80"
                                                << "0"
                                                << "80"
                                                << "1" << QStringList();
        QTest::addRow("a count of 0.0 becomes 1") << "80"
                                                  << "0.0"
                                                  << "80"
                                                  << "1" << QStringList();
        QTest::addRow("a negative count is kept") << "80"
                                                  << "-2"
                                                  << "80"
                                                  << "-2" << QStringList();
    }
    void typedNumbersAreCorrectedOnSave()
    {
        QFETCH(QString, size);
        QFETCH(QString, count);
        QFETCH(QString, savedSize);
        QFETCH(QString, savedCount);
        QFETCH(QStringList, messages);
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon");
        for (const QString& message : messages)
            tp.ui.expectMessage(message);
        HtmlOptions window;
        window.Form_Load();
        window.o_thumbnail_size.text = size;
        window.o_image_count.text = count;
        // Save / Exit, then the unload: the message is not shown twice.
        window.saveAndClose();
        window.Form_Unload();
        VERIFY_DIALOGS(tp);
        QCOMPARE(settings().thumb_size.text(), savedSize);
        QCOMPARE(window.o_thumbnail_size.text, savedSize);
        QCOMPARE(settings().image_count.text(), savedCount);
        QCOMPARE(window.o_image_count.text, count);
        for (const auto& asked : tp.ui.asked()) {
            QCOMPARE(asked.style, platform::MsgBox::Exclamation);
            QCOMPARE(asked.title, QStringLiteral("Mosaicon"));
        }
    }

    void percentagesWarnWhileTheRatioIsKept_data()
    {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("ratio");
        QTest::addColumn<QString>("message");
        QTest::addRow("height in percent")
            << "50%"
            << "200" << true
            << "Percentages will not be used when you also want to maintain the size ratio."
               "\n\n\tThe maximum height will be 50.\n\tThe maximum width will be 200.";
        QTest::addRow("both in percent")
            << "50%"
            << "75%x" << true
            << "Percentages will not be used when you also want to maintain the size ratio."
               "\n\n\tThe maximum height will be 50.\n\tThe maximum width will be 75.";
        QTest::addRow("no percent, no message") << "50"
                                                << "200" << true << "";
        QTest::addRow("without the ratio, no message") << "50%"
                                                       << "200" << false << "";
    }
    void percentagesWarnWhileTheRatioIsKept()
    {
        QFETCH(QString, height);
        QFETCH(QString, width);
        QFETCH(bool, ratio);
        QFETCH(QString, message);
        TestProgram tp;
        settings().maintain_ratio = ratio;
        if (!message.isEmpty())
            tp.ui.expectMessage(message);
        HtmlOptions window;
        window.Form_Load();
        window.o_image_height.text = height;
        window.o_image_width.text = width;
        window.saveAndClose();
        window.Form_Unload();
        VERIFY_DIALOGS(tp);
        QCOMPARE(settings().pixel_height.text(), height);
        QCOMPARE(settings().pixel_width.text(), width);
    }

    void checkBoxRulesRunAtLoadAndOnClicks_data()
    {
        QTest::addColumn<QString>(
            "stored"); // internet ready, use thumbnail, relative, names, only, full
        QTest::addColumn<QStringList>("clicks");
        // use thumbnail, relative, file names only, and path: checked "C" or not "-";
        // then the seven file-information controls enabled "E" or not "-".
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("saved"); // use thumbnail, relative, only, full
        QTest::addRow("internet ready checks use thumbnail and clears relative address")
            << "101100" << QStringList() << "C--- EEEEEEE"
            << "1000";
        QTest::addRow("use thumbnail cannot be cleared while internet ready")
            << "111100" << QStringList{"o_use_thumbnail"} << "C--- EEEEEEE"
            << "1000";
        QTest::addRow("without internet ready the stored boxes stay")
            << "001100" << QStringList() << "-C-- EEEEEEE"
            << "0100";
        QTest::addRow("both name boxes stored: only the path box stays")
            << "000111" << QStringList() << "---C EEEEEEE"
            << "0001";
        QTest::addRow("checking names only clears names and path")
            << "000101" << QStringList{"o_file_name_only"} << "--C- EEEEEEE"
            << "0010";
        QTest::addRow("checking names and path clears names only")
            << "000110" << QStringList{"o_file_name_full"} << "---C EEEEEEE"
            << "0001";
        QTest::addRow("both name boxes may be cleared")
            << "000110" << QStringList{"o_file_name_only"} << "---- EEEEEEE"
            << "0000";
        QTest::addRow("file info off at load disables without clearing")
            << "000001" << QStringList() << "---C -------"
            << "0001";
        QTest::addRow("unchecking file info disables without clearing")
            << "000110" << QStringList{"o_file_names"} << "--C- -------"
            << "0010";
    }
    void checkBoxRulesRunAtLoadAndOnClicks()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, clicks);
        QFETCH(QString, state);
        QFETCH(QString, saved);
        TestProgram tp;
        Settings& s = settings();
        bool Settings::*const flags[] = {
            &Settings::internet_ready, &Settings::use_thumbnail,  &Settings::relative_address,
            &Settings::file_names,     &Settings::file_name_only, &Settings::file_name_and_path};
        for (int i = 0; i < 6; ++i)
            s.*flags[i] = stored[i] == u'1';
        openOptions(tp, [&](FrmOptions& d) {
            for (const QString& name : clicks)
                click(d, name);
            QString shown;
            for (const char* name :
                 {"o_use_thumbnail", "o_relative_address", "o_file_name_only", "o_file_name_full"})
                shown += d.findChild<QCheckBox*>(name)->isChecked() ? u'C' : u'-';
            shown += u' ';
            for (const char* name :
                 {"o_file_name_only", "o_file_name_full", "o_file_title", "o_image_count",
                  "o_print_tn_kb_size", "o_print_tn_pixel_size", "Label1"})
                shown += d.findChild<QWidget*>(name)->isEnabled() ? u'E' : u'-';
            QCOMPARE(shown, state);
            click(d, "Command9");
        });
        QString after;
        for (bool b : {s.use_thumbnail, s.relative_address, s.file_name_only, s.file_name_and_path})
            after += b ? u'1' : u'0';
        QCOMPARE(after, saved);
    }

    void buttonsOpenTheOtherOptionWindows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addRow("Color Selection") << "b_color"
                                         << "frm_color";
        QTest::addRow("HTML Slide Show Options") << "Command2"
                                                 << "frm_soptions";
        QTest::addRow("Image And Text Placement") << "Command7"
                                                  << "frm_fullimage";
        QTest::addRow("HTML Text Conversion") << "Command8"
                                              << "frm_txtconv";
        QTest::addRow("Edit HTML Heading And Footer") << "Command6"
                                                      << "frm_html_heading_footing";
        QTest::addRow("Select Target Directory For Files") << "Command5"
                                                           << "frm_tempdir";
    }
    void buttonsOpenTheOtherOptionWindows()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        TestProgram tp;
        settings().internet_dir = QStringLiteral("/srv/old");
        const QString chosen = tp.path("out");
        QDir().mkpath(chosen);
        // The heading file is missing and takes its default lines; the footing file is read.
        tp.write("htmlfoot.htm", "<p>end</p>\n");
        openOptions(tp, [&](FrmOptions& d) {
            tp.ui.expectModal(window, [&](QObject* value) {
                if (auto* editor = qobject_cast<HtmlHeadingFooting*>(value)) {
                    QCOMPARE(
                        editor->html_header.text,
                        QStringLiteral("<html>\r\n<center>\r\n<h1>HTML Generated by "
                                       "Mosaicon</h1>\r\n</center>\r\n<p>\r\n<hr>\r\n<p>\r\n"));
                    QCOMPARE(editor->html_footer.text, QStringLiteral("<p>end</p>\r\n"));
                }
                if (auto* target = qobject_cast<TargetDirectory*>(value)) {
                    target->o_dir = chosen;
                    target->o_dir_Change();
                }
                QMetaObject::invokeMethod(value, "hidden");
            });
            click(d, button);
            const bool directory = window == QLatin1String("frm_tempdir");
            QCOMPARE(d.findChild<QLabel*>("o_internet_directory")->text(),
                     directory ? chosen : QStringLiteral("/srv/old"));
            click(d, "Command1");
        });
        QCOMPARE(settings().internet_dir.text(),
                 window == QLatin1String("frm_tempdir") ? chosen : QStringLiteral("/srv/old"));
    }

    void thumbnailColourComesFromTheColourDialog_data()
    {
        QTest::addColumn<QColor>("answer"); // invalid: cancelled
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("shown");
        QTest::addRow("a chosen colour is stored as its number") << QColor(0, 0, 255) << "16711680"
                                                                 << "#0000ff";
        QTest::addRow("cancelling changes nothing") << QColor() << "32768"
                                                    << "#008000";
    }
    void thumbnailColourComesFromTheColourDialog()
    {
        QFETCH(QColor, answer);
        QFETCH(QString, saved);
        QFETCH(QString, shown);
        TestProgram tp;
        settings().thumb_bg_color = QStringLiteral("32768");
        openOptions(tp, [&](FrmOptions& d) {
            tp.ui.expectColor(answer.isValid() ? std::optional<QColor>(answer) : std::nullopt);
            click(d, "b_thumb_bcolor");
            QVERIFY(d.findChild<QPushButton*>("b_thumb_bcolor")->styleSheet().contains(shown));
            click(d, "Command9");
        });
        QCOMPARE(settings().thumb_bg_color.text(), saved);
    }

    void optionsHtmlOpensTheWindow()
    {
        TestProgram tp;
        settings().thumb_size = QStringLiteral("0");
        tp.ui.expectModal(QStringLiteral("frm_options"));
        tp.ui.expectMessage(zeroSize);
        MainForm form;
        form.Form_Load();
        form.menuItem(QStringLiteral("menuOptionsItem"), 0)->trigger();
        VERIFY_DIALOGS(tp);
        QCOMPARE(settings().thumb_size.text(), QStringLiteral("100"));
    }
};

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
