#include "platform/tracelog.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace mosaicon;

class TestTraceLog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { platform::stop_trace(); }

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
        QCOMPARE(platform::msglog_entry(QString(firstLength, u'a'), QStringLiteral("read")), expected);
    }

    void shortEntry()
    {
        QCOMPARE(platform::msglog_entry(QStringLiteral("finishup"), QStringLiteral("exit")),
                 QByteArray("finishup") + QByteArray(21, ' ') + "exit\r\n");
    }

    void unwritableLogIsNoFailure()
    {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("msglog.txt")); // a folder where the log should be
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write the trace log")));
        platform::start_trace(folder.path());
        QVERIFY(platform::tracing());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write the trace log")));
        platform::trace(QStringLiteral("step"), QStringLiteral("done"));
    }
};

QTEST_GUILESS_MAIN(TestTraceLog)
#include "tst_tracelog.moc"
