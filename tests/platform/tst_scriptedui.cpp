#include "scriptedui.h"

#include <QProcess>
#include <QTest>

using namespace mosaicon::platform;

namespace {

// Set in the copy of this test that raises a prompt nobody expected.
constexpr char childVariable[] = "MOSAICON_SCRIPTEDUI_UNEXPECTED";

// Answers the failures in a list instead of stopping the test.
void recordInto(ScriptedUi& ui, QStringList& reasons)
{
    ui.setFailureHandler([&reasons](const QString& reason) { reasons.append(reason); });
}

} // namespace

// Run as a test of its own in a child process: the prompt below must end it.
class RaisesUnexpectedPrompts : public QObject
{
    Q_OBJECT

private slots:
    void raise()
    {
        ScriptedUi ui;
        const QString kind = qEnvironmentVariable(childVariable);
        if (kind == QLatin1String("unexpected")) {
            ui.inputBox(QStringLiteral("Name of the page?"), QStringLiteral("T"), QString());
        } else {
            ui.expectMessage(QStringLiteral("Overwrite it?"));
            ui.messageBox(QStringLiteral("Delete it?"), MsgBox::YesNo, QString());
        }
        qInfo("still running after the prompt");
    }
};

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
        QStringList reasons;
        recordInto(ui, reasons);
        QCOMPARE(ui.messageBox(QStringLiteral("Delete?"), MsgBox::YesNo, QString()), MsgBox::Cancel);
        QCOMPARE(ui.failures().size(), 1);
        QVERIFY(ui.failures().first().contains(QStringLiteral("Delete?")));
        QCOMPARE(reasons, ui.failures());
    }

    void wrongTextAndUnraisedExpectationsAreProblems()
    {
        ScriptedUi ui;
        QStringList reasons;
        recordInto(ui, reasons);
        ui.expectMessage(QStringLiteral("A")).expectMessage(QStringLiteral("B"));
        ui.messageBox(QStringLiteral("C"), 0, QString());
        QCOMPARE(reasons.size(), 1);
        QCOMPARE(ui.problems().size(), 3); // C was wrong; A and B were never raised
    }

    void failedPromptStopsTheRunningTestAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addRow("a prompt when none was expected")
            << "unexpected" << R"(unexpected input box: "Name of the page?")";
        QTest::addRow("a prompt whose text differs from the expected one")
            << "mismatch"
            << R"(message box "Delete it?" raised where message box "Overwrite it?" was expected)";
    }

    void failedPromptStopsTheRunningTestAtOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(childVariable), kind);
        env.insert(QStringLiteral("QTEST_DISABLE_STACK_DUMP"), QStringLiteral("1"));
        env.insert(QStringLiteral("QTEST_DISABLE_CORE_DUMP"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        QVERIFY2(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0, qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("QFATAL : RaisesUnexpectedPrompts::raise() ") + reason),
                 qPrintable(output));
        QVERIFY2(!output.contains(QStringLiteral("still running")), qPrintable(output));
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(childVariable)) {
        RaisesUnexpectedPrompts child;
        return QTest::qExec(&child, argc, argv);
    }
    TestScriptedUi test;
    QTest::setMainSourcePath(__FILE__);
    return QTest::qExec(&test, argc, argv);
}
#include "tst_scriptedui.moc"
