#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    void copyReplacesAnExistingTarget()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("a.gif"), "new picture");
        writeBytes(dir.filePath("b.gif"), "old");
        QString error;
        QVERIFY2(copyFile(dir.filePath("a.gif"), dir.filePath("b.gif"), &error), qPrintable(error));
        QCOMPARE(readBytes(dir.filePath("b.gif")), QByteArray("new picture"));
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
