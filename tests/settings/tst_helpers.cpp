#include "settings/helpers.h"
#include "settings/program.h"
#include "settings/thumbnailrecords.h"

#include "platform/events.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace mosaicon;

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void anOpeningThatFailsNamesWhatAndWhy_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("named");
        QTest::addRow("a file address is named by its path")
            << "file:///pics/my%20log.txt" << "/pics/my log.txt";
        QTest::addRow("a path is named as it is") << "/pics/a b.jpg" << "/pics/a b.jpg";
        QTest::addRow("a web address is named as it is") << "https://example.org/a?b=c" << "https://example.org/a?b=c";
    }
    void anOpeningThatFailsNamesWhatAndWhy()
    {
        QFETCH(QString, target);
        QFETCH(QString, named);
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Pro v4.00");
        QVERIFY(shell_open(target));
        QCOMPARE(tp.ui.asked().size(), 0);

        tp.shell.succeed = false;
        tp.ui.expectMessage(named + QStringLiteral(" could not be opened: ") + tp.shell.failure);
        QVERIFY(!shell_open(target));
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), 1);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Mosaicon Pro v4.00"));
        QCOMPARE(tp.shell.opened, (QStringList{target, target}));
    }

    void splits_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pathDir");
        QTest::addColumn<QString>("pathFile");
        QTest::addRow("a bare name is all file name, or nothing") << "photo.gif" << "" << "photo.gif" << "" << "";
        QTest::addRow("a folder ending in the separator") << "/pics/dir/" << "/pics/dir/" << "" << "/pics/dir/" << "";
        QTest::addRow("a full path") << "/pics/a b.jpg" << "/pics/" << "a b.jpg" << "/pics/" << "a b.jpg";
        QTest::addRow("a file at the root") << "/a.gif" << "/" << "a.gif" << "/" << "a.gif";
        QTest::addRow("a backslash is part of a name here") << "/p/a\\b.gif" << "/p/" << "a\\b.gif" << "/p/" << "a\\b.gif";
    }
    void splits()
    {
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, file);
        QFETCH(QString, pathDir);
        QFETCH(QString, pathFile);
        QString d = QStringLiteral("junk");
        QString f = QStringLiteral("junk");
        split_file_path(path, d, f);
        QCOMPARE(d, dir);
        QCOMPARE(f, file);
        split_path(path, d, f);
        QCOMPARE(d, pathDir);
        QCOMPARE(f, pathFile);
    }

    void relativePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("fileName");
        QTest::addRow("below the page's folder") << "/web/img/a.gif" << "/web/index.htm" << "img/a.gif" << "a.gif";
        QTest::addRow("elsewhere: the file name") << "/web/img/a.gif" << "/other/p.htm" << "a.gif" << "a.gif";
        QTest::addRow("case counts") << "/Web/a.gif" << "/web/index.htm" << "a.gif" << "a.gif";
        QTest::addRow("a page without folder keeps the path") << "/web/a.gif" << "index.htm" << "/web/a.gif" << "a.gif";
    }
    void relativePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, page);
        QFETCH(QString, expected);
        QFETCH(QString, fileName);
        QString name;
        make_relative_path(path, page, name);
        QCOMPARE(path, expected);
        QCOMPARE(name, fileName);
    }

    void fileExistsTrimsTheCallersName()
    {
        TestProgram tp;
        tp.write("a.gif", "x");
        QString name = QStringLiteral("  ") + tp.path("a.gif") + QStringLiteral(" ");
        QVERIFY(file_exists(name));
        QCOMPARE(name, tp.path("a.gif"));
        QString folder = tp.folder();
        QVERIFY(!file_exists(folder));
    }

    void tempNamesAreEightDigitsAndNeverRepeat()
    {
        TestProgram tp;
        QSet<QString> seen;
        const QRegularExpression form(QStringLiteral("^%1/\\d{8}\\.htm$")
                                          .arg(QRegularExpression::escape(tp.folder())));
        for (int i = 0; i < 500; ++i) {
            QString out;
            make_temp_file_name(out, tp.folder(), QStringLiteral("htm"));
            QVERIFY2(form.match(out).hasMatch(), qPrintable(out));
            QVERIFY(!seen.contains(out));
            seen.insert(out);
        }
    }

    void tempNameSkipsAnExistingFile()
    {
        TestProgram tp;
        seed_temp_file_names(7);
        QString first;
        make_temp_file_name(first, tp.folder(), QStringLiteral("sh"));
        seed_temp_file_names(7);
        tp.write(QFileInfo(first).fileName(), "taken");
        QString second;
        make_temp_file_name(second, tp.folder(), QStringLiteral("sh"));
        QVERIFY(second != first);
        QVERIFY(!QFileInfo::exists(second));
    }

    void associatedProgramIsItsFirstWord()
    {
        TestProgram tp;
        tp.shell.associations.insert(QStringLiteral("htm"), QStringLiteral("/usr/bin/firefox %u"));
        QString ext = QStringLiteral(".htm");
        get_associated_program(ext);
        QCOMPARE(ext, QStringLiteral("/usr/bin/firefox"));
        ext = QStringLiteral("xyz");
        get_associated_program(ext);
        QCOMPARE(ext, QString());
    }

    void thumbnailLookupUsesUpPageRecords()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        tp.write("cat_tn.jpg", "ir");
        tp.write("tn_cat.jpg", "vi");
        const QString image = tp.path("cat.gif");
        auto& ini = settingsFile();
        ini.put(QStringLiteral("Thumbnails (ir)"), image, tp.path("cat_tn.jpg"));
        ini.put(QStringLiteral("Thumbnails (vi)"), image, tp.path("tn_cat.jpg"));

        QString path = image;
        find_thumbnail(path);
        QCOMPARE(path, tp.path("cat_tn.jpg"));
        path = image;
        find_thumbnail(path);
        QCOMPARE(path, tp.path("tn_cat.jpg"));
        QVERIFY(ini.contains(QStringLiteral("Thumbnails (vi)"), image));

        QFile::remove(tp.path("tn_cat.jpg"));
        path = image;
        find_thumbnail(path);
        QCOMPARE(path, QString());
    }

    void thumbnailIconOfAMovie()
    {
        TestProgram tp;
        Program& p = program();
        p.ini_file_path = tp.path("mosaik.ini");
        p.settings.internet_dir = tp.path("web");
        QDir(tp.folder()).mkdir(QStringLiteral("web"));
        tp.write("Avi.gif", "icon");
        settingsFile().put(QStringLiteral("Thumbnail Icons"), QStringLiteral("avi"),
                           tp.path("Avi.gif"));

        QString icon;
        QVERIFY(get_thumbnail_icon(tp.path("movie.avi"), icon, true));
        QCOMPARE(icon, tp.path("Avi.gif"));
        QVERIFY(QFileInfo::exists(tp.path("web/Avi.gif")));
    }

    void thumbnailIconMissingMarksThePlaceholder()
    {
        TestProgram tp;
        Program& p = program();
        p.ini_file_path = tp.path("mosaik.ini");
        tp.write("qmark.gif", "?");
        auto& ini = settingsFile();
        ini.put(QStringLiteral("Thumbnail Icons"), QStringLiteral("other"), tp.path("qmark.gif"));

        QString icon;
        QVERIFY(get_thumbnail_icon(tp.path("song.wav"), icon, false));
        QCOMPARE(icon, tp.path("qmark.gif"));
        QCOMPARE(ini.get(QStringLiteral("Thumbnail Icons"), QStringLiteral("wav")),
                 QStringLiteral("{no icon file name defined}"));

        QFile::remove(tp.path("qmark.gif"));
        QVERIFY(!get_thumbnail_icon(tp.path("song.wav"), icon, false));
        QCOMPARE(icon, QString());
    }

    void statusGoesToTheWindowAndLetsEventsRun()
    {
        TestProgram tp;
        int pumps = 0;
        platform::setDoEventsHook([&] { ++pumps; });
        show_status(QStringLiteral("Working"));
        QCOMPARE(pumps, 1);
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
