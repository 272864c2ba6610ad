#include "platform/files.h"

#include "filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <csignal>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mosaicon::platform;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestFiles : public QObject
{
    Q_OBJECT

private slots:
    void makeDirKeepsWhatIsThere()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("pages");
        makeDir(path);
        QVERIFY(QFileInfo(path).isDir());
        writeBytes(dir.filePath("pages/index.htm"), "<html>");
        makeDir(path);
        QCOMPARE(readBytes(dir.filePath("pages/index.htm")), QByteArray("<html>"));
        writeBytes(dir.filePath("notes"), "a file");
        makeDir(dir.filePath("notes")); // a file in the way: ignored, and the file kept
        QCOMPARE(readBytes(dir.filePath("notes")), QByteArray("a file"));
    }

    void copyReplacesAnExistingTarget()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("a.gif"), "new picture");
        writeBytes(dir.filePath("b.gif"), "old");
        QString error;
        QVERIFY2(copyFile(dir.filePath("a.gif"), dir.filePath("b.gif"), &error), qPrintable(error));
        QCOMPARE(readBytes(dir.filePath("b.gif")), QByteArray("new picture"));
    }

    // Nothing may be done through a name that leads to another file or none;
    // a name spelt with U+FFFD itself is a name like any other.
    void undecodableNames_data()
    {
        QTest::addColumn<QList<QByteArray>>("files"); // as bytes, in a folder of their own
        QTest::addColumn<QByteArray>("listed");       // the bytes of the name in the list
        QTest::addColumn<bool>("bySearch"); // read by the search, else by the system's listing
        QTest::addColumn<bool>("undecodable");
        const QByteArray notUtf8 = "b\xff.jpg";
        const QByteArray replacement = "b\xef\xbf\xbd.jpg";
        QTest::addRow("a byte that is not UTF-8, as the search reads it")
            << QList<QByteArray>{notUtf8} << notUtf8 << true << true;
        QTest::addRow("a byte that is not UTF-8, as the system's listing reads it")
            << QList<QByteArray>{notUtf8} << notUtf8 << false << true;
        QTest::addRow("a folder on the way whose name is not UTF-8")
            << QList<QByteArray>{"d\xff/a.jpg"} << QByteArray("d\xff/a.jpg") << false << true;
        QTest::addRow("a name spelt with U+FFFD itself")
            << QList<QByteArray>{replacement} << replacement << true << false;
        QTest::addRow("a name spelt with U+FFFD beside one the system's listing reads the same")
            << QList<QByteArray>{notUtf8, replacement} << replacement << false << true;
    }
    void undecodableNames()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QByteArray, listed);
        QFETCH(bool, bySearch);
        QFETCH(bool, undecodable);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        for (const QByteArray& file : files) {
            if (file.contains('/'))
                QCOMPARE(::mkdir((folder + file.left(file.indexOf('/'))).constData(), 0755), 0);
            const int fd =
                ::open((folder + file).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        // The temporary folder cannot remove names it cannot spell.
        const auto removeRaw = qScopeGuard([&] {
            for (const QByteArray& file : files) {
                ::unlink((folder + file).constData());
                if (file.contains('/'))
                    ::rmdir((folder + file.left(file.indexOf('/'))).constData());
            }
        });
        const QString name =
            bySearch ? decodeFileName(folder + listed) : QFile::decodeName(folder + listed);
        QCOMPARE(hasUndecodableName(name), undecodable);
    }

    void copyOntoItselfKeepsThePicture_data()
    {
        QTest::addColumn<QString>("otherName");
        QTest::addRow("same path spelled with a dot") << "./photo.jpg";
        QTest::addRow("a symbolic link to it") << "link.jpg";
        QTest::addRow("a hard link to it") << "hard.jpg";
    }
    void copyOntoItselfKeepsThePicture()
    {
        QFETCH(QString, otherName);
        QTemporaryDir dir;
        const QString photo = dir.filePath("photo.jpg");
        writeBytes(photo, "the only copy");
        QFile::link(photo, dir.filePath("link.jpg"));
        QVERIFY(::link(QFile::encodeName(photo).constData(),
                       QFile::encodeName(dir.filePath("hard.jpg")).constData()) == 0);
        QVERIFY(copyFile(photo, dir.path() + u'/' + otherName));
        QCOMPARE(readBytes(photo), QByteArray("the only copy"));
    }

    void copyOfAMissingSourceFailsAndKeepsTheTarget()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("b.gif"), "old");
        QString error;
        QVERIFY(!copyFile(dir.filePath("missing.gif"), dir.filePath("b.gif"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readBytes(dir.filePath("b.gif")), QByteArray("old"));
    }

    void copyLeavesNoTemporaryFilesAndUsualPermissions_data()
    {
        QTest::addColumn<bool>("toDisk");
        QTest::addRow("flushed to disk") << true;
        QTest::addRow("left to the cache") << false;
    }
    void copyLeavesNoTemporaryFilesAndUsualPermissions()
    {
        QFETCH(bool, toDisk);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("web"));
        writeBytes(dir.filePath("a.jpg"), QByteArray(3 << 20, 'x'));
        const mode_t old = ::umask(022);
        const bool copied = copyFile(dir.filePath("a.jpg"), dir.filePath("web/a.jpg"), nullptr,
                                     toDisk ? Flush::ToDisk : Flush::ToCache);
        ::umask(old);
        QVERIFY(copied);
        QCOMPARE(readBytes(dir.filePath("web/a.jpg")), QByteArray(3 << 20, 'x'));
        QCOMPARE(QDir(dir.filePath("web")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"a.jpg"});
        // A web server must be able to read the copy.
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(dir.filePath("web/a.jpg")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0644));
    }

    void aReplaceTakesThePlaceOfTheName_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<bool>("link"); // the target is a link to dotfiles/real.htm
        QTest::addRow("a copy onto a file keeps the file's permissions") << "copy" << false;
        QTest::addRow("a copy onto a link replaces the link, not the file it leads to") << "copy" << true;
        QTest::addRow("a save onto a link replaces the link, not the file it leads to") << "save" << true;
        QTest::addRow("a save in place onto a link writes the file it leads to, beside it, keeping its mode")
            << "save in place" << true;
    }
    void aReplaceTakesThePlaceOfTheName()
    {
        QFETCH(QString, write);
        QFETCH(bool, link);
        const bool through = link && write == "save in place";
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("dotfiles"));
        const QString real = dir.filePath("dotfiles/real.htm");
        const QString target = link ? dir.filePath("link.htm") : real;
        writeBytes(real, "old");
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0640) == 0);
        QVERIFY(::symlink("dotfiles/real.htm", QFile::encodeName(dir.filePath("link.htm")).constData()) == 0);
        writeBytes(dir.filePath("new.htm"), "new");
        const mode_t old = ::umask(022);
        const bool written = write == "copy" ? copyFile(dir.filePath("new.htm"), target)
                             : write == "save" ? writeFileAtomically(target, "new")
                                               : saveFileInPlace(target, "new");
        ::umask(old);
        QVERIFY(written);
        QCOMPARE(QFileInfo(dir.filePath("link.htm")).isSymLink(), !link || through);
        QCOMPARE(readBytes(target), QByteArray("new"));
        QCOMPARE(readBytes(real), link && !through ? QByteArray("old") : QByteArray("new"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
        // A file in the link's place is a new file: it has the usual permissions.
        QCOMPARE(st.st_mode & 0777, mode_t(link && !through ? 0644 : 0640));
        QCOMPARE(QDir(dir.filePath("dotfiles")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"real.htm"});
    }

    // A killed write leaves its temporary file beside the target; the next
    // write of that target removes it. Names up to the system's limit of 255
    // bytes can be written: the temporary name does not grow with them.
    void aKilledWriteIsClearedByTheNextOne_data()
    {
        QTest::addColumn<bool>("copying");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("busy"); // writes going on when the killed one began
        const QString longest = QString(251, u'x') + ".htm";
        // Three bytes a character in UTF-8: 243 bytes and ".jpg".
        const QString cjk = QString(81, QChar(0x5199)) + ".jpg";
        QTest::addRow("a save") << false << "page.htm" << 0;
        QTest::addRow("a save of a name of 255 bytes") << false << longest << 0;
        QTest::addRow("a copy of a name of 255 bytes") << true << longest << 0;
        QTest::addRow("a copy of a name of 81 CJK characters") << true << cjk << 0;
        QTest::addRow("a save after a killed write that had the second temporary name")
            << false << "page.htm" << 1;
    }
    void aKilledWriteIsClearedByTheNextOne()
    {
        QFETCH(bool, copying);
        QFETCH(QString, name);
        QFETCH(int, busy);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("web"));
        const QString target = dir.filePath("web/" + name);
        writeBytes(dir.filePath("new"), "new");
        writeBytes(target, "old");
        std::vector<std::unique_ptr<ReplacingFile>> going;
        for (int i = 0; i < busy; ++i) {
            going.push_back(std::make_unique<ReplacingFile>(target));
            QVERIFY(going.back()->open());
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ReplacingFile file(target);
            if (file.open())
                file.file().write("half");
            ::raise(SIGKILL);
            ::_exit(1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        going.clear();
        const auto entries = [&] {
            return QDir(dir.filePath("web")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size();
        };
        QCOMPARE(entries(), 2);
        QString error;
        const bool written = copying ? copyFile(dir.filePath("new"), target, &error)
                                     : writeFileAtomically(target, "new", &error);
        QVERIFY2(written, qPrintable(error));
        QCOMPARE(readBytes(target), QByteArray("new"));
        QCOMPARE(entries(), 1);
    }

    // Two writes of one target at once (two copies of the program saving
    // their settings): the second takes the next temporary name, and the
    // later commit wins.
    void aWriteStillGoingOnIsLeftAloneByTheNextOne()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("mosaik.ini");
        ReplacingFile first(target);
        QVERIFY(first.open());
        first.file().write("first");
        ReplacingFile second(target);
        QVERIFY2(second.open(), qPrintable(second.errorString()));
        second.file().write("second");
        QVERIFY2(second.commit(Flush::ToCache), qPrintable(second.errorString()));
        QVERIFY2(first.commit(Flush::ToCache), qPrintable(first.errorString()));
        QCOMPARE(readBytes(target), QByteArray("first"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"mosaik.ini"});
    }

    void cancelledWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("thumb.jpg");
        writeBytes(path, "old thumbnail");
        {
            ReplacingFile file(path);
            QVERIFY(file.open());
            file.file().write("half a new one");
            file.cancel();
        }
        {
            // Dropped without a commit: the same as a cancel.
            ReplacingFile file(path);
            QVERIFY(file.open());
            file.file().write("another half");
        }
        QCOMPARE(readBytes(path), QByteArray("old thumbnail"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"thumb.jpg"});
        ReplacingFile missing(dir.filePath("no/such/folder/thumb.jpg"));
        QVERIFY(!missing.open());
        QVERIFY(!missing.errorString().isEmpty());
        QVERIFY(!missing.commit(Flush::ToCache));
    }

    void readableFileIsARegularFile()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("a.txt"), "x");
        QVERIFY(isReadableFile(dir.filePath("a.txt")));
        QVERIFY(!isReadableFile(dir.path()));
        QVERIFY(!isReadableFile(dir.filePath("none.txt")));
        QVERIFY(!isReadableFile(QString()));
        // A named pipe would block whoever opened it; it is no file here.
        const QString fifo = dir.filePath("pipe");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(!isReadableFile(fifo));
    }

    void atomicWriteReplacesWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.htm");
        writeBytes(path, "a much longer old content");
        QVERIFY(writeFileAtomically(path, "new"));
        QCOMPARE(readBytes(path), QByteArray("new"));
        QString error;
        QVERIFY(!writeFileAtomically(dir.filePath("no/such/folder/page.htm"), "x", &error));
        QVERIFY(!error.isEmpty());
    }

    void failedWriteSaysWhyAndKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("copying");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("room"); // the size the file may grow to
        QTest::addRow("a small write cut short") << false << 4096 << 100;
        QTest::addRow("a write larger than a write buffer cut short") << false << (1 << 20) << 100;
        QTest::addRow("a write with no room for one byte") << false << 4096 << 0;
        QTest::addRow("a copy cut short") << true << (1 << 20) << 100;
    }

    void failedWriteSaysWhyAndKeepsTheOldFile()
    {
        QFETCH(bool, copying);
        QFETCH(int, size);
        QFETCH(int, room);
        QTemporaryDir dir;
        const QString path = dir.filePath("page.htm");
        const QString source = dir.filePath("new.htm");
        const QByteArray bytes(size, 'x');
        writeBytes(path, "old page");
        writeBytes(source, bytes);
        QString error;
        bool written = false;
        {
            const FileSizeLimit limit{rlim_t(room)};
            written = copying ? copyFile(source, path, &error) : writeFileAtomically(path, bytes, &error);
        }
        QVERIFY(!written);
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(readBytes(path), QByteArray("old page"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"new.htm", "page.htm"}));
    }

    void joinPathPutsOneSlash()
    {
        QCOMPARE(joinPath("/", "a.gif"), QStringLiteral("/a.gif"));
        QCOMPARE(joinPath("/pics", "a.gif"), QStringLiteral("/pics/a.gif"));
        QCOMPARE(joinPath("/pics/", "a.gif"), QStringLiteral("/pics/a.gif"));
        QCOMPARE(joinPath("", "a.gif"), QStringLiteral("a.gif"));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
