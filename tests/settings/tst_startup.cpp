#include "settings/program.h"
#include "settings/readwriteini.h"
#include "settings/startup.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/profilefile.h"
#include "platform/tracelog.h"

#include "everysetting.h"
#include "fakemainform.h"
#include "filesizelimit.h"
#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <optional>

#include <unistd.h>

using namespace mosaicon;
using namespace Qt::StringLiterals;

namespace {

QByteArray crlf(const QStringList& lines)
{
    return (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
}

void makeUninstaller(const TestProgram& tp, bool executable)
{
    tp.write(u"uninstall"_s, "#!/bin/sh\n");
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        permissions |= QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(tp.path(u"uninstall"_s), permissions));
}

// The next start of the program in the same folder.
void restart(const TestProgram& tp)
{
    resetProgram();
    program().program_folder = tp.folder();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initApplicationSetsPathsAndWritesUninstallIni()
    {
        TestProgram tp;
        tp.write(u"uninstall.ini"_s, "[Current]\r\nVersion=Mosaicon Pro v3.00\r\nPath=/old/place\r\n");
        init_application();
        QCOMPARE(program().ini_file_path, tp.folder() + u"/mosaik.ini"_s);
        QCOMPARE(program().uninstall_ini_path, tp.folder() + u"/uninstall.ini"_s);
        QCOMPARE(program().product_title, u"Mosaicon Pro v4.00"_s);
        QCOMPARE(tp.read(u"uninstall.ini"_s),
                 crlf({u"[Current]"_s, u"Version=Mosaicon Pro v4.00"_s, u"Path="_s + tp.folder()}));
    }

    void uninstallStart_data()
    {
        QTest::addColumn<bool>("helper");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("uninstallIni");
        QTest::addColumn<bool>("started");
        QTest::addRow("first start with an executable uninstall: started") << true << true << false << true;
        QTest::addRow("uninstall is not executable: not started") << true << false << false << false;
        QTest::addRow("no uninstall program: nothing started") << false << false << false << false;
        QTest::addRow("uninstall.ini already there: not started") << true << true << true << false;
    }
    void uninstallStart()
    {
        QFETCH(bool, helper);
        QFETCH(bool, executable);
        QFETCH(bool, uninstallIni);
        QFETCH(bool, started);
        TestProgram tp;
        if (helper)
            makeUninstaller(tp, executable);
        if (uninstallIni)
            tp.write(u"uninstall.ini"_s, "[Current]\r\nPath=/old\r\n");
        init_application();
        QCOMPARE(tp.shell.started.size(), started ? 1 : 0);
        if (started) {
            QCOMPARE(tp.shell.started.first().program, tp.folder() + u"/uninstall"_s);
            QCOMPARE(tp.shell.started.first().arguments, QStringList{u"-s"_s});
        }
        VERIFY_DIALOGS(tp);
    }

    void uninstallStartsOnlyOnTheFirstStart()
    {
        TestProgram tp;
        makeUninstaller(tp, true);
        init_application();
        restart(tp);
        init_application();
        QCOMPARE(tp.shell.started.size(), 1);
        QCOMPARE(tp.read(u"uninstall.ini"_s),
                 crlf({u"[Current]"_s, u"Version=Mosaicon Pro v4.00"_s, u"Path="_s + tp.folder()}));
    }

    void firstStartCreatesTheSettingsFile_data()
    {
        QTest::addColumn<bool>("withWindow");
        QTest::addColumn<QRect>("geometry"); // null: not in its normal state
        QTest::addColumn<QStringList>("windowKeys");
        QTest::addRow("no main window") << false << QRect() << QStringList();
        QTest::addRow("a main window in its normal state")
            << true << QRect(1500, 1200, 9000, 6750)
            << QStringList{u"Form Top= 1200"_s, u"Form Left= 1500"_s, u"Form Height= 6750"_s, u"Form Width= 9000"_s};
        QTest::addRow("a minimised main window") << true << QRect() << QStringList();
    }
    void firstStartCreatesTheSettingsFile()
    {
        QFETCH(bool, withWindow);
        QFETCH(QRect, geometry);
        QFETCH(QStringList, windowKeys);
        TestProgram tp;
        FakeMainForm form;
        if (!geometry.isNull())
            form.geometry = geometry;
        init_application();
        startitoff(withWindow ? &form : nullptr);

        const QStringList lines = QStringList{
            u"[Current]"_s,
            u"Load Delay= 0"_s,
            u"Thumbnail Optimize=No"_s,
            u"Prefix Thumbnail File=No"_s,
            u"File Title=No"_s,
            u"Thumbnail Style=With Borders"_s,
            u"Source Directory For Images=No"_s,
            u"Use Background Image=No"_s,
            u"Internet Ready=Yes"_s,
            u"Purge Internet Directory=No"_s,
        } + windowKeys + QStringList{
            u"Rename HTML=No"_s,
            u"Use Thumbnail=No"_s,
            u"Header And Footer=No"_s,
            u"GIF & JPEG Only=No"_s,
            u"Create Batch Files=No"_s,
            u"Relative Address=No"_s,
            u"Print KB Size=No"_s,
            u"Print Pixel Size=No"_s,
            u"File Name Only=No"_s,
            u"File Name & Path=No"_s,
            u"Auto Start Browser=Yes"_s,
            u"Auto Start Editor=No"_s,
            u"Create Thumbnail=No"_s,
            u"3D Thumbnail=No"_s,
            u"File Names=No"_s,
            u"Image Borders=No"_s,
            u"Individual Selections=No"_s,
            u"Logo Background=12632256"_s,
            u"[Full Size Image]"_s,
            u"Use Text=No"_s,
            u"Use Options=No"_s,
            u"[Slides]"_s,
            u"Use Image Directory=No"_s,
            u"Navigation Icons=No"_s,
            u"Auto Advance=No"_s,
            u"Display Title=No"_s,
            u"Preformatted Text=No"_s,
            u"Use Associated Text=No"_s,
            u"Slide Loop=No"_s,
            u"Rename Slide=No"_s,
        };
        QCOMPARE(tp.read(u"mosaik.ini"_s), crlf(lines));

        // The new file's "No"s and "With Borders" win over the missing-key defaults.
        const Settings& s = settings();
        QCOMPARE(s.auto_start_browser, true);
        QCOMPARE(s.use_frames, false);
        QCOMPARE(s.use_image_directory, false);
        QCOMPARE(s.thumb_style, ThumbStyle::WithBorders);
        QCOMPARE(s.logo_background, 12632256);
        QCOMPARE(s.internet_ready, true);
        QCOMPARE(s.pixel_height.text(), u"25"_s);
        QCOMPARE(s.last_directory.text(), tp.folder() + u"/html"_s);
        VERIFY_DIALOGS(tp);
    }

    void existingSettingsFileIsOnlyRead()
    {
        TestProgram tp;
        const QByteArray file = "[Current]\r\nPixel Height=40\r\n";
        tp.write(u"mosaik.ini"_s, file);
        init_application();
        startitoff();
        QCOMPARE(tp.read(u"mosaik.ini"_s), file);
        QCOMPARE(settings().pixel_height.text(), u"40"_s);
        QCOMPARE(settings().thumb_style, ThumbStyle::WithoutBorders);
        QCOMPARE(settings().use_frames, true);
        QCOMPARE(settings().auto_start_browser, false);
    }

    void unwritableSettingsFile_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addRow("mosaik.ini is a folder") << false;
        QTest::addRow("the program folder is read-only") << true;
    }
    void unwritableSettingsFile()
    {
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && geteuid() == 0)
            QSKIP("a read-only folder is still writable for root");
        TestProgram tp;
        createFiles(tp, filesOfEverySetting);
        const QString ini = tp.path(u"mosaik.ini"_s);
        QFile folder(tp.folder());
        const QFileDevice::Permissions permissions = folder.permissions();
        // Put back however the test ends, so that the temporary folder can go.
        const auto restore = qScopeGuard([&] { folder.setPermissions(permissions); });
        if (readOnlyFolder)
            QVERIFY(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        else
            QVERIFY(QDir().mkdir(ini));
        init_application();
        startitoff();
        startup_housekeeping();
        make_thumbs_dir();
        QCOMPARE(settings().pixel_height.text(), u"25"_s);
        settings() = everySettingChanged(tp.folder());
        // The settings are lost: the user hears of it once, on the way out.
        tp.ui.expectMessage(std::nullopt);
        finishup();
        // Nothing could be stored, so reading the settings again gives every default.
        restart(tp);
        init_application();
        readwriteini(IniMode::Read);
        QVERIFY(tp.ui.asked().last().text.startsWith(u"The settings could not be saved. "_s));
        QVERIFY(tp.ui.asked().last().text.contains(ini));
        QCOMPARE(QFileInfo(ini).isDir(), !readOnlyFolder);
        QCOMPARE(QFileInfo::exists(ini), !readOnlyFolder);
        QCOMPARE(tp.endCalls, 1);
        QCOMPARE(describe(settings()), describe(defaultSettings(tp.folder())));
        VERIFY_DIALOGS(tp);
    }

    void housekeeping_data()
    {
        QTest::addColumn<bool>("oldLog");
        QTest::addRow("filecopy.log from an earlier run is removed") << true;
        QTest::addRow("no filecopy.log is no error") << false;
    }
    void housekeeping()
    {
        QFETCH(bool, oldLog);
        TestProgram tp;
        FakeMainForm form;
        if (oldLog)
            tp.write(u"filecopy.log"_s, "copied a.jpg\r\n");
        tp.write(u"filecopy.txt"_s, "kept\r\n");
        init_application();
        startup_housekeeping(&form);
        QVERIFY(!QFileInfo::exists(tp.path(u"filecopy.log"_s)));
        QCOMPARE(tp.read(u"filecopy.txt"_s), QByteArray("kept\r\n"));
        QCOMPARE(form.calls, (QStringList{u"dialog folder "_s + tp.folder(), u"View Images"_s, u"button 4"_s,
                                          u"refreshToolbar"_s}));
        VERIFY_DIALOGS(tp);
    }

    void thumbsFolder()
    {
        TestProgram tp;
        init_application();
        make_thumbs_dir();
        QCOMPARE(program().thumbnail_dir, tp.folder() + u"/thumbs"_s);
        QVERIFY(QFileInfo(tp.path(u"thumbs"_s)).isDir());
        tp.write(u"thumbs/a.jpg"_s, "thumb");
        make_thumbs_dir(); // the folder exists: no error, nothing lost
        QCOMPARE(tp.read(u"thumbs/a.jpg"_s), QByteArray("thumb"));
    }

    void finishupSavesOnceThenEnds()
    {
        TestProgram tp({u"log_messages"_s});
        init_application();
        init_trace_switch();
        startitoff();
        QByteArray savedAtEnd;
        platform::setEndProgramHook([&] {
            savedAtEnd = tp.read(u"mosaik.ini"_s);
            ++tp.endCalls;
        });
        settings().pixel_height = u"64"_s;
        finishup(); // File > Exit
        settings().pixel_height = u"99"_s;
        finishup(); // then the window's close
        QCOMPARE(tp.endCalls, 1);
        QVERIFY2(savedAtEnd.contains("\r\nPixel Height=64\r\n"), "the settings were not saved before the end");
        QCOMPARE(tp.read(u"mosaik.ini"_s), savedAtEnd);

        QStringList log = QString::fromUtf8(tp.read(u"msglog.txt"_s)).split(u"\r\n"_s);
        QCOMPARE(log.takeLast(), QString());
        QCOMPARE(log.last(), u"finishup"_s.leftJustified(29) + u"exit"_s);
        QCOMPARE(log.filter(u"finishup"_s).size(), 1);
        // One save at the first start, one at shut-down.
        QCOMPARE(log.count(u"readwriteini"_s.leftJustified(29) + u"write"_s), 2);
    }

    // At the end no later write can keep a promise: the exit saves, waiting
    // for another program's lock, or says plainly that the changes are lost.
    void theExitSavesOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QStringList>("told"); // %1: the settings file
        QTest::addColumn<bool>("saved");
        const QString locked = u"The settings file %1 is locked by another program."_s;
        const QString retry = locked + u" Choose Retry to wait for it again, or Cancel to leave "
                                       u"without saving the settings."_s;
        QTest::addRow("a write cut short: the reason is told")
            << u"too large"_s
            << QStringList{u"The settings could not be saved. Cannot save %1: File too large"_s}
            << false;
        QTest::addRow("a lock that goes while the exit waits: saved, nothing asked")
            << u"lock goes"_s << QStringList{} << true;
        QTest::addRow("a lock kept through the wait, then Retry once it went: saved")
            << u"lock, Retry"_s << QStringList{retry} << true;
        QTest::addRow("a lock kept through the wait, then Cancel: told the changes are lost")
            << u"lock, Cancel"_s
            << QStringList{retry, locked + u" Your changes to the settings were not saved."_s}
            << false;
    }
    void theExitSavesOrSaysWhyNot()
    {
        QFETCH(QString, obstacle);
        QFETCH(QStringList, told);
        QFETCH(bool, saved);
        TestProgram tp;
        FakeMainForm form;
        platform::setMainFormView(&form);
        init_application();
        startitoff();
        const QString ini = program().ini_file_path;
        const QByteArray before = tp.read(u"mosaik.ini"_s);
        settings().pixel_height = u"64"_s;

        const auto wait = platform::ProfileFile::lockWait();
        const auto restore = qScopeGuard([wait] { platform::ProfileFile::setLockWait(wait); });
        std::optional<platform::FileLock> other;
        std::optional<FileSizeLimit> limit;
        if (obstacle == u"too large") {
            limit.emplace(100);
        } else {
            other.emplace();
            QVERIFY(other->lock(ini));
            QTest::ignoreMessage(QtWarningMsg,
                                 u"Cannot save %1: It is locked by another program."_s.arg(ini)
                                     .toUtf8()
                                     .constData());
        }
        if (obstacle == u"lock goes") {
            // Long enough never to run out here; the lock goes within it.
            platform::ProfileFile::setLockWait(std::chrono::seconds(20));
            QTimer::singleShot(100, qApp, [&other] { other.reset(); });
        } else {
            platform::ProfileFile::setLockWait(std::chrono::milliseconds(100));
        }
        for (qsizetype i = 0; i < told.size(); ++i) {
            const bool question = obstacle.startsWith(u"lock") && i == 0;
            const int answer = obstacle == u"lock, Retry" ? platform::MsgBox::Retry
                                                         : platform::MsgBox::Cancel;
            tp.ui.expectMessage(told[i].arg(ini), question ? answer : platform::MsgBox::Ok,
                                [&other, answer] {
                                    if (answer == platform::MsgBox::Retry)
                                        other.reset();
                                });
        }
        finishup(&form);
        limit.reset();

        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), told.size());
        if (!told.isEmpty() && obstacle.startsWith(u"lock"))
            QCOMPARE(tp.ui.asked().first().style,
                     platform::MsgBox::RetryCancel | platform::MsgBox::Exclamation);
        const QString waiting = u"status The settings file %1 is locked by another program. "
                                u"Waiting to save the settings."_s.arg(ini);
        QCOMPARE(form.calls.contains(waiting), obstacle.startsWith(u"lock"));
        const QByteArray after = tp.read(u"mosaik.ini"_s);
        QCOMPARE(after.contains("\r\nPixel Height=64\r\n"), saved);
        if (!saved)
            QCOMPARE(after, before);
        QCOMPARE(tp.endCalls, 1);
    }
    void traceSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("on");
        QTest::addRow("log_messages alone") << QStringList{u"log_messages"_s} << true;
        QTest::addRow("in capitals") << QStringList{u"LOG_MESSAGES"_s} << true;
        QTest::addRow("followed by /v") << QStringList{u"log_messages"_s, u"/v"_s} << false;
        QTest::addRow("no arguments") << QStringList{} << false;
        QTest::addRow("another word") << QStringList{u"log_messages_2"_s} << false;
    }
    void traceSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, on);
        TestProgram tp(arguments);
        tp.write(u"msglog.txt"_s, "an old run\r\n");
        init_trace_switch();
        QCOMPARE(platform::tracing(), on);
        const QByteArray separator(25, '-');
        const QByteArray expected =
            on ? separator + QByteArray(4, ' ') + separator + "\r\n" : QByteArray("an old run\r\n");
        QCOMPARE(tp.read(u"msglog.txt"_s), expected);
    }

    void tracedRunLeavesItsSteps()
    {
        TestProgram tp({u"log_messages"_s});
        init_application();
        init_trace_switch();
        startitoff();
        finishup();
        QStringList lines = QString::fromUtf8(tp.read(u"msglog.txt"_s)).split(u"\r\n"_s);
        QCOMPARE(lines.takeLast(), QString()); // the last entry ends its line
        const auto entry = [](const QString& first, const QString& second) {
            return first.leftJustified(29) + second;
        };
        const QString separator(25, u'-');
        QCOMPARE(lines, (QStringList{entry(separator, separator),
                                     entry(u"startitoff"_s, u"readwriteini_write"_s),
                                     entry(u"readwriteini"_s, u"write"_s),
                                     entry(u"startitoff"_s, u"readwriteini_read"_s),
                                     entry(u"readwriteini"_s, u"read"_s),
                                     entry(u"readwriteini"_s, u"write"_s),
                                     entry(u"finishup"_s, u"exit"_s)}));
        QCOMPARE(tp.endCalls, 1);
    }
};


QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
