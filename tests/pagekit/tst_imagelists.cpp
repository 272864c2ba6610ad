#include "pagekit/imagelists.h"

#include <QTest>

using namespace mosaicon;

class TestImageLists : public QObject
{
    Q_OBJECT

private slots:
    void sortsIgnoringCaseThenByCase_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("case is ignored before anything else")
            << QStringList{"/p/b.jpg", "/p/A.jpg", "/p/C.jpg"} << QStringList{"/p/A.jpg", "/p/b.jpg", "/p/C.jpg"};
        QTest::addRow("names equal but for case keep one order from any start")
            << QStringList{"/p/a.jpg", "/p/A.jpg"} << QStringList{"/p/A.jpg", "/p/a.jpg"};
        QTest::addRow("the same, given the other way round")
            << QStringList{"/p/A.jpg", "/p/a.jpg"} << QStringList{"/p/A.jpg", "/p/a.jpg"};
        QTest::addRow("folders compare before names")
            << QStringList{"/Q/a.jpg", "/p/z.jpg"} << QStringList{"/p/z.jpg", "/Q/a.jpg"};
    }
    void sortsIgnoringCaseThenByCase()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, expected);
        sort_image_paths(given);
        QCOMPARE(given, expected);
        for (const QString& path : expected)
            QCOMPARE(expected.at(image_path_insert_index(expected, path)), path);
    }
};

QTEST_GUILESS_MAIN(TestImageLists)
#include "tst_imagelists.moc"
