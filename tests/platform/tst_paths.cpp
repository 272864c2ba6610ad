#include "platform/paths.h"
#include "platform/randomnames.h"

#include "testprogram.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace mosaicon;

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void splits_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pathDir");
        QTest::addColumn<QString>("pathFile");
        QTest::addRow("a bare name is all file name, or nothing") << "photo.gif"
                                                                  << ""
                                                                  << "photo.gif"
                                                                  << ""
                                                                  << "";
        QTest::addRow("a folder ending in the separator") << "/pics/dir/"
                                                          << "/pics/dir/"
                                                          << ""
                                                          << "/pics/dir/"
                                                          << "";
        QTest::addRow("a full path") << "/pics/a b.jpg"
                                     << "/pics/"
                                     << "a b.jpg"
                                     << "/pics/"
                                     << "a b.jpg";
        QTest::addRow("a file at the root") << "/a.gif"
                                            << "/"
                                            << "a.gif"
                                            << "/"
                                            << "a.gif";
        QTest::addRow("a backslash is part of a name here") << "/p/a\\b.gif"
                                                            << "/p/"
                                                            << "a\\b.gif"
                                                            << "/p/"
                                                            << "a\\b.gif";
    }
    void splits()
    {
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, file);
        QFETCH(QString, pathDir);
        QFETCH(QString, pathFile);
        const platform::PathParts fileParts = platform::split_file_path(path);
        QCOMPARE(fileParts.directory, dir);
        QCOMPARE(fileParts.file_name, file);
        const platform::PathParts pathParts = platform::split_path(path);
        QCOMPARE(pathParts.directory, pathDir);
        QCOMPARE(pathParts.file_name, pathFile);
    }

    void relativePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("fileName");
        QTest::addRow("below the page's folder") << "/web/img/a.gif"
                                                 << "/web/index.htm"
                                                 << "img/a.gif"
                                                 << "a.gif";
        QTest::addRow("elsewhere: the file name") << "/web/img/a.gif"
                                                  << "/other/p.htm"
                                                  << "a.gif"
                                                  << "a.gif";
        QTest::addRow("case counts") << "/Web/a.gif"
                                     << "/web/index.htm"
                                     << "a.gif"
                                     << "a.gif";
        QTest::addRow("a page without folder keeps the path") << "/web/a.gif"
                                                              << "index.htm"
                                                              << "/web/a.gif"
                                                              << "a.gif";
    }
    void relativePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, page);
        QFETCH(QString, expected);
        QFETCH(QString, fileName);
        QCOMPARE(platform::make_relative_path(path, page), expected);
        QCOMPARE(platform::split_file_path(path).file_name, fileName);
    }

    void fileExistsLooksUpTheTrimmedName()
    {
        TestProgram tp;
        tp.write("a.gif", "x");
        const QString name = QStringLiteral("  ") + tp.path("a.gif") + QStringLiteral(" ");
        QVERIFY(platform::file_exists(name));
        QVERIFY(!platform::file_exists(tp.path("b.gif")));
        const QString folder = tp.folder();
        QVERIFY(!platform::file_exists(folder));
    }

    void tempNamesAreEightDigitsAndNeverRepeat()
    {
        TestProgram tp;
        QSet<QString> seen;
        const QRegularExpression form(
            QStringLiteral("^%1/\\d{8}\\.htm$").arg(QRegularExpression::escape(tp.folder())));
        for (int i = 0; i < 500; ++i) {
            const QString out = platform::make_temp_file_name(tp.folder(), QStringLiteral("htm")).value_or(QString());
            QVERIFY2(form.match(out).hasMatch(), qPrintable(out));
            QVERIFY(!seen.contains(out));
            seen.insert(out);
        }
    }

    void tempNameSkipsAnExistingFile()
    {
        TestProgram tp;
        platform::seed_random_names(7, true);
        const QString first = platform::make_temp_file_name(tp.folder(), QStringLiteral("sh")).value_or(QString());
        platform::seed_random_names(7, true);
        tp.write(QFileInfo(first).fileName(), "taken");
        const QString second = platform::make_temp_file_name(tp.folder(), QStringLiteral("sh")).value_or(QString());
        QVERIFY(second != first);
        QVERIFY(!QFileInfo::exists(second));
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
