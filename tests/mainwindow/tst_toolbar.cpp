#include "mainwindow/mainform.h"

#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

#include "listentries.h"
#include "testprogram.h"
#include "windowsleft.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QScopeGuard>
#include <QToolBar>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace mosaicon;

namespace {


const QString deleteQuestion =
    QStringLiteral("You are about to delete the selected file(s).  Are you sure this is what you want to do?");
const QString removeQuestion = QStringLiteral(
    "You are about to remove the selected file(s) from the list.  This option does not physically remove the "
    "files from the disk drive.  Are you sure this is what you want to do?");

} // namespace

class TestToolbar : public QObject
{
    Q_OBJECT

    // A started main window browsing a folder of six pictures.
    struct Browsing
    {
        TestProgram tp;
        MainForm form;
        Browsing()
        {
            QDir(tp.folder()).mkdir(QStringLiteral("pics"));
            for (const char* name : {"a.gif", "b.jpg", "c.gif", "d.jpg", "e.gif", "f.jpg"})
                tp.write(QStringLiteral("pics/") + QString::fromUtf8(name), "x");
            form.Form_Load();
            form.filedir()->setPath(tp.path("pics"));
        }
        QString pic(const char* name) const { return tp.path(QStringLiteral("pics/") + QString::fromUtf8(name)); }
        void press(const char* key) { form.toolbarButton(QString::fromUtf8(key))->trigger(); }
    };

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void entriesJoinFolderAndName()
    {
        Browsing b;
        QCOMPARE(listEntries(b.form.itemlist()),
                 (QStringList{b.pic("a.gif"), b.pic("b.jpg"), b.pic("c.gif"), b.pic("d.jpg"), b.pic("e.gif"),
                              b.pic("f.jpg")}));
        QCOMPARE(settings().last_directory.text(), b.tp.path("pics"));
        QCOMPARE(settings().last_drive.text(), b.form.filedrive()->drive());
    }

    void aFolderOnAnotherVolumeMovesTheDrive()
    {
        Browsing b;
        // The test folder stands in for a mounted volume of its own.
        b.form.filedrive()->setVolumes({QStringLiteral("/"), b.tp.folder()});
        b.form.filedir()->setPath(QStringLiteral("/"));
        QCOMPARE(b.form.filedrive()->drive(), QStringLiteral("/"));
        b.form.filedir()->setPath(b.tp.path("pics"));
        QCOMPARE(b.form.filedrive()->drive(), b.tp.folder());
        QCOMPARE(settings().last_drive.text(), b.tp.folder());
        QCOMPARE(listEntries(b.form.itemlist()).size(), 6);
    }

    void noSecondSlashAtTheRoot()
    {
        Browsing b;
        QVERIFY(b.form.filedir()->setPath(QStringLiteral("/")));
        const QStringList list = listEntries(b.form.itemlist());
        for (const QString& e : list)
            QVERIFY2(e.startsWith(u'/') && !e.startsWith(QLatin1String("//")) && e.count(u'/') == 1, qPrintable(e));
        QCOMPARE(list.size(), QDir(QStringLiteral("/")).entryList(QDir::Files).size());
    }

    void patternsFilterAndAreRemembered_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("names");
        QTest::addRow("one kind") << "*.gif" << QStringList{"a.gif", "Cat.GIF"};
        QTest::addRow("two kinds with a semicolon") << "*.gif;*.jpg" << QStringList{"a.gif", "b.JPG", "Cat.GIF"};
        QTest::addRow("every file, also without a dot") << "*.*" << QStringList{"a.gif", "b.JPG", "Cat.GIF", "notes"};
    }
    void patternsFilterAndAreRemembered()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, names);
        TestProgram tp;
        QDir(tp.folder()).mkdir(QStringLiteral("p"));
        for (const char* n : {"a.gif", "b.JPG", "Cat.GIF", "notes", ".hidden.gif"})
            tp.write(QStringLiteral("p/") + QString::fromUtf8(n), "x");
        MainForm form;
        form.Form_Load();
        form.filedir()->setPath(tp.path("p"));
        form.filefilter()->setCurrentText(QStringLiteral("*.none"));
        form.filefilter()->setCurrentText(pattern);
        QStringList expected;
        for (const QString& n : names)
            expected.append(tp.path(QStringLiteral("p/") + n));
        QCOMPARE(listEntries(form.itemlist()), expected);
        QCOMPARE(settings().last_image_type.text(), pattern);
    }

    void unreadableDriveSaysSoAndChangesNothing()
    {
        Browsing b;
        const QStringList before = listEntries(b.form.itemlist());
        const QString lastDrive = settings().last_drive;
        b.tp.ui.expectMessage(QStringLiteral("Cannot access the /no/such/volume drive."));
        b.form.filedrive()->setVolumes({b.form.filedrive()->drive(), QStringLiteral("/no/such/volume")});
        b.form.filedrive()->setDrive(QStringLiteral("/no/such/volume"));
        VERIFY_DIALOGS(b.tp);
        QCOMPARE(b.tp.ui.asked().first().style, 48);
        QCOMPARE(listEntries(b.form.itemlist()), before);
        QCOMPARE(settings().last_drive.text(), lastDrive);
        QCOMPARE(b.form.filedir()->path(), b.tp.path("pics"));
        QCOMPARE(b.form.filedrive()->drive(), QStringLiteral("/no/such/volume"));
    }

    void everyButtonStoresItsKey()
    {
        Browsing b;
        b.tp.ui.expectMessage(QStringLiteral("You must select one or more files in order to use this option."))
            .expectModal(QStringLiteral("frm_htmltitle"))
            .expectMessage(std::nullopt); // the sample files are no pictures
        b.press("remove"); // nothing selected
        QCOMPARE(program().last_toolbar_key, QStringLiteral("remove"));
        b.press("advhtml");
        QCOMPARE(program().last_toolbar_key, QStringLiteral("advhtml"));
        VERIFY_DIALOGS(b.tp);
    }

    // A page run lets the window repaint; no second run or option dialog may
    // start on the lists and settings it is working with.
    void aPageRunLocksTheCommandsUntilItEnds()
    {
        Browsing b;
        bool toolbarDuring = true;
        bool menusDuring = true;
        b.tp.ui
            .expectModal(QStringLiteral("frm_htmltitle"),
                         [&](QObject*) {
                             toolbarDuring = b.form.Toolbar1()->isEnabled();
                             menusDuring = b.form.menuBar()->isEnabled();
                         })
            .expectMessage(std::nullopt);
        b.press("advhtml");
        VERIFY_DIALOGS(b.tp);
        QVERIFY(!toolbarDuring);
        QVERIFY(!menusDuring);
        QVERIFY(b.form.Toolbar1()->isEnabled());
        QVERIFY(b.form.menuBar()->isEnabled());
    }

    void deleteAndRemoveWorkOnTheSelection_data()
    {
        QTest::addColumn<bool>("deleting");
        QTest::addColumn<int>("answer");
        QTest::addRow("delete, answered Yes") << true << int(platform::MsgBox::Yes);
        QTest::addRow("remove, answered Yes") << false << int(platform::MsgBox::Yes);
        QTest::addRow("delete, answered No") << true << int(platform::MsgBox::No);
    }
    void deleteAndRemoveWorkOnTheSelection()
    {
        QFETCH(bool, deleting);
        QFETCH(int, answer);
        Browsing b;
        b.form.itemlist()->item(2)->setSelected(true);
        b.form.itemlist()->item(5)->setSelected(true);
        b.tp.ui.expectMessage(deleting ? deleteQuestion : removeQuestion, answer);
        b.press(deleting ? "delete" : "remove");
        VERIFY_DIALOGS(b.tp);
        QCOMPARE(b.tp.ui.asked().first().style, 36);
        const bool yes = answer == platform::MsgBox::Yes;
        const QStringList left = yes ? QStringList{b.pic("a.gif"), b.pic("b.jpg"), b.pic("d.jpg"), b.pic("e.gif")}
                                     : QStringList{b.pic("a.gif"), b.pic("b.jpg"), b.pic("c.gif"), b.pic("d.jpg"),
                                                   b.pic("e.gif"), b.pic("f.jpg")};
        QCOMPARE(listEntries(b.form.itemlist()), left);
        QCOMPARE(QFileInfo::exists(b.pic("c.gif")), !(deleting && yes));
        QCOMPARE(QFileInfo::exists(b.pic("f.jpg")), !(deleting && yes));
        QCOMPARE(b.form.statusText(), QString());
    }

    void nothingSelectedIsSaid_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addRow("delete") << "delete";
        QTest::addRow("remove") << "remove";
        QTest::addRow("associate text") << "associate text";
    }
    void nothingSelectedIsSaid()
    {
        QFETCH(QString, key);
        Browsing b;
        b.tp.ui.expectMessage(QStringLiteral("You must select one or more files in order to use this option."));
        b.form.toolbarButton(key)->trigger();
        VERIFY_DIALOGS(b.tp);
        QCOMPARE(b.form.itemlist()->count(), 6);
    }

    void aDeleteFailedOrRefusedKeepsItsEntryAndIsToldOnce()
    {
        Browsing b;
        // A folder full of files cannot be deleted as a file, even by root.
        QDir(b.tp.folder()).mkpath(QStringLiteral("pics/album.jpg"));
        b.tp.write("pics/album.jpg/inside.jpg", "x");
        b.form.filedir()->refresh();
        b.form.itemlist()->addItem(b.pic("album.jpg"));
        // Entries that name no file as they are spelt, beside files whose
        // names differ from them by a trailing blank or by undecodable bytes.
        b.form.itemlist()->addItem(b.pic("c.gif "));
        const QByteArray raw = QFile::encodeName(b.pic("b")) + "\xff.jpg";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        // The temporary folder cannot remove a name it cannot spell.
        const auto removeRaw = qScopeGuard([&] { ::unlink(raw.constData()); });
        const QString misread = QFile::decodeName(raw);
        b.form.itemlist()->addItem(misread);
        for (int i : {0, 6, 7, 8})
            b.form.itemlist()->item(i)->setSelected(true);
        b.tp.ui.expectMessage(deleteQuestion, platform::MsgBox::Yes)
            .expectMessage(QStringLiteral("These files could not be deleted:\n") + b.pic("album.jpg") + u'\n' +
                           misread +
                           QStringLiteral(": its name is not valid UTF-8 text, so it cannot be named safely. "
                                          "Rename it to use it."));
        b.press("delete");
        VERIFY_DIALOGS(b.tp);
        QVERIFY(listEntries(b.form.itemlist()).contains(b.pic("album.jpg")));
        QVERIFY(listEntries(b.form.itemlist()).contains(misread));
        QVERIFY(!listEntries(b.form.itemlist()).contains(b.pic("c.gif ")));
        QVERIFY(!listEntries(b.form.itemlist()).contains(b.pic("a.gif")));
        QVERIFY(!QFileInfo::exists(b.pic("a.gif")));
        QVERIFY(QFileInfo::exists(b.pic("c.gif")));
        QCOMPARE(::access(raw.constData(), F_OK), 0);
    }

    void aVanishedFileOnlyLosesItsEntry()
    {
        Browsing b;
        QFile::remove(b.pic("a.gif"));
        b.form.itemlist()->item(0)->setSelected(true);
        b.tp.ui.expectMessage(deleteQuestion, platform::MsgBox::Yes);
        b.press("delete");
        VERIFY_DIALOGS(b.tp);
        QCOMPARE(b.form.itemlist()->count(), 5);
    }

    void emptyListMessages_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addRow("savelist") << "savelist" << "No files are loaded to save.";
        QTest::addRow("viewfiles") << "viewfiles" << "No files are loaded to view.";
    }
    void emptyListMessages()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        Browsing b;
        b.form.itemlist()->clear();
        b.tp.ui.expectMessage(text);
        b.form.toolbarButton(key)->trigger();
        VERIFY_DIALOGS(b.tp);
        QCOMPARE(b.form.statusText(), text);
    }

    void verticalPageRunsInternetReadyAndKeepsTheSetting()
    {
        Browsing b;
        settings().internet_ready = false;
        settings().rename_html = true;
        settings().internet_dir = b.tp.path("web");
        // An internet-ready run asks for the page's name in an input box;
        // any other would show the save dialog.
        b.tp.ui.expectInput(QStringLiteral("What is the name of the HTML file?"), std::nullopt);
        b.tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                            [](QObject* w) { qobject_cast<PagePrompt*>(w)->b_cancel_exit_Click(); });
        b.press("full_image");
        VERIFY_DIALOGS(b.tp);
        QVERIFY(!settings().internet_ready);
        QCOMPARE(program().last_toolbar_key, QStringLiteral("full_image"));
    }

    void profileButtonsSaveAndReloadTheListIntoView()
    {
        Browsing b;
        b.tp.ui.expectFile(QStringLiteral("Save File List Profile"), b.tp.path("six"));
        b.press("savelist");
        b.form.itemlist()->clear();
        b.form.itemlist()->addItem(QStringLiteral("/replaced/entry.gif"));
        // Loading brings the lists back from the logo view.
        b.form.itemlist()->hide();
        b.form.filedir()->hide();
        b.tp.ui.expectFile(QStringLiteral("Load File List Profile"), b.tp.path("six.fpr"));
        b.press("loadlist");
        VERIFY_DIALOGS(b.tp);
        QCOMPARE(listEntries(b.form.itemlist()),
                 (QStringList{b.pic("a.gif"), b.pic("b.jpg"), b.pic("c.gif"), b.pic("d.jpg"), b.pic("e.gif"),
                              b.pic("f.jpg")}));
        QVERIFY(b.form.itemlist()->isVisibleTo(&b.form));
        QVERIFY(b.form.filedir()->isVisibleTo(&b.form));
    }

    void theBannerPickerIsInstalled()
    {
        Browsing b;
        PagePrompt prompt;
        b.tp.ui.expectFile(QStringLiteral("Select The Bottom Banner"), std::nullopt);
        prompt.selectBottomBanner();
        VERIFY_DIALOGS(b.tp);
    }

    void leavingTheLogoViewRefillsAnEmptyList()
    {
        Browsing b;
        b.form.itemlist()->clear();
        b.form.itemlist()->hide();
        QTest::keyClick(&b.form, Qt::Key_A);
        QVERIFY(b.form.itemlist()->isVisibleTo(&b.form));
        QCOMPARE(b.form.itemlist()->count(), 6);
        // A list that holds entries is left as it is.
        b.form.itemlist()->clear();
        b.form.itemlist()->addItem(QStringLiteral("/kept/entry.gif"));
        QTest::keyClick(&b.form, Qt::Key_A);
        QCOMPARE(listEntries(b.form.itemlist()), QStringList{QStringLiteral("/kept/entry.gif")});
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
