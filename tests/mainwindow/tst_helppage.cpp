#include "mainwindow/helppage.h"
#include "settings/program.h"

#include "filesizelimit.h"
#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace mosaicon;
using namespace Qt::StringLiterals;

class TestHelpPage : public QObject
{
    Q_OBJECT

private slots:
    void theShippedPageIsWholeHtmlWithCrLf()
    {
        const QByteArray page = help_page_text();
        QVERIFY(page.startsWith("<html>\r\n"));
        QVERIFY(page.endsWith("</html>\r\n"));
        QCOMPARE(page.count('\n'), page.count("\r\n"));
        // What a user looks for: the toolbar, the menus, the folder and the switches;
        // every command of View Images' and the catalog's menus; how the catalog gets
        // its thumbnails; which browser opens the pages.
        for (const char* text :
             {"Create An Advanced HTML File From File List", "Use Virtual Directory", "mosaik.ini",
              "htmlhead.htm", "/f LISTFILE", "log_messages",
              // View Images
              "Exit And Use Current File List", "Exit And Use New File List", "Cancel And Exit",
              "Set HTML Background", "Clear HTML Background", "Move Selected Files To 'New File List'",
              "To 'Current File List'", "Clear Current File List Selections",
              "Clear New File List Selections", "Clear All File List Selections", "View Thumbnail",
              "Add File", "Change Thumbnail Background Color",
              // Image Catalog
              "Prompt For Titles", "Create Thumbnail File", "Create JPG File", "Convert List To JPGs",
              "Load Saved File", "Save Image Data To Output File",
              "<b>Options &gt; Convert List To Thumbnails</b>\r\n(or <b>Create Thumbnail File</b> for "
              "the shown picture), then <b>Create Catalog</b>",
              "Pages open in the desktop's default browser", "<b>Select Browser...</b> and <b>Clear "
                                                             "Browser</b> do nothing"})
            QVERIFY2(page.contains(text), text);
    }

    void startUpWritesThePageOnlyWhereNothingIsThere_data()
    {
        QTest::addColumn<QString>("there");
        QTest::addRow("nothing: the shipped page is written") << "";
        QTest::addRow("the user's own page is left as it is") << "file";
        QTest::addRow("a folder of that name is left alone") << "folder";
        QTest::addRow("a link leading nowhere is left alone") << "link";
    }
    void startUpWritesThePageOnlyWhereNothingIsThere()
    {
        QFETCH(QString, there);
        TestProgram tp;
        const QString page = tp.path(u"mknhelp.htm"_s);
        QDateTime written;
        if (there == "file"_L1) {
            tp.write(u"mknhelp.htm"_s, "<p>My notes</p>\n");
            QFile file(page);
            QVERIFY(file.open(QIODevice::ReadWrite));
            written = QDateTime::currentDateTime().addDays(-3);
            QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        } else if (there == "folder"_L1) {
            QVERIFY(QDir(tp.folder()).mkdir(u"mknhelp.htm"_s));
        } else if (there == "link"_L1) {
            QVERIFY(QFile::link(tp.path(u"gone.htm"_s), page));
        }

        QCOMPARE(help_page_path(), page);
        QVERIFY(check_help_page());
        VERIFY_DIALOGS(tp);
        if (there.isEmpty())
            QCOMPARE(tp.read(u"mknhelp.htm"_s), help_page_text());
        else if (there == "file"_L1) {
            QCOMPARE(tp.read(u"mknhelp.htm"_s), QByteArray("<p>My notes</p>\n"));
            QCOMPARE(QFileInfo(page).lastModified(), written);
        } else if (there == "folder"_L1)
            QVERIFY(QFileInfo(page).isDir());
        else {
            QVERIFY(QFileInfo(page).isSymLink());
            QVERIFY(!QFileInfo::exists(tp.path(u"gone.htm"_s)));
        }
        // Nothing else was made beside it, no temporary file either.
        const bool aFile = there.isEmpty() || there == "file"_L1;
        QCOMPARE(QDir(tp.folder()).entryList(QDir::Files | QDir::Hidden).size(), aFile ? 1 : 0);
    }

    void aPageThatCannotBeWrittenIsToldOnce()
    {
        TestProgram tp;
        program().product_title = u"Mosaicon Pro v4.00"_s;
        tp.ui.expectMessage(u"The help page %1 could not be created: File too large"_s.arg(help_page_path()));
        bool written = true;
        {
            const FileSizeLimit limit(100);
            written = check_help_page();
        }
        VERIFY_DIALOGS(tp);
        QVERIFY(!written);
        QCOMPARE(tp.ui.asked().size(), 1);
        QCOMPARE(tp.ui.asked().first().title, u"Mosaicon Pro v4.00"_s);
        // No half page, and no temporary file, is left behind.
        QVERIFY(QDir(tp.folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHelpPage)
#include "tst_helppage.moc"
