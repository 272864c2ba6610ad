#include "platform/desktopshell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mosaicon::platform;
using namespace Qt::StringLiterals;

namespace {

// A PATH that holds only a stand-in for the desktop's opener, which records
// what it was given and ends as the script says; with no script, a PATH that
// holds nothing, whatever this machine has installed. The browser variables,
// which Qt would try without an opener, are cleared for the same reason.
class FakeOpener
{
public:
    explicit FakeOpener(const QByteArray& script)
    {
        m_oldPath = qgetenv("PATH");
        m_oldBrowser = qgetenv("BROWSER");
        m_oldDefaultBrowser = qgetenv("DEFAULT_BROWSER");
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
        if (!script.isEmpty()) {
            QFile opener(m_dir.filePath(u"xdg-open"_s));
            opener.open(QIODevice::WriteOnly);
            opener.write("#!/bin/sh\nPATH=/usr/bin:/bin\n"
                         "printf '%s' \"$1\" > \"" + QFile::encodeName(given()) + ".part\"\n" +
                         "mv \"" + QFile::encodeName(given()) + ".part\" \"" +
                         QFile::encodeName(given()) + "\"\n" + script);
            opener.close();
            opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(m_dir.path()));
    }
    ~FakeOpener()
    {
        qputenv("PATH", m_oldPath);
        restore("BROWSER", m_oldBrowser);
        restore("DEFAULT_BROWSER", m_oldDefaultBrowser);
    }

    QString given() const { return m_dir.filePath(u"given"_s); }
    QString folder() const { return m_dir.path(); }

private:
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir m_dir;
    QByteArray m_oldPath;
    QByteArray m_oldBrowser;
    QByteArray m_oldDefaultBrowser;
};

} // namespace

class TestDesktopShell : public QObject
{
    Q_OBJECT

private slots:
    void aFailingOpenerIsToldWithItsReason_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("reason");
        QTest::addRow("the opener hands it over") << QByteArray("exit 0\n") << QString();
        QTest::addRow("no program opens files of its kind")
            << QByteArray("echo \"xdg-open: no method available for opening it\" >&2\nexit 3\n")
            << u"No program that opens it is installed.\nxdg-open: no method available for opening it"_s;
        QTest::addRow("the viewer it started failed") << QByteArray("exit 4\n")
                                                      << u"The program that opens it failed."_s;
        QTest::addRow("the opener is killed") << QByteArray("kill -9 $$\n")
                                              << u"The opener (xdg-open) ended abnormally."_s;
    }
    void aFailingOpenerIsToldWithItsReason()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, reason);
        FakeOpener opener(script);
        const QString file = opener.folder() + u"/a log.txt"_s;
        QStringList told;
        DesktopShell shell;
        // The opener's answer comes later: open() only hands the file over.
        QVERIFY(shell.open(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded),
                           [&told](const QString& why) { told.append(why); }));
        QVERIFY(told.isEmpty());
        QTRY_VERIFY(QFile::exists(opener.given()));
        QFile given(opener.given());
        QVERIFY(given.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(given.readAll()), file);
        if (reason.isEmpty()) {
            QTest::qWait(300);
            QCOMPARE(told, QStringList());
        } else {
            QTRY_COMPARE(told, QStringList{reason});
        }
    }

    // The viewer xdg-open starts keeps the opener's error output and may
    // write to it long after xdg-open has ended.
    void aViewerWritingItsErrorsLaterOutlivesTheOpener()
    {
        FakeOpener opener("(sleep 0.5; echo late >&2 && touch \"$(dirname \"$0\")/alive\") &\nexit 0\n");
        QStringList told;
        DesktopShell shell;
        QVERIFY(shell.open(opener.folder() + u"/a.jpg"_s,
                           [&told](const QString& why) { told.append(why); }));
        QTRY_VERIFY(QFile::exists(opener.folder() + u"/alive"_s));
        QCOMPARE(told, QStringList());
    }

    void withoutAnOpenerTheFailureIsToldAtOnce()
    {
        FakeOpener none{QByteArray()};
        QStringList told;
        DesktopShell shell;
        QVERIFY(!shell.open(u"https://example.invalid/"_s, [&told](const QString& why) { told.append(why); }));
        QCOMPARE(told, QStringList{u"No program that opens files and addresses is installed "
                                   "(xdg-open, of the package xdg-utils)."_s});
    }
};

QTEST_MAIN(TestDesktopShell)
#include "tst_desktopshell.moc"
