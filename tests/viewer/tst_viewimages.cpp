#include "viewer/viewimages.h"

#include "dialogs/assoctext.h"
#include "settings/program.h"

#include "platform/events.h"
#include "platform/profilefile.h"

#include "testpictures.h"
#include "testprogram.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;
using namespace mosaicon::viewer;

namespace {

// A picture file of that size; "broken" names get bytes no decoder reads,
// "cut" names a JPEG cut short.
QString makeFile(TestProgram& tp, const QString& name, QSize size = QSize(40, 30))
{
    if (name.contains(QLatin1String("cut"))) {
        tp.write(name, cutShortJpeg());
    } else if (name.contains(QLatin1String("broken")) || !name.contains(u'.') ||
        name.endsWith(QLatin1String(".txt"))) {
        tp.write(name, "not a picture");
    } else {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        [&] { QVERIFY(picture.save(tp.path(name))); }();
    }
    return tp.path(name);
}

QStringList makeFiles(TestProgram& tp, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names)
        paths.append(makeFile(tp, name));
    return paths;
}

QString pictureState(const ViewImages& v)
{
    QStringList shown;
    if (v.viewimage.visible())
        shown << QStringLiteral("picture");
    if (v.o_notanimage.visible)
        shown << QStringLiteral("not an image");
    if (v.error_reading_file.visible)
        shown << QStringLiteral("error");
    return shown.join(u'+');
}

// A click, and the picture it asks for shown.
void clickShown(ViewImages& v, ViewImages::ListId id, int index, bool selected)
{
    v.click(id, index, selected);
    QVERIFY(v.waitForPicture());
}

// A conversion into the folder "out" of the test's folder, or beside the
// sources, at thumbnail size 100.
void prepareConversion(TestProgram& tp, bool inSource)
{
    program().ini_file_path = tp.path("mosaik.ini");
    QDir(tp.folder()).mkdir(QStringLiteral("out"));
    settings().target_dir = tp.path("out");
    settings().images_in_source_dir = inSource;
    settings().thumb_size = QStringLiteral("100");
}

// Expected texts name the target folder "$T" and the sources' folder "$S".
QString withPlaces(const TestProgram& tp, QString text)
{
    return text.replace(QStringLiteral("$T"), tp.path("out"))
        .replace(QStringLiteral("$S"), tp.folder());
}

QList<int> selectedRows(const PathList& l)
{
    QList<int> rows;
    for (int i = 0; i < l.count(); ++i) {
        if (l.selected.at(i))
            rows.append(i);
    }
    return rows;
}

} // namespace

class TestViewImages : public QObject
{
    Q_OBJECT

private slots:
    void openingShowsTheFirstEntry_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("makeEnabled");
        QTest::addColumn<bool>("jpgEnabled");
        // The buttons are on, but refuse while the error shows.
        QTest::addRow("an empty main list cannot be read") << QStringList{} << "View Images"
                                                           << "error"
                                                           << "width" << true << true;
        QTest::addRow("the first entry in the list's order is shown")
            << QStringList{"b.png", "A.png"} << "View Image - $/A.png"
            << "picture"
            << "Width =  40" << true << true;
        QTest::addRow("an upper-case extension is an image too")
            << QStringList{"PHOTO.PNG"} << "View Image - $/PHOTO.PNG"
            << "picture"
            << "Width =  40" << true << true;
        QTest::addRow("a JPEG is not made into a JPEG again")
            << QStringList{"a.JPG"} << "View Image - $/a.JPG"
            << "picture"
            << "Width =  40" << true << false;
        QTest::addRow("a first entry that is not an image")
            << QStringList{"notes.txt"} << "View Image - $/notes.txt"
            << "not an image"
            << "Width = 0" << true << true;
        QTest::addRow("a picture that cannot be read")
            << QStringList{"broken.png"} << "View Image - $/broken.png"
            << "error"
            << "Width = 0" << true << true;
        QTest::addRow("a JPEG cut short cannot be read")
            << QStringList{"cut.jpg"} << "View Image - $/cut.jpg"
            << "error"
            << "Width = 0" << true << false;
    }
    void openingShowsTheFirstEntry()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, caption);
        QFETCH(QString, state);
        QFETCH(QString, width);
        QFETCH(bool, makeEnabled);
        QFETCH(bool, jpgEnabled);
        TestProgram tp;
        const QStringList paths = makeFiles(tp, files);
        int yields = 0;
        platform::setDoEventsHook([&] { ++yields; });
        ViewImages v;
        v.Form_Load(paths);
        QVERIFY(v.waitForPicture());
        // The main window gets no chance to act while its list is copied.
        QCOMPARE(yields, 0);
        QCOMPARE(v.Frame1.caption, QStringLiteral("Current File List ( %1)").arg(files.size()));
        QCOMPARE(v.Frame5.caption, QStringLiteral("New File List ( 0)"));
        QCOMPARE(v.caption, QString(caption).replace(u'$', tp.folder()));
        QCOMPARE(pictureState(v), state);
        QCOMPARE(v.o_width.caption, width);
        QCOMPARE(v.Command1.enabled, makeEnabled);
        QCOMPARE(v.Command5.enabled, makeEnabled);
        QCOMPARE(v.Command6.enabled, makeEnabled);
        QCOMPARE(v.Command2.enabled, jpgEnabled);
        QCOMPARE(v.fileoption.index, 0);
        if (!paths.isEmpty()) {
            QCOMPARE(v.flelist.current, 0);
            QCOMPARE(selectedRows(v.flelist), QList<int>{0});
        }
        VERIFY_DIALOGS(tp);
    }

    void openingSettlesTheTargetDirectory_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QString>("target");
        QTest::addRow("none stored: the program folder, without a word") << "" << false << "$";
        QTest::addRow("a directory that is gone: the program folder, and the user is told")
            << "$/gone" << true << "$";
        QTest::addRow("an existing directory is kept") << "$/out" << false << "$/out";
    }
    void openingSettlesTheTargetDirectory()
    {
        QFETCH(QString, stored);
        QFETCH(bool, warned);
        QFETCH(QString, target);
        TestProgram tp;
        QDir(tp.folder()).mkdir(QStringLiteral("out"));
        settings().target_dir = stored.replace(u'$', tp.folder());
        target.replace(u'$', tp.folder());
        if (warned)
            tp.ui.expectMessage(
                QStringLiteral("The target directory has been changed to '%1' because the "
                               "directory '%2' does not exist.")
                    .arg(tp.folder(), stored));
        ViewImages v;
        v.Form_Load({});
        VERIFY_DIALOGS(tp);
        if (warned) {
            QCOMPARE(tp.ui.asked().first().style, 48);
            QCOMPARE(tp.ui.asked().first().title, program().product_title);
        }
        QCOMPARE(v.Dir1, target);
        QCOMPARE(v.targetdir.caption, target);
        QCOMPARE(settings().target_dir.text(), target);
    }

    void openingCorrectsTheThumbnailSizeSilently_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addRow("empty") << ""
                               << "100";
        QTest::addRow("zero") << "0"
                              << "100";
        QTest::addRow("a leading zero") << "050"
                                        << "100";
        QTest::addRow("a size of its own is kept") << "120"
                                                   << "120";
    }
    void openingCorrectsTheThumbnailSizeSilently()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        TestProgram tp;
        settings().thumb_size = stored;
        ViewImages v;
        v.Form_Load({});
        QCOMPARE(v.o_tn_size.text, shown);
        QCOMPARE(settings().thumb_size.text(), shown);
        QVERIFY(tp.ui.asked().isEmpty());
    }

    void sizeBoxReplacesWhatItCannotUse_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("kept");
        QTest::addRow("blank") << ""
                               << "The thumbnail size cannot be blank."
                               << "100";
        QTest::addRow("zero") << "0"
                              << "Thumbnail size cannot be zero."
                              << "100";
        QTest::addRow("a leading zero") << "0150"
                                        << "Thumbnail size cannot be prefixed with a zero."
                                        << "100";
        QTest::addRow("a negative number is stored as typed") << "-5"
                                                              << ""
                                                              << "-5";
        QTest::addRow("a size") << "64"
                                << ""
                                << "64";
    }
    void sizeBoxReplacesWhatItCannotUse()
    {
        QFETCH(QString, typed);
        QFETCH(QString, warning);
        QFETCH(QString, kept);
        TestProgram tp;
        ViewImages v;
        v.Form_Load({});
        if (!warning.isEmpty())
            tp.ui.expectMessage(warning + QStringLiteral("  The default size of 100 will be used."),
                                1, [&] {
                                    // The box was corrected and stored before the warning shows.
                                    QCOMPARE(settings().thumb_size.text(), QStringLiteral("100"));
                                });
        v.o_tn_size.text = typed;
        v.o_tn_size_Change();
        VERIFY_DIALOGS(tp);
        QCOMPARE(v.o_tn_size.text, kept);
        QCOMPARE(settings().thumb_size.text(), kept);
    }

    void clickUnselectsOnlyTheOtherListsCurrentEntry()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"a.png", "b.png", "c.png", "d.png", "e.png"}));
        QVERIFY(v.waitForPicture());
        v.list_DblClick(ViewImages::Current); // a.png to the new list
        clickShown(v, ViewImages::Current, 0, true);
        v.list_DblClick(ViewImages::Current); // b.png to the new list
        clickShown(v, ViewImages::New, 0, true);
        clickShown(v, ViewImages::New, 1, true);
        QCOMPARE(selectedRows(v.newlist), (QList<int>{0, 1}));
        clickShown(v, ViewImages::Current, 1, true);
        QCOMPARE(selectedRows(v.newlist), QList<int>{0});
        QCOMPARE(v.newlist.current, 1);
        QCOMPARE(v.caption, QStringLiteral("View Image - ") + tp.path("d.png"));
        // An unselected current entry takes nothing from the other list.
        clickShown(v, ViewImages::New, 0, true);
        clickShown(v, ViewImages::Current, 0, false);
        QCOMPARE(selectedRows(v.newlist), QList<int>{0});
    }

    // The pop-up's clearing steps through the lists without reading their
    // pictures; the Options menu's shows each entry it passes.
    void clearingSelectionsReadsPicturesOnlyFromTheOptionsMenu_data()
    {
        QTest::addColumn<bool>("popup");
        QTest::addRow("Options: the last entry passed is shown") << false;
        QTest::addRow("pop-up: the picture shown stays") << true;
    }
    void clearingSelectionsReadsPicturesOnlyFromTheOptionsMenu()
    {
        QFETCH(bool, popup);
        TestProgram tp;
        ViewImages v;
        const QStringList paths = makeFiles(tp, {"a.png", "b.png", "c.png"});
        v.Form_Load(paths);
        QVERIFY(v.waitForPicture());
        if (popup)
            v.clearAllSelectionsOnly();
        else
            v.clearAllSelections();
        QVERIFY(v.waitForPicture());
        QCOMPARE(v.viewimage.fileName(), popup ? paths[0] : paths[2]);
        QCOMPARE(v.caption, QStringLiteral("View Image - ") + paths[2]);
        // Clicks after it read their pictures again.
        clickShown(v, ViewImages::Current, 1, true);
        QCOMPARE(v.viewimage.fileName(), paths[1]);
    }

    void clicksOnPicturesThatCannotBeRead_data()
    {
        QTest::addColumn<QStringList>("steps"); // entries clicked; "delete": Delete, answered Yes
        QTest::addColumn<QString>("named");     // the entry the caption names
        QTest::addColumn<bool>("error");        // "Error Reading File" shows, its reason as tool tip
        QTest::addColumn<bool>("converting");   // Create Thumbnail File and both list conversions
        QTest::addColumn<bool>("jpg");          // Create JPG File
        QTest::addRow("a damaged picture after a healthy one is the one named; nothing is made of it")
            << QStringList{"a.png", "b broken.png"} << "b broken.png" << true << false << false;
        QTest::addRow("a JPEG cut short is named too")
            << QStringList{"c.png", "d cut.jpg"} << "d cut.jpg" << true << false << false;
        QTest::addRow("a readable picture after a damaged one can be made into images again")
            << QStringList{"b broken.png", "c.png"} << "c.png" << false << true << true;
        QTest::addRow("a readable JPEG after a damaged one: all but Create JPG File")
            << QStringList{"d cut.jpg", "e.jpg"} << "e.jpg" << false << true << false;
        QTest::addRow("a damaged picture after a Delete is named, not the deleted one")
            << QStringList{"a.png", "delete", "b broken.png"} << "b broken.png" << true << false
            << false;
    }
    void clicksOnPicturesThatCannotBeRead()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, named);
        QFETCH(bool, error);
        QFETCH(bool, converting);
        QFETCH(bool, jpg);
        TestProgram tp;
        prepareConversion(tp, false);
        const QSize big(200, 150);
        ViewImages v;
        v.Form_Load({makeFile(tp, "a.png", big), makeFile(tp, "b broken.png"),
                     makeFile(tp, "c.png", big), makeFile(tp, "d cut.jpg"),
                     makeFile(tp, "e.jpg", big)});
        QVERIFY(v.waitForPicture());
        for (const QString& step : steps) {
            if (step == QLatin1String("delete")) {
                tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes);
                v.deleteSelected();
                VERIFY_DIALOGS(tp);
                QVERIFY(!QFileInfo::exists(tp.path("a.png")));
            } else {
                clickShown(v, ViewImages::Current, int(v.flelist.entries.indexOf(tp.path(step))),
                           true);
            }
        }
        QCOMPARE(v.caption, QStringLiteral("View Image - ") + tp.path(named));
        QCOMPARE(pictureState(v), error ? QStringLiteral("error") : QStringLiteral("picture"));
        QCOMPARE(v.error_reading_file.caption, QStringLiteral("Error Reading File"));
        const QString reason = QStringLiteral("Cannot load %1: ").arg(tp.path(named));
        QVERIFY2(error ? v.readError.startsWith(reason) && v.readError.size() > reason.size()
                       : v.readError.isEmpty(),
                 qPrintable(v.readError));
        for (const ViewImages::Button* b : {&v.Command1, &v.Command5, &v.Command6})
            QCOMPARE(b->enabled, converting);
        QCOMPARE(v.Command2.enabled, jpg);
        if (!error)
            return;
        // Each of them refuses while the error shows, whatever the buttons say.
        for (auto command : {&ViewImages::createThumbnailFile, &ViewImages::createJpegFile,
                             &ViewImages::convertListToJpegs, &ViewImages::convertListToThumbnails}) {
            tp.ui.expectMessage(QStringLiteral("Cannot create image from this file."));
            (v.*command)();
        }
        VERIFY_DIALOGS(tp);
        QVERIFY(QDir(tp.path("out")).isEmpty());
        QVERIFY(!v.batch_create_running && v.Frame2.visible);
    }

    void theEntriesBesideTheShownOneAreReadAhead()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"a.png", "b.png", "c.txt", "d.png"}));
        QVERIFY(v.waitForPicture());
        clickShown(v, ViewImages::Current, 1, true); // b.png
        QTRY_VERIFY(v.pictures.idle());
        // The entry before it shows at once, as the click is handled.
        v.click(ViewImages::Current, 0, true);
        QVERIFY(!v.pictures.loading());
        QCOMPARE(v.caption, QStringLiteral("View Image - ") + tp.path("a.png"));
        QCOMPARE(pictureState(v), QStringLiteral("picture"));
        QCOMPARE(v.viewimage.fileName(), tp.path("a.png"));
        // One further on was not read ahead: it shows once it has been read,
        // and until then the window shows what it showed.
        v.click(ViewImages::Current, 3, true);
        QVERIFY(v.pictures.loading());
        QCOMPARE(v.caption, QStringLiteral("View Image - ") + tp.path("a.png"));
        QVERIFY(v.waitForPicture());
        QCOMPARE(v.caption, QStringLiteral("View Image - ") + tp.path("d.png"));
        QCOMPARE(v.viewimage.fileName(), tp.path("d.png"));
    }

    void doubleClickMovesTheCurrentEntryOnly()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"a.png", "b.png", "c.png"}));
        QVERIFY(v.waitForPicture());
        clickShown(v, ViewImages::Current, 2, true);
        v.list_DblClick(ViewImages::Current);
        clickShown(v, ViewImages::Current, 0, true);
        v.list_DblClick(ViewImages::Current);
        QCOMPARE(v.flelist.entries, QStringList{tp.path("b.png")});
        // Each moved entry takes its place in the order of the list it joins.
        QCOMPARE(v.newlist.entries, (QStringList{tp.path("a.png"), tp.path("c.png")}));
        QCOMPARE(selectedRows(v.newlist), QList<int>{});
        QCOMPARE(v.flelist.current, -1);
        QCOMPARE(v.Frame1.caption, QStringLiteral("Current File List ( 1)"));
        QCOMPARE(v.Frame5.caption, QStringLiteral("New File List ( 2)"));
        clickShown(v, ViewImages::New, 1, true);
        v.list_DblClick(ViewImages::New);
        QCOMPARE(v.flelist.entries, (QStringList{tp.path("b.png"), tp.path("c.png")}));
        QCOMPARE(v.Frame5.caption, QStringLiteral("New File List ( 1)"));
    }

    void movingSelectedEntriesKeepsTheDestinationsSelection()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"a.png", "b.png", "c.png", "d.png"}));
        QVERIFY(v.waitForPicture());
        v.list_DblClick(ViewImages::Current); // a.png
        clickShown(v, ViewImages::New, 0, true);
        clickShown(v, ViewImages::Current, 2, true); // d.png
        clickShown(v, ViewImages::Current, 0, true); // b.png, with d.png still selected
        v.runMenuCommand(&ViewImages::moveSelectedToNewList);
        QCOMPARE(v.flelist.entries, QStringList{tp.path("c.png")});
        QCOMPARE(selectedRows(v.flelist), QList<int>{});
        QCOMPARE(v.flelist.current, -1);
        QCOMPARE(v.newlist.entries,
                 (QStringList{tp.path("a.png"), tp.path("b.png"), tp.path("d.png")}));
        // The click on d.png took the new list's current entry out of its selection.
        QCOMPARE(selectedRows(v.newlist), QList<int>{});
        QCOMPARE(v.Frame1.caption, QStringLiteral("Current File List ( 1)"));
        QCOMPARE(v.Frame5.caption, QStringLiteral("New File List ( 3)"));
        // Nothing selected: every entry comes back in its order.
        v.runMenuCommand(&ViewImages::moveSelectedToCurrentList);
        QCOMPARE(v.flelist.entries, QStringList{tp.path("c.png")});
        QCOMPARE(v.newlist.count(), 3);
    }

    void exitsHandTheChosenListBack_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("emptyNewList");
        QTest::addColumn<QString>("handed"); // "none", "current", "new", "empty"
        QTest::addRow("File: use the current list") << "file" << 0 << false << "current";
        QTest::addRow("File: use the new list") << "file" << 1 << false << "new";
        QTest::addRow("File: an empty new list leaves the main list alone")
            << "file" << 1 << true << "none";
        QTest::addRow("File: cancel") << "file" << 2 << false << "none";
        QTest::addRow("pop-up: use the current list") << "mouse" << 20 << false << "current";
        QTest::addRow("pop-up: use the new list") << "mouse" << 21 << false << "new";
        QTest::addRow("pop-up: an empty new list empties the main list")
            << "mouse" << 21 << true << "empty";
        QTest::addRow("pop-up: cancel") << "mouse" << 27 << false << "none";
        QTest::addRow("the close box") << "close" << 0 << false << "none";
    }
    void exitsHandTheChosenListBack()
    {
        QFETCH(QString, menu);
        QFETCH(int, index);
        QFETCH(bool, emptyNewList);
        QFETCH(QString, handed);
        TestProgram tp;
        QDir(tp.folder()).mkdir(QStringLiteral("out"));
        const QStringList main = makeFiles(tp, {"c.png", "a.png", "b.png"});
        bool hidden = false;
        tp.ui.expectModal(QStringLiteral("frm_viewem"), [&](QObject* window) {
            auto* v = qobject_cast<ViewImages*>(window);
            QVERIFY(v);
            connect(v, &ViewImages::hidden, this, [&] { hidden = true; });
            if (!emptyNewList)
                v->list_DblClick(ViewImages::Current);
            v->Dir1_Change(tp.path("out"));
            const QHash<int, void (ViewImages::*)()> exits{
                {0, &ViewImages::exitWithCurrentList}, {1, &ViewImages::exitWithNewList},
                {2, &ViewImages::cancelAndExit},       {20, &ViewImages::handBackCurrentList},
                {21, &ViewImages::handBackNewList},    {27, &ViewImages::exitWithoutList}};
            if (menu != QLatin1String("close"))
                v->runMenuCommand(exits.value(index));
            else
                QVERIFY(v->Form_QueryUnload());
        });
        const std::optional<QStringList> list = ViewImages::showModally(main);
        VERIFY_DIALOGS(tp);
        QVERIFY(hidden);
        const QStringList sorted{tp.path("a.png"), tp.path("b.png"), tp.path("c.png")};
        const QMap<QString, std::optional<QStringList>> expected{
            {QStringLiteral("none"), std::nullopt},
            {QStringLiteral("current"), emptyNewList ? sorted : sorted.mid(1)},
            {QStringLiteral("new"), sorted.mid(0, 1)},
            {QStringLiteral("empty"), QStringList{}},
        };
        QCOMPARE(list, expected.value(handed));
        QCOMPARE(settings().target_dir.text(), tp.path("out"));
    }

    void singleImageButtonsMakeOrRefuse_data()
    {
        QTest::addColumn<QString>("file"); // the one entry listed, none when empty
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("inSource");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("question"); // $T the target, $S the sources' folder
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("made");
        const QSize big(200, 150);
        const QString jpgQuestion = QStringLiteral(
            "The new JPG file(s) will be created in the $T directory.  Is this what you want?");
        const QString thumbQuestion =
            QStringLiteral("The new JPG thumbnail file(s) will be created in the $T directory.  Is "
                           "this what you want?");
        const QString cannot = QStringLiteral("Cannot create image from this file.");
        QTest::addRow("an empty list cannot make a JPG") << "" << big << false << "Command2"
                                                         << "" << 0 << cannot << "";
        QTest::addRow("an unreadable picture cannot make a thumbnail")
            << "broken.png" << big << false << "Command1"
            << "" << 0 << cannot << "";
        QTest::addRow("a thumbnail no smaller than its picture is refused")
            << "small.png" << QSize(100, 80) << false << "Command1" << thumbQuestion << 6
            << "The thumbnail was not created because it would be larger than the size of the "
               "original image."
            << "";
        QTest::addRow("No makes nothing")
            << "big.png" << big << false << "Command2" << jpgQuestion << 7 << ""
            << "";
        QTest::addRow("a JPG copy is made in the target directory")
            << "big.png" << big << false << "Command2" << jpgQuestion << 6 << ""
            << "$T/big.jpg";
        QTest::addRow("one side larger than the size is enough for a thumbnail")
            << "wide.png" << QSize(101, 50) << false << "Command1" << thumbQuestion << 6 << ""
            << "$T/wide_tn.jpg";
        QTest::addRow("a thumbnail is made beside its picture")
            << "big.png" << big << true << "Command1"
            << "The new JPG thumbnail file(s) will be created in the $S/ directory.  Is this what "
               "you want?"
            << 6 << ""
            << "$S/big_tn.jpg";
        QTest::addRow("a thumbnail that would replace its own picture is refused")
            << "pic_tn.jpg" << big << true << "Command1"
            << "The new JPG thumbnail file(s) will be created in the $S/ directory.  Is this what "
               "you want?"
            << 6
            << "The image was not created.\n$S/pic_tn.jpg: the new image would replace the picture "
               "it is made from."
            << "";
    }
    void singleImageButtonsMakeOrRefuse()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(bool, inSource);
        QFETCH(QString, button);
        QFETCH(QString, question);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(QString, made);
        TestProgram tp;
        prepareConversion(tp, inSource);
        const auto expand = [&tp](const QString& text) { return withPlaces(tp, text); };
        const QStringList listed =
            file.isEmpty() ? QStringList{} : QStringList{makeFile(tp, file, size)};
        const QByteArray before = file.isEmpty() ? QByteArray() : tp.read(file);
        ViewImages v;
        v.Form_Load(listed);
        QVERIFY(v.waitForPicture());
        if (!question.isEmpty())
            tp.ui.expectMessage(expand(question), answer);
        if (!message.isEmpty())
            tp.ui.expectMessage(expand(message));
        if (button == QLatin1String("Command1"))
            v.createThumbnailFile();
        else
            v.createJpegFile();
        VERIFY_DIALOGS(tp);
        const QStringList out = QDir(tp.path("out")).entryList(QDir::Files);
        const QStringList beside =
            QDir(tp.folder()).entryList({QStringLiteral("*.jpg")}, QDir::Files);
        QStringList madeFiles;
        for (const QString& name : out)
            madeFiles << tp.path("out") + u'/' + name;
        for (const QString& name : beside) {
            if (tp.folder() + u'/' + name != listed.value(0))
                madeFiles << tp.folder() + u'/' + name;
        }
        QCOMPARE(madeFiles, made.isEmpty() ? QStringList{} : QStringList{expand(made)});
        if (!file.isEmpty())
            QCOMPARE(tp.read(file), before);
        QVERIFY(v.Frame2.visible);
    }

    void listConversionCoversEachListWithASelection_data()
    {
        QTest::addColumn<QString>("selection"); // "current", "new", "none"
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QStringList>("registered");
        QTest::addRow("a selection in the current list converts all of it and registers the target")
            << "current" << QStringList{"a_tn.jpg", "c_tn.jpg"} << QStringList{"$T"};
        QTest::addRow("a selection only in the new list does not register the target")
            << "new" << QStringList{"b_tn.jpg"} << QStringList{};
        QTest::addRow("no selection converts nothing") << "none" << QStringList{} << QStringList{};
        QTest::addRow("the window closed as the conversion starts converts nothing more, tells nothing and goes")
            << "closed" << QStringList{} << QStringList{};
    }
    void listConversionCoversEachListWithASelection()
    {
        QFETCH(QString, selection);
        QFETCH(QStringList, made);
        QFETCH(QStringList, registered);
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        QDir(tp.folder()).mkdir(QStringLiteral("out"));
        settings().target_dir = tp.path("out");
        settings().thumb_size = QStringLiteral("100");
        const QSize big(200, 150);
        const QStringList listed{makeFile(tp, "a.png", big), makeFile(tp, "b.png", big),
                                 makeFile(tp, "c.png", big), makeFile(tp, "d broken.png"),
                                 makeFile(tp, "notes.txt")};
        ViewImages v;
        v.Form_Load(listed);
        QVERIFY(v.waitForPicture());
        clickShown(v, ViewImages::Current, 0, false);
        clickShown(v, ViewImages::Current, 1, true); // b.png
        v.list_DblClick(ViewImages::Current);
        clickShown(v, ViewImages::Current, 1, true); // c.png, shown again at the end
        if (selection == QLatin1String("new")) {
            clickShown(v, ViewImages::Current, 1, false);
            clickShown(v, ViewImages::New, 0, true);
        } else if (selection == QLatin1String("none")) {
            clickShown(v, ViewImages::Current, 1, false);
        }
        tp.ui.expectMessage(
            QStringLiteral("The new JPG thumbnail file(s) will be created in the %1 directory.  Is "
                           "this what you want?")
                .arg(tp.path("out")),
            platform::MsgBox::Yes);
        if (selection == QLatin1String("none"))
            tp.ui.expectMessage(
                QStringLiteral("You must select a file in one of the file lists ('Current File "
                               "List' or 'New File List') and try again."));
        else if (selection == QLatin1String("current"))
            tp.ui.expectMessage(std::nullopt, platform::MsgBox::Ok, [&] {
                const QString told = tp.ui.asked().last().text;
                QVERIFY2(told.startsWith(QStringLiteral("These images could not be created:\n") +
                                         tp.path("d broken.png") + QStringLiteral(": ")),
                         qPrintable(told));
                QCOMPARE(told.count(u'\n'), 1);
            });
        bool disabledDuring = false;
        QSignalSpy hidden(&v, &ViewImages::hidden);
        platform::setDoEventsHook([&] {
            disabledDuring = disabledDuring || (!v.controlsEnabled && !v.Frame2.visible);
            if (selection == QLatin1String("closed"))
                QVERIFY(!v.Form_QueryUnload());
        });
        v.convertListToThumbnails();
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(tp);
        QCOMPARE(hidden.size(), selection == QLatin1String("closed") ? 1 : 0);
        QVERIFY(v.waitForPicture());
        for (QString& name : made)
            name = tp.path("out") + u'/' + name;
        QStringList out = QDir(tp.path("out")).entryList(QDir::Files);
        for (QString& name : out)
            name = tp.path("out") + u'/' + name;
        QCOMPARE(out, made);
        QCOMPARE(thumbnail_directories(),
                 registered.replaceInStrings(QStringLiteral("$T"), tp.path("out")));
        QVERIFY(disabledDuring);
        QVERIFY(v.controlsEnabled && v.Command6.enabled && v.Frame2.visible && !v.batch_create_running);
        if (selection == QLatin1String("current")) {
            QCOMPARE(selectedRows(v.flelist), QList<int>{1});
            QCOMPARE(v.caption, QStringLiteral("View Image - ") + tp.path("c.png"));
        }
    }

    void listConversionBesideTheSourcesTellsOnlyWhatWouldReplaceAPicture()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        settings().images_in_source_dir = true;
        settings().thumb_size = QStringLiteral("100");
        const QStringList listed{makeFile(tp, "big.png", QSize(200, 150)),
                                 makeFile(tp, "pic_tn.jpg", QSize(200, 150)),
                                 makeFile(tp, "small.png", QSize(80, 60))};
        const QByteArray before = tp.read("pic_tn.jpg");
        ViewImages v;
        v.Form_Load(listed);
        QVERIFY(v.waitForPicture());
        tp.ui.expectMessage(
            QStringLiteral(
                "The new JPG thumbnail file(s) will be created in the directory where the "
                "source file is located.  Is this what you want?"),
            platform::MsgBox::Yes);
        tp.ui.expectMessage(
            QStringLiteral(
                "These images could not be created:\n%1: the new image would replace the "
                "picture it is made from.")
                .arg(tp.path("pic_tn.jpg")));
        v.convertListToThumbnails();
        VERIFY_DIALOGS(tp);
        QCOMPARE(QDir(tp.folder())
                     .entryList({QStringLiteral("*.jpg"), QStringLiteral("*.png")}, QDir::Files),
                 (QStringList{"big.png", "big_tn.jpg", "pic_tn.jpg", "small.png"}));
        QCOMPARE(tp.read("pic_tn.jpg"), before);
    }

    void aMadePictureNeverLandsOnAnotherPicture_data()
    {
        QTest::addColumn<QStringList>("files"); // "name@WxH"; those under "out/" are not listed
        QTest::addColumn<bool>("inSource");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("record");   // the thumbnail recorded for dog.jpg beforehand
        QTest::addColumn<QString>("told");     // $S the sources' folder, $T the target
        QTest::addColumn<QStringList>("kept"); // files that keep their bytes and time
        const QString occupied = QStringLiteral(
            "%1: %2 is already there and is not a thumbnail this program made, so it was left as it is.");
        const QString overItself = QStringLiteral(
            "$S/dog_tn.jpg: the new image would replace the picture it is made from.");
        QTest::addRow("beside the sources, another photo named dog_tn.jpg is not made the "
                      "thumbnail of dog.jpg")
            << QStringList{"dog.jpg@200x150", "dog_tn.jpg@300x200"} << true << "Command6"
            << ""
            << "These images could not be created:\n" +
                   occupied.arg("$S/dog.jpg", "$S/dog_tn.jpg") + u'\n' + overItself
            << QStringList{"dog.jpg", "dog_tn.jpg"};
        QTest::addRow("a photo in the place of the thumbnail recorded for dog.jpg stays")
            << QStringList{"dog.jpg@200x150", "dog_tn.jpg@300x200"} << true << "Command6"
            << "dog_tn.jpg"
            << "These images could not be created:\n" +
                   occupied.arg("$S/dog.jpg", "$S/dog_tn.jpg") + u'\n' + overItself
            << QStringList{"dog.jpg", "dog_tn.jpg"};
        QTest::addRow("the single thumbnail button tells the same")
            << QStringList{"dog.jpg@200x150", "dog_tn.jpg@300x200"} << true << "Command1"
            << ""
            << "The image was not created.\n" + occupied.arg("$S/dog.jpg", "$S/dog_tn.jpg")
            << QStringList{"dog.jpg", "dog_tn.jpg"};
        QTest::addRow("an unrelated file of the thumbnail's name in the target stays")
            << QStringList{"dog.jpg@200x150", "out/dog_tn.jpg@300x200"} << false << "Command6"
            << ""
            << "These images could not be created:\n" + occupied.arg("$S/dog.jpg", "$T/dog_tn.jpg")
            << QStringList{"dog.jpg", "out/dog_tn.jpg"};
        QTest::addRow("a small picture's copy does not land on another picture of its name")
            << QStringList{"dog.png@80x60", "out/dog.png@300x200"} << false << "Command6"
            << ""
            << "These images could not be created:\n" + occupied.arg("$S/dog.png", "$T/dog.png")
            << QStringList{"dog.png", "out/dog.png"};
    }
    void aMadePictureNeverLandsOnAnotherPicture()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, inSource);
        QFETCH(QString, button);
        QFETCH(QString, record);
        QFETCH(QString, told);
        QFETCH(QStringList, kept);
        TestProgram tp;
        prepareConversion(tp, inSource);
        const auto expand = [&tp](const QString& text) { return withPlaces(tp, text); };
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6));
        QStringList listed;
        QHash<QString, QByteArray> before;
        for (const QString& spec : files) {
            const QString name = spec.section(u'@', 0, 0);
            const QStringList wh = spec.section(u'@', 1).split(u'x');
            const QString path = makeFile(tp, name, QSize(wh.at(0).toInt(), wh.at(1).toInt()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(past, QFileDevice::FileModificationTime));
            before.insert(name, tp.read(name));
            if (!name.startsWith(QLatin1String("out/")))
                listed.append(path);
        }
        if (!record.isEmpty())
            settingsFile().put(QStringLiteral("Thumbnails (vi)"), tp.path("dog.jpg"),
                               tp.path(record));
        ViewImages v;
        v.Form_Load(listed);
        clickShown(v, ViewImages::Current, 0, true);
        tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes);
        tp.ui.expectMessage(expand(told));
        if (button == QLatin1String("Command1"))
            v.createThumbnailFile();
        else
            v.convertListToThumbnails();
        VERIFY_DIALOGS(tp);
        for (const QString& name : kept) {
            QCOMPARE(tp.read(name), before.value(name));
            QCOMPARE(QFileInfo(tp.path(name)).lastModified(), past);
        }
    }

    void fileButtonsWorkOnTheSelectedEntries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("option");           // 0 Copy, 1 Move
        QTest::addColumn<QList<int>>("selection"); // rows of the current list
        QTest::addColumn<QStringList>(
            "prompts"); // expected prompts, in order, each answered Yes or OK
        QTest::addColumn<QStringList>("listAfter"); // $ the sources' folder, @ the target
        QTest::addColumn<QStringList>("inTarget");
        QTest::addRow("copy with nothing selected warns and changes nothing")
            << "Command3" << 0 << QList<int>{}
            << QStringList{"No files were selected to perform a file copy."}
            << QStringList{"$/a.png", "$/b.png", "$/c.png"} << QStringList{};
        QTest::addRow("copy leaves the list as it is")
            << "Command3" << 0 << QList<int>{0, 2} << QStringList{}
            << QStringList{"$/a.png", "$/b.png", "$/c.png"} << QStringList{"a.png", "c.png"};
        QTest::addRow("a replaced file is asked about with Yes, No and Cancel")
            << "Command3" << 0 << QList<int>{1} << QStringList{"replace"}
            << QStringList{"$/a.png", "$/b.png", "$/c.png"} << QStringList{"b.png"};
        QTest::addRow("move lists the moved files under their new paths")
            << "Command3" << 1 << QList<int>{0, 2} << QStringList{}
            << QStringList{"$/b.png", "@/a.png", "@/c.png"} << QStringList{"a.png", "c.png"};
        QTest::addRow("delete drops the deleted entries and the count follows")
            << "Command7" << 0 << QList<int>{0, 1} << QStringList{"delete"}
            << QStringList{"$/c.png"} << QStringList{};
    }
    void fileButtonsWorkOnTheSelectedEntries()
    {
        QFETCH(QString, button);
        QFETCH(int, option);
        QFETCH(QList<int>, selection);
        QFETCH(QStringList, prompts);
        QFETCH(QStringList, listAfter);
        QFETCH(QStringList, inTarget);
        TestProgram tp;
        QDir(tp.folder()).mkdir(QStringLiteral("out"));
        settings().target_dir = tp.path("out");
        const QStringList listed = makeFiles(tp, {"a.png", "b.png", "c.png"});
        if (prompts.contains(QStringLiteral("replace")))
            QVERIFY(QFile::copy(listed.at(1), tp.path("out/b.png")));
        ViewImages v;
        v.Form_Load(listed);
        QVERIFY(v.waitForPicture());
        clickShown(v, ViewImages::Current, 0, false);
        for (int row : selection)
            clickShown(v, ViewImages::Current, row, true);
        v.fileoption.index = option;
        for (const QString& prompt : prompts) {
            if (prompt == QLatin1String("replace")) {
                tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes, [&] {
                    QVERIFY(tp.ui.asked().last().text.startsWith(
                        QStringLiteral("Do you want to replace:")));
                    QCOMPARE(tp.ui.asked().last().style, platform::MsgBox::YesNoCancel);
                });
            } else if (prompt == QLatin1String("delete")) {
                tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes, [&] {
                    QVERIFY(tp.ui.asked().last().text.startsWith(
                        QStringLiteral("Are you sure you want to delete the selected file(s)? ")));
                });
            } else {
                tp.ui.expectMessage(prompt);
            }
        }
        if (button == QLatin1String("Command3"))
            v.copyOrMoveSelected();
        else
            v.deleteSelected();
        VERIFY_DIALOGS(tp);
        listAfter.replaceInStrings(QStringLiteral("@"), tp.path("out"))
            .replaceInStrings(QStringLiteral("$"), tp.folder());
        QCOMPARE(v.flelist.entries, listAfter);
        QCOMPARE(v.Frame1.caption, QStringLiteral("Current File List ( %1)").arg(listAfter.size()));
        for (const QString& path : listAfter)
            QVERIFY2(QFile::exists(path), qPrintable(path));
        QCOMPARE(QDir(tp.path("out")).entryList(QDir::Files), inTarget);
    }

    void associatedTextOpensForTheCurrentEntry_data()
    {
        QTest::addColumn<QString>("way"); // "button", "options" or "pop-up"
        QTest::addColumn<QString>(
            "entries"); // "none": no current entry; "current", "both": selected current entries
        QTest::addColumn<QStringList>("opened"); // o_filename of each editor opened
        QTest::addRow("the button with no current entry opens on an empty name")
            << "button"
            << "none" << QStringList{""};
        QTest::addRow("Options always opens") << "options"
                                              << "none" << QStringList{""};
        QTest::addRow("the pop-up opens nothing without a selected current entry")
            << "pop-up"
            << "none" << QStringList{};
        QTest::addRow("the new list's entry wins") << "button"
                                                   << "both" << QStringList{"b.png"};
        QTest::addRow("the pop-up opens once for each list")
            << "pop-up"
            << "both" << QStringList{"b.png", "b.png"};
        QTest::addRow("the pop-up with the current list's entry")
            << "pop-up"
            << "current" << QStringList{"a.png"};
    }
    void associatedTextOpensForTheCurrentEntry()
    {
        QFETCH(QString, way);
        QFETCH(QString, entries);
        QFETCH(QStringList, opened);
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"a.png", "b.png"}));
        QVERIFY(v.waitForPicture());
        clickShown(v, ViewImages::Current, 1, true);
        v.list_DblClick(ViewImages::Current); // b.png in the new list, no current entry anywhere
        if (entries != QLatin1String("none"))
            clickShown(v, ViewImages::Current, 0, true);
        if (entries == QLatin1String("both")) {
            clickShown(v, ViewImages::New, 0, true);
            v.flelist.selected[0] = true;
        }
        QStringList shown;
        for (qsizetype i = 0; i < opened.size(); ++i) {
            tp.ui.expectModal(QStringLiteral("frm_assoctext2"), [&](QObject* editor) {
                auto* text = qobject_cast<AssocText*>(editor);
                QVERIFY(text);
                shown << text->o_filename.caption;
                QCOMPARE(program().assoc_text_caller, QStringLiteral("viewem"));
            });
        }
        if (way == QLatin1String("button"))
            v.associateText();
        else if (way == QLatin1String("options"))
            v.runMenuCommand(&ViewImages::associateText);
        else
            v.runMenuCommand(&ViewImages::associateFromMenu);
        VERIFY_DIALOGS(tp);
        for (QString& name : opened) {
            if (!name.isEmpty())
                name = tp.path(name);
        }
        QCOMPARE(shown, opened);
        QCOMPARE(tp.ui.asked().size(), opened.size());
    }

    void htmlBackgroundComesFromTheListsOrTheDialog_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("selected");      // the current list's current entry
        QTest::addColumn<QString>("background"); // "" none, else a name in the test folder
        QTest::addRow("a click on the left edge takes the current entry, selected or not")
            << "Label2" << false << "PIC.PNG";
        QTest::addRow("a double click takes the selected current entry as it is")
            << "dblclick" << true << "PIC.PNG";
        QTest::addRow("a double click without one asks with the file dialog")
            << "dblclick" << false << "back.gif";
        QTest::addRow("Options > Set HTML Background does the same")
            << "options" << false << "back.gif";
        QTest::addRow("Options > Clear HTML Background") << "clear" << true << "";
    }
    void htmlBackgroundComesFromTheListsOrTheDialog()
    {
        QFETCH(QString, action);
        QFETCH(bool, selected);
        QFETCH(QString, background);
        TestProgram tp;
        settings().html_background = QStringLiteral("/old.gif");
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"PIC.PNG"}));
        QVERIFY(v.waitForPicture());
        clickShown(v, ViewImages::Current, 0, selected);
        if (background == QLatin1String("back.gif"))
            tp.ui.expectFile(QStringLiteral("Select HTML Background"), tp.path(background));
        if (action == QLatin1String("Label2"))
            v.Label2_Click();
        else if (action == QLatin1String("dblclick"))
            v.htmlbackground_DblClick();
        else
            v.runMenuCommand(action == QLatin1String("clear")
                                 ? &ViewImages::clearHtmlBackground
                                 : &ViewImages::htmlbackground_DblClick);
        VERIFY_DIALOGS(tp);
        const QString expected = background.isEmpty() ? QString() : tp.path(background);
        QCOMPARE(settings().html_background.text(), expected);
        QCOMPARE(v.htmlbackground.caption, expected);
        if (action != QLatin1String("Label2"))
            QCOMPARE(v.setBackgroundCaption,
                     expected.isEmpty() ? QStringLiteral("Set HTML Background")
                                        : QStringLiteral("Set HTML Background (%1)").arg(expected));
    }

    void thumbnailBackgroundColourIsStoredUnlessCancelled()
    {
        TestProgram tp;
        settings().thumb_bg_color = QStringLiteral("16777215");
        ViewImages v;
        v.Form_Load({});
        tp.ui.expectColor(std::nullopt);
        v.runMenuCommand(&ViewImages::changeThumbnailColor);
        QCOMPARE(settings().thumb_bg_color.text(), QStringLiteral("16777215"));
        tp.ui.expectColor(QColor(0x10, 0x20, 0x30));
        v.runMenuCommand(&ViewImages::changeThumbnailColor);
        VERIFY_DIALOGS(tp);
        // Red in the low byte.
        QCOMPARE(settings().thumb_bg_color.text(), QStringLiteral("3153936"));
        QCOMPARE(v.viewimage.backColor(), 0x302010u);
    }

    void viewThumbnailLimitsThePreview()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load({makeFile(tp, "a.png", QSize(400, 300))});
        QVERIFY(v.waitForPicture());
        settings().thumb_size = QString();
        v.runMenuCommand(&ViewImages::toggleViewThumbnail);
        QVERIFY(v.viewThumbnail);
        QCOMPARE(settings().thumb_size.text(), QStringLiteral("100"));
        QCOMPARE(v.viewimage.picture().size(), QSize(100, 75));
        // The size box moves the limit while the preview is on.
        v.o_tn_size.text = QStringLiteral("80");
        v.o_tn_size_Change();
        QCOMPARE(v.viewimage.picture().size(), QSize(80, 60));
        QCOMPARE(v.o_width.caption, QStringLiteral("Width =  400"));
        v.runMenuCommand(&ViewImages::toggleViewThumbnail);
        QVERIFY(!v.viewThumbnail);
        QCOMPARE(v.viewimage.sizeLimit(), 0);
        // The picture is read again at the size the frame shows it.
        QVERIFY(v.waitForPicture());
        QCOMPARE(v.viewimage.fileName(), tp.path("a.png"));
        QCOMPARE(v.viewimage.picture().size(),
                 QSize(qRound(v.viewimage.width() / 15), qRound(v.viewimage.height() / 15)));
        VERIFY_DIALOGS(tp);
    }

    void addedFileKeepsItsCaseAndGoesWhereTheCurrentEntryIsSelected()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makeFiles(tp, {"b.png", "c.png", "d.png"}));
        QVERIFY(v.waitForPicture());
        v.list_DblClick(ViewImages::Current);  // b.png, unselected in the new list
        clickShown(v, ViewImages::Current, 1, true); // d.png
        const QString chosen = tp.folder() + QStringLiteral("/Art/A Photo.JPG");
        tp.ui.expectFile(QStringLiteral("Select A File"), chosen);
        v.runMenuCommand(&ViewImages::addFile);
        VERIFY_DIALOGS(tp);
        QCOMPARE(v.flelist.entries, (QStringList{chosen, tp.path("c.png"), tp.path("d.png")}));
        // The entry that was current stays current and selected.
        QCOMPARE(v.flelist.current, 2);
        QCOMPARE(selectedRows(v.flelist), QList<int>{2});
        QCOMPARE(v.newlist.entries, QStringList{tp.path("b.png")});
        QCOMPARE(settings().last_directory.text(), tp.folder() + QStringLiteral("/Art/"));
        // A cancelled dialog adds nothing and forgets no folder.
        tp.ui.expectFile(QStringLiteral("Select A File"), std::nullopt);
        v.runMenuCommand(&ViewImages::addFile);
        VERIFY_DIALOGS(tp);
        QCOMPARE(v.flelist.count(), 3);
        QCOMPARE(settings().last_directory.text(), tp.folder() + QStringLiteral("/Art/"));
    }
};

QTEST_MAIN(TestViewImages)
#include "tst_viewimages.moc"
