#include "pagekit/headfoot.h"

#include "testprogram.h"

#include <QTest>

using namespace mosaicon;

class TestHeadFoot : public QObject
{
    Q_OBJECT

private slots:
    void freshFolderGetsBothDefaults()
    {
        TestProgram tp;
        check_head_foot_files();
        QCOMPARE(tp.read("htmlhead.htm"),
                 QByteArray("<html>\r\n<center>\r\n<h1>Mosaicon HTML Output</h1>\r\n</center>\r\n<p>\r\n"));
        QCOMPARE(tp.read("htmlfoot.htm"), QByteArray("</body>\r\n</html>\r\n"));
    }

    void existingFilesAreNeverTouched_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addRow("a footer of the user's") << "htmlfoot.htm" << QByteArray("<p>mine</p>\n");
        QTest::addRow("an empty header") << "htmlhead.htm" << QByteArray();
    }
    void existingFilesAreNeverTouched()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TestProgram tp;
        tp.write(name, content);
        check_head_foot_files();
        QCOMPARE(tp.read(name), content);
        const QString other = name == QLatin1String("htmlhead.htm") ? QStringLiteral("htmlfoot.htm")
                                                                    : QStringLiteral("htmlhead.htm");
        QVERIFY(!tp.read(other).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHeadFoot)
#include "tst_headfoot.moc"
