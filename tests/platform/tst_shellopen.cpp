#include "settings/program.h"
#include "settings/warning.h"

#include "platform/shellopen.h"

#include "testprogram.h"

#include <QTest>

using namespace mosaicon;

class TestShellOpen : public QObject
{
    Q_OBJECT

private slots:
    void anOpeningThatFailsNamesWhatAndWhy_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("named");
        QTest::addRow("a file address is named by its path") << "file:///pics/my%20log.txt"
                                                             << "/pics/my log.txt";
        QTest::addRow("a path is named as it is") << "/pics/a b.jpg"
                                                  << "/pics/a b.jpg";
        QTest::addRow("a web address is named as it is") << "https://example.org/a?b=c"
                                                         << "https://example.org/a?b=c";
    }
    void anOpeningThatFailsNamesWhatAndWhy()
    {
        QFETCH(QString, target);
        QFETCH(QString, named);
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Pro v4.00");
        QVERIFY(platform::shell_open(target, warn));
        QCOMPARE(tp.ui.asked().size(), 0);

        tp.shell.succeed = false;
        tp.ui.expectMessage(named + QStringLiteral(" could not be opened: ") + tp.shell.failure);
        QVERIFY(!platform::shell_open(target, warn));
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), 1);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Mosaicon Pro v4.00"));
        QCOMPARE(tp.shell.opened, (QStringList{target, target}));
    }

    void associatedProgramIsItsFirstWord()
    {
        TestProgram tp;
        tp.shell.associations.insert(QStringLiteral("htm"), QStringLiteral("/usr/bin/firefox %u"));
        QCOMPARE(platform::get_associated_program(QStringLiteral(".htm")), QStringLiteral("/usr/bin/firefox"));
        QCOMPARE(platform::get_associated_program(QStringLiteral("xyz")), QString());
    }
};

QTEST_GUILESS_MAIN(TestShellOpen)
#include "tst_shellopen.moc"
