#include "viewer/widgets/frmlibrarycatalog.h"
#include "viewer/librarycatalog.h"

#include "settings/program.h"

#include "platform/events.h"

#include "listentries.h"
#include "testpictures.h"
#include "testprogram.h"
#include "windowsleft.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;
using viewer::FrmLibraryCatalog;
using viewer::LibraryCatalog;

namespace {

// Pictures of these names in the program folder, as the main list gives them.
QStringList pictures(const TestProgram& tp, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(tp.path(name), "JPEG");
        paths.append(tp.path(name));
    }
    return paths;
}

QString picture(const TestProgram& tp, const QString& name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(tp.path(name), "JPEG");
    return tp.path(name);
}

// A catalog over a big and a small picture, a JPEG cut short and a text
// file, with the thumbnails going to "thumbs"; sorted: big.jpg, broken.jpg,
// notes.txt, small.jpg.
QStringList conversionFixture(TestProgram& tp, LibraryCatalog& catalog)
{
    const QStringList paths{picture(tp, QStringLiteral("big.jpg"), 200, 60), tp.path("broken.jpg"),
                            tp.path("notes.txt"), picture(tp, QStringLiteral("small.jpg"), 80, 60)};
    tp.write("broken.jpg", cutShortJpeg());
    tp.write("notes.txt", "text");
    QDir(tp.folder()).mkpath(QStringLiteral("thumbs"));
    program().ini_file_path = tp.path("mosaik.ini");
    settings().thumb_size = QStringLiteral("100");
    settings().target_dir = tp.path("thumbs");
    catalog.Form_Load(paths);
    [&] { QVERIFY(catalog.waitForPicture()); }();
    return paths;
}

QStringList thumbnails(const LibraryCatalog& catalog)
{
    QStringList out;
    for (const catalog::CatalogEntry& entry : catalog.contents().entries())
        out.append(entry.thumbnail);
    return out;
}

QStringList titles(const LibraryCatalog& catalog)
{
    QStringList out;
    for (const catalog::CatalogEntry& entry : catalog.contents().entries())
        out.append(entry.title);
    return out;
}

void leave(QWidget* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

} // namespace

class TestLibraryCatalog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void aTypedTitleStaysWithItsEntry_data()
    {
        QTest::addColumn<int>("entry"); // in the window's list: A.jpg, a.jpg, b.jpg
        QTest::addColumn<QString>("title");
        QTest::addRow("the upper-case twin") << 0 << "Harbour";
        QTest::addRow("the lower-case twin") << 1 << "Harbour";
        QTest::addRow("a title that holds markup stays as typed")
            << 2 << "<b>Harbour</b> & <i>boats</i>";
    }
    void aTypedTitleStaysWithItsEntry()
    {
        QFETCH(int, entry);
        QFETCH(QString, title);
        TestProgram tp;
        const QStringList sorted = pictures(tp, {"A.jpg", "a.jpg", "b.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load({sorted[2], sorted[1], sorted[0]});
        QVERIFY(catalog.waitForPicture());
        FrmLibraryCatalog window(&catalog);
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("o_image_title"));

        window.flelist()->setCurrentRow(entry);
        box->setText(title);
        leave(box);
        const int other = (entry + 1) % 3;
        window.flelist()->setCurrentRow(other);
        QCOMPARE(box->text(), QString());
        window.flelist()->setCurrentRow(entry);

        QCOMPARE(box->text(), title);
        QCOMPARE(window.windowTitle(), QStringLiteral("Image Catalog - ") + sorted[entry]);
        QCOMPARE(listEntries(window.flelist()), sorted);
        QCOMPARE(catalog.flelist(), sorted);
        QStringList expected(3);
        expected[entry] = title;
        QCOMPARE(titles(catalog), expected);
        VERIFY_DIALOGS(tp);
    }

    void thePictureIsFittedWhereTheFrameShowsIt_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addRow("a window at its smallest") << QSize(6800 / 15, 6700 / 15);
        QTest::addRow("a large window") << QSize(1400, 1000);
    }
    void thePictureIsFittedWhereTheFrameShowsIt()
    {
        QFETCH(QSize, window);
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load({picture(tp, QStringLiteral("photo.jpg"), 2000, 1500)});
        QVERIFY(catalog.waitForPicture());
        FrmLibraryCatalog dialog(&catalog);
        dialog.show();
        dialog.resize(window);
        auto* frame = dialog.findChild<QWidget*>(QStringLiteral("Frame2"));
        QLabel* shown = dialog.viewimage();
        // Wholly inside where it can be seen (below the caption, inside the
        // border), and as wide or as high as that less a small margin.
        const auto fitted = [&] {
            const QRect room = frame->contentsRect();
            const QRect at = shown->geometry();
            return shown->isVisible() && room.contains(at) &&
                   (at.width() >= room.width() - 20 || at.height() >= room.height() - 20);
        };
        QTRY_VERIFY(fitted());
        QCOMPARE(shown->pixmap().size(), shown->size());
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("o_width"))->text(),
                 QStringLiteral("Width =  2000"));
        dialog.close();
    }

    void leavingTheTitleBoxWithSeveralSelectedSetsTheShownEntryOnly()
    {
        TestProgram tp;
        const QStringList paths = pictures(tp, {"1.jpg", "2.jpg", "3.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load(paths);
        QVERIFY(catalog.waitForPicture());
        catalog.contents().entry(1).title = QStringLiteral("Quay");
        FrmLibraryCatalog window(&catalog);
        window.flelist()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        window.flelist()->setCurrentRow(0, QItemSelectionModel::Select);
        window.flelist()->setCurrentRow(2, QItemSelectionModel::Select);
        QCOMPARE(catalog.selected, QList<bool>({true, true, true}));
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("o_image_title"));
        box->setText(QStringLiteral("Pier"));
        leave(box);
        QCOMPARE(titles(catalog),
                 QStringList({QString(), QStringLiteral("Quay"), QStringLiteral("Pier")}));
    }

    void thumbnailSizeRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<QString>("kept");
        QTest::addRow("zero")
            << "0"
            << "Thumbnail size cannot be zero.  The default size of 100 will be used."
            << "100";
        QTest::addRow("a leading zero") << "050"
                                        << "Thumbnail size cannot be prefixed with a zero.  The "
                                           "default size of 100 will be used."
                                        << "100";
        QTest::addRow("blank")
            << ""
            << "The thumbnail size cannot be blank.  The default size of 100 will be used."
            << "100";
        QTest::addRow("a size") << "150"
                                << ""
                                << "150";
    }
    void thumbnailSizeRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load({});
        QCOMPARE(catalog.o_tn_size.text, QStringLiteral("100"));
        if (!message.isEmpty())
            tp.ui.expectMessage(message);
        catalog.o_tn_size.text = typed;
        catalog.o_tn_size_Change();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(catalog.o_tn_size.text, kept);
        QCOMPARE(settings().thumb_size.text(), kept);
    }

    void promptForTitlesStopsAtAnEmptyAnswer()
    {
        TestProgram tp;
        const QStringList paths = pictures(tp, {"1.jpg", "2.jpg", "3.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load(paths);
        QVERIFY(catalog.waitForPicture());
        catalog.selected = {false, true, false};
        const QString prompt = QStringLiteral("Enter the title for this image.");
        tp.ui.expectInput(prompt, QStringLiteral("Two")).expectInput(prompt, QString());
        catalog.promptForTitles();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().at(0).title, paths[1]);
        QCOMPARE(tp.ui.asked().at(1).title, paths[2]);
        QCOMPARE(titles(catalog), QStringList({QString(), QStringLiteral("Two"), QString()}));
        QCOMPARE(catalog.ListIndex, 2);
        QCOMPARE(catalog.selected, QList<bool>({false, false, true}));
    }

    void optionsConversionsRecordThumbnailsOnlyWhenTheyExist_data()
    {
        QTest::addColumn<int>("index"); // Options item
        QTest::addColumn<int>("entry"); // the entry shown
        QTest::addColumn<QStringList>(
            "thumbs");                         // afterwards, "T/" standing for the target directory
        QTest::addColumn<QStringList>("made"); // files in the target directory
        QTest::addColumn<QString>("told");     // the message after the confirmation; empty: none
        QTest::addColumn<bool>("inTheWay");    // another picture named big_tn.jpg is in the target
        QTest::addRow("the list to thumbnails: a reduced one, a small picture as its own, none for "
                      "the damaged one")
            << 30 << 0 << QStringList{"T/big_tn.jpg", "", "", "small.jpg"}
            << QStringList{"big_tn.jpg"} << "These images could not be made:" << false;
        QTest::addRow(
            "the list to thumbnails leaves another picture of a thumbnail's name, and tells")
            << 30 << 0 << QStringList{"", "", "", "small.jpg"} << QStringList{"big_tn.jpg"}
            << "These images could not be made:" << true;
        QTest::addRow("the list to JPGs records no thumbnail")
            << 25 << 0 << QStringList{"", "stale", "", ""} << QStringList{"big.jpg", "small.jpg"}
            << "These images could not be made:" << false;
        QTest::addRow("the thumbnail of a large picture")
            << 15 << 0 << QStringList{"T/big_tn.jpg", "stale", "", ""} << QStringList{"big_tn.jpg"}
            << "" << false;
        QTest::addRow("the thumbnail of a large picture is not made over another picture")
            << 15 << 0 << QStringList{"", "stale", "", ""} << QStringList{"big_tn.jpg"}
            << "These images could not be made:" << true;
        QTest::addRow("no thumbnail of a picture within the size")
            << 15 << 3 << QStringList{"", "stale", "", ""} << QStringList{}
            << "The thumbnail was not created because it would be larger than the size of the "
               "original image."
            << false;
        QTest::addRow("no thumbnail of a text file")
            << 15 << 2 << QStringList{"", "stale", "", ""} << QStringList{}
            << "The thumbnail was not created because this file is not an image." << false;
        QTest::addRow("a missing target folder is told once, before anything is made")
            << 30 << 0 << QStringList{"", "stale", "", ""} << QStringList{}
            << "The images were not made because the target directory" << false;
    }
    void optionsConversionsRecordThumbnailsOnlyWhenTheyExist()
    {
        QFETCH(int, index);
        QFETCH(int, entry);
        QFETCH(QStringList, thumbs);
        QFETCH(QStringList, made);
        QFETCH(QString, told);
        QFETCH(bool, inTheWay);
        TestProgram tp;
        LibraryCatalog catalog;
        conversionFixture(tp, catalog);
        catalog.contents().entry(1).thumbnail = QStringLiteral("stale");
        if (inTheWay)
            picture(tp, QStringLiteral("thumbs/big_tn.jpg"), 300, 200);
        const QByteArray other = inTheWay ? tp.read("thumbs/big_tn.jpg") : QByteArray();
        const bool gone = told.contains(QLatin1String("target directory"));
        if (gone)
            QDir(tp.path("thumbs")).removeRecursively();
        catalog.ListIndex = entry;
        catalog.selected = {false, false, false, false};
        catalog.selected[entry] = true;
        catalog.flelist_Click();
        QVERIFY(catalog.waitForPicture());
        const QString files = index == 25 || index == 20 ? "JPG file(s)" : "JPG thumbnail file(s)";
        tp.ui.expectMessage(
            QStringLiteral(
                "The new %1 will be created in the %2 directory.  Is this what you want?")
                .arg(files, tp.path("thumbs")),
            platform::MsgBox::Yes);
        if (!told.isEmpty())
            tp.ui.expectMessage(std::nullopt);
        const QHash<int, void (LibraryCatalog::*)()> options{
            {15, &LibraryCatalog::createThumbnailFile},
            {20, &LibraryCatalog::createJpegFile},
            {25, &LibraryCatalog::convertListToJpegs},
            {30, &LibraryCatalog::convertListToThumbnails},
        };
        (catalog.*options.value(index))();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), told.isEmpty() ? 1 : 2);
        if (!told.isEmpty()) {
            const QString text = tp.ui.asked().last().text;
            QVERIFY2(text.startsWith(told), qPrintable(text));
            // One file is named, once: the damaged picture, or the missing folder;
            // besides, the picture whose thumbnail found another picture in its place.
            const QString inPlace =
                tp.path("big.jpg") + ": " + tp.path("thumbs/big_tn.jpg") +
                " is already there and is not a thumbnail this program made, so it was left as it is.";
            QCOMPARE(text.count(tp.folder()), told.startsWith(QLatin1String("The thumbnail")) ? 0
                                              : inTheWay ? 3 - (index == 15)
                                                         : 1);
            QVERIFY(!told.startsWith(QLatin1String("These")) || index == 15 ||
                    text.contains(tp.path("broken.jpg")));
            QCOMPARE(text.contains(inPlace), inTheWay);
        }
        QCOMPARE(thumbnails(catalog), thumbs.replaceInStrings(QStringLiteral("T/"), tp.path("thumbs/")));
        QCOMPARE(QDir(tp.path("thumbs")).entryList(QDir::Files), made);
        if (inTheWay)
            QCOMPARE(tp.read("thumbs/big_tn.jpg"), other);
        QCOMPARE(QFileInfo::exists(tp.path("thumbs")), !gone);
        QVERIFY(!catalog.batch_create_running);
        QVERIFY(catalog.Frame2.visible);
    }

    // Closed while a list is converted, the window stays until the pictures
    // in hand are done, then goes without telling what could not be made.
    void closingWhileAListIsConvertedStopsItAndLeaves()
    {
        TestProgram tp;
        LibraryCatalog catalog;
        conversionFixture(tp, catalog);
        FrmLibraryCatalog window(&catalog);
        window.open();
        QSignalSpy hidden(&catalog, &LibraryCatalog::hidden);
        int keptWhileRunning = 0;
        platform::setDoEventsHook([&] {
            if (!catalog.batch_create_running)
                return;
            window.reject();
            if (window.isVisible() && hidden.isEmpty() && !window.flelist()->isEnabled())
                ++keptWhileRunning;
        });
        tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes);
        catalog.convertListToThumbnails();
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(tp);
        QVERIFY(keptWhileRunning >= 1);
        QCOMPARE(hidden.size(), 1);
        QVERIFY(!window.isVisible());
        QVERIFY(!catalog.batch_create_running);
    }

    void aCancelledFileDialogChangesNothing_data()
    {
        QTest::addColumn<int>("command"); // Options item, or 0 for the Select File button
        QTest::addRow("Select File") << 0;
        QTest::addRow("Load Saved File") << 35;
    }
    void aCancelledFileDialogChangesNothing()
    {
        QFETCH(int, command);
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, {"1.jpg", "2.jpg"}));
        QVERIFY(catalog.waitForPicture());
        catalog.contents().entry(1).title = QStringLiteral("Quay");
        catalog.o_output_file.text = tp.path("old.txt");
        settings().last_directory = tp.path("start/");
        const QList<catalog::CatalogEntry> before = catalog.contents().entries();
        tp.ui.expectFile(QStringLiteral("Select The Catalog Output File"), std::nullopt);
        if (command == 0)
            catalog.b_select_file_Click();
        else
            catalog.loadSavedFile();
        VERIFY_DIALOGS(tp);
        QCOMPARE(catalog.o_output_file.text, tp.path("old.txt"));
        QCOMPARE(settings().last_directory.text(), tp.path("start/"));
        QCOMPARE(catalog.contents().entries(), before);
        QCOMPARE(catalog.Frame1.caption, QStringLiteral("Current File List ( 2)"));
    }

    void loadingADataFileReplacesTheCatalogWhole_data()
    {
        QTest::addColumn<QByteArray>("file");    // "P/" stands for the program folder
        QTest::addColumn<QStringList>("images"); // file names afterwards, in list order
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("told");
        QTest::addRow(
            "entries out of order are listed in the one image order, each with its own title")
            << QByteArray(
                   "FORMAT:1.  image,title\r\nFIELDS:image file, title\r\n\"P/b.jpg\",\"Bee\"\r\n"
                   "\"P/a.jpg\",\"small a\"\r\n\"P/A.jpg\",\"capital A\"\r\n")
            << QStringList{"A.jpg", "a.jpg", "b.jpg"} << QStringList{"capital A", "small a", "Bee"}
            << false;
        QTest::addRow("a file cut short is told; the catalog and the chosen output file stay")
            << QByteArray("FORMAT:2.  "
                          "image,thumbnail,title\r\nFIELDS:\r\n\"P/"
                          "b.jpg\",\"tn_b.jpg\",\"Bee\"\r\n\"P/a.jpg\"\r\n")
            << QStringList{"1.jpg", "2.jpg"} << QStringList{"", ""} << true;
    }
    void loadingADataFileReplacesTheCatalogWhole()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, images);
        QFETCH(QStringList, titles);
        QFETCH(bool, told);
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, {"1.jpg", "2.jpg"}));
        QVERIFY(catalog.waitForPicture());
        catalog.o_output_file.text = tp.path("old.txt");
        QByteArray bytes = file;
        tp.write("data.txt", bytes.replace("P/", tp.folder().toUtf8() + "/"));
        FrmLibraryCatalog window(&catalog);
        tp.ui.expectFile(QStringLiteral("Select The Catalog Output File"), tp.path("data.txt"));
        if (told)
            tp.ui.expectMessage(std::nullopt);
        window.menuItem(QStringLiteral("menuOptionsItem"), 35)->trigger();
        VERIFY_DIALOGS(tp);
        QStringList paths;
        for (const QString& name : images)
            paths.append(tp.path(name));
        QCOMPARE(catalog.flelist(), paths);
        QCOMPARE(listEntries(window.flelist()), paths);
        QCOMPARE(::titles(catalog), titles);
        QCOMPARE(catalog.Frame1.caption,
                 QStringLiteral("Current File List ( %1)").arg(paths.size()));
        QCOMPARE(catalog.o_output_file.text, tp.path(told ? "old.txt" : "data.txt"));
        // The next save goes where the box says; a file that was refused is never replaced unasked.
        tp.ui.expectMessage("The image data has been save in " + catalog.o_output_file.text);
        catalog.b_save_data_Click();
        VERIFY_DIALOGS(tp);
        if (told)
            QCOMPARE(tp.read("data.txt"), bytes);
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("o_image_title"));
        QCOMPARE(box->text(), titles.first());
        QCOMPARE(window.windowTitle(), QStringLiteral("Image Catalog - ") + paths.first());
    }

    void createCatalogRefusesABadPageSizeFirst_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("rowsText");
        QTest::addColumn<bool>("targetGone");
        QTest::addColumn<int>("confirm");  // the answer to the confirmation; 0: not asked
        QTest::addColumn<QString>("told"); // the start of the message after it; empty: none
        QTest::addColumn<QStringList>("written");
        const QString refused = "The number of images per row and the number of images per column";
        QTest::addRow("zero per row") << "0"
                                      << "2" << false << 0 << refused << QStringList{};
        QTest::addRow("an empty box") << "2"
                                      << "" << false << 0 << refused << QStringList{};
        QTest::addRow("a fraction") << "2.5"
                                    << "2" << false << 0 << refused << QStringList{};
        QTest::addRow("trailing letters") << "2"
                                          << "2x" << false << 0 << refused << QStringList{};
        QTest::addRow("the confirmation answered No")
            << "2"
            << "2" << false << platform::MsgBox::No << "" << QStringList{};
        QTest::addRow("a missing target folder is told")
            << "2"
            << "2" << true << platform::MsgBox::Yes
            << "The catalog was not written because the target directory" << QStringList{};
        QTest::addRow("three entries, two by one: two pages and the home page")
            << "2"
            << "1" << false << platform::MsgBox::Yes << ""
            << QStringList{"mkn_catalog.htm", "mkncat1.htm", "mkncat2.htm"};
    }
    void createCatalogRefusesABadPageSizeFirst()
    {
        QFETCH(QString, columns);
        QFETCH(QString, rowsText);
        QFETCH(bool, targetGone);
        QFETCH(int, confirm);
        QFETCH(QString, told);
        QFETCH(QStringList, written);
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("web"));
        settings().target_dir = tp.path("web");
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, {"1.jpg", "2.jpg", "3.jpg"}));
        QVERIFY(catalog.waitForPicture());
        if (targetGone)
            QDir(tp.path("web")).removeRecursively();
        FrmLibraryCatalog window(&catalog);
        window.findChild<QLineEdit*>(QStringLiteral("o_horizontal_images"))->setText(columns);
        window.findChild<QLineEdit*>(QStringLiteral("o_vertical_images"))->setText(rowsText);
        if (confirm != 0)
            tp.ui.expectMessage(
                QStringLiteral(
                    "The new JPG thumbnail file(s) will be created in the %1 directory.  "
                    "Is this what you want?")
                    .arg(tp.path("web")),
                confirm);
        if (!told.isEmpty())
            tp.ui.expectMessage(std::nullopt);
        // The window answers between pages, showing the button and the lists
        // off; a second click meanwhile starts no second run.
        QPushButton* const create = window.findChild<QPushButton*>(QStringLiteral("b_create_web_page_catalog"));
        bool clicking = false;
        int nestedYields = 0;
        int lockedYields = 0;
        platform::setDoEventsHook([&] {
            if (clicking) {
                ++nestedYields;
                return;
            }
            const bool shownOff = !create->isEnabled() && !window.flelist()->isEnabled() &&
                                  !window.findChild<QWidget*>(QStringLiteral("Dir1"))->isEnabled();
            lockedYields += catalog.controlsEnabled() || !shownOff ? 0 : 1;
            clicking = true;
            create->click();
            clicking = false;
        });
        create->click();
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(tp);
        QCOMPARE(nestedYields, 0);
        QCOMPARE(lockedYields > 0, !written.isEmpty());
        QVERIFY(catalog.controlsEnabled());
        QVERIFY(create->isEnabled() && window.flelist()->isEnabled());
        if (!told.isEmpty())
            QVERIFY2(tp.ui.asked().last().text.startsWith(told),
                     qPrintable(tp.ui.asked().last().text));
        QCOMPARE(QDir(tp.path("web")).entryList(QDir::Files), written);
        QCOMPARE(tp.shell.opened.size(), written.isEmpty() ? 0 : 1);
    }

    void saveImageDataTakesTheChosenFormatAndFilter_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QByteArray>("expected"); // "P/" stands for the program folder
        QTest::addRow("image and title, all entries")
            << 0 << 0
            << QByteArray("FORMAT:1.  image,title\r\nFIELDS:image file, "
                          "title\r\n\"P/a.jpg\",\"Harbour\"\r\n"
                          "\"P/b.jpg\",\"\"\r\n");
        QTest::addRow("image and title, only those with titles")
            << 0 << 1
            << QByteArray("FORMAT:1.  image,title\r\nFIELDS:image file, "
                          "title\r\n\"P/a.jpg\",\"Harbour\"\r\n");
        QTest::addRow("image, thumbnail and title, only those with thumbnails")
            << 1 << 2
            << QByteArray(
                   "FORMAT:2.  image,thumbnail,title\r\nFIELDS:image file, thumbnail, title\r\n"
                   "\"P/b.jpg\",\"tn_b.jpg\",\"\"\r\n");
    }
    void saveImageDataTakesTheChosenFormatAndFilter()
    {
        QFETCH(int, format);
        QFETCH(int, filter);
        QFETCH(QByteArray, expected);
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, {"b.jpg", "a.jpg"}));
        QVERIFY(catalog.waitForPicture());
        catalog.contents().entry(0).title = QStringLiteral("Harbour");
        catalog.contents().entry(1).thumbnail = QStringLiteral("tn_b.jpg");
        catalog.o_output_file.text = tp.path("data.txt");
        catalog.o_output_format.index = format;
        catalog.o_output_format_Click();
        QCOMPARE(catalog.filterVisible, (std::array<bool, 3>{true, format == 0, format == 1}));
        catalog.o_save_by_image_filter.index = filter;
        tp.ui.expectMessage(std::nullopt);
        catalog.b_save_data_Click();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.read("data.txt"), expected.replace("P/", tp.folder().toUtf8() + "/"));
    }

    void theHtmlBackgroundComesFromTheCatalog_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("how");          // "Label2" or the pop-up menu's "item 3"
        QTest::addColumn<bool>("currentSelected"); // the last entry is current
        QTest::addColumn<QString>("asked");        // the file chosen; "-": not asked; "": cancelled
        QTest::addColumn<QString>("after");        // "P/" stands for the program folder
        const QStringList two{"a.jpg", "b.jpg"};
        QTest::addRow("the label takes the current entry, selected or not")
            << two << "old.gif"
            << "Label2" << false << "-"
            << "P/b.jpg";
        QTest::addRow("the label with an empty catalog changes nothing")
            << QStringList{} << "old.gif"
            << "Label2" << false << "-"
            << "old.gif";
        QTest::addRow("the pop-up takes the selected current entry without asking")
            << two << ""
            << "item 3" << true << "-"
            << "P/b.jpg";
        QTest::addRow("the pop-up asks for a file when the current entry is not selected")
            << two << "old.gif"
            << "item 3" << false << "back.gif"
            << "P/back.gif";
        QTest::addRow("a file that is neither GIF nor JPG keeps the background")
            << two << "old.gif"
            << "item 3" << false << "back.png"
            << "old.gif";
        QTest::addRow("a cancelled file dialog keeps no background") << two << ""
                                                                     << "item 3" << false << ""
                                                                     << "";
    }
    void theHtmlBackgroundComesFromTheCatalog()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, before);
        QFETCH(QString, how);
        QFETCH(bool, currentSelected);
        QFETCH(QString, asked);
        QFETCH(QString, after);
        TestProgram tp;
        settings().html_background = before;
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, listed));
        QVERIFY(catalog.waitForPicture());
        FrmLibraryCatalog window(&catalog);
        QAction* item = window.menuItem(QStringLiteral("menuMouseItem"), 3);
        QVERIFY(window.menuMouse()->actions().contains(item));
        const auto captionFor = [](const QString& background) {
            return background.isEmpty()
                       ? QStringLiteral("Set HTML Background")
                       : QStringLiteral("Set HTML Background (%1)").arg(background);
        };
        QCOMPARE(item->text(), captionFor(before));
        if (!listed.isEmpty())
            window.flelist()->setCurrentRow(int(listed.size()) - 1,
                                            currentSelected ? QItemSelectionModel::ClearAndSelect
                                                            : QItemSelectionModel::Clear);
        if (asked != QLatin1String("-"))
            tp.ui.expectFile(QStringLiteral("Select HTML Background"),
                             asked.isEmpty() ? std::nullopt : std::optional(tp.path(asked)));
        if (asked.endsWith(QLatin1String(".png")))
            tp.ui.expectMessage(
                QStringLiteral("GIF and JPG are the only valid file formats for HTML background."));
        if (how == QLatin1String("Label2"))
            QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Label2")), Qt::LeftButton);
        else
            item->trigger();
        VERIFY_DIALOGS(tp);
        after.replace(QStringLiteral("P/"), tp.folder() + u'/');
        QCOMPARE(settings().html_background.text(), after);
        QCOMPARE(item->text(), captionFor(after));
        QCOMPARE(catalog.contents().size(), listed.size());
    }

    void aListConversionEndsWithTheCurrentEntryAloneSelected_data()
    {
        QTest::addColumn<int>("index"); // Options item
        QTest::addColumn<int>("answer");
        QTest::addRow("to thumbnails") << 30 << int(platform::MsgBox::Yes);
        QTest::addRow("to JPGs") << 25 << int(platform::MsgBox::Yes);
        QTest::addRow("answered No: nothing changes") << 30 << int(platform::MsgBox::No);
    }
    void aListConversionEndsWithTheCurrentEntryAloneSelected()
    {
        QFETCH(int, index);
        QFETCH(int, answer);
        TestProgram tp;
        LibraryCatalog catalog;
        const QStringList paths = conversionFixture(tp, catalog);
        FrmLibraryCatalog window(&catalog);
        window.flelist()->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        window.flelist()->setCurrentRow(3, QItemSelectionModel::Select);
        const QString shown = QStringLiteral("Image Catalog - ") + paths[3];
        QCOMPARE(window.windowTitle(), shown);
        tp.ui.expectMessage(std::nullopt, answer);
        const bool runs = answer == platform::MsgBox::Yes;
        if (runs)
            tp.ui.expectMessage(std::nullopt); // the damaged picture
        window.menuItem(QStringLiteral("menuOptionsItem"), index)->trigger();
        VERIFY_DIALOGS(tp);
        QVERIFY(catalog.waitForPicture());
        QCOMPARE(window.windowTitle(), shown);
        const QList<bool> selected{!runs, false, false, true};
        QCOMPARE(catalog.selected, selected);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(window.flelist()->item(i)->isSelected(), selected.at(i));
        QCOMPARE(window.flelist()->currentRow(), 3);
        QCOMPARE(catalog.viewimage.fileName(), paths[3]);
        QVERIFY(catalog.viewimage.visible());
        QCOMPARE(catalog.o_width.caption, QStringLiteral("Width =  80"));
    }
};

QTEST_MAIN(TestLibraryCatalog)
#include "tst_librarycatalog.moc"
