#include "viewer/frmlibrarycatalog.h"
#include "viewer/librarycatalog.h"

#include "settings/program.h"

#include "platform/events.h"

#include "testprogram.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
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

// A catalog over a big and a small picture, a damaged picture and a text
// file, with the thumbnails going to "thumbs"; sorted: big.jpg, broken.jpg,
// notes.txt, small.jpg.
QStringList conversionFixture(TestProgram& tp, LibraryCatalog& catalog)
{
    const QStringList paths{picture(tp, QStringLiteral("big.jpg"), 200, 60), tp.path("broken.jpg"),
                            tp.path("notes.txt"), picture(tp, QStringLiteral("small.jpg"), 80, 60)};
    tp.write("broken.jpg", "not a picture");
    tp.write("notes.txt", "text");
    QDir(tp.folder()).mkpath(QStringLiteral("thumbs"));
    program().ini_file_path = tp.path("mosaik.ini");
    settings().thumb_size = QStringLiteral("100");
    settings().target_dir = tp.path("thumbs");
    catalog.Form_Load(paths);
    return paths;
}

QStringList thumbnails()
{
    QStringList out;
    for (const CatalogRow& row : program().catalog)
        out.append(row.thumbnail);
    return out;
}

QStringList titles()
{
    QStringList out;
    for (const CatalogRow& row : program().catalog)
        out.append(row.title);
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
    void cleanup() { QCOMPARE(QApplication::topLevelWidgets().size(), 0); }

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
        QCOMPARE(titles(), expected);
        VERIFY_DIALOGS(tp);
    }

    void leavingTheTitleBoxWithSeveralSelectedSetsTheShownEntryOnly()
    {
        TestProgram tp;
        const QStringList paths = pictures(tp, {"1.jpg", "2.jpg", "3.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load(paths);
        program().catalog[1].title = QStringLiteral("Quay");
        FrmLibraryCatalog window(&catalog);
        window.flelist()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        window.flelist()->setCurrentRow(0, QItemSelectionModel::Select);
        window.flelist()->setCurrentRow(2, QItemSelectionModel::Select);
        QCOMPARE(catalog.selected, QList<bool>({true, true, true}));
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("o_image_title"));
        box->setText(QStringLiteral("Pier"));
        leave(box);
        QCOMPARE(titles(),
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
        catalog.selected = {false, true, false};
        const QString prompt = QStringLiteral("Enter the title for this image.");
        tp.ui.expectInput(prompt, QStringLiteral("Two")).expectInput(prompt, QString());
        catalog.menuOptionsItem_Click(10);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().at(0).title, paths[1]);
        QCOMPARE(tp.ui.asked().at(1).title, paths[2]);
        QCOMPARE(titles(), QStringList({QString(), QStringLiteral("Two"), QString()}));
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
        QTest::addRow("the list to thumbnails: a reduced one, a small picture as its own, none for "
                      "the damaged one")
            << 30 << 0 << QStringList{"T/big_tn.jpg", "", "", "small.jpg"}
            << QStringList{"big_tn.jpg"} << "These images could not be made:";
        QTest::addRow("the list to JPGs records no thumbnail")
            << 25 << 0 << QStringList{"", "stale", "", ""} << QStringList{"big.jpg", "small.jpg"}
            << "These images could not be made:";
        QTest::addRow("the thumbnail of a large picture")
            << 15 << 0 << QStringList{"T/big_tn.jpg", "stale", "", ""} << QStringList{"big_tn.jpg"}
            << "";
        QTest::addRow("no thumbnail of a picture within the size")
            << 15 << 3 << QStringList{"", "stale", "", ""} << QStringList{}
            << "The thumbnail was not created because it would be larger than the size of the "
               "original image.";
        QTest::addRow("no thumbnail of a text file")
            << 15 << 2 << QStringList{"", "stale", "", ""} << QStringList{}
            << "The thumbnail was not created because this file is not an image.";
    }
    void optionsConversionsRecordThumbnailsOnlyWhenTheyExist()
    {
        QFETCH(int, index);
        QFETCH(int, entry);
        QFETCH(QStringList, thumbs);
        QFETCH(QStringList, made);
        QFETCH(QString, told);
        TestProgram tp;
        LibraryCatalog catalog;
        conversionFixture(tp, catalog);
        program().catalog[1].thumbnail = QStringLiteral("stale");
        catalog.ListIndex = entry;
        catalog.selected = {false, false, false, false};
        catalog.selected[entry] = true;
        catalog.flelist_Click();
        const QString files = index == 25 || index == 20 ? "JPG file(s)" : "JPG thumbnail file(s)";
        tp.ui.expectMessage(
            QStringLiteral(
                "The new %1 will be created in the %2 directory.  Is this what you want?")
                .arg(files, tp.path("thumbs")),
            platform::MsgBox::Yes);
        if (!told.isEmpty())
            tp.ui.expectMessage(std::nullopt);
        catalog.menuOptionsItem_Click(index);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), told.isEmpty() ? 1 : 2);
        if (!told.isEmpty()) {
            const QString text = tp.ui.asked().last().text;
            QVERIFY2(text.startsWith(told), qPrintable(text));
            // Only the damaged picture is told, once.
            QCOMPARE(text.count(tp.folder()), told.startsWith(QLatin1String("These")) ? 1 : 0);
            QVERIFY(!told.startsWith(QLatin1String("These")) ||
                    text.contains(tp.path("broken.jpg")));
        }
        QCOMPARE(thumbnails(), thumbs.replaceInStrings(QStringLiteral("T/"), tp.path("thumbs/")));
        QCOMPARE(QDir(tp.path("thumbs")).entryList(QDir::Files), made);
        QVERIFY(!catalog.batchRunning());
        QVERIFY(catalog.Frame2.visible);
    }

    void closingWhileAListIsConvertedIsRefused()
    {
        TestProgram tp;
        LibraryCatalog catalog;
        conversionFixture(tp, catalog);
        FrmLibraryCatalog window(&catalog);
        window.open();
        QSignalSpy hidden(&catalog, &LibraryCatalog::hidden);
        int refusedWhileRunning = 0;
        platform::setDoEventsHook([&] {
            if (!catalog.batchRunning())
                return;
            window.reject();
            if (window.isVisible() && hidden.isEmpty() && !window.flelist()->isEnabled())
                ++refusedWhileRunning;
        });
        tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes).expectMessage(std::nullopt);
        catalog.menuOptionsItem_Click(30);
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(tp);
        QVERIFY(refusedWhileRunning >= 3);
        QVERIFY(window.flelist()->isEnabled());
        window.reject();
        QCOMPARE(hidden.size(), 1);
        QVERIFY(!window.isVisible());
    }

    void aCancelledFileDialogChangesNothing()
    {
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, {"1.jpg"}));
        catalog.o_output_file.text = tp.path("old.txt");
        settings().last_directory = tp.path("start/");
        const QList<CatalogRow> before = program().catalog;
        tp.ui.expectFile(QStringLiteral("Select The Catalog Output File"), std::nullopt);
        catalog.b_select_file_Click();
        VERIFY_DIALOGS(tp);
        QCOMPARE(catalog.o_output_file.text, tp.path("old.txt"));
        QCOMPARE(settings().last_directory.text(), tp.path("start/"));
        QCOMPARE(program().catalog, before);
    }
};

QTEST_MAIN(TestLibraryCatalog)
#include "tst_librarycatalog.moc"
