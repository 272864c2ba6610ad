#include "mainwindow/commandtable.h"
#include "mainwindow/mainform.h"
#include "mainwindow/multidrive.h"

#include "settings/program.h"
#include "viewer/librarycatalog.h"
#include "viewer/simpleview.h"
#include "viewer/viewimages.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/profilefile.h"
#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/imageview.h"
#include "platform/widgets/pathlabel.h"

#include "listentries.h"
#include "testprogram.h"
#include "windowsleft.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <optional>

using namespace mosaicon;

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Every window a test made is gone with it.
        VERIFY_NO_WINDOW_LEFT();
    }

    void firstStartCreatesTheSettingsAndShowsTheWindow()
    {
        TestProgram tp;
        {
            MainForm form;
            form.Form_Load();
            QVERIFY(form.isVisible());
            QCOMPARE(form.windowTitle(), QStringLiteral("Mosaicon Pro v4.00"));
            QCOMPARE(tp.endCalls, 0);
            QVERIFY(QDir(tp.path("thumbs")).exists());
            QVERIFY(QDir(tp.path("html")).exists());
            QVERIFY(settings().auto_start_browser);
            QCOMPARE(settings().logo_background, 12632256);
            // The browser was restored to the default folder.
            QCOMPARE(form.filedir()->path(), tp.path("html"));
            QCOMPARE(settings().last_directory.text(), tp.path("html"));
            QCOMPARE(form.dialogInitialDirectory(), tp.folder());
        }
        const QString ini = tp.settingsText();
        QVERIFY(ini.startsWith(QStringLiteral("[Current]\nLoad Delay= 0\n")));
        QVERIFY(ini.contains(QStringLiteral("Form Top=")));
        QVERIFY(ini.contains(QStringLiteral("Auto Start Browser=Yes\n")));
        QVERIFY(ini.contains(QStringLiteral("Logo Background=12632256\n")));
        VERIFY_DIALOGS(tp);
    }

    void toolbarHasItsThirteenKeyedButtons()
    {
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        const QStringList keys{"exit",      "savelist",   "loadlist", "localfile",  "viewfiles",
                               "quickhtml", "simplehtml", "advhtml",  "full_image", "slideshow",
                               "delete",    "remove",     "associate text"};
        QStringList actual;
        for (int i = 1; i <= MainForm::toolbarButtonCount; ++i) {
            actual.append(form.toolbarButton(i)->data().toString());
            QVERIFY2(form.toolbarButton(i)->isVisible(), qPrintable(actual.last()));
        }
        QCOMPARE(actual, keys);
        QCOMPARE(form.toolbarButton(1)->toolTip(), QStringLiteral("Exit Program"));
        QCOMPARE(form.toolbarButton(2)->toolTip(), QStringLiteral("Load Local Files"));
        QCOMPARE(form.toolbarButton(3)->toolTip(), QStringLiteral("Create HTML File"));
        QCOMPARE(form.toolbarButton(8)->toolTip(), QStringLiteral("Create An Advanced HTML File From File List"));
        QVERIFY(form.menuItem(QStringLiteral("menuFileItem"), 50)->isVisible());
        QCOMPARE(form.menuItem(QStringLiteral("menuFileItem"), 90)->text(), QStringLiteral("&Exit"));
    }

    void everyCommandHasOneRow_data()
    {
        QTest::addColumn<QString>("menu"); // empty for a toolbar button
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption"); // a button's designed tool-tip
        QTest::addColumn<bool>("built");
        const auto button = [](const char* key, const char* toolTip, bool built = true) {
            QTest::addRow("button \"%s\"", key) << QString() << 0 << key << toolTip << built;
        };
        const auto item = [](const char* menu, int index, const char* caption, bool built = false) {
            QTest::addRow("%s %d \"%s\"", menu, index, caption) << menu << index << QString() << caption << built;
        };
        button("exit", "Exit The Application");
        button("savelist", "Save The File List To A Text File");
        button("loadlist", "Load A List Of File Names From A Text File");
        button("localfile", "Locate And Load Files Names");
        button("viewfiles", "View The Images In The File List");
        button("quickhtml", "Create A Quick HTML File With Images");
        button("simplehtml", "Create A Simple HTML File With Images");
        button("advhtml", "Create An Advanced HTML File From File List");
        button("full_image", "Create Vertically Aligned Image HTML");
        button("slideshow", "Create A HTML Slide Show From File List");
        button("delete", "Delete The Selected File(s) From Disk");
        button("remove", "Remove The Selected File(s) From The List.");
        button("associate text", "Associate Text With Image");
        item("menuFileItem", 5, "&Auto Select");
        item("menuFileItem", 10, "Select &Browser...");
        item("menuFileItem", 15, "&Clear Browser");
        item("menuFileItem", 20, "Select E&ditor", true);
        item("menuFileItem", 25, "Clea&r Editor", true);
        item("menuFileItem", 30, "Editor's Command Line Parameters", true);
        item("menuFileItem", 40, "&Locate Local Files", true);
        item("menuFileItem", 45, "Create &HTML File", true);
        item("menuFileItem", 47, "Simple Images", true);
        item("menuFileItem", 50, "View Images", true);
        item("menuFileItem", 60, "L&ogo", true);
        item("menuFileItem", 65, "Clear Lo&go", true);
        item("menuFileItem", 70, "Bac&kground Color", true);
        item("menuFileItem", 80, "Clear &File List", true);
        item("menuFileItem", 90, "&Exit", true);
        item("menuApp", 0, "&Applications", true);
        item("menuOptionsItem", 0, "HTML", true);
        item("menuOptionsItem", 1, "Locate Local Files", true);
        item("menuOptionsItem", 3, "&Clipboard Conversion", true);
        item("menuOptionsItem", 4, "Image Catalog", true);
        item("menuOptionsItem", 5, "Image Window", true);
        item("menuOptionsItem", 6, "Slides", true);
        item("menuOptionsItem", 80, "Thumbnails");
        item("menuThumbsItem", 5, "Background Color", true);
        item("menuOptionsItem", 85, "Use Virtual Directory", true);
        item("menuOutputItem", 5, "Advanced HTML", true);
        item("menuOutputItem", 40, "Proof Sheet");
        item("menuOutputItem", 50, "Quick HTML", true);
        item("menuOutputItem", 60, "Simple HTML", true);
        item("menuOutputItem", 65, "Slide Show", true);
        item("menuOutputItem", 80, "Vertically Aligned HTML", true);
        item("menuHelpItem", 0, "&Contents...", true);
        item("menuHelpItem", 2, "&Search For Help On", true);
        item("menuHelpItem", 3, "Help File (HTML format)", true);
        item("menuHelpItem", 4, "");
        item("menuHelpItem", 8, "");
        item("menuHelpItem", 9, "On-Line Web Pages");
        item("menuHelpItem", 14, "&About", true);
        item("menuitemlistitems", 5, "Associate Text", true);
        item("menuitemlistitems", 25, "Open using associated application", true);
    }
    void everyCommandHasOneRow()
    {
        QFETCH(QString, menu);
        QFETCH(int, index);
        QFETCH(QString, key);
        QFETCH(QString, caption);
        QFETCH(bool, built);
        const bool isButton = menu.isEmpty();
        const QList<Command>& rows = MainForm::commands().rows();
        const auto matches = [&](const Command& c) {
            return isButton ? c.isButton() && c.key == key : c.isMenuItem() && c.menu == menu && c.index == index;
        };
        QCOMPARE(std::count_if(rows.begin(), rows.end(), matches), 1);
        const Command& row = *std::find_if(rows.begin(), rows.end(), matches);
        QCOMPARE(row.caption, caption);
        QCOMPARE(row.run != nullptr, built);
        if (built)
            return;

        // A command that is not built yet does nothing when chosen.
        TestProgram tp;
        tp.write("a.jpg", "a");
        MainForm form;
        form.Form_Load();
        form.itemlist()->addItem(tp.path("a.jpg"));
        form.itemlist()->item(0)->setSelected(true);
        program().last_toolbar_key = QStringLiteral("advhtml");
        const Settings before = settings();
        const QString status = form.statusText();
        QAction* action = isButton ? form.toolbarButton(key) : form.menuItem(menu, index);
        QVERIFY(action);
        action->trigger();
        QCOMPARE(program().last_toolbar_key, isButton ? key : QStringLiteral("advhtml"));
        QVERIFY(settings() == before);
        QCOMPARE(listEntries(form.itemlist()), QStringList{tp.path("a.jpg")});
        QCOMPARE(form.statusText(), status);
        QCOMPARE(tp.endCalls, 0);
        QVERIFY(tp.shell.opened.isEmpty() && tp.shell.started.isEmpty());
        VERIFY_DIALOGS(tp);
    }

    void dialogCommandsShowTheirWindow_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("window");
        QTest::addRow("Help > About shows the about box") << "menuHelpItem" << 14 << "ABOUT";
        QTest::addRow("Applications shows the editor window") << "menuApp" << 0 << "frm_apps";
    }
    void dialogCommandsShowTheirWindow()
    {
        QFETCH(QString, menu);
        QFETCH(int, index);
        QFETCH(QString, window);
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        tp.ui.expectModal(window);
        form.menuItem(menu, index)->trigger();
        VERIFY_DIALOGS(tp);
    }

    void imageCatalogStartsFromTheFileList_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("mainAfter"); // file names
        QTest::addRow("Exit And Use Current File List hands back the catalog's sorted list")
            << "use" << QStringList{"A.jpg", "a.jpg", "b.jpg"};
        QTest::addRow("Cancel And Exit leaves the file list as it was")
            << "cancel" << QStringList{"b.jpg", "a.jpg", "A.jpg"};
        QTest::addRow("the frame's close leaves the file list as it was")
            << "frame" << QStringList{"b.jpg", "a.jpg", "A.jpg"};
    }
    void imageCatalogStartsFromTheFileList()
    {
        QFETCH(QString, way);
        QFETCH(QStringList, mainAfter);
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        const QStringList names{"b.jpg", "a.jpg", "A.jpg"};
        for (const QString& name : names) {
            QImage picture(40, 30, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            picture.save(tp.path(name), "JPEG");
            form.itemlist()->addItem(tp.path(name));
        }
        settings().target_dir = tp.path("gone");
        const QString warning = QStringLiteral("The target directory has been changed to '%1' because the "
                                               "directory '%2' does not exist.")
                                    .arg(tp.folder(), tp.path("gone"));
        tp.ui.expectMessage(warning).expectModal(QStringLiteral("frm_librarycatalog"), [&](QObject* window) {
            auto* catalog = qobject_cast<viewer::LibraryCatalog*>(window);
            QVERIFY(catalog);
            const QList<catalog::CatalogEntry> expected{
                {tp.path("A.jpg"), {}, {}}, {tp.path("a.jpg"), {}, {}}, {tp.path("b.jpg"), {}, {}}};
            QCOMPARE(catalog->contents().entries(), expected);
            QCOMPARE(catalog->flelist(), (QStringList{tp.path("A.jpg"), tp.path("a.jpg"), tp.path("b.jpg")}));
            QCOMPARE(catalog->Frame1.caption, QStringLiteral("Current File List ( 3)"));
            QCOMPARE(catalog->ListIndex, 0);
            QCOMPARE(catalog->selected, QList<bool>({true, false, false}));
            QVERIFY(catalog->waitForPicture());
            QCOMPARE(catalog->viewimage.fileName(), tp.path("A.jpg"));
            QCOMPARE(catalog->o_width.caption, QStringLiteral("Width =  40"));
            QCOMPARE(catalog->targetdir.caption, tp.folder());
            if (way == QLatin1String("use"))
                catalog->exitWithCurrentList();
            else if (way == QLatin1String("cancel"))
                catalog->cancelAndExit();
            else
                QVERIFY(catalog->Form_QueryUnload());
        });
        form.menuItem(QStringLiteral("menuOptionsItem"), 4)->trigger();
        VERIFY_DIALOGS(tp);
        QStringList expectedMain;
        for (const QString& name : mainAfter)
            expectedMain.append(tp.path(name));
        QCOMPARE(listEntries(form.itemlist()), expectedMain);
        QCOMPARE(settings().target_dir.text(), tp.folder());
    }

    void savedPatternIsSelected_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("selected");
        QTest::addRow("a listed pattern") << "*.gif;*.jpg" << "*.gif;*.jpg";
        QTest::addRow("not one of the 32 patterns") << "*.xyz" << "*.*";
        QTest::addRow("a listed pattern in another case") << "*.GIF" << "*.*";
    }
    void savedPatternIsSelected()
    {
        QFETCH(QString, saved);
        QFETCH(QString, selected);
        TestProgram tp;
        tp.write("mosaik.ini", "[Current]\r\nLast Image Type=" + saved.toUtf8() + "\r\n");
        MainForm form;
        form.Form_Load();
        QStringList patterns;
        for (int i = 0; i < form.filefilter()->count(); ++i)
            patterns << form.filefilter()->itemText(i);
        QCOMPARE(patterns, QStringList({"*.*",   "*.art", "*.avi", "*.bmp",       "*.cut", "*.dib",
                                        "*.emf", "*.gem", "*.gif", "*.gif;*.jpg", "*.hrz", "*.htm",
                                        "*.iff", "*.img", "*.jpg", "*.jpg;*.gif", "*.lbm", "*.mac",
                                        "*.mid", "*.mpg", "*.msp", "*.pcx",       "*.png", "*.ras",
                                        "*.rle", "*.rmi", "*.tga", "*.tif",       "*.txt", "*.wav",
                                        "*.wmf", "*.wpg"}));
        QCOMPARE(form.filefilter()->currentText(), selected);
        QCOMPARE(form.filelist().pattern(), selected);
    }

    void secondStartRestoresTheSavedFolder()
    {
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("pics/summer"));
        tp.write("mosaik.ini", "[Current]\r\nLast Directory=" + tp.path("pics/summer").toUtf8() + "\r\n");
        MainForm form;
        form.Form_Load();
        QCOMPARE(form.filedir()->path(), tp.path("pics/summer"));
        QCOMPARE(settings().last_directory.text(), tp.path("pics/summer"));
        // A settings file that existed is read, not created again.
        QVERIFY(!tp.settingsText().contains(QStringLiteral("Auto Start Browser")));
        QVERIFY(!settings().auto_start_browser);
    }

    // The list file fills the file list; the folder list shows the folder the
    // program was started in, and so does the multi-drive window.
    void listFileOnTheCommandLineFillsTheFileList_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("status");
        QTest::addRow("every line names a file") << QStringList{"a.jpg", "b c.gif"} << QString();
        QTest::addRow("a missing fourth file ends the list at three, and the status line says so")
            << QStringList{"a.jpg", "b c.gif", "d.jpg", "gone.jpg", "e.jpg"}
            << "3 files loaded from {list}: line 4 names no file.";
    }
    void listFileOnTheCommandLineFillsTheFileList()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, status);
        TestProgram tp({QStringLiteral("/f"), QString()});
        QByteArray list;
        for (const QString& line : lines) {
            if (line != QLatin1String("gone.jpg"))
                tp.write(line, "x");
            list += tp.path(line).toUtf8() + "\r\n";
        }
        tp.write("list.txt", list);
        QDir(tp.folder()).mkpath(QStringLiteral("start/pics"));
        program().arguments[1] = tp.path("list.txt");
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tp.path("start")));
        const auto back = qScopeGuard([&] { QDir::setCurrent(started); });
        MainForm form;
        form.Form_Load();
        QStringList loaded;
        for (const QString& line : lines.mid(0, lines.indexOf(QStringLiteral("gone.jpg"))))
            loaded.append(tp.path(line));
        QCOMPARE(listEntries(form.itemlist()), loaded);
        QCOMPARE(form.statusText(), status.replace(QLatin1String("{list}"), tp.path("list.txt")));
        QVERIFY(form.isVisible());
        const QString start = QFileInfo(tp.path("start")).canonicalFilePath();
        QCOMPARE(form.filedir()->path(), start);
        QVERIFY(!form.filedir()->findItems(QStringLiteral("pics"), Qt::MatchExactly).isEmpty());

        MultiDrive* search = frm_multi_drive.load();
        QCOMPARE(search->filedir()->path(), start);
        QCOMPARE(listEntries(search->fles()), loaded);
        frm_multi_drive.unload();
        QCOMPARE(listEntries(form.itemlist()), loaded);
    }

    void switchesEndTheProgram_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("withList");
        QTest::addColumn<bool>("ends");
        QTest::addRow("/x alone leaves the program running") << QStringList{"/x"} << false << false;
        QTest::addRow("/s with /x ends it") << QStringList{"/s", "/x"} << false << true;
        QTest::addRow("/v with files and /x ends it") << QStringList{"/v", "/x"} << true << true;
        QTest::addRow("/s without /x leaves it running") << QStringList{"/s"} << false << false;
    }
    void switchesEndTheProgram()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, withList);
        QFETCH(bool, ends);
        TestProgram tp(arguments);
        if (withList) {
            tp.write("a.jpg", "a");
            tp.write("list.txt", tp.path("a.jpg").toUtf8() + "\r\n");
            program().arguments << QStringLiteral("/f") << tp.path("list.txt");
        }
        if (arguments.contains(QStringLiteral("/v")))
            tp.ui.expectModal(QStringLiteral("frm_viewem"));
        // Simple View opens also over an empty list.
        if (arguments.contains(QStringLiteral("/s")))
            tp.ui.expectModal(QStringLiteral("frm_simplev"), [](QObject* window) {
                auto* simple = qobject_cast<viewer::SimpleView*>(window);
                QVERIFY(simple);
                QCOMPARE(simple->frame1Caption, QStringLiteral("Current File List ( 0)"));
            });
        MainForm form;
        form.Form_Load();
        QCOMPARE(tp.endCalls, ends ? 1 : 0);
        // Ending by switch never shows the window, and saves nothing at the end.
        QCOMPARE(form.isVisible(), !ends);
        VERIFY_DIALOGS(tp);
    }

    void viewImagesMayReplaceTheFileList_data()
    {
        QTest::addColumn<QString>("command"); // a toolbar key, or "menu" for File > View Images
        QTest::addColumn<int>("exitItem");    // File menu item of View Images
        QTest::addColumn<QStringList>("afterwards");
        QTest::addRow("the button, leaving with the new list") << "viewfiles" << 1 << QStringList{"a.jpg"};
        QTest::addRow("the File menu, leaving with the current list") << "menu" << 0 << QStringList{"b.gif"};
        QTest::addRow("cancelling keeps the list") << "viewfiles" << 2 << QStringList{"b.gif", "a.jpg"};
    }
    void viewImagesMayReplaceTheFileList()
    {
        QFETCH(QString, command);
        QFETCH(int, exitItem);
        QFETCH(QStringList, afterwards);
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        for (const QString& name : {QStringLiteral("b.gif"), QStringLiteral("a.jpg")}) {
            tp.write(name, "x");
            form.itemlist()->addItem(tp.path(name));
        }
        tp.ui.expectModal(QStringLiteral("frm_viewem"), [&](QObject* window) {
            auto* view = qobject_cast<viewer::ViewImages*>(window);
            QVERIFY(view);
            // The window starts from a sorted copy; the main list is untouched until it is left.
            QCOMPARE(view->flelist.entries, (QStringList{tp.path("a.jpg"), tp.path("b.gif")}));
            view->list_DblClick(viewer::ViewImages::Current);
            QCOMPARE(form.itemlist()->count(), 2);
            void (viewer::ViewImages::*const exits[])() = {&viewer::ViewImages::exitWithCurrentList,
                                                           &viewer::ViewImages::exitWithNewList,
                                                           &viewer::ViewImages::cancelAndExit};
            view->runMenuCommand(exits[exitItem]);
        });
        if (command == QLatin1String("menu"))
            form.menuItem(QStringLiteral("menuFileItem"), 50)->trigger();
        else
            form.toolbarButton(command)->trigger();
        VERIFY_DIALOGS(tp);
        for (QString& name : afterwards)
            name = tp.path(name);
        QCOMPARE(listEntries(form.itemlist()), afterwards);
    }

    void viewSwitchWithAnEmptyListSaysSo()
    {
        TestProgram tp({QStringLiteral("/v"), QStringLiteral("/x")});
        tp.ui.expectMessage(QStringLiteral("No files are loaded to view."));
        MainForm form;
        form.Form_Load();
        QCOMPARE(tp.ui.asked().first().style, 48);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Mosaicon Pro v4.00"));
        QCOMPARE(form.statusText(), QStringLiteral("No files are loaded to view."));
        QCOMPARE(tp.endCalls, 0);
        VERIFY_DIALOGS(tp);
    }

    void closingSavesEverySettingOnce_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addRow("a free settings file") << false;
        QTest::addRow("another program's lock that goes while Exit waits, asking nothing") << true;
    }
    void closingSavesEverySettingOnce()
    {
        QFETCH(bool, locked);
        TestProgram tp({QStringLiteral("log_messages")});
        MainForm form;
        form.Form_Load();
        settings().editor_command = QStringLiteral("/usr/bin/editor");
        std::optional<platform::FileLock> other;
        if (locked) {
            other.emplace();
            QVERIFY(other->lock(tp.path("mosaik.ini")));
            QTest::ignoreMessage(QtWarningMsg,
                                 QStringLiteral("Cannot save %1: It is locked by another program.")
                                     .arg(tp.path("mosaik.ini"))
                                     .toUtf8()
                                     .constData());
            // Seen on the status line by the window's own events, which run while it waits.
            QTimer::singleShot(100, &form, [&] {
                QCOMPARE(form.statusText(),
                         QStringLiteral("The settings file %1 is locked by another program. "
                                        "Waiting to save the settings.")
                             .arg(tp.path("mosaik.ini")));
                other.reset();
            });
        }
        form.menuItem(QStringLiteral("menuFileItem"), 90)->trigger();
        QVERIFY(!other);
        VERIFY_DIALOGS(tp);
        settings().editor_command = QStringLiteral("changed after the save");
        form.close();
        QCOMPARE(tp.endCalls, 1);
        QVERIFY(tp.settingsText().contains(QStringLiteral("Editor=/usr/bin/editor\n")));
        QVERIFY(QString::fromUtf8(tp.read("msglog.txt")).endsWith(QStringLiteral("exit\r\n")));
        QCOMPARE(QString::fromUtf8(tp.read("msglog.txt")).count(QStringLiteral("finishup")), 1);
    }

    // The window manager closes the window while a page run makes its
    // thumbnails, however the run was started: the run stops with the
    // pictures in hand, no prompt shows and no page is written, and the
    // program ends, the thumbnails made recorded in the settings it saved.
    void closingTheWindowStopsARun_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addRow("the advanced page's button") << false;
        QTest::addRow("File > Create HTML File") << true;
    }
    void closingTheWindowStopsARun()
    {
        QFETCH(bool, fromMenu);
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        settings().internet_dir = tp.path("web");
        settings().auto_start_browser = false;
        QVERIFY(QDir(tp.folder()).mkpath(QStringLiteral("pics")));
        const int photos = 40;
        QImage photo(640, 480, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        for (int i = 0; i < photos; ++i) {
            const QString path = tp.path(QStringLiteral("pics/p%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
            QVERIFY(photo.save(path));
            form.itemlist()->addItem(path);
        }
        bool locked = true;
        platform::setDoEventsHook([&] {
            locked = locked && !form.Toolbar1()->isEnabled() && !form.menuBar()->isEnabled();
            form.close();
        });
        if (fromMenu)
            form.menuItem(QStringLiteral("menuFileItem"), 45)->trigger();
        else
            form.toolbarButton(QStringLiteral("advhtml"))->trigger();
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(tp);
        QVERIFY(locked);
        QCOMPARE(tp.endCalls, 1);
        QVERIFY(!QFileInfo::exists(tp.path("web/mosaik.htm")));
        const QStringList thumbnails = QDir(tp.path("web")).entryList({QStringLiteral("*_tn.jpg")}, QDir::Files);
        QVERIFY(!thumbnails.isEmpty() && thumbnails.size() < photos);
        const QString saved = tp.settingsText();
        for (const QString& name : thumbnails)
            QVERIFY2(saved.contains(tp.path("web/") + name), qPrintable(name));
    }

    void exitButtonSavesAndEnds()
    {
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        settings().table_cell_padding = QStringLiteral("4");
        form.toolbarButton(QStringLiteral("exit"))->trigger();
        QCOMPARE(program().last_toolbar_key, QStringLiteral("exit"));
        QCOMPARE(tp.endCalls, 1);
        QVERIFY(tp.settingsText().contains(QStringLiteral("Table Cell Padding=4\n")));
    }

    void layoutKeepsTheWindowLargeEnough()
    {
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        form.resize(5000 / 15, 3000 / 15);
        form.Timer1_Timer();
        QVERIFY(form.frameGeometry().height() * 15 >= 4000);
        QVERIFY(form.frameGeometry().width() * 15 >= 8260);
    }

    // The window keeps the width the user gave it; the status line shows
    // what fits and the whole text in its tool tip.
    void aLongStatusTextLeavesTheWindowItsWidth()
    {
        TestProgram tp;
        MainForm form;
        form.Form_Load();
        const int width = form.frameGeometry().width();
        const QString text = QStringLiteral("Removing ") + tp.path(QString(300, u'a') + ".jpg");
        platform::show_status(text);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        form.Timer1_Timer();
        QCOMPARE(form.frameGeometry().width(), width);
        QCOMPARE(form.statusText(), text);
        auto* status = form.findChild<platform::PathLabel*>(QStringLiteral("StatusText"));
        QVERIFY(status);
        QVERIFY(status->shownText().endsWith(QStringLiteral("aaa.jpg")));
        QVERIFY(status->fontMetrics().horizontalAdvance(status->shownText()) <= status->width());
    }

    void logoIsFittedIntoTheWindow_data()
    {
        QTest::addColumn<int>("logoWidth");
        QTest::addColumn<bool>("limited");
        QTest::addRow("a narrow logo keeps its width") << 100 << false;
        QTest::addRow("a wide logo takes the room width") << 2000 << true;
    }
    void logoIsFittedIntoTheWindow()
    {
        QFETCH(int, logoWidth);
        QFETCH(bool, limited);
        TestProgram tp;
        QImage picture(logoWidth, 50, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(tp.path("logo.png")));
        tp.write("mosaik.ini", "[Current]\r\nLogo=" + tp.path("logo.png").toUtf8() + "\r\n");
        MainForm form;
        form.Form_Load();
        const platform::ImageControl& logo = form.logo()->control();
        QVERIFY(logo.visible());
        form.show_logo(); // the shown window may have grown to its toolbar's width
        QVERIFY(!form.itemlist()->isVisibleTo(&form));
        const double room = form.frameGeometry().width() * 15 - 150;
        QCOMPARE(logo.width(), limited ? room : logoWidth * 15.0);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
