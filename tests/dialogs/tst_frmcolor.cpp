#include "dialogs/widgets/frmcolor.h"

#include "settings/program.h"

#include "dialogdriver.h"
#include "testprogram.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

using Target = ColorOptions::Target;

// Distinctive stored colours: each a different palette entry, and the active
// link written by hand in lower case, which the palette does not recognise.
void storeDistinctiveColours()
{
    Settings& s = settings();
    s.text_color = QStringLiteral("#008000");
    s.vlink_color = QStringLiteral("#800080");
    s.link_color = QStringLiteral("#808000");
    s.alink_color = QStringLiteral("#ff0000");
    s.image_border_color = QStringLiteral("#C0C0C0");
    s.background_color = QStringLiteral("#000080");
    s.use_background_image = false;
}

QStringList storedColours()
{
    const Settings& s = settings();
    return {s.text_color.text(),  s.vlink_color.text(),        s.link_color.text(),
            s.alink_color.text(), s.image_border_color.text(), s.background_color.text()};
}

// Runs the window the way its openers do, with `user` acting in its dialog.
void openColorOptions(TestProgram& tp, const std::function<void(FrmColor&)>& user)
{
    workModalDialog<FrmColor>(tp, QStringLiteral("frm_color"), user);
}

void pick(FrmColor& dialog, Target target, int swatch)
{
    QTest::mouseClick(dialog.sample(target), Qt::LeftButton);
    QTest::mouseClick(dialog.swatch(swatch), Qt::LeftButton);
}

} // namespace

class TestFrmColor : public QObject
{
    Q_OBJECT

private slots:
    void paletteConvertsOnlyItsOwnEntries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("screen");
        QTest::addRow("navy has blue in the high byte") << "#000080" << qint64(0x800000);
        QTest::addRow("maroon has red in the low byte") << "#800000" << qint64(0x000080);
        QTest::addRow("teal") << "#008080" << qint64(0x808000);
        QTest::addRow("lower case is not recognised") << "#ff0000" << qint64(-1);
        QTest::addRow("without the hash is not recognised") << "FF0000" << qint64(-1);
        QTest::addRow("a colour off the palette") << "#123456" << qint64(-1);
    }
    void paletteConvertsOnlyItsOwnEntries()
    {
        QFETCH(QString, text);
        QFETCH(qint64, screen);
        const std::optional<quint32> found = screenFromPageColour(text);
        QCOMPARE(found ? qint64(*found) : -1, screen);
        if (found)
            QCOMPARE(pageColourFromScreen(*found), std::optional<QString>(text));
        QCOMPARE(pageColourFromScreen(0x123456), std::nullopt);
    }

    void showsTheStoredColoursOnItsSamples()
    {
        TestProgram tp;
        storeDistinctiveColours();
        openColorOptions(tp, [](FrmColor& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("HTML Color Options"));
            const auto sheet = [&](Target t) { return d.sample(t)->styleSheet(); };
            QVERIFY2(sheet(ColorOptions::NormalText).contains("color: #008000;"),
                     qPrintable(sheet(ColorOptions::NormalText)));
            QVERIFY(sheet(ColorOptions::VisitedLink).contains("color: #800080;"));
            // The hand-written colour keeps the sample's designed black.
            QVERIFY(sheet(ColorOptions::ActiveLink).contains("color: #000000;"));
            QVERIFY(sheet(ColorOptions::ImageBorder).contains("background: #c0c0c0;"));
            // Text and links are seen on the page background.
            for (Target t : {ColorOptions::NormalText, ColorOptions::NewLink,
                             ColorOptions::VisitedLink, ColorOptions::ActiveLink})
                QVERIFY(sheet(t).contains("background: #000080;"));
            QCOMPARE(d.swatch(6)->styleSheet(), QStringLiteral("background: #800000;"));
            QVERIFY(d.findChild<QLabel*>(QStringLiteral("Label1"))->text().isEmpty());
            QVERIFY(d.findChild<QLabel*>(QStringLiteral("o_image"))->pixmap().isNull());
            d.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        });
    }

    void saveStoresEveryTarget()
    {
        TestProgram tp;
        storeDistinctiveColours();
        openColorOptions(tp, [&](FrmColor& d) {
            pick(d, ColorOptions::NormalText, 6);
            pick(d, ColorOptions::VisitedLink, 5);
            pick(d, ColorOptions::Background, 3);
            // A click on the words "IMAGE BORDER" chooses the border as well.
            QTest::mouseClick(d.findChild<QLabel*>(QStringLiteral("Label27")), Qt::LeftButton);
            QTest::mouseClick(d.swatch(15), Qt::LeftButton);
            QVERIFY(d.sample(ColorOptions::NewLink)->styleSheet().contains("background: #ffffff;"));
            d.findChild<QCheckBox*>(QStringLiteral("o_use_bg_image"))->click();
            click(d, "Command1");
        });
        QCOMPARE(storedColours(),
                 (QStringList{"#800000", "#0000FF", "#808000", "#ff0000", "#00FFFF", "#FFFFFF"}));
        QVERIFY(settings().use_background_image);
    }

    void savedColourShowsAgainOnReopening()
    {
        TestProgram tp;
        storeDistinctiveColours();
        openColorOptions(tp, [](FrmColor& d) {
            pick(d, ColorOptions::NormalText, 6);
            d.menuFileItem(99)->trigger();
        });
        openColorOptions(tp, [](FrmColor& d) {
            QVERIFY(d.sample(ColorOptions::NormalText)->styleSheet().contains("color: #800000;"));
            d.menuFileItem(98)->trigger();
        });
        QCOMPARE(settings().text_color.text(), QStringLiteral("#800000"));
    }

    void aSwatchWithNoTargetChangesNothing()
    {
        TestProgram tp;
        storeDistinctiveColours();
        const QStringList before = storedColours();
        openColorOptions(tp, [](FrmColor& d) {
            QTest::mouseClick(d.swatch(9), Qt::LeftButton);
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        });
        QCOMPARE(storedColours(), before);
    }

    void backgroundPictureIsStoredByThePickerEvenOnCancel()
    {
        TestProgram tp;
        QImage(40, 30, QImage::Format_RGB32).save(tp.path(QStringLiteral("paper.jpg")));
        openColorOptions(tp, [&](FrmColor& d) {
            tp.ui.expectFile(QStringLiteral("Select HTML Background"),
                             tp.path(QStringLiteral("paper.jpg")));
            d.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                     tp.path(QStringLiteral("paper.jpg")));
            const ColorOptions& v = *d.value();
            QCOMPARE(v.o_image.width(), v.Frame3.width - 280);
            QCOMPARE(v.o_image.height(), v.Frame3.height - 320);
            QCOMPARE(v.o_image.fitMode(), platform::FitMode::FittedToHeight);
            QVERIFY(!d.findChild<QLabel*>(QStringLiteral("o_image"))->pixmap().isNull());
            d.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        });
        QCOMPARE(settings().html_background.text(), tp.path(QStringLiteral("paper.jpg")));
    }
};

QTEST_MAIN(TestFrmColor)
#include "tst_frmcolor.moc"
