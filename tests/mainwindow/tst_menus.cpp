#include "mainwindow/mainform.h"

#include "pagekit/pageprompt.h"
#include "mainwindow/helppage.h"
#include "settings/program.h"
#include "viewer/widgets/frmsimplev.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/imageview.h"

#include "listentries.h"
#include "testprogram.h"
#include "windowsleft.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QTest>

using namespace mosaicon;

class TestMenus : public QObject
{
    Q_OBJECT

    struct Started
    {
        TestProgram tp;
        MainForm form;
        Started()
        {
            program().product_title = QStringLiteral("Mosaicon Pro v4.00");
            form.Form_Load();
        }
        void click(const char* menu, int index) { form.menuItem(QString::fromUtf8(menu), index)->trigger(); }
    };

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void emptyListMessages_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addRow("Create HTML File") << 45 << "There are no files loaded to create an html.";
        QTest::addRow("Simple Images") << 47 << "No files are loaded to view.";
        QTest::addRow("View Images") << 50 << "No files are loaded to view.";
    }
    void emptyListMessages()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        Started s;
        s.form.itemlist()->clear();
        s.tp.ui.expectMessage(text);
        s.click("menuFileItem", index);
        VERIFY_DIALOGS(s.tp);
        QCOMPARE(s.tp.ui.asked().first().style, 48);
        QCOMPARE(s.form.statusText(), text);
    }

    void itemsAskTheirDialog_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text"); // title or prompt; empty for a colour dialog
        using K = platform::ScriptedUi::Kind;
        QTest::addRow("Select Editor") << "menuFileItem" << 20 << int(K::File) << "Select HTML Editor";
        QTest::addRow("Editor's Command Line Parameters")
            << "menuFileItem" << 30 << int(K::Input)
            << "Enter the command line parameters for the HTML editor application.";
        QTest::addRow("Logo") << "menuFileItem" << 60 << int(K::File) << "Select Logo";
        QTest::addRow("Background Color") << "menuFileItem" << 70 << int(K::Color) << "";
        QTest::addRow("Thumbnails Background Color") << "menuThumbsItem" << 5 << int(K::Color) << "";
        QTest::addRow("Use Virtual Directory") << "menuOptionsItem" << 85 << int(K::File)
                                               << "Select Virtual Directory File";
    }
    void itemsAskTheirDialog()
    {
        QFETCH(QString, menu);
        QFETCH(int, index);
        QFETCH(int, kind);
        QFETCH(QString, text);
        Started s;
        s.form.itemlist()->addItem(QStringLiteral("/kept.jpg"));
        settings().editor_command = QStringLiteral("kept -x");
        const Settings before = settings();
        using K = platform::ScriptedUi::Kind;
        if (K(kind) == K::File)
            s.tp.ui.expectFile(text, std::nullopt);
        else if (K(kind) == K::Input)
            s.tp.ui.expectInput(text, std::nullopt);
        else
            s.tp.ui.expectColor(std::nullopt);
        s.form.menuItem(menu, index)->trigger();
        VERIFY_DIALOGS(s.tp);
        // A cancel changes nothing.
        QVERIFY(settings() == before);
        QCOMPARE(listEntries(s.form.itemlist()), QStringList{QStringLiteral("/kept.jpg")});
    }

    void simpleImagesBrowsesACopyOfTheList()
    {
        Started s;
        QListWidget* list = s.form.itemlist();
        list->clear();
        list->addItems({QStringLiteral("/pics/z.jpg"), QStringLiteral("/pics/B.gif"),
                        QStringLiteral("/pics/a.txt")});
        list->item(1)->setSelected(true);
        list->setCurrentRow(1);
        s.tp.ui.expectModal(QStringLiteral("frm_simplev"), [](QObject* object) {
            auto* value = qobject_cast<viewer::SimpleView*>(object);
            QVERIFY(value);
            viewer::FrmSimpleV dialog(value);
            dialog.open();
            viewer::FrmSimpleV* window = &dialog;
            QCOMPARE(listEntries(window->flelist()),
                     (QStringList{QStringLiteral("/pics/a.txt"), QStringLiteral("/pics/B.gif"),
                                  QStringLiteral("/pics/z.jpg")}));
            window->flelist()->setCurrentRow(2);
            window->flelist()->selectAll();
            window->menuFileItem(99)->trigger();
            QVERIFY(!window->isVisible());
        });
        s.click("menuFileItem", 47);
        VERIFY_DIALOGS(s.tp);
        QCOMPARE(listEntries(list),
                 (QStringList{QStringLiteral("/pics/z.jpg"), QStringLiteral("/pics/B.gif"),
                              QStringLiteral("/pics/a.txt")}));
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(1)});
        QCOMPARE(list->currentRow(), 1);
    }

    void logoAndClearFileList()
    {
        Started s;
        QImage(8, 8, QImage::Format_RGB32).save(s.tp.path("logo.png"));
        settings().logo_background = 255;
        s.tp.ui.expectFile(QStringLiteral("Select Logo"), s.tp.path("logo.png"));
        s.click("menuFileItem", 60);
        QCOMPARE(settings().logo_file.text(), s.tp.path("logo.png"));
        QCOMPARE(s.tp.ui.asked().first().title, QStringLiteral("All Files|*.*|BMP Files|*.bmp|GIF Files|*.gif|JPG Files|*.jpg"));
        // In the list view the logo stays hidden until the list is cleared.
        QVERIFY(!s.form.logo()->control().visible());
        s.click("menuFileItem", 80);
        QCOMPARE(s.form.itemlist()->count(), 0);
        QVERIFY(!s.form.itemlist()->isVisibleTo(&s.form));
        QVERIFY(!s.form.filedir()->isVisibleTo(&s.form));
        QVERIFY(s.form.logo()->control().visible());
        QCOMPARE(s.form.centralWidget()->palette().color(QPalette::Window), QColor(255, 0, 0));

        s.click("menuFileItem", 65);
        QCOMPARE(settings().logo_file.text(), QStringLiteral("{none}"));
        QVERIFY(!s.form.logo()->control().visible());
        // With no logo, clearing the list leaves the window empty.
        s.click("menuFileItem", 80);
        QVERIFY(!s.form.logo()->control().visible());
        QVERIFY(!s.form.itemlist()->isVisibleTo(&s.form));
        VERIFY_DIALOGS(s.tp);
    }

    void coloursAreStored()
    {
        Started s;
        s.tp.ui.expectColor(QColor(0x12, 0x34, 0x56));
        s.click("menuFileItem", 70);
        QCOMPARE(settings().logo_background, 0x563412);
        QCOMPARE(s.form.centralWidget()->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
        QVERIFY(!program().color_dialog_cancelled);
        s.tp.ui.expectColor(std::nullopt);
        s.click("menuFileItem", 70);
        QVERIFY(program().color_dialog_cancelled);
        QCOMPARE(settings().logo_background, 0x563412);

        settings().thumb_bg_color = QStringLiteral("255");
        s.tp.ui.expectColor(QColor(0, 0, 255));
        s.click("menuThumbsItem", 5);
        VERIFY_DIALOGS(s.tp);
        QCOMPARE(s.tp.ui.asked().last().text, QColor(255, 0, 0).name());
        QCOMPARE(settings().thumb_bg_color.text(), QStringLiteral("16711680"));
    }

    void clearEditorClearsTheCommand()
    {
        Started s;
        settings().editor_command = QStringLiteral("/usr/bin/edit");
        s.click("menuFileItem", 25);
        QVERIFY(settings().editor_command.isEmpty());
        QVERIFY(!s.tp.settingsText().contains(QStringLiteral("\nEditor=")));
    }

    void virtualDirectoryFillsTheList()
    {
        Started s;
        s.tp.write("a.jpg", "a");
        s.tp.write("list.txt", (s.tp.path("a.jpg") + "\r\n" + s.tp.path("gone.jpg") + "\r\n").toUtf8());
        s.tp.ui.expectFile(QStringLiteral("Select Virtual Directory File"), s.tp.path("list.txt"));
        s.click("menuOptionsItem", 85);
        VERIFY_DIALOGS(s.tp);
        QCOMPARE(s.tp.ui.asked().first().defaultText, s.tp.folder());
        QCOMPARE(listEntries(s.form.itemlist()), QStringList{s.tp.path("a.jpg")});
        QVERIFY(s.form.itemlist()->styleSheet().contains(QStringLiteral("background: black")));
    }

    void helpOpensTheHtmlHelp_data()
    {
        QTest::addColumn<int>("index");
        QTest::addRow("Contents") << 0;
        QTest::addRow("Search For Help On") << 2;
        QTest::addRow("Help File (HTML format)") << 3;
    }
    void helpOpensTheHtmlHelp()
    {
        QFETCH(int, index);
        Started s;
        // Start-up wrote the program's own page, and the items open it.
        QCOMPARE(s.tp.read("mknhelp.htm"), help_page_text());
        s.click("menuHelpItem", index);
        QCOMPARE(s.tp.shell.opened, QStringList{QUrl::fromLocalFile(s.tp.path("mknhelp.htm")).toString(QUrl::FullyEncoded)});
        s.tp.shell.opened.clear();

        settings().html_help_file = s.tp.path("help me.htm");
        s.click("menuHelpItem", index);
        QVERIFY(s.tp.shell.opened.isEmpty());
        s.tp.write("help me.htm", "<html>");
        s.click("menuHelpItem", index);
        QCOMPARE(s.tp.shell.opened, QStringList{QUrl::fromLocalFile(s.tp.path("help me.htm")).toString(QUrl::FullyEncoded)});
        VERIFY_DIALOGS(s.tp);
    }

    void pageItemsPickTheWriterByTheLastButton_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("lastKey");
        QTest::addColumn<bool>("advanced"); // else the vertically aligned page
        QTest::addRow("Advanced HTML right after start-up writes the vertically aligned page")
            << "menuOutputItem" << 5 << "" << false;
        QTest::addRow("Vertically Aligned HTML right after start-up") << "menuOutputItem" << 80 << "" << false;
        QTest::addRow("Advanced HTML after the advanced button") << "menuOutputItem" << 5 << "advhtml" << true;
        QTest::addRow("Vertically Aligned HTML after the advanced button writes the advanced page")
            << "menuOutputItem" << 80 << "advhtml" << true;
        QTest::addRow("Create HTML File writes the advanced page whatever the last button")
            << "menuFileItem" << 45 << "" << true;
    }
    void pageItemsPickTheWriterByTheLastButton()
    {
        QFETCH(QString, menu);
        QFETCH(int, index);
        QFETCH(QString, lastKey);
        QFETCH(bool, advanced);
        Started s;
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        QVERIFY(image.save(s.tp.path("a.jpg")));
        s.form.itemlist()->addItem(s.tp.path("a.jpg"));
        settings().internet_ready = false;
        settings().rename_html = false;
        settings().auto_start_browser = false;
        settings().internet_dir = s.tp.path("web");
        program().last_toolbar_key = lastKey;
        s.tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                            [](QObject* w) { qobject_cast<PagePrompt*>(w)->acceptAnswers(); });
        s.form.menuItem(menu, index)->trigger();
        // The advanced page links each picture from its thumbnail line; the
        // vertically aligned page centres each one.
        const QByteArray page = s.tp.read(QStringLiteral("web/mosaik.htm"));
        QVERIFY2(page.contains(advanced ? "<A HREF=\"a.jpg\"><img src=\"a.jpg\"" : "<center><a href=\"a.jpg\"><img"),
                 page.constData());
        VERIFY_DIALOGS(s.tp);
        QVERIFY(!settings().internet_ready);
        QCOMPARE(program().last_toolbar_key, lastKey);
    }

    void popupOpensTheCurrentEntry()
    {
        Started s;
        QCOMPARE(s.form.findChild<QMenu*>(QStringLiteral("menuitemlistitems"))->title(),
                 QStringLiteral("Item List Menu"));
        s.form.itemlist()->addItems({QStringLiteral("/pics/a.jpg"), QStringLiteral("/pics/b c.jpg")});
        s.form.itemlist()->setCurrentRow(1);
        s.click("menuitemlistitems", 25);
        QCOMPARE(s.tp.shell.opened, QStringList{QStringLiteral("/pics/b c.jpg")});
        VERIFY_DIALOGS(s.tp);
    }

    void popupOpensFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addRow("the Menu key") << int(Qt::Key_Menu) << Qt::KeyboardModifiers();
        QTest::addRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    }
    void popupOpensFromTheKeyboard()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        Started s;
        QListWidget* list = s.form.itemlist();
        list->addItems({QStringLiteral("/pics/a.jpg"), QStringLiteral("/pics/b.jpg")});
        list->setCurrentRow(1);
        auto* popup = s.form.findChild<QMenu*>(QStringLiteral("menuitemlistitems"));
        QTest::keyClick(list, Qt::Key(key), modifiers);
        QVERIFY(popup->isVisible());
        // At the current entry, where the user is.
        QVERIFY(popup->geometry().contains(
            list->viewport()->mapToGlobal(list->visualItemRect(list->item(1)).center()) + QPoint(1, 1)));
        popup->close();
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
