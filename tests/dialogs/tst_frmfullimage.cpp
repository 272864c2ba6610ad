#include "dialogs/widgets/frmfullimage.h"

#include "settings/program.h"

#include "dialogdriver.h"
#include "testprogram.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

struct Stored
{
    bool preformatted;
    bool withOptions;
    QString location;
    bool useText;
    QString layout;

    static Stored now()
    {
        const Settings& s = settings();
        return {s.preformatted_text, s.full_img_with_options, s.full_img_location.text(),
                s.full_img_use_text, s.full_img_layout.text()};
    }
    void store() const
    {
        Settings& s = settings();
        s.preformatted_text = preformatted;
        s.full_img_with_options = withOptions;
        s.full_img_location = location;
        s.full_img_use_text = useText;
        s.full_img_layout = layout;
    }
    friend bool operator==(const Stored&, const Stored&) = default;
};

void openPlacement(TestProgram& tp, const std::function<void(FrmFullImage&)>& user)
{
    workModalDialog<FrmFullImage>(tp, QStringLiteral("frm_fullimage"), user);
}

void clickOption(FrmFullImage& d, const char* group, int index)
{
    d.findChild<QButtonGroup*>(QString::fromUtf8(group))->button(index)->click();
}

// Which layout frames are white, as "1"... ; the labels must agree with their frames.
QString highlighted(FrmFullImage& d)
{
    QString white;
    for (int i = 1; i <= 4; ++i) {
        const auto colour = [&](const QString& name) {
            return d.findChild<QWidget*>(name + QString::number(i))
                ->palette()
                .color(QPalette::Window);
        };
        if (colour(QStringLiteral("f_layout_")) != colour(QStringLiteral("o_text_")))
            return QStringLiteral("frame and label differ");
        if (colour(QStringLiteral("f_layout_")) == QColor(Qt::white))
            white += QString::number(i);
    }
    return white;
}

} // namespace

class TestFrmFullImage : public QObject
{
    Q_OBJECT

private slots:
    void saveStoresEveryOption()
    {
        TestProgram tp;
        Stored{true, true, "right", true, "#2"}.store();
        openPlacement(tp, [&](FrmFullImage& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Image And Text Placement"));
            QCOMPARE(d.findChild<QButtonGroup*>("o_full_img_location")->checkedId(), 2);
            QCOMPARE(d.findChild<QButtonGroup*>("o_full_img_text")->checkedId(), 1);
            QCOMPARE(d.findChild<QButtonGroup*>("o_full_img_options")->checkedId(), 1);
            QVERIFY(d.findChild<QCheckBox*>("o_preformatted")->isChecked());
            QCOMPARE(highlighted(d), QStringLiteral("2"));
            QCOMPARE(d.findChild<QLabel*>("o_img_1")->x(), qRound(800 / 15.0));

            d.findChild<QCheckBox*>("o_preformatted")->click();
            clickOption(d, "o_full_img_location", 1);
            QCOMPARE(d.findChild<QLabel*>("o_location_image")->x(), qRound(450 / 15.0));
            QTest::mouseClick(d.findChild<QLabel*>("o_text_3"), Qt::LeftButton);
            QCOMPARE(highlighted(d), QStringLiteral("3"));
            clickOption(d, "o_full_img_text", 0);
            d.findChild<QPushButton*>("Command1")->click();
        });
        QCOMPARE(Stored::now(), (Stored{false, true, "center", false, "#3"}));
    }

    void enablingFollowsTheChosenOptions_data()
    {
        QTest::addColumn<bool>("withOptions");
        QTest::addColumn<bool>("useText");
        QTest::addColumn<QString>("clicks");
        // location, text, layout, pre-formatted box
        QTest::addColumn<QString>("enabled");
        QTest::addRow("image only disables everything") << false << true << ""
                                                        << "----";
        QTest::addRow("options with text enable everything") << true << true << ""
                                                             << "LTYP";
        QTest::addRow("options without text leave layout and box off") << true << false << ""
                                                                       << "LT--";
        QTest::addRow("switching to image only") << true << true << "o0"
                                                 << "----";
        QTest::addRow("switching back with text") << true << true << "o0o1"
                                                  << "LTYP";
        QTest::addRow("switching back without text") << false << false << "o1"
                                                     << "LT--";
        QTest::addRow("choosing the text") << true << false << "t1"
                                           << "LTYP";
        QTest::addRow("leaving the text") << true << true << "t0"
                                          << "LT--";
    }
    void enablingFollowsTheChosenOptions()
    {
        QFETCH(bool, withOptions);
        QFETCH(bool, useText);
        QFETCH(QString, clicks);
        QFETCH(QString, enabled);
        TestProgram tp;
        Stored{false, withOptions, "left", useText, "#1"}.store();
        openPlacement(tp, [&](FrmFullImage& d) {
            for (qsizetype i = 0; i + 1 < clicks.size(); i += 2)
                clickOption(d, clicks[i] == u'o' ? "o_full_img_options" : "o_full_img_text",
                            clicks[i + 1].digitValue());
            const auto on = [&](const char* name, char letter) {
                return d.findChild<QWidget*>(QString::fromUtf8(name))->isEnabled()
                           ? QChar::fromLatin1(letter)
                           : u'-';
            };
            const QString state = QString(on("f_location", 'L')) + on("f_text", 'T') +
                                  on("f_layout", 'Y') + on("o_preformatted", 'P');
            QCOMPARE(state, enabled);
            QCOMPARE(d.findChild<QButtonGroup*>("o_full_img_location")->button(0)->isEnabled(),
                     enabled[0] == u'L');
            d.menuFileItem(98)->trigger();
        });
    }

    void unknownStoredWordsChooseNothingAndStay()
    {
        TestProgram tp;
        const Stored before{false, true, "Left", false, "#5"};
        before.store();
        openPlacement(tp, [](FrmFullImage& d) {
            QCOMPARE(d.findChild<QButtonGroup*>("o_full_img_location")->checkedId(), -1);
            QCOMPARE(highlighted(d), QString());
            d.findChild<QPushButton*>("Command1")->click();
        });
        QCOMPARE(Stored::now(), before);
    }
};

QTEST_MAIN(TestFrmFullImage)
#include "tst_frmfullimage.moc"
