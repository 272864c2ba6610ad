#include "platform/widgets/binder.h"

#include "windowsleft.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace mosaicon::platform;

namespace {

// One field of every kind of control value.
struct Sample
{
    TextBox text = {};
    CheckBox check = {};
    Frame frame = {};
    OptionGroup option = {};
    ComboBox combo = {};
    Label label = {};
};

class QObjectSample : public QObject, public Sample
{
};

// One control of every kind, each bound to its field of the sample.
template <class Value>
struct Controls
{
    explicit Controls(Value* value) : binder(value)
    {
        for (int i = 0; i < 3; ++i)
            options.addButton(new QRadioButton(&window), i);
        binder.bind(text, &Value::text);
        binder.bind(check, &Value::check);
        binder.bind(frame, &Value::frame);
        binder.bind(&options, &Value::option);
        binder.bind(combo, &Value::combo);
        binder.bind(label, &Value::label);
    }

    QWidget window;
    QLineEdit* text = new QLineEdit(&window);
    QCheckBox* check = new QCheckBox(&window);
    QGroupBox* frame = new QGroupBox(&window);
    QButtonGroup options;
    QComboBox* combo = new QComboBox(&window);
    QLabel* label = new QLabel(&window);
    Binder<Value> binder;
};

// A value unlike every row's, shown first so that each push has something to change.
Sample other()
{
    return {{QStringLiteral("other"), false},
            {true, false},
            {QStringLiteral("Other"), false, 0, 0},
            {2, false},
            {{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}, QStringLiteral("y"),
             1, false},
            {QStringLiteral("other"), false}};
}

const QStringList sizes{QStringLiteral("Small"), QStringLiteral("Medium"), QStringLiteral("Large")};

} // namespace

Q_DECLARE_METATYPE(Sample)

class TestBinder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void pushShowsTheValueAndPullTakesBackWhatTheUserCanChange_data()
    {
        QTest::addColumn<Sample>("value");
        QTest::addColumn<bool>("editableCombo");
        QTest::addRow("every control at its defaults") << Sample{} << false;
        QTest::addRow("disabled text box with text, checked hidden check box")
            << Sample{.text = {QStringLiteral("typed <b>"), false}, .check = {true, false}}
            << false;
        QTest::addRow("frame with caption and a size in twips")
            << Sample{.frame = {QStringLiteral("Image"), true, 3255, 2055}} << false;
        QTest::addRow("hidden frame without a size")
            << Sample{.frame = {QStringLiteral("Banners"), false, 0, 0}} << false;
        QTest::addRow("first option chosen, group disabled")
            << Sample{.option = {0, false}} << false;
        QTest::addRow("no option chosen after one was") << Sample{.option = {-1, true}} << false;
        QTest::addRow("combo entry chosen")
            << Sample{.combo = {sizes, QStringLiteral("Large"), 2, true}} << false;
        QTest::addRow("combo with nothing chosen")
            << Sample{.combo = {sizes, QString(), -1, false}} << false;
        QTest::addRow("typed combo text that is no entry")
            << Sample{.combo = {sizes, QStringLiteral("Combo1"), -1, true}} << true;
        QTest::addRow("typed combo with an entry chosen")
            << Sample{.combo = {sizes, QStringLiteral("Medium"), 1, true}} << true;
        QTest::addRow("hidden label with a caption")
            << Sample{.label = {QStringLiteral("Dither"), false}} << false;
    }
    void pushShowsTheValueAndPullTakesBackWhatTheUserCanChange()
    {
        QFETCH(Sample, value);
        QFETCH(bool, editableCombo);
        Sample shown = other();
        Controls<Sample> c(&shown);
        c.combo->setEditable(editableCombo);
        c.binder.push();
        shown = value;
        c.binder.push();

        QCOMPARE(c.text->text(), value.text.text);
        QCOMPARE(c.text->isEnabled(), value.text.enabled);
        QCOMPARE(c.check->isChecked(), value.check.value);
        QCOMPARE(!c.check->isHidden(), value.check.visible);
        QCOMPARE(c.frame->title(), value.frame.caption);
        QCOMPARE(!c.frame->isHidden(), value.frame.visible);
        if (value.frame.width > 0)
            QCOMPARE(c.frame->maximumSize(),
                     QSize(value.frame.width / 15, value.frame.height / 15));
        QCOMPARE(c.options.checkedId(), value.option.index);
        for (QAbstractButton* button : c.options.buttons())
            QCOMPARE(button->isEnabled(), value.option.enabled);
        QStringList entries;
        for (int i = 0; i < c.combo->count(); ++i)
            entries.append(c.combo->itemText(i));
        QCOMPARE(entries, value.combo.entries);
        QCOMPARE(c.combo->currentIndex(), value.combo.index);
        QCOMPARE(c.combo->currentText(), value.combo.text);
        QCOMPARE(c.combo->isEnabled(), value.combo.enabled);
        QCOMPARE(c.label->text(), value.label.caption);
        QCOMPARE(!c.label->isHidden(), value.label.visible);

        // Only texts, check marks and choices come back; the rest stays as the
        // value had it, whatever the controls show.
        shown = other();
        c.binder.pull();
        Sample expected = other();
        expected.text.text = value.text.text;
        expected.check.value = value.check.value;
        expected.option.index = value.option.index;
        expected.combo.index = value.combo.index;
        expected.combo.text = value.combo.text;
        QCOMPARE(shown.text, expected.text);
        QCOMPARE(shown.check, expected.check);
        QCOMPARE(shown.frame, expected.frame);
        QCOMPARE(shown.option, expected.option);
        QCOMPARE(shown.combo, expected.combo);
        QCOMPARE(shown.label, expected.label);
    }

    void pushLeavesTheCursorInAnUnchangedText()
    {
        Sample value;
        value.text.text = QStringLiteral("holiday");
        value.combo = {sizes, QStringLiteral("holiday"), -1, true};
        Controls<Sample> c(&value);
        c.combo->setEditable(true);
        c.binder.push();
        c.text->setCursorPosition(3);
        c.combo->lineEdit()->setCursorPosition(3);
        c.binder.push();
        QCOMPARE(c.text->cursorPosition(), 3);
        QCOMPARE(c.combo->lineEdit()->cursorPosition(), 3);
    }

    void aValueThatHasGoneIsNeitherShownNorFilled()
    {
        auto* value = new QObjectSample;
        value->text.text = QStringLiteral("before");
        Controls<QObjectSample> c(value);
        c.binder.push();
        delete value;
        c.text->setText(QStringLiteral("after"));
        c.binder.pull();
        c.binder.push();
        QCOMPARE(c.text->text(), QStringLiteral("after"));
    }
};

QTEST_MAIN(TestBinder)
#include "tst_binder.moc"
