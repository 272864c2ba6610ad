#include "mainwindow/commandtable.h"
#include "mainwindow/mainform.h"
#include "mainwindow/multidrive.h"

#include "settings/dirprofile.h"
#include "settings/program.h"

#include "platform/events.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

#include "listentries.h"
#include "testprogram.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

using namespace mosaicon;

class TestMultiDrive : public QObject
{
    Q_OBJECT

    // Pictures in "pics" and "pics/sub"; the window opened over a main window
    // whose file list was loaded from a profile, in the profile's order.
    struct Fixture
    {
        TestProgram tp;
        MainForm form;
        const QStringList opening{"/p/8.jpg", "/p/1.jpg", "/q/3.jpg"};
        Fixture()
        {
            program().settings.last_image_type = QStringLiteral("*.jpg");
            QDir(tp.folder()).mkpath(QStringLiteral("pics/sub"));
            tp.write(QStringLiteral("pics/a.jpg"), "x");
            tp.write(QStringLiteral("pics/sub/b.jpg"), "x");
            {
                const QSignalBlocker quiet(form.filefilter());
                form.filefilter()->addItems(MainForm::patterns());
            }
            form.itemlist()->clear();
            form.itemlist()->addItems(opening);
            frm_multi_drive.load();
            window()->filedir()->setPath(tp.path(QStringLiteral("pics")));
            window()->add_directory();
        }
        ~Fixture() { frm_multi_drive.unload(); }
        MultiDrive* window() { return frm_multi_drive.load(); }
    };

private slots:
    void cleanup() { platform::setDoEventsHook({}); }

    void searchFillsTheFileListAndOkHandsItToTheMainWindow()
    {
        Fixture f;
        MultiDrive* w = f.window();
        w->subdir()->setChecked(true);
        w->add_files();
        const QStringList found{f.tp.path("pics/a.jpg"), f.tp.path("pics/sub/b.jpg")};
        QCOMPARE(listEntries(w->fles()), found);
        QCOMPARE(w->selectedfiles()->title(), QStringLiteral("File List (2)"));
        QCOMPARE(w->selecteddirs()->title(), QStringLiteral("Directory List (0)"));
        f.form.showLogoView(QString());
        w->button(QStringLiteral("Command12"))->click();
        QCOMPARE(listEntries(f.form.itemlist()), found);
        // All four browsing controls come back, the pattern list too.
        QVERIFY(f.form.itemlist()->isVisibleTo(&f.form));
        QVERIFY(f.form.filedir()->isVisibleTo(&f.form));
        QVERIFY(f.form.filedrive()->isVisibleTo(&f.form));
        QVERIFY(f.form.filefilter()->isVisibleTo(&f.form));
        // The search ended in the sub-folder, and so did the directory box.
        QCOMPARE(QString(settings().last_directory), f.tp.path("pics/sub"));
        VERIFY_DIALOGS(f.tp);
    }

    void theDirectoryBoxEndsWhereTheSearchEnded_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("source");
        QTest::addRow("with sub-folders it ends in the last sub-folder searched")
            << QStringList{"pics"} << true << "pics/sub" << "Source (2)";
        QTest::addRow("a folder that cannot be entered leaves it on the one before")
            << QStringList{"pics", "gone"} << false << "pics" << "Source (1)";
    }
    void theDirectoryBoxEndsWhereTheSearchEnded()
    {
        QFETCH(QStringList, queue);
        QFETCH(bool, subfolders);
        QFETCH(QString, last);
        QFETCH(QString, source);
        Fixture f;
        f.tp.write(QStringLiteral("pics/sub/c.jpg"), "x");
        MultiDrive* w = f.window();
        // The box starts elsewhere, as a loaded directory profile leaves it.
        w->filedir()->setPath(f.tp.folder());
        w->dirs()->clear();
        for (const QString& dir : queue)
            w->dirs()->addItem(f.tp.path(dir));
        w->subdir()->setChecked(subfolders);

        w->button(QStringLiteral("Command5"))->click();

        QCOMPARE(w->filedir()->path(), f.tp.path(last));
        QCOMPARE(w->source()->title(), source);
        QCOMPARE(w->selecteddirs()->title(), QStringLiteral("Directory List (0)"));
        QCOMPARE(f.form.filedir()->path(), f.tp.path(last));
        w->button(QStringLiteral("Command12"))->click();
        QCOMPARE(QString(settings().last_directory), f.tp.path(last));
        VERIFY_DIALOGS(f.tp);
    }

    void pressesDuringASearch_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("stops");
        QTest::addColumn<bool>("handsOver");
        QTest::addRow("closing by the frame stops the search and hands nothing over")
            << QString() << true << false;
        QTest::addRow("OK stops the search and hands over what it found")
            << "Command12" << true << true;
        QTest::addRow("Cancel stops the search and hands nothing over")
            << "Command13" << true << false;
        QTest::addRow("Stop Processing stops the search") << "Command11" << true << false;
        QTest::addRow("Clear List is refused while the search runs")
            << "Command7" << false << false;
    }
    void pressesDuringASearch()
    {
        QFETCH(QString, press);
        QFETCH(bool, stops);
        QFETCH(bool, handsOver);
        Fixture f;
        MultiDrive* w = f.window();
        w->dirs()->addItem(f.tp.path("pics/sub"));
        const QStringList before = listEntries(f.form.itemlist());
        int yields = 0;
        platform::setDoEventsHook([&] {
            if (++yields > 1)
                return;
            QVERIFY(w->searching());
            // A second search on the same queue is refused while this one runs.
            w->button(QStringLiteral("Command5"))->click();
            if (press.isEmpty())
                w->reject();
            else
                w->button(press)->click();
        });
        w->add_files();
        QVERIFY(!w->searching());
        QCOMPARE(w->keep_processing, !stops);
        QVERIFY(f.form.templist.isEmpty());
        const QStringList first{f.tp.path("pics/a.jpg")};
        if (handsOver)
            QCOMPARE(listEntries(f.form.itemlist()), first);
        else if (press == "Command13")
            QCOMPARE(listEntries(f.form.itemlist()), f.opening);
        else if (stops)
            QCOMPARE(listEntries(f.form.itemlist()), before);
        else // the main window browses the last folder searched, as the directory box does
            QCOMPARE(listEntries(f.form.itemlist()), QStringList{f.tp.path("pics/sub/b.jpg")});
        if (press == "Command11") {
            // The folder in work stays queued and the files found are kept.
            QCOMPARE(listEntries(w->dirs()),
                     (QStringList{f.tp.path("pics"), f.tp.path("pics/sub")}));
            QCOMPARE(listEntries(w->fles()), first);
        } else if (!stops) {
            QCOMPARE(listEntries(w->fles()),
                     (QStringList{f.tp.path("pics/a.jpg"), f.tp.path("pics/sub/b.jpg")}));
        }
    }

    void aDirectoryProfileKeepsCommasAndSettings()
    {
        Fixture f;
        MultiDrive* w = f.window();
        const QString comma = f.tp.path(QStringLiteral("x, y"));
        QDir().mkpath(comma);
        w->dirs()->addItem(comma);
        w->subdir()->setChecked(true);
        const QString name = f.tp.path(QStringLiteral("Trip"));
        f.tp.ui.expectFile(QStringLiteral("Save Sub-Directory/Multi-Drive Profile"), name);
        w->saveDirectoryProfile();
        QCOMPARE(f.tp.read(QStringLiteral("Trip.dpr")),
                 "FILTER: *.jpg\r\nSUBDIR: 1\r\nVOLUME: 0\r\n" + f.tp.path("pics").toUtf8() +
                     "\r\n" + comma.toUtf8() + "\r\n");
        w->dirs()->clear();
        w->subdir()->setChecked(false);
        w->fles()->addItem(QStringLiteral("stale"));
        f.tp.ui.expectFile(QStringLiteral("Load Sub-Directory/Multi-Drive Profile"), name + ".dpr");
        w->loadDirectoryProfile();
        QCOMPARE(listEntries(w->dirs()), (QStringList{f.tp.path("pics"), comma}));
        QCOMPARE(w->fles()->count(), 0);
        QVERIFY(w->subdir()->isChecked());
        QCOMPARE(w->filefilter()->currentText(), QStringLiteral("*.jpg"));
        VERIFY_DIALOGS(f.tp);
    }

    void theLocateKeyOpensTheWindowAndOkFillsTheFileList()
    {
        TestProgram tp;
        MainForm form;
        QDir(tp.folder()).mkpath(QStringLiteral("pics/sub"));
        tp.write(QStringLiteral("pics/sub/b.jpg"), "x");
        tp.ui.expectModal(QStringLiteral("FORM_MULTI_DRIVE"), [&](QObject* object) {
            auto* w = qobject_cast<MultiDrive*>(object);
            QVERIFY(w);
            w->filedir()->setPath(tp.path(QStringLiteral("pics")));
            w->add_directory();
            w->subdir()->setChecked(true);
            w->button(QStringLiteral("Command5"))->click();
            w->button(QStringLiteral("Command12"))->click();
        });
        MainForm::commands().press(form, QStringLiteral("localfile"));
        QVERIFY(!frm_multi_drive.isLoaded());
        QCOMPARE(listEntries(form.itemlist()), QStringList{tp.path("pics/sub/b.jpg")});
        VERIFY_DIALOGS(tp);
    }

    void aTypedPatternIsSearchedFor()
    {
        Fixture f;
        f.tp.write(QStringLiteral("pics/c.gif"), "x");
        MultiDrive* w = f.window();
        w->filefilter()->setEditText(QStringLiteral("*.GIF"));
        w->add_files();
        QCOMPARE(listEntries(w->fles()), QStringList{f.tp.path("pics/c.gif")});
    }

    void addingAFolderTwiceKeepsItOnce()
    {
        Fixture f;
        f.window()->add_directory();
        QCOMPARE(listEntries(f.window()->dirs()), QStringList{f.tp.path("pics")});
        QCOMPARE(f.window()->selecteddirs()->title(), QStringLiteral("Directory List (1)"));
    }

    // The main window follows the window's browsing, which rebuilds its file
    // list; Cancel gives that list back and leaves the browsing where it went.
    void cancelGivesBackTheOpeningList_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<QString>("last");
        QTest::addRow("with nothing done") << QString() << false << "pics";
        QTest::addRow("after a file-list profile loaded into the result list")
            << "Command9" << false << "pics";
        QTest::addRow("after a search with sub-folders") << "Command5" << false << "pics/sub";
        QTest::addRow("File > Cancel after a search") << "Command5" << true << "pics/sub";
        QTest::addRow("after Clear List of the results") << "Command7" << false << "pics";
    }
    void cancelGivesBackTheOpeningList()
    {
        QFETCH(QString, press);
        QFETCH(bool, menu);
        QFETCH(QString, last);
        Fixture f;
        MultiDrive* w = f.window();
        w->subdir()->setChecked(true);
        const int both = w->filefilter()->findText(QStringLiteral("*.gif;*.jpg"));
        w->filefilter()->setCurrentIndex(both);
        emit w->filefilter()->activated(both);
        if (press == "Command9") {
            f.tp.write(QStringLiteral("eight.fpr"), f.tp.path("pics/a.jpg").toUtf8() + "\r\n");
            f.tp.ui.expectFile(QStringLiteral("Load File List Profile"), f.tp.path("eight.fpr"));
        }
        w->fles()->addItem(QStringLiteral("/r/2.jpg"));
        if (!press.isEmpty())
            w->button(press)->click();
        // The main window followed the window all along.
        QVERIFY(listEntries(f.form.itemlist()) != f.opening);
        if (press == "Command7")
            QVERIFY(f.form.templist.endsWith(QStringLiteral("/r/2.jpg")));
        if (menu)
            w->findChild<QAction*>(QStringLiteral("menuFileItem_98"))->trigger();
        else
            w->button(QStringLiteral("Command13"))->click();

        QVERIFY(!w->isVisible());
        QCOMPARE(listEntries(f.form.itemlist()), f.opening);
        QCOMPARE(f.form.filedir()->path(), f.tp.path(last));
        QCOMPARE(f.form.filefilter()->currentText(), QStringLiteral("*.gif;*.jpg"));
        QCOMPARE(QString(settings().last_directory), f.tp.path(last));
        QCOMPARE(QString(settings().last_image_type), QStringLiteral("*.gif;*.jpg"));
        VERIFY_DIALOGS(f.tp);
    }

    void stopProcessingStopsLoadingAFileProfile()
    {
        Fixture f;
        MultiDrive* w = f.window();
        QByteArray profile;
        for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg"}) {
            f.tp.write(name, "x");
            profile += f.tp.path(name).toUtf8() + "\r\n";
        }
        f.tp.write("four.fpr", profile);
        int yields = 0;
        // Stop is pressed while the second line yields to the window.
        platform::setDoEventsHook([&] {
            if (++yields == 2)
                w->button(QStringLiteral("Command11"))->click();
        });
        f.tp.ui.expectFile(QStringLiteral("Load File List Profile"), f.tp.path("four.fpr"));
        w->button(QStringLiteral("Command9"))->click();
        VERIFY_DIALOGS(f.tp);
        QCOMPARE(listEntries(w->fles()), (QStringList{f.tp.path("1.jpg"), f.tp.path("2.jpg")}));
        QCOMPARE(w->selectedfiles()->title(), QStringLiteral("File List (2)"));

        // The next load is not stopped by the last Stop.
        platform::setDoEventsHook({});
        f.tp.ui.expectFile(QStringLiteral("Load File List Profile"), f.tp.path("four.fpr"));
        w->button(QStringLiteral("Command9"))->click();
        VERIFY_DIALOGS(f.tp);
        QCOMPARE(w->fles()->count(), 4);
    }

    // The lists take what the search found before the window gets to repaint,
    // not once at the end: the queue loses its searched folders from the top
    // and gains sub-folders at the end, the results grow.
    void theListsShowTheSearchAsItGoes_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<QStringList>("shown");
        QTest::addRow("the first result shows before the next folder is searched")
            << QStringList{"pics", "pics/sub"} << false
            << QStringList{"pics", "pics/sub", "|", "pics/a.jpg", "(2)", "(1)"};
        QTest::addRow("a queued sub-folder shows before the folder's files are searched")
            << QStringList{"pics"} << true << QStringList{"pics", "pics/sub", "|", "(2)", "(0)"};
        QTest::addRow("a folder done leaves the top of the queue")
            << QStringList{"gone", "pics"} << false
            << QStringList{"pics", "|", "pics/a.jpg", "(1)", "(1)"};
    }
    void theListsShowTheSearchAsItGoes()
    {
        QFETCH(QStringList, queue);
        QFETCH(bool, subfolders);
        QFETCH(QStringList, shown);
        Fixture f;
        MultiDrive* w = f.window();
        w->dirs()->clear();
        for (const QString& dir : queue)
            w->dirs()->addItem(f.tp.path(dir));
        w->fles()->clear();
        w->subdir()->setChecked(subfolders);
        const auto relative = [&](const QStringList& paths) {
            QStringList names;
            for (const QString& path : paths)
                names.append(QDir(f.tp.folder()).relativeFilePath(path));
            return names;
        };
        QStringList seen;
        platform::setDoEventsHook([&] {
            if (!w->searching() || !seen.isEmpty())
                return;
            const auto count = [](const QGroupBox* box) {
                return box->title().mid(box->title().indexOf(u'('));
            };
            seen = relative(listEntries(w->dirs())) + QStringList{"|"} +
                   relative(listEntries(w->fles())) +
                   QStringList{count(w->selecteddirs()), count(w->selectedfiles())};
        });
        w->add_files();
        QCOMPARE(seen, shown);
        QCOMPARE(w->fles()->count(), subfolders || queue.contains("pics/sub") ? 2 : 1);
    }

    // A camera's picture names fit the Files list beside the folder box; a
    // longer name shows whole in its tool tip.
    void everyNameOfTheFilesListCanBeRead()
    {
        Fixture f;
        const QString longName = QStringLiteral("a picture from the long summer holiday of 2001.jpg");
        f.tp.write(QStringLiteral("pics/") + longName, "x");
        for (int i = 1; i <= 18; ++i)
            f.tp.write(QStringLiteral("pics/IMG_%1.jpg").arg(i, 4, 10, QChar(u'0')), "x");
        MultiDrive* w = f.window();
        w->filedir()->setPath(f.tp.folder());
        w->filedir()->setPath(f.tp.path("pics"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QListWidget* files = w->filelist();
        QCOMPARE(files->count(), 20);
        const QFontMetrics metrics = files->fontMetrics();
        for (int i = 0; i < files->count(); ++i) {
            const QString name = files->item(i)->text();
            if (name == longName)
                continue;
            const QRect rect = files->visualItemRect(files->item(i));
            QVERIFY2(rect.left() + metrics.horizontalAdvance(name) + 8 <= files->viewport()->width(),
                     qPrintable(name));
        }
        const QRect rect = files->visualItemRect(files->findItems(longName, Qt::MatchExactly).first());
        QHelpEvent help(QEvent::ToolTip, rect.center(), files->viewport()->mapToGlobal(rect.center()));
        QCoreApplication::sendEvent(files->viewport(), &help);
        QCOMPARE(QToolTip::text(), longName);
        QToolTip::hideText();
    }

    void okWithAnEmptyListLeavesTheMainWindowButStoresThePlace()
    {
        Fixture f;
        MultiDrive* w = f.window();
        w->fles()->clear();
        f.form.itemlist()->addItem(QStringLiteral("/q/0.jpg"));
        const QStringList before = listEntries(f.form.itemlist());
        settings().last_directory = QString();
        w->button(QStringLiteral("Command12"))->click();
        QCOMPARE(listEntries(f.form.itemlist()), before);
        QCOMPARE(QString(settings().last_directory), f.tp.path("pics"));
        QCOMPARE(QString(settings().last_image_type), QStringLiteral("*.jpg"));
    }

    void aNameWithoutExtensionGetsDprEvenInAFolderWithADot()
    {
        Fixture f;
        QDir().mkpath(f.tp.path(QStringLiteral("v1.2")));
        f.tp.ui.expectFile(std::nullopt, f.tp.path(QStringLiteral("v1.2/Trip")));
        f.window()->saveDirectoryProfile();
        QVERIFY(QFileInfo::exists(f.tp.path(QStringLiteral("v1.2/Trip.dpr"))));
        f.tp.ui.expectFile(std::nullopt, f.tp.path(QStringLiteral("Trip.txt")));
        f.tp.ui.expectMessage(QStringLiteral(
            "The sub-directory profile is required to have the .dpr file extension.  "
            "No action taken."));
        f.window()->saveDirectoryProfile();
        QVERIFY(!QFileInfo::exists(f.tp.path(QStringLiteral("Trip.txt"))));
        VERIFY_DIALOGS(f.tp);
    }

    void profileLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("subdir"); // -1: no state given
        QTest::addRow("a folder that holds FILTER: stays a folder")
            << QStringList{"/data/FILTER: x", "FILTER: *.gif"} << QStringList{"/data/FILTER: x"}
            << QStringLiteral("*.gif") << -1;
        QTest::addRow("folder names keep their case")
            << QStringList{"/Photos/DSC"} << QStringList{"/Photos/DSC"} << QString() << -1;
        QTest::addRow("a greyed check box is read back")
            << QStringList{"SUBDIR: 2"} << QStringList{} << QString() << 2;
        QTest::addRow("a half rounds to the even state")
            << QStringList{"SUBDIR: 1.5"} << QStringList{} << QString() << 2;
        QTest::addRow("a state without a number is 0")
            << QStringList{"SUBDIR:"} << QStringList{} << QString() << 0;
    }
    void profileLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, dirs);
        QFETCH(QString, filter);
        QFETCH(int, subdir);
        const std::optional<DirectoryProfile> profile =
            DirectoryProfile::fromBytes(lines.join(QStringLiteral("\r\n")).toUtf8());
        QVERIFY(profile);
        QCOMPARE(profile->dirs, dirs);
        QCOMPARE(profile->filter, filter);
        QCOMPARE(profile->hasSubdir, subdir >= 0);
        if (subdir >= 0)
            QCOMPARE(profile->subdir, subdir);
    }

    // Nothing of a profile that cannot be read is taken, and the user hears
    // which file and which line.
    void aDamagedProfileLeavesTheWindowAsItWas_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("fault");
        QTest::addRow("the first bytes of a JPEG picture")
            << QByteArray::fromHex("ffd8ffe000104a46494600010101004800480000ffdb004300080606070605"
                                   "0808070709090808")
            << "line 1 is not text";
        QTest::addRow("a check-box state of 7 after a pattern and a good state")
            << QByteArray("FILTER: *.gif\r\nSUBDIR: 1\r\nVOLUME: 7\r\n{sub}\r\n")
            << "line 3 holds no check-box state (0, 1 or 2)";
        QTest::addRow("a line of prose among the folders")
            << QByteArray("FILTER: *.gif\r\nSUBDIR: 1\r\nVOLUME: 0\r\n{sub}\r\nhello\r\n")
            << "line 5 names no folder";
    }
    void aDamagedProfileLeavesTheWindowAsItWas()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, fault);
        Fixture f;
        content.replace("{sub}", f.tp.path(QStringLiteral("pics/sub")).toUtf8());
        MultiDrive* w = f.window();
        w->fles()->addItem(QStringLiteral("/p/kept.jpg"));
        w->volume_id()->setChecked(true);
        const QString dir = w->filedir()->path();
        const QString name = f.tp.path(QStringLiteral("damaged.dpr"));
        f.tp.write(QStringLiteral("damaged.dpr"), content);
        f.tp.ui.expectFile(QStringLiteral("Load Sub-Directory/Multi-Drive Profile"), name);
        f.tp.ui.expectMessage(
            QStringLiteral(
                "The sub-directory profile '%1' cannot be loaded: %2. Nothing was changed.")
                .arg(name, fault));

        w->button(QStringLiteral("Command2"))->click();

        QCOMPARE(listEntries(w->dirs()), QStringList{f.tp.path("pics")});
        QCOMPARE(listEntries(w->fles()), QStringList{"/p/kept.jpg"});
        QCOMPARE(w->filefilter()->currentText(), QStringLiteral("*.jpg"));
        QVERIFY(!w->subdir()->isChecked());
        QVERIFY(w->volume_id()->isChecked());
        QCOMPARE(w->filedir()->path(), dir);
        QCOMPARE(f.form.filedir()->path(), dir);
        QCOMPARE(w->selecteddirs()->title(), QStringLiteral("Directory List (1)"));
        VERIFY_DIALOGS(f.tp);
    }
};

QTEST_MAIN(TestMultiDrive)
#include "tst_multidrive.moc"
