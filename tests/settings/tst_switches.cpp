#include "settings/program.h"
#include "settings/switches.h"

#include "testprogram.h"

#include <QTest>

using namespace mosaicon;

class TestSwitches : public QObject
{
    Q_OBJECT

private slots:
    void checkSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("switchName");
        QTest::addColumn<QString>("expected");
        // LIST stands for the path of an existing list file, MISSING for one that is not there.
        QTest::addRow("/f takes the next argument") << QStringList{"/f", "LIST", "/v"} << "/f" << "LIST";
        QTest::addRow("/F in capitals") << QStringList{"/F", "LIST"} << "/f" << "LIST";
        QTest::addRow("/fNAME in one argument") << QStringList{"/fLIST"} << "/f" << "LIST";
        QTest::addRow("/f with a missing file") << QStringList{"/f", "MISSING"} << "/f" << "";
        QTest::addRow("/f at the end") << QStringList{"/f"} << "/f" << "";
        QTest::addRow("no /f") << QStringList{"/v"} << "/f" << "";
        QTest::addRow("/v kept after a /f path") << QStringList{"/f", "LIST", "/v"} << "/v" << "/v";
        QTest::addRow("/s given") << QStringList{"/s"} << "/s" << "/s";
        QTest::addRow("/S in capitals") << QStringList{"/S"} << "/s" << "/s";
        QTest::addRow("/s inside a path does not count") << QStringList{"/f", "/srv/pics/list.txt"} << "/s" << "";
        QTest::addRow("/x absent") << QStringList{"/s"} << "/x" << "";
        QTest::addRow("/x given") << QStringList{"/s", "/x"} << "/x" << "/x";
        QTest::addRow("another switch is left alone") << QStringList{} << "/q" << "/q";
    }
    void checkSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, switchName);
        QFETCH(QString, expected);
        TestProgram tp;
        // A path in mixed case comes back as it was typed: the file system knows case.
        const QString list = tp.path("My List.TXT");
        tp.write("My List.TXT", "");
        for (QString& a : arguments) {
            a.replace(QLatin1String("LIST"), list);
            a.replace(QLatin1String("MISSING"), tp.path("none.txt"));
        }
        expected.replace(QLatin1String("LIST"), list);
        program().arguments = arguments;
        QCOMPARE(check_switch(switchName), expected);
    }

    void listFileStops_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<int>("stoppedAt"); // the line that stopped the reading, 0 when none did
        QTest::addRow("every line names a file") << QByteArray("<A>\r\n<B>\r\n<C>\r\n") << 3 << 0;
        QTest::addRow("LF line ends") << QByteArray("<A>\n<B>\n<C>") << 3 << 0;
        QTest::addRow("CR line ends") << QByteArray("<A>\r<B>\r") << 2 << 0;
        QTest::addRow("stops at a missing file, keeping what came before") << QByteArray("<A>\r\n<X>\r\n<C>\r\n") << 1 << 2;
        QTest::addRow("stops at an empty line") << QByteArray("<A>\r\n\r\n<C>\r\n") << 1 << 2;
        QTest::addRow("first line missing loads nothing") << QByteArray("<X>\r\n<A>\r\n") << 0 << 1;
        QTest::addRow("blanks around a name are not part of the test") << QByteArray("  <A>  \r\n<B>\r\n") << 2 << 0;
    }
    void listFileStops()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, loaded);
        QFETCH(int, stoppedAt);
        TestProgram tp;
        tp.write("a.gif", "a");
        tp.write("b b.jpg", "b");
        tp.write("c.png", "c");
        content.replace("<A>", tp.path("a.gif").toUtf8());
        content.replace("<B>", tp.path("b b.jpg").toUtf8());
        content.replace("<C>", tp.path("c.png").toUtf8());
        content.replace("<X>", tp.path("gone.gif").toUtf8());
        tp.write("list.txt", content);
        qsizetype stopped = -1;
        const QStringList entries = read_list_file(tp.path("list.txt"), &stopped);
        QCOMPARE(entries.size(), loaded);
        QCOMPARE(stopped, stoppedAt);
        if (loaded > 0)
            QVERIFY(entries.first().trimmed() == tp.path("a.gif"));
        if (loaded > 1)
            QCOMPARE(entries.at(1), tp.path("b b.jpg"));
    }
};

QTEST_GUILESS_MAIN(TestSwitches)
#include "tst_switches.moc"
