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

// "put|section|key|value" or "remove|section|key".
void run(ProfileFile& file, const QStringList& operations)
{
    for (const QString& operation : operations) {
        const QStringList parts = operation.split(u'|');
        if (parts[0] == u"put")
            file.put(parts[1], parts[2], parts[3]);
        else
            file.remove(parts[1], parts[2]);
    }
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { resetProfiles(); }

    void editsFileExactly_data();
    void editsFileExactly();
    void lookup_data();
    void lookup();
    void missingFileStaysMissing_data();
    void missingFileStaysMissing();
    void keysReadBackExactly_data();
    void keysReadBackExactly();
    void longValueReadWhole();
    void listsNamesInFileOrder();
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
    void aLockKeptByAnotherProgramKeepsChangesUntilItEnds();
};

void TestProfileFile::editsFileExactly_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("a value is replaced in place, the other LF lines are kept")
        << true << QByteArray("[A]\nx=1\ny=2\n") << QStringList{"put|A|x|9"}
        << QByteArray("[A]\nx=9\r\ny=2\n");
    QTest::addRow("a replaced key is spelled as in the put")
        << true << QByteArray("[Main]\n  Width = 1\n") << QStringList{"put|main|WIDTH|2"}
        << QByteArray("[Main]\nWIDTH=2\r\n");
    QTest::addRow("a new key goes before the blank line that separates sections")
        << true << QByteArray("[A]\nx=1\n\n[B]\ny=2\n") << QStringList{"put|a|z|3"}
        << QByteArray("[A]\nx=1\nz=3\r\n\n[B]\ny=2\n");
    QTest::addRow("a comment counts as the end of its section")
        << true << QByteArray("[A]\nx=1\n; note\n\n[B]\n") << QStringList{"put|A|y|2"}
        << QByteArray("[A]\nx=1\n; note\ny=2\r\n\n[B]\n");
    QTest::addRow("a new section after a last line without line end starts on its own line")
        << true << QByteArray("[A]\nx=1") << QStringList{"put|B|y|2"}
        << QByteArray("[A]\nx=1\r\n[B]\r\ny=2\r\n");
    QTest::addRow("a new key after a last line without line end starts on its own line")
        << true << QByteArray("[A]\nx=1") << QStringList{"put|A|y|2"}
        << QByteArray("[A]\nx=1\r\ny=2\r\n");
    QTest::addRow("a new section adds no blank line")
        << true << QByteArray("[A]\nx=1\n\n") << QStringList{"put|B|y|2"}
        << QByteArray("[A]\nx=1\n\n[B]\r\ny=2\r\n");
    QTest::addRow("CR line ends are read and kept")
        << true << QByteArray("[A]\rx=1\ry=2\r") << QStringList{"put|A|y|3"}
        << QByteArray("[A]\rx=1\ry=3\r\n");
    QTest::addRow("lines before the first section are kept and are no section")
        << true << QByteArray("; top\nx=0\n[A]\n") << QStringList{"put|A|x|1"}
        << QByteArray("; top\nx=0\n[A]\nx=1\r\n");
    QTest::addRow("the first section of a name wins")
        << true << QByteArray("[A]\nx=1\n[B]\n[a]\nx=2\n") << QStringList{"put|A|x|3"}
        << QByteArray("[A]\nx=3\r\n[B]\n[a]\nx=2\n");
    QTest::addRow("a section name is matched trimmed and in any case")
        << true << QByteArray("[ Main ]\r\n") << QStringList{"put|MAIN|x|1"}
        << QByteArray("[ Main ]\r\nx=1\r\n");
    QTest::addRow("remove takes out only the key line")
        << true << QByteArray("[A]\r\nx=1\r\ny=2\n") << QStringList{"remove|A|X"}
        << QByteArray("[A]\r\ny=2\n");
    QTest::addRow("removing a missing key or section changes nothing")
        << true << QByteArray("[A]\nx=1") << QStringList{"remove|A|q", "remove|B|x"}
        << QByteArray("[A]\nx=1");
    QTest::addRow("after removing the first of two equal keys the second one is found")
        << true << QByteArray("[A]\nx=1\nX=2\n") << QStringList{"remove|A|x", "put|A|x|3"}
        << QByteArray("[A]\nx=3\r\n");
    QTest::addRow("after removing the last key a new key follows the line before it")
        << true << QByteArray("[A]\nx=1\n\ny=2\n\n[B]\n")
        << QStringList{"remove|A|y", "put|A|z|3", "put|A|w|4"}
        << QByteArray("[A]\nx=1\nz=3\r\nw=4\r\n\n\n[B]\n");
    QTest::addRow("putting the value a key already has leaves its line alone")
        << true << QByteArray("[A]\nx=1\n") << QStringList{"put|A|x|1"} << QByteArray("[A]\nx=1\n");
    QTest::addRow("line breaks in a value become blanks")
        << true << QByteArray() << QStringList{"put|A|x|a\r\nb\nc\rd"}
        << QByteArray("[A]\r\nx=a b c d\r\n");
    QTest::addRow("a key holding \"=\" is written quoted")
        << true << QByteArray() << QStringList{"put|Thumbnails (ir)|/p/a=b \"1\".gif|5"}
        << QByteArray("[Thumbnails (ir)]\r\n\"/p/a=b \\\"1\\\".gif\"=5\r\n");
    QTest::addRow("the byte order mark is kept and does not hide the first section")
        << true << QByteArray("\xEF\xBB\xBF[A]\nx=1\n") << QStringList{"put|A|x|2"}
        << QByteArray("\xEF\xBB\xBF[A]\nx=2\r\n");
    QTest::addRow("putting into a missing file creates it and its section")
        << false << QByteArray() << QStringList{"put|A|x|1", "put|A|y|2"}
        << QByteArray("[A]\r\nx=1\r\ny=2\r\n");
    QTest::addRow("keys in exact sections differ by case")
        << true << QByteArray("[associated text]\n/p/A.gif=1\n")
        << QStringList{"put|Associated Text|/p/a.gif|2", "remove|Associated Text|/P/A.GIF"}
        << QByteArray("[associated text]\n/p/A.gif=1\n/p/a.gif=2\r\n");
}

void TestProfileFile::editsFileExactly()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, start);
    QFETCH(QStringList, operations);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"mosaik.ini"_s);
    if (exists)
        writeBytes(path, start);
    run(profile(path), operations);
    QCOMPARE(readBytes(path), expected);
    QVERIFY(profile(path).errorString().isEmpty());
}

void TestProfileFile::lookup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray exact = "[Thumbnails (ir)]\n/p/A.gif=upper\n/p/a.gif=lower\n";
    QTest::addRow("section and key in another case")
        << QByteArray("[Main]\nWidth=10\n") << u"mAIN"_s << u"WIDTH"_s << u"10"_s;
    QTest::addRow("key and value trimmed of blanks")
        << QByteArray("[A]\n\t x  =  v 1 \t\n") << u"A"_s << u" x "_s << u"v 1"_s;
    QTest::addRow("CR LF is not part of the value")
        << QByteArray("[A]\r\nx=1\r\n") << u"A"_s << u"x"_s << u"1"_s;
    QTest::addRow("the value is everything after the first \"=\"")
        << QByteArray("[A]\nx=a=b ; c\n") << u"A"_s << u"x"_s << u"a=b ; c"_s;
    QTest::addRow("the first of two equal keys wins")
        << QByteArray("[A]\nx=1\nX=2\n") << u"A"_s << u"x"_s << u"1"_s;
    QTest::addRow("exact section: lower-case file")
        << exact << u"Thumbnails (ir)"_s << u"/p/a.gif"_s << u"lower"_s;
    QTest::addRow("exact section: upper-case file")
        << exact << u"thumbnails (IR)"_s << u"/p/A.gif"_s << u"upper"_s;
    QTest::addRow("exact section: a third spelling is another file")
        << exact << u"Thumbnails (ir)"_s << u"/P/A.GIF"_s << u"<default>"_s;
    QTest::addRow("exact section: Thumbnails (vi)")
        << QByteArray("[Thumbnails (vi)]\nA=1\n") << u"Thumbnails (vi)"_s << u"a"_s
        << u"<default>"_s;
    QTest::addRow("exact section: Associated Text Title")
        << QByteArray("[Associated Text Title]\nA=1\n") << u"associated text title"_s << u"a"_s
        << u"<default>"_s;
    QTest::addRow("a similar name is an ordinary section")
        << QByteArray("[Associated Texts]\nA=1\n") << u"Associated Texts"_s << u"a"_s << u"1"_s;
    QTest::addRow("a quoted key") << QByteArray("[A]\n \"a=\\\"b\\\\\" = 1\n") << u"A"_s
                                  << u"a=\"b\\"_s << u"1"_s;
    QTest::addRow("a comment is no key")
        << QByteArray("[A]\n;x=1\n") << u"A"_s << u";x"_s << u"<default>"_s;
    QTest::addRow("a line without \"=\" is no key")
        << QByteArray("[A]\nx\n") << u"A"_s << u"x"_s << u"<default>"_s;
    QTest::addRow("a key before the first section belongs to none")
        << QByteArray("x=1\n[A]\n") << u"A"_s << u"x"_s << u"<default>"_s;
    QTest::addRow("a missing section")
        << QByteArray("[A]\nx=1\n") << u"B"_s << u"x"_s << u"<default>"_s;
}

void TestProfileFile::lookup()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, content);
    ProfileFile& file = profile(path);
    QCOMPARE(file.get(section, key, u"<default>"_s), expected);
    QCOMPARE(file.contains(section, key), expected != u"<default>");
}

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

void TestProfileFile::keysReadBackExactly_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");

    QTest::addRow("a path holding \"=\"") << u"Thumbnails (ir)"_s << u"/p/a=b.gif"_s;
    QTest::addRow("a leading blank") << u"Associated Text"_s << u" /p/x.gif"_s;
    QTest::addRow("a trailing blank") << u"Associated Text"_s << u"/p/x.gif "_s;
    QTest::addRow("a leading quote") << u"Thumbnails (vi)"_s << u"\"q\".gif"_s;
    QTest::addRow("a leading bracket") << u"Thumbnails (vi)"_s << u"[1].gif"_s;
    QTest::addRow("a leading semicolon") << u"Thumbnails (vi)"_s << u";x.gif"_s;
    QTest::addRow("quotes and backslashes inside a quoted key") << u"R"_s << u"=a\\\"b\\"_s;
    QTest::addRow("a line break") << u"Associated Text"_s << u"/p/two\nlines\r.gif"_s;
    QTest::addRow("non-ASCII letters") << u"Associated Text"_s << u"/p/Fotos/Ärger ß=1.jpg"_s;
}

void TestProfileFile::keysReadBackExactly()
{
    QFETCH(QString, section);
    QFETCH(QString, key);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"records.ini"_s);
    profile(path).put(section, u"first"_s, u"0"_s);
    profile(path).put(section, key, u"value"_s);
    profile(path).put(section, u"last"_s, u"2"_s);
    resetProfiles();

    // A fresh object reads the file from disk.
    ProfileFile file(path);
    QCOMPARE(file.keys(section), (QStringList{u"first"_s, key, u"last"_s}));
    QCOMPARE(file.get(section, key), u"value"_s);
    QCOMPARE(file.get(section, u"last"_s), u"2"_s);
    file.put(section, key, u"changed"_s);
    QCOMPARE(ProfileFile(path).get(section, key), u"changed"_s);
    QCOMPARE(file.keys(section).size(), 3);
}

void TestProfileFile::longValueReadWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    QString value;
    for (int i = 0; i < 1000; ++i)
        value += QChar(u'a' + i % 26);
    writeBytes(path, "[A]\nlong=" + value.toUtf8() + "\n");
    QCOMPARE(profile(path).get(u"A"_s, u"long"_s), value);

    profile(path).put(u"A"_s, u"other"_s, value + value);
    resetProfiles();
    QCOMPARE(profile(path).get(u"A"_s, u"other"_s).size(), 2000);
}

void TestProfileFile::listsNamesInFileOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, "k=0\n[Zeta]\nB=1\n;c=3\na=2\nb=9\n[alpha]\n[ZETA]\nq=1\n");
    ProfileFile& file = profile(path);
    file.remove(u"zeta"_s, u"a"_s);
    file.put(u"Zeta"_s, u"C"_s, u"4"_s);
    file.put(u"Beta"_s, u"x"_s, u"1"_s);
    QCOMPARE(file.sectionNames(), (QStringList{u"Zeta"_s, u"alpha"_s, u"Beta"_s}));
    QCOMPARE(file.keys(u"ZETA"_s), (QStringList{u"B"_s, u"C"_s}));
    QVERIFY(file.keys(u"alpha"_s).isEmpty());
    QVERIFY(file.keys(u"missing"_s).isEmpty());
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

// Another program keeps the lock: a write waits a moment, keeps its change,
// says so once, and the first write after the lock ends saves everything.
void TestProfileFile::aLockKeptByAnotherProgramKeepsChangesUntilItEnds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    writeBytes(path, "[A]\r\nx=1\r\n");
    const auto wait = ProfileFile::lockWait();
    const auto restore = qScopeGuard([wait] { ProfileFile::setLockWait(wait); });
    ProfileFile::setLockWait(std::chrono::milliseconds(50));
    std::optional<FileLock> other(std::in_place);
    QVERIFY(other->lock(path));

    ProfileFile& file = profile(path);
    int notices = 0;
    file.setLockedNotice([&notices] { ++notices; });
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(u"^Not saving .*a\\.ini now: it is locked by another program\\."_s));
    file.put(u"A"_s, u"y"_s, u"2"_s);
    file.put(u"A"_s, u"z"_s, u"3"_s);
    QVERIFY(!file.flush());
    QCOMPARE(notices, 1);
    QVERIFY(file.errorString().contains(u"locked by another program"_s));
    QCOMPARE(readBytes(path), QByteArray("[A]\r\nx=1\r\n"));
    QCOMPARE(file.get(u"A"_s, u"y"_s), u"2"_s);

    other.reset();
    file.put(u"A"_s, u"w"_s, u"4"_s);
    QCOMPARE(file.errorString(), QString());
    QCOMPARE(readBytes(path), QByteArray("[A]\r\nx=1\r\ny=2\r\nz=3\r\nw=4\r\n"));
    QCOMPARE(notices, 1);
}

QTEST_GUILESS_MAIN(TestProfileFile)

#include "tst_profilefile.moc"
