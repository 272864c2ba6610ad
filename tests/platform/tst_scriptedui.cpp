#include "platform/scriptedui.h"

#include <QTest>

using namespace mosaicon::platform;

// The scripted dialogs are what every window test relies on to notice a
// wrong or unexpected question, so their own failures are tested here.
class TestScriptedUi : public QObject
{
    Q_OBJECT

private slots:
    void answersInTurnAndRecords()
    {
        ScriptedUi ui;
        ui.expectMessage(QStringLiteral("Sure?"), MsgBox::Yes).expectInput(std::nullopt, QStringLiteral("x"));
        QCOMPARE(ui.messageBox(QStringLiteral("Sure?"), 36, QStringLiteral("T")), MsgBox::Yes);
        QCOMPARE(ui.inputBox(QStringLiteral("Name"), QStringLiteral("T"), QString()), std::optional<QString>("x"));
        QVERIFY(ui.problems().isEmpty());
        QCOMPARE(ui.asked().size(), 2);
        QCOMPARE(ui.asked().at(0).style, 36);
        QCOMPARE(ui.asked().at(0).title, QStringLiteral("T"));
    }

    void unexpectedPromptIsAFailureAnsweredCancel()
    {
        ScriptedUi ui;
        QCOMPARE(ui.messageBox(QStringLiteral("Delete?"), MsgBox::YesNo, QString()), MsgBox::Cancel);
        QCOMPARE(ui.failures().size(), 1);
        QVERIFY(ui.failures().first().contains(QStringLiteral("Delete?")));
    }

    void wrongTextAndUnraisedExpectationsAreProblems()
    {
        ScriptedUi ui;
        ui.expectMessage(QStringLiteral("A")).expectMessage(QStringLiteral("B"));
        ui.messageBox(QStringLiteral("C"), 0, QString());
        QCOMPARE(ui.problems().size(), 3); // C was wrong; A and B were never raised
    }

    void cancelIsToldApartFromEmptyInput()
    {
        ScriptedUi ui;
        ui.expectInput(std::nullopt, std::nullopt).expectInput(std::nullopt, QString());
        QCOMPARE(ui.inputBox(QStringLiteral("p"), QString(), QString()), std::nullopt);
        const auto empty = ui.inputBox(QStringLiteral("p"), QString(), QString());
        QVERIFY(empty.has_value());
        QVERIFY(empty->isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScriptedUi)
#include "tst_scriptedui.moc"
