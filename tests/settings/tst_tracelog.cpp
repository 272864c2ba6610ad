#include "settings/program.h"
#include "settings/startup.h"
#include "settings/tracelog.h"

#include "testprogram.h"

#include <QTest>

using namespace mosaicon;

class TestTraceLog : public QObject
{
    Q_OBJECT

private slots:
    void secondTextStartsAtColumn30_data()
    {
        QTest::addColumn<int>("firstLength");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray a28(28, 'a');
        const QByteArray a29(29, 'a');
        const QByteArray a30(30, 'a');
        QTest::addRow("28 characters: one blank before the second text") << 28 << a28 + " read\r\n";
        QTest::addRow("29 characters: the second text follows at once") << 29 << a29 + "read\r\n";
        QTest::addRow("30 characters: the second text on a line of its own")
            << 30 << a30 + "\r\n" + QByteArray(29, ' ') + "read\r\n";
    }
    void secondTextStartsAtColumn30()
    {
        QFETCH(int, firstLength);
        QFETCH(QByteArray, expected);
        QCOMPARE(msglog_entry(QString(firstLength, u'a'), QStringLiteral("read")), expected);
    }

    void shortEntry()
    {
        QCOMPARE(msglog_entry(QStringLiteral("finishup"), QStringLiteral("exit")),
                 QByteArray("finishup") + QByteArray(21, ' ') + "exit\r\n");
    }

    void traceSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("on");
        QTest::addRow("log_messages alone") << QStringList{"log_messages"} << true;
        QTest::addRow("in capitals") << QStringList{"LOG_MESSAGES"} << true;
        QTest::addRow("followed by /v") << QStringList{"log_messages", "/v"} << false;
        QTest::addRow("no arguments") << QStringList{} << false;
        QTest::addRow("another word") << QStringList{"log_messages_2"} << false;
    }
    void traceSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, on);
        TestProgram tp(arguments);
        tp.write("msglog.txt", "an old run\r\n");
        init_trace_switch();
        QCOMPARE(program().log_messages_on, on);
        const QByteArray separator(25, '-');
        const QByteArray expected =
            on ? separator + QByteArray(4, ' ') + separator + "\r\n" : QByteArray("an old run\r\n");
        QCOMPARE(tp.read("msglog.txt"), expected);
    }

    void tracedRunLeavesItsSteps()
    {
        TestProgram tp({QStringLiteral("log_messages")});
        init_application();
        init_trace_switch();
        startitoff();
        finishup();
        const QString log = QString::fromUtf8(tp.read("msglog.txt"));
        QStringList lines = log.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString()); // the last entry ends its line
        const auto entry = [](const char* first, const char* second) {
            return QString::fromUtf8(first).leftJustified(29) + QString::fromUtf8(second);
        };
        const QString separator(25, u'-');
        QCOMPARE(lines, (QStringList{separator.leftJustified(29) + separator,
                                     entry("startitoff", "readwriteini_write"), entry("readwriteini", "write"),
                                     entry("startitoff", "readwriteini_read"), entry("readwriteini", "read"),
                                     entry("readwriteini", "write"), entry("finishup", "exit")}));
        QCOMPARE(tp.endCalls, 1);
    }

    void unwritableLogIsNoFailure()
    {
        TestProgram tp({QStringLiteral("log_messages")});
        QDir(tp.folder()).mkdir(QStringLiteral("msglog.txt")); // a folder where the log should be
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write the trace log")));
        init_trace_switch();
        QVERIFY(program().log_messages_on);
        VERIFY_DIALOGS(tp);
    }
};

QTEST_GUILESS_MAIN(TestTraceLog)
#include "tst_tracelog.moc"
