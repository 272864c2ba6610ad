#include "pagekit/batchfiles.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace mosaicon;

namespace {

const QByteArray copyHead = "#!/bin/sh\n"
                            "# This batch file contains the file names associated with\n"
                            "# the html file '%F/My Pages/index.htm'.\n"
                            "#\n"
                            "# Supply the target directory on the command line to copy\n"
                            "# the files to a specified directory.\n"
                            "# *******************************************************\n";

const QByteArray deleteHead = "#!/bin/sh\n"
                              "# This batch file contains the file names associated with\n"
                              "# the html file '%F/My Pages/index.htm'.\n"
                              "#\n"
                              "# The files below are the HTML files generated for the full\n"
                              "# size images that are displayed from the thumbnail links.\n"
                              "# *********************************************************\n";

// A page in a folder with a blank, and two images whose names hold a blank
// and a single quote, each with a thumbnail and a full-size page.
struct Fixture
{
    Fixture()
    {
        settings().create_batch_files = true;
        QDir(tp.folder()).mkpath(QStringLiteral("My Pages/thumbs"));
    }

    QString page() const { return tp.path(QStringLiteral("My Pages/index.htm")); }
    QString at(const QString& name) const { return tp.path(QStringLiteral("My Pages/") + name); }
    QByteArray golden(const QByteArray& bytes) const
    {
        return QByteArray(bytes).replace("%F", QFile::encodeName(tp.folder()));
    }

    bool writeRun(QString* error)
    {
        return scripts.start_batch_files(page(), error) &&
               scripts.add_copy_line(at(QStringLiteral("thumbs/tn_a b.jpg")), error) &&
               scripts.add_copy_line(at(QStringLiteral("thumbs/tn_o'neil.jpg")), error) &&
               scripts.add_copy_line(at(QStringLiteral("a b.htm")), error) &&
               scripts.add_delete_line(at(QStringLiteral("a b.htm")), error) &&
               scripts.add_copy_line(at(QStringLiteral("o'neil.htm")), error) &&
               scripts.add_delete_line(at(QStringLiteral("o'neil.htm")), error);
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestProgram tp;
    BatchScripts scripts;
};

int runScript(const QString& script, const QStringList& arguments)
{
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"), QStringList{script} + arguments);
    if (!sh.waitForFinished(-1) || sh.exitStatus() != QProcess::NormalExit)
        return -1;
    return sh.exitCode();
}

} // namespace

class TestBatchFiles : public QObject
{
    Q_OBJECT

private slots:
    void aRunWritesBothScriptsExactly()
    {
        Fixture f;
        QString error;
        QVERIFY2(f.writeRun(&error), qPrintable(error));

        QCOMPARE(Fixture::read(f.scripts.copy_batch_path),
                 f.golden(copyHead + "cp -- '%F/My Pages/index.htm' \"${1:?}\"/\n"
                                     "\n"
                                     "cp -- '%F/My Pages/thumbs/tn_a b.jpg' \"${1:?}\"/\n"
                                     "cp -- '%F/My Pages/thumbs/tn_o'\\''neil.jpg' \"${1:?}\"/\n"
                                     "cp -- '%F/My Pages/a b.htm' \"${1:?}\"/\n"
                                     "cp -- '%F/My Pages/o'\\''neil.htm' \"${1:?}\"/\n"));
        QCOMPARE(Fixture::read(f.scripts.del_batch_path),
                 f.golden(deleteHead + "rm -f -- '%F/My Pages/index.htm'\n"
                                       "\n"
                                       "rm -f -- '%F/My Pages/a b.htm'\n"
                                       "rm -f -- '%F/My Pages/o'\\''neil.htm'\n"));
    }

    void scriptsLieBesideThePageWithFiveDigitNames()
    {
        Fixture f;
        QVERIFY(f.scripts.start_batch_files(f.page()));

        const QRegularExpression copyName(QStringLiteral("^cpy[0-9]{5}\\.sh$"));
        const QRegularExpression deleteName(QStringLiteral("^del[0-9]{5}\\.sh$"));
        const QFileInfo copyInfo(f.scripts.copy_batch_path);
        const QFileInfo deleteInfo(f.scripts.del_batch_path);
        QVERIFY2(copyName.match(copyInfo.fileName()).hasMatch(), qPrintable(f.scripts.copy_batch_path));
        QVERIFY2(deleteName.match(deleteInfo.fileName()).hasMatch(), qPrintable(f.scripts.del_batch_path));
        QCOMPARE(copyInfo.absolutePath(), QFileInfo(f.page()).absolutePath());
        QCOMPARE(deleteInfo.absolutePath(), QFileInfo(f.page()).absolutePath());

        for (const QString& script : {f.scripts.copy_batch_path, f.scripts.del_batch_path}) {
            const QFile::Permissions permissions = QFile::permissions(script);
            QVERIFY2(permissions.testFlag(QFile::ExeOwner), qPrintable(script));
            QVERIFY2(permissions.testFlag(QFile::ReadOwner), qPrintable(script));
        }
    }

    void aNameIsNeverHandedOutTwiceInOneRun()
    {
        Fixture f;
        seed_batch_file_names(7);
        QVERIFY(f.scripts.start_batch_files(f.page()));
        const QString firstCopy = f.scripts.copy_batch_path;
        const QString firstDelete = f.scripts.del_batch_path;
        QVERIFY(QFile::remove(firstCopy));
        QVERIFY(QFile::remove(firstDelete));

        // The same draws again: only the memory of this run keeps them apart.
        seed_batch_file_names(7);
        QVERIFY(f.scripts.start_batch_files(f.page()));
        QVERIFY(f.scripts.copy_batch_path != firstCopy);
        QVERIFY(f.scripts.del_batch_path != firstDelete);
    }

    void aNameTakenInTheFolderIsPassedOver()
    {
        Fixture f;
        QDir(f.tp.folder()).mkpath(QStringLiteral("other"));
        seed_batch_file_names(9);
        QVERIFY(f.scripts.start_batch_files(f.tp.path(QStringLiteral("other/page.htm"))));
        const QString takenName = QFileInfo(f.scripts.copy_batch_path).fileName();

        f.tp.write(QStringLiteral("My Pages/") + takenName, "keep me\n");
        seed_batch_file_names(9);
        QVERIFY(f.scripts.start_batch_files(f.page()));
        QVERIFY(QFileInfo(f.scripts.copy_batch_path).fileName() != takenName);
        QCOMPARE(f.tp.read(QStringLiteral("My Pages/") + takenName), QByteArray("keep me\n"));
    }

    void aPathWithControlCharactersIsSkipped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("a newline inside the name") << QStringLiteral("a\nrm -rf x.jpg");
        QTest::addRow("a tab inside the name") << QStringLiteral("a\tb.jpg");
        QTest::addRow("a carriage return at the end") << QStringLiteral("ab.jpg\r");
        QTest::addRow("the delete character") << QStringLiteral("a\x7F.jpg");
    }

    void aPathWithControlCharactersIsSkipped()
    {
        QFETCH(QString, name);
        Fixture f;
        QVERIFY(f.scripts.start_batch_files(f.page()));
        const QByteArray copyBefore = Fixture::read(f.scripts.copy_batch_path);
        const QByteArray deleteBefore = Fixture::read(f.scripts.del_batch_path);

        QVERIFY(f.scripts.add_copy_line(f.at(name)));
        QVERIFY(f.scripts.add_delete_line(f.at(name)));

        const QByteArray skipped = "# skipped: a file name with control characters\n";
        QCOMPARE(Fixture::read(f.scripts.copy_batch_path), copyBefore + skipped);
        QCOMPARE(Fixture::read(f.scripts.del_batch_path), deleteBefore + skipped);
    }

    void aPageNameWithANewlineNeverBreaksTheHead()
    {
        Fixture f;
        QVERIFY(f.scripts.start_batch_files(f.at(QStringLiteral("in\ndex.htm"))));
        const QByteArray head = f.golden(copyHead).replace("index.htm", "in?dex.htm");
        QCOMPARE(Fixture::read(f.scripts.copy_batch_path),
                 head + "# skipped: a file name with control characters\n\n");
    }

    void theCopyScriptCopiesAndTheDeleteScriptRemovesThePages()
    {
        Fixture f;
        // Names a careless quoting would expand or split.
        const QStringList images{QStringLiteral("a b.jpg"), QStringLiteral("o'neil.jpg"),
                                 QStringLiteral("$HOME `id`.jpg"), QStringLiteral("-n.jpg")};
        const QStringList pages{QStringLiteral("index.htm"), QStringLiteral("a b.htm"),
                                QStringLiteral("o'neil.htm")};
        for (const QString& name : images + pages)
            f.tp.write(QStringLiteral("My Pages/") + name, name.toUtf8());

        QVERIFY(f.scripts.start_batch_files(f.page()));
        for (const QString& name : images)
            QVERIFY(f.scripts.add_copy_line(f.at(name)));
        for (const QString& name : pages.mid(1)) {
            QVERIFY(f.scripts.add_copy_line(f.at(name)));
            QVERIFY(f.scripts.add_delete_line(f.at(name)));
        }

        // Without a destination the script stops before copying anything.
        QVERIFY(runScript(f.scripts.copy_batch_path, {}) != 0);
        const QString destination = f.tp.path(QStringLiteral("dest dir"));
        QVERIFY(QDir().mkpath(destination));
        QCOMPARE(runScript(f.scripts.copy_batch_path, {destination}), 0);
        QStringList arrived = QDir(destination).entryList(QDir::Files, QDir::Name);
        QStringList expected = images + pages;
        expected.sort();
        QCOMPARE(arrived, expected);
        for (const QString& name : expected)
            QCOMPARE(Fixture::read(destination + u'/' + name), name.toUtf8());

        QCOMPARE(runScript(f.scripts.del_batch_path, {destination}), 0);
        for (const QString& name : pages)
            QVERIFY2(!QFileInfo::exists(f.at(name)), qPrintable(name));
        for (const QString& name : images)
            QVERIFY2(QFileInfo::exists(f.at(name)), qPrintable(name));
        QCOMPARE(QDir(destination).entryList(QDir::Files, QDir::Name), expected);
    }

    void withTheSettingOffNothingIsWrittenAndOldPathsStay()
    {
        Fixture f;
        QVERIFY(f.scripts.start_batch_files(f.page()));
        const QString oldCopy = f.scripts.copy_batch_path;
        const QString oldDelete = f.scripts.del_batch_path;
        const QByteArray copyBytes = Fixture::read(oldCopy);
        const QByteArray deleteBytes = Fixture::read(oldDelete);
        const QStringList before = QDir(f.at(QString())).entryList(QDir::Files);

        settings().create_batch_files = false;
        QVERIFY(f.scripts.start_batch_files(f.page()));
        QVERIFY(f.scripts.add_copy_line(f.at(QStringLiteral("x.jpg"))));
        QVERIFY(f.scripts.add_delete_line(f.at(QStringLiteral("x.htm"))));

        QCOMPARE(f.scripts.copy_batch_path, oldCopy);
        QCOMPARE(f.scripts.del_batch_path, oldDelete);
        QCOMPARE(Fixture::read(oldCopy), copyBytes);
        QCOMPARE(Fixture::read(oldDelete), deleteBytes);
        QCOMPARE(QDir(f.at(QString())).entryList(QDir::Files), before);
    }

    void aScriptThatCannotBeWrittenReportsWhy()
    {
        Fixture f;
        const QString page = f.tp.path(QStringLiteral("missing/index.htm"));
        QString error;
        QVERIFY(!f.scripts.start_batch_files(page, &error));
        QVERIFY2(error.contains(f.tp.path(QStringLiteral("missing/cpy"))), qPrintable(error));

        error.clear();
        QVERIFY(!f.scripts.add_copy_line(f.at(QStringLiteral("a.jpg")), &error));
        QVERIFY2(error.contains(f.scripts.copy_batch_path), qPrintable(error));
        error.clear();
        QVERIFY(!f.scripts.add_delete_line(f.at(QStringLiteral("a.htm")), &error));
        QVERIFY2(error.contains(f.scripts.del_batch_path), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestBatchFiles)
#include "tst_batchfiles.moc"
