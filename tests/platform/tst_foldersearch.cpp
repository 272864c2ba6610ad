#include "platform/foldersearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tmpfsmount.h"

#include <optional>

using namespace mosaicon::platform;

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// a/ holds x.jpg, a symlink back to a, a symlink to x.jpg, a hidden folder
// and "mnt", which the fake volumes put on a volume of its own; a/b holds y.jpg.
struct Tree
{
    QTemporaryDir tmp;
    QString a;
    Tree()
    {
        a = QDir(tmp.path()).filePath(QStringLiteral("a"));
        touch(a + "/x.jpg");
        touch(a + "/b/y.jpg");
        touch(a + "/b/c/z.jpg");
        touch(a + "/.hidden/h.jpg");
        touch(a + "/mnt/m.jpg");
        QFile::link(a, a + "/b/loop");
        QFile::link(a + "/x.jpg", a + "/b/w.jpg");
    }
    VolumeOf volumes() const
    {
        const QString mnt = a + "/mnt";
        return [mnt](const QString& folder) -> quint64 {
            return folder == mnt || folder.startsWith(mnt + '/') ? 2 : 1;
        };
    }
    QStringList run(const QStringList& queue, bool subfolders, const QStringList& results = {},
                    bool duplicates = false) const
    {
        FolderSearch search(queue, results, {QStringLiteral("*.jpg"), subfolders, duplicates});
        search.setVolumeOf(volumes());
        search.run();
        return search.results();
    }
};

} // namespace

class TestFolderSearch : public QObject
{
    Q_OBJECT

private slots:
    void searchesLevelByLevelWithoutLinksHiddenFoldersOrOtherVolumes_data()
    {
        QTest::addColumn<bool>("mounted");
        QTest::addRow("volumes told by the caller") << false;
        QTest::addRow("volumes read from the file system, a tmpfs mounted") << true;
    }
    void searchesLevelByLevelWithoutLinksHiddenFoldersOrOtherVolumes()
    {
        QFETCH(bool, mounted);
        Tree t;
        std::optional<TmpfsMount> mount;
        if (mounted) {
            mount.emplace(t.a + "/mnt", 1 << 20);
            if (!mount->mounted())
                QSKIP(qPrintable(mount->reason()));
            touch(t.a + "/mnt/m.jpg");
        }
        FolderSearch search({t.a}, {}, {QStringLiteral("*.jpg"), true, false});
        if (!mounted)
            search.setVolumeOf(t.volumes());
        QStringList started;
        search.setFolderStarted([&](const QString& folder) { started.append(folder); });
        search.run();
        QCOMPARE(started, (QStringList{t.a, t.a + "/b", t.a + "/b/c"}));
        QCOMPARE(search.results(), (QStringList{t.a + "/x.jpg", t.a + "/b/w.jpg", t.a + "/b/y.jpg",
                                                t.a + "/b/c/z.jpg"}));
        QVERIFY(search.queue().isEmpty());
        QVERIFY(!search.stopped());
        QVERIFY(!search.full());
        if (mounted) {
            FolderSearch own({t.a + "/mnt"}, {}, {QStringLiteral("*.jpg"), true, false});
            own.run();
            QCOMPARE(own.results(), QStringList{t.a + "/mnt/m.jpg"});
        }
    }

    void aQueuedFolderOnAnotherVolumeIsSearchedItself()
    {
        Tree t;
        QCOMPARE(t.run({t.a + "/mnt"}, true), QStringList{t.a + "/mnt/m.jpg"});
    }

    void searchOfTheRootEndsAndJoinsNamesWithoutADoubledSlash()
    {
        Tree t;
        // Only "/" and the folders on the way to the tree share its volume.
        const QString a = t.a;
        FolderSearch search({QStringLiteral("/")}, {}, {QStringLiteral("y.jpg"), true, false});
        search.setVolumeOf([a](const QString& folder) -> quint64 {
            return folder == "/" || a.startsWith(folder + '/') || folder == a ||
                           folder.startsWith(a + '/')
                       ? 1
                       : 2;
        });
        search.run();
        QCOMPARE(search.results(), QStringList{a + "/b/y.jpg"});
        QVERIFY(search.queue().isEmpty());
    }

    void duplicates_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("allowed");
        QTest::addRow("a folder searched twice without duplicates adds nothing the second time")
            << QString() << false;
        QTest::addRow("a folder searched twice with duplicates adds its files again")
            << QString() << true;
        QTest::addRow("the root searched twice without duplicates adds nothing the second time")
            << QStringLiteral("/") << false;
        QTest::addRow("the root searched twice with duplicates adds its files again")
            << QStringLiteral("/") << true;
    }
    void duplicates()
    {
        QFETCH(QString, folder);
        QFETCH(bool, allowed);
        Tree t;
        if (folder.isEmpty())
            folder = t.a + "/b";
        const auto search = [&](const QStringList& results) {
            FolderSearch s({folder}, results, {QStringLiteral("*.*"), false, allowed});
            s.run();
            return s.results();
        };
        const QStringList once = search({});
        if (once.isEmpty())
            QSKIP("the root folder holds no files here");
        QVERIFY(!once.first().contains(QStringLiteral("//")));
        const QStringList twice = search(once);
        QCOMPARE(twice, allowed ? once + once : once);
        // One run over the folder queued twice, once with a trailing slash
        // unless it is the root, finds what the two runs found.
        FolderSearch both({folder, folder.endsWith('/') ? folder : folder + '/'}, {},
                          {QStringLiteral("*.*"), false, allowed});
        both.run();
        QCOMPARE(both.results(), twice);
    }

    void tenThousandDuplicatesAreAllRefused()
    {
        QTemporaryDir tmp;
        QStringList given;
        for (int i = 0; i < 10000; ++i) {
            const QString path = tmp.filePath(QStringLiteral("f%1.jpg").arg(i));
            touch(path);
            given.append(path);
        }
        FolderSearch search({tmp.path()}, given, {QStringLiteral("*.jpg"), false, false});
        search.run();
        QCOMPARE(search.results().size(), 10000);
    }

    void stopAtTheNthYield_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<QStringList>("results");
        // Yields of a: sub-folders b, mnt (passed over), then x.jpg; of b: c, then w.jpg, y.jpg.
        QTest::addRow("stopped among the sub-folders: the first stays queued")
            << 1 << QStringList{"a", "b"} << QStringList{};
        QTest::addRow("stopped at the first file: it is kept, the folder stays first")
            << 3 << QStringList{"a", "b"} << QStringList{"a/x.jpg"};
        QTest::addRow("stopped in the second folder: the first is done")
            << 5 << QStringList{"a/b", "a/b/c"} << QStringList{"a/x.jpg", "a/b/w.jpg"};
    }
    void stopAtTheNthYield()
    {
        QFETCH(int, n);
        QFETCH(QStringList, queue);
        QFETCH(QStringList, results);
        Tree t;
        const QString root = QFileInfo(t.a).path() + '/';
        FolderSearch search({t.a}, {}, {QStringLiteral("*.jpg"), true, false});
        search.setVolumeOf(t.volumes());
        bool keep = true;
        int yields = 0;
        search.setKeepGoing([&] { return keep; });
        search.setYield([&] { keep = ++yields < n; });
        search.run();
        QVERIFY(search.stopped());
        QCOMPARE(yields, n);
        QStringList expectedQueue;
        for (const QString& q : queue)
            expectedQueue.append(q == "b" ? t.a + "/b" : root + q);
        QStringList expectedResults;
        for (const QString& r : results)
            expectedResults.append(root + r);
        QCOMPARE(search.queue(), expectedQueue);
        QCOMPARE(search.results(), expectedResults);
    }

    void aThrottledYieldPassesTheFirstCallAndThenWaitsItsInterval()
    {
        int calls = 0;
        const auto yield = throttledYield([&] { ++calls; }, 60000);
        yield();
        yield();
        yield();
        QCOMPARE(calls, 1);
    }

    void aFullSearchEmptiesTheQueue()
    {
        Tree t;
        FolderSearch search({t.a, t.a + "/b"}, {QStringLiteral("given")},
                            {QStringLiteral("*.jpg"), true, false, 2});
        search.setVolumeOf(t.volumes());
        search.run();
        QVERIFY(search.full());
        QCOMPARE(search.results(), (QStringList{QStringLiteral("given"), t.a + "/x.jpg"}));
        QVERIFY(search.queue().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFolderSearch)
#include "tst_foldersearch.moc"
