#include "platform/profilefile.h"

#include "platform/files.h"

#include "filesizelimit.h"
#include "tmpfsmount.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using namespace mosaicon::platform;
using namespace Qt::StringLiterals;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { resetProfiles(); }

    void missingFileStaysMissing_data();
    void missingFileStaysMissing();
    void rereadsAfterAnotherWriter_data();
    void rereadsAfterAnotherWriter();
    void pendingChangeSurvivesAnotherWriter();
    void batchWritesAtOutermostEnd();
    void batchLooksAtFileOnceAndWritesOnce();
    void batchSeesChangeMadeBeforeIt_data();
    void batchSeesChangeMadeBeforeIt();
    void resetWritesPendingChanges();
    void failedWriteKeepsChange_data();
    void failedWriteKeepsChange();
    void sharesOneObjectPerPath();
    void twoProgramsPuttingKeysKeepEachOthers();
    void aFileKeptAsALinkStaysOneWithItsMode();
    void aLinkIntoAFolderThatTakesNoNewFileIsWrittenOver_data();
    void aLinkIntoAFolderThatTakesNoNewFileIsWrittenOver();
    void aLockKeptByAnotherProgramKeepsChangesUntilItEnds_data();
    void aLockKeptByAnotherProgramKeepsChangesUntilItEnds();
};

void TestProfileFile::missingFileStaysMissing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("in its folder") << u"none.ini"_s;
    // Nothing can be saved there, and nothing needs to be: no failure.
    QTest::addRow("in a folder that is not there") << u"gone/none.ini"_s;
}

void TestProfileFile::missingFileStaysMissing()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    ProfileFile& file = profile(path);
    QCOMPARE(file.get(u"A"_s, u"x"_s, u"d"_s), u"d"_s);
    QVERIFY(!file.contains(u"A"_s, u"x"_s));
    QVERIFY(file.sectionNames().isEmpty());
    file.remove(u"A"_s, u"x"_s);
    file.write(u"A"_s, u"y"_s, std::nullopt);
    QVERIFY2(file.flush(), qPrintable(file.errorString()));
    QVERIFY(!QFile::exists(path));
}

void TestProfileFile::rereadsAfterAnotherWriter_data()
{
    QTest::addColumn<QByteArray>("behindItsBack");
    QTest::addColumn<bool>("keepSize");
    QTest::addColumn<QString>("expected");

    QTest::addRow("the file grew") << QByteArray("[A]\r\nx=12345\r\n") << false << "12345";
    QTest::addRow("same size, other modification time")
        << QByteArray("[A]\r\nx=2\r\n") << true << "2";
    QTest::addRow("the file vanished") << QByteArray() << false << "<default>";
}

void TestProfileFile::rereadsAfterAnotherWriter()
{
    QFETCH(QByteArray, behindItsBack);
    QFETCH(bool, keepSize);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    ProfileFile& file = profile(path);
    file.put(u"A"_s, u"x"_s, u"1"_s);
    QCOMPARE(file.get(u"A"_s, u"x"_s), u"1"_s);
    const QDateTime written = QFileInfo(path).lastModified();

    if (behindItsBack.isEmpty()) {
        QVERIFY(QFile::remove(path));
    } else {
        writeBytes(path, behindItsBack);
        QFile touched(path);
        QVERIFY(touched.open(QIODevice::ReadWrite));
        QVERIFY(touched.setFileTime(written.addSecs(5), QFileDevice::FileModificationTime));
    }
    QCOMPARE(QFileInfo(path).size() == QByteArray("[A]\r\nx=1\r\n").size(), keepSize);
    QCOMPARE(file.get(u"A"_s, u"x"_s, u"<default>"_s), expected);
}

void TestProfileFile::pendingChangeSurvivesAnotherWriter()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, "[A]\nx=1\n");
    {
        ProfileBatch batch;
        profile(path).put(u"B"_s, u"y"_s, u"2"_s);
        writeBytes(path, "[A]\nx=1\nz=3\n");
    }
    QCOMPARE(readBytes(path), QByteArray("[A]\nx=1\nz=3\n[B]\r\ny=2\r\n"));
}

void TestProfileFile::batchWritesAtOutermostEnd()
{
    QTemporaryDir dir;
    const QString first = dir.filePath(u"first.ini"_s);
    const QString second = dir.filePath(u"second.ini"_s);
    writeBytes(first, "[A]\nx=0\n");
    {
        ProfileBatch outer;
        QVERIFY(ProfileBatch::active());
        profile(first).put(u"A"_s, u"x"_s, u"1"_s);
        {
            ProfileBatch inner;
            profile(first).put(u"A"_s, u"y"_s, u"2"_s);
            profile(second).put(u"B"_s, u"z"_s, u"3"_s);
        }
        QCOMPARE(readBytes(first), QByteArray("[A]\nx=0\n"));
        QVERIFY(!QFile::exists(second));
        QCOMPARE(profile(first).get(u"A"_s, u"x"_s), u"1"_s);
        QCOMPARE(profile(first).get(u"a"_s, u"Y"_s), u"2"_s);
    }
    QVERIFY(!ProfileBatch::active());
    QCOMPARE(readBytes(first), QByteArray("[A]\nx=1\r\ny=2\r\n"));
    QCOMPARE(readBytes(second), QByteArray("[B]\r\nz=3\r\n"));
}

void TestProfileFile::batchLooksAtFileOnceAndWritesOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, "[A]\nx=0\n");
    ProfileFile& file = profile(path);
    const ProfileFile::DiskUse before = file.diskUse();
    {
        ProfileBatch batch;
        for (int i = 0; i < 1000; ++i) {
            ProfileBatch inner; // nested batches change nothing
            file.put(u"A"_s, u"k%1"_s.arg(i), QString::number(i));
            QCOMPARE(file.get(u"a"_s, u"K%1"_s.arg(i)), QString::number(i));
        }
        QCOMPARE(file.get(u"A"_s, u"x"_s), u"0"_s);
        QCOMPARE(readBytes(path), QByteArray("[A]\nx=0\n"));
    }
    const ProfileFile::DiskUse after = file.diskUse();
    QCOMPARE(after.writes - before.writes, 1);
    // Once when the batch first reads; at its end once before writing, to keep
    // another writer's change, and once after, to know the file as written.
    QVERIFY2(after.stats - before.stats <= 3,
             qPrintable(QString::number(after.stats - before.stats)));
    const QByteArray written = readBytes(path);
    QVERIFY(written.startsWith("[A]\nx=0\nk0=0\r\nk1=1\r\n"));
    QVERIFY(written.endsWith("k998=998\r\nk999=999\r\n"));
}

void TestProfileFile::batchSeesChangeMadeBeforeIt_data()
{
    QTest::addColumn<bool>("readInEarlierBatch");
    QTest::addRow("the file was last read outside a batch") << false;
    QTest::addRow("the file was last read in an earlier batch") << true;
}

void TestProfileFile::batchSeesChangeMadeBeforeIt()
{
    QFETCH(bool, readInEarlierBatch);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, "[A]\nx=1\n");
    ProfileFile& file = profile(path);
    {
        std::optional<ProfileBatch> earlier;
        if (readInEarlierBatch)
            earlier.emplace();
        QCOMPARE(file.get(u"A"_s, u"x"_s), u"1"_s);
    }
    writeBytes(path, "[A]\nx=22\n");
    ProfileBatch batch;
    QCOMPARE(file.get(u"A"_s, u"x"_s), u"22"_s);
    file.put(u"A"_s, u"y"_s, u"3"_s);
    QCOMPARE(file.get(u"A"_s, u"x"_s), u"22"_s);
}

void TestProfileFile::resetWritesPendingChanges()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    ProfileBatch batch;
    profile(path).put(u"A"_s, u"x"_s, u"1"_s);
    QVERIFY(!QFile::exists(path));
    resetProfiles();
    QCOMPARE(readBytes(path), QByteArray("[A]\r\nx=1\r\n"));
}

void TestProfileFile::failedWriteKeepsChange_data()
{
    QTest::addColumn<QString>("kind");

    QTest::addRow("a read-only directory") << "read-only";
    QTest::addRow("a directory that does not exist") << "missing";
    QTest::addRow("a write cut short by the file size limit") << "cut short";
}

void TestProfileFile::failedWriteKeepsChange()
{
    QFETCH(QString, kind);

    QTemporaryDir dir;
    const QString folder = dir.filePath(u"folder"_s);
    const QString path = folder + u"/mosaik.ini"_s;
    if (kind == u"read-only") {
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder + u"/probe"_s);
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("This user may write into read-only folders (root?).");
        }
    }

    std::optional<FileSizeLimit> limit;
    if (kind == u"cut short") {
        QVERIFY(QDir().mkdir(folder));
        limit.emplace(4);
    }

    ProfileFile& file = profile(path);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Cannot save .*mosaik\\.ini"_s));
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    file.put(u"A"_s, u"x"_s, u"1"_s);
    file.put(u"A"_s, u"y"_s, u"2"_s);
    const bool flushed = file.flush();
    limit.reset();
    QVERIFY(file.errorString().contains(u"mosaik.ini"));
    QCOMPARE(file.get(u"A"_s, u"x"_s), u"1"_s);
    QCOMPARE(file.get(u"A"_s, u"y"_s), u"2"_s);
    QVERIFY(!flushed);
    QVERIFY(!QFile::exists(path));

    if (kind == u"cut short")
        QVERIFY2(file.errorString().endsWith(QString::fromLocal8Bit(std::strerror(EFBIG))),
                 qPrintable(file.errorString()));
    else if (kind == u"read-only")
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    else
        QVERIFY(QDir().mkdir(folder));
    QVERIFY(file.flush());
    QVERIFY(file.errorString().isEmpty());
    QCOMPARE(readBytes(path), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
}

void TestProfileFile::sharesOneObjectPerPath()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    ProfileFile& file = profile(dir.filePath(u"a.ini"_s));
    QCOMPARE(&profile(dir.path() + u"/sub/../a.ini"_s), &file);
    QCOMPARE(&profile(dir.path() + u"//./a.ini"_s), &file);
    QVERIFY(&profile(dir.filePath(u"A.ini"_s)) != &file);
    QCOMPARE(file.path(), QDir::cleanPath(dir.filePath(u"a.ini"_s)));
}

// Two copies of the program putting records into one file at once: each put
// changes only its own key, whatever the other wrote since it last read.
void TestProfileFile::twoProgramsPuttingKeysKeepEachOthers()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"mosaik.ini"_s);
    writeBytes(path, "[Current]\r\nEditor=vi\r\n");
    constexpr int keys = 60;
    const QString section = u"Associated Text Title"_s;
    int start[2];
    QCOMPARE(::pipe(start), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        if (children[c] == 0) {
            // Both begin together, when the pipe is closed.
            ::close(start[1]);
            char byte = 0;
            while (::read(start[0], &byte, 1) > 0) {
            }
            ProfileFile file(path);
            for (int i = 0; i < keys; ++i)
                file.put(section, u"/p/%1-%2.jpg"_s.arg(c).arg(i), u"Title %1"_s.arg(i));
            ::_exit(file.errorString().isEmpty() ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t child : children) {
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ProfileFile& file = profile(path);
    QCOMPARE(file.keys(section).size(), 2 * keys);
    QCOMPARE(file.get(section, u"/p/1-59.jpg"_s), u"Title 59"_s);
    QCOMPARE(file.get(u"Current"_s, u"Editor"_s), u"vi"_s);
}

// A settings file in a dotfiles folder, linked from the program folder.
void TestProfileFile::aFileKeptAsALinkStaysOneWithItsMode()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"dotfiles"_s));
    const QString real = dir.filePath(u"dotfiles/mosaik.ini"_s);
    const QString path = dir.filePath(u"mosaik.ini"_s);
    writeBytes(real, "[A]\r\nx=1\r\n");
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(real, path));

    profile(path).put(u"A"_s, u"y"_s, u"2"_s);

    QVERIFY(QFileInfo(path).isSymLink());
    QCOMPARE(readBytes(real), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
    QCOMPARE(QFile::permissions(real), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                           QFile::WriteUser);
    QCOMPARE(QDir(dir.filePath(u"dotfiles"_s))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{u"mosaik.ini"_s});
}

void TestProfileFile::aLinkIntoAFolderThatTakesNoNewFileIsWrittenOver_data()
{
    QTest::addColumn<bool>("full");
    QTest::addRow("a folder the user may not write into") << false;
    QTest::addRow("a folder with no room for another file") << true;
}

// The file is the user's, the folder it lies in is not: no temporary file can
// be made beside it, so it is written over where it is.
void TestProfileFile::aLinkIntoAFolderThatTakesNoNewFileIsWrittenOver()
{
    QFETCH(bool, full);

    QTemporaryDir dir;
    const QString folder = dir.filePath(u"shared"_s);
    const QString real = folder + u"/mosaik.ini"_s;
    const QString path = dir.filePath(u"mosaik.ini"_s);
    QVERIFY(QDir().mkdir(folder));
    std::optional<TmpfsMount> volume;
    if (full) {
        // Its own folder and the settings file take both of its files.
        volume.emplace(folder, 64 * 1024, 2);
        if (!volume->mounted())
            QSKIP(qPrintable(volume->reason()));
    }
    writeBytes(real, "[A]\r\nx=1\r\n");
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    const QFileDevice::Permissions folderPermissions = QFile::permissions(folder);
    const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, folderPermissions); });
    if (full) {
        QFile probe(folder + u"/probe"_s);
        QVERIFY(!probe.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder + u"/probe"_s);
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("Root writes into read-only folders; the full folder stands in.");
        }
    }
    QVERIFY(QFile::link(real, path));

    QTest::failOnWarning(QRegularExpression(u".*"_s));
    ProfileFile& file = profile(path);
    file.put(u"A"_s, u"y"_s, u"2"_s);
    QCOMPARE(file.errorString(), QString());
    QCOMPARE(readBytes(real), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
    // A shorter file leaves nothing of the longer one behind.
    file.remove(u"A"_s, u"x"_s);
    QCOMPARE(readBytes(real), QByteArray("[A]\r\ny=2\r\n"));

    QVERIFY(QFileInfo(path).isSymLink());
    QCOMPARE(QFile::permissions(real),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{u"mosaik.ini"_s});
}

void TestProfileFile::aLockKeptByAnotherProgramKeepsChangesUntilItEnds_data()
{
    QTest::addColumn<bool>("timerWrites");
    QTest::addRow("a write meets the lock") << false;
    // The wait must not freeze the window: its timers run, and the write one
    // makes only tries, leaving the wait and the notice to the first write.
    QTest::addRow("a timer writes while the first write waits") << true;
}

// Another program keeps the lock: a write waits a moment, keeps its change,
// says so once, and the first write after the lock ends saves everything.
void TestProfileFile::aLockKeptByAnotherProgramKeepsChangesUntilItEnds()
{
    QFETCH(bool, timerWrites);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, "[A]\r\nx=1\r\n");
    const auto wait = ProfileFile::lockWait();
    const auto restore = qScopeGuard([wait] { ProfileFile::setLockWait(wait); });
    ProfileFile::setLockWait(std::chrono::milliseconds(timerWrites ? 400 : 50));
    std::optional<FileLock> other(std::in_place);
    QVERIFY(other->lock(path));

    ProfileFile& file = profile(path);
    int notices = 0;
    file.setLockedNotice([&notices] { ++notices; });
    const QString told = u"Cannot save %1: It is locked by another program."_s.arg(file.path());
    QTest::ignoreMessage(QtWarningMsg, told.toUtf8().constData());

    // A second timer ticking inside the timer's write would show that write waiting too.
    QTimer ticker;
    bool inTimersWrite = false;
    int ticks = 0;
    int ticksInTimersWrite = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        ticksInTimersWrite += inTimersWrite;
    });
    std::optional<bool> timersFlush;
    int noticesSeenByTimer = -1;
    if (timerWrites) {
        ticker.start(5);
        QTimer::singleShot(20, &ticker, [&] {
            inTimersWrite = true;
            file.put(u"A"_s, u"n"_s, u"5"_s);
            timersFlush = file.flush();
            inTimersWrite = false;
            noticesSeenByTimer = notices;
        });
    }
    file.put(u"A"_s, u"y"_s, u"2"_s);
    ticker.stop();
    if (timerWrites) {
        QVERIFY(timersFlush.has_value());
        QVERIFY(!*timersFlush);
        QCOMPARE(noticesSeenByTimer, 0);
        QVERIFY(ticks > 1);
        QCOMPARE(ticksInTimersWrite, 0);
        QCOMPARE(file.get(u"A"_s, u"n"_s), u"5"_s);
    }
    file.put(u"A"_s, u"z"_s, u"3"_s);
    QVERIFY(!file.flush());
    QCOMPARE(notices, 1);
    QVERIFY(file.lockedByAnother());
    QCOMPARE(readBytes(path), QByteArray("[A]\r\nx=1\r\n"));
    QCOMPARE(file.get(u"A"_s, u"y"_s), u"2"_s);

    other.reset();
    file.put(u"A"_s, u"w"_s, u"4"_s);
    QCOMPARE(file.errorString(), QString());
    QVERIFY(!file.lockedByAnother());
    QCOMPARE(readBytes(path), timerWrites ? QByteArray("[A]\r\nx=1\r\ny=2\r\nn=5\r\nz=3\r\nw=4\r\n")
                                          : QByteArray("[A]\r\nx=1\r\ny=2\r\nz=3\r\nw=4\r\n"));
    QCOMPARE(notices, 1);
}

QTEST_GUILESS_MAIN(TestProfileFile)

#include "tst_profilefile.moc"
