#include "platform/filelist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using mosaicon::platform::FileList;

namespace {

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        for (const char* name : {"A.GIF", "b.Jpg", "c.jpeg", "noext", ".hidden.gif", "x.gif.txt"})
            QVERIFY(touch(m_dir->filePath(QString::fromLatin1(name))));
        // A directory whose name matches every pattern but must never be listed.
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dir.gif.jpg")));
    }

    void cleanup() { m_dir.reset(); }

    void pattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("expected");
        const QStringList all = {"A.GIF", "b.Jpg", "c.jpeg", "noext", "x.gif.txt"};
        QTest::addRow("*.* lists every file, also one without a dot") << "*.*" << all;
        QTest::addRow("* lists every file") << "*" << all;
        QTest::addRow("an empty pattern lists every file") << "" << all;
        QTest::addRow("a pattern of blanks and separators lists every file") << " ; ;" << all;
        QTest::addRow("*.gif matches an upper-case extension only at the end")
            << "*.gif" << QStringList{"A.GIF"};
        QTest::addRow("two masks") << "*.gif;*.jpg" << QStringList{"A.GIF", "b.Jpg"};
        QTest::addRow("blanks around upper-case masks are trimmed")
            << " *.GIF ; *.JPG " << QStringList{"A.GIF", "b.Jpg"};
        QTest::addRow("? stands for exactly one character") << "*.jp?" << QStringList{"b.Jpg"};
        QTest::addRow("empty masks between separators are ignored")
            << ";;c.*;" << QStringList{"c.jpeg"};
        QTest::addRow("a mask without wildcards matches the whole name only")
            << "noext;x.gif" << QStringList{"noext"};
        QTest::addRow("* in the middle") << "*.gif*" << QStringList{"A.GIF", "x.gif.txt"};
        QTest::addRow("a mask that matches nothing") << "*.png" << QStringList{};
    }

    void pattern()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, expected);
        FileList list;
        list.setPattern(pattern);
        QVERIFY2(list.setPath(m_dir->path()), qPrintable(list.errorString()));
        QCOMPARE(list.names(), expected);
        QCOMPARE(list.count(), expected.size());
        QCOMPARE(list.name(0), expected.value(0));
    }

    void orderIsCaseInsensitiveThenCaseSensitive()
    {
        QTemporaryDir dir;
        // "_" lies between the upper and the lower case letters: it comes
        // before every letter, as the case folding makes them lower case.
        for (const char* name : {"b", "B", "a1", "a_", "A2", "a", "_", "Ölfeld", "olm"})
            QVERIFY(touch(dir.filePath(QString::fromUtf8(name))));
        FileList list;
        QVERIFY(list.setPath(dir.path()));
        QCOMPARE(list.names(),
                 (QStringList{"_", "a", "a1", "A2", "a_", "B", "b", "olm", "Ölfeld"}));
    }

    void caseFoldingCoversNonAsciiNames()
    {
        QVERIFY(touch(m_dir->filePath(QStringLiteral("Ölfeld.JPG"))));
        FileList list;
        list.setPattern(QStringLiteral("öl*.jpg"));
        QVERIFY(list.setPath(m_dir->path()));
        QCOMPARE(list.names(), QStringList{QStringLiteral("Ölfeld.JPG")});
    }

    void symlinksToFilesOnly()
    {
        QVERIFY(QFile::link(m_dir->filePath("A.GIF"), m_dir->filePath("link.gif")));
        QVERIFY(QFile::link(m_dir->filePath("missing.gif"), m_dir->filePath("broken.gif")));
        QVERIFY(QFile::link(m_dir->filePath("dir.gif.jpg"), m_dir->filePath("dirlink.gif")));
        FileList list;
        list.setPattern(QStringLiteral("*.gif"));
        QVERIFY(list.setPath(m_dir->path()));
        QCOMPARE(list.names(), (QStringList{"A.GIF", "link.gif"}));
    }

    void patternChangeRelistsAtOnce()
    {
        FileList list;
        QVERIFY(list.setPath(m_dir->path() + QStringLiteral("/dir.gif.jpg/..//")));
        QCOMPARE(list.path(), m_dir->path());
        list.setPattern(QStringLiteral("*.jpeg"));
        QCOMPARE(list.names(), QStringList{"c.jpeg"});
    }

    void failedSetPathKeepsPathAndNames_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addRow("a directory that does not exist") << "missing";
        QTest::addRow("a file") << "noext";
        QTest::addRow("nothing") << "";
    }

    void failedSetPathKeepsPathAndNames()
    {
        QFETCH(QString, target);
        FileList list;
        list.setPattern(QStringLiteral("*.gif"));
        QVERIFY(list.setPath(m_dir->path()));
        QVERIFY(list.errorString().isEmpty());
        QVERIFY(!list.setPath(target.isEmpty() ? target : m_dir->filePath(target)));
        QVERIFY(!list.errorString().isEmpty());
        QCOMPARE(list.path(), m_dir->path());
        QCOMPARE(list.names(), QStringList{"A.GIF"});
    }

    void refreshFollowsTheDisk()
    {
        FileList list;
        QVERIFY(list.setPath(m_dir->path()));
        QVERIFY(QFile::remove(m_dir->filePath("b.Jpg")));
        QVERIFY(touch(m_dir->filePath("d.png")));
        QCOMPARE(list.count(), 5);
        list.refresh();
        QCOMPARE(list.names(), (QStringList{"A.GIF", "c.jpeg", "d.png", "noext", "x.gif.txt"}));

        QVERIFY(QDir(m_dir->path()).removeRecursively());
        list.refresh();
        QCOMPARE(list.names(), QStringList{});
        QVERIFY(!list.errorString().isEmpty());
        QCOMPARE(list.path(), m_dir->path());
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestFileList)
#include "tst_filelist.moc"
