#include "viewer/widgets/frmviewem.h"

#include "settings/program.h"

#include "platform/events.h"
#include "platform/widgets/dirlistbox.h"

#include "testprogram.h"
#include "windowsleft.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;
using namespace mosaicon::viewer;

namespace {

QStringList makePictures(TestProgram& tp, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names) {
        QImage picture(200, 150, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        [&] { QVERIFY(picture.save(tp.path(name))); }();
        paths.append(tp.path(name));
    }
    return paths;
}

QString title(const QDialog& dialog, const char* frame)
{
    return dialog.findChild<QGroupBox*>(QString::fromUtf8(frame))->title();
}

} // namespace

class TestFrmViewem : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Every window a test made is gone with it.
        VERIFY_NO_WINDOW_LEFT();
    }

    void listClicksReachTheWindowsRules()
    {
        TestProgram tp;
        ViewImages v;
        v.Form_Load(makePictures(tp, {"a.png", "b.png", "c.png"}));
        FrmViewem dialog(&v);
        dialog.show();
        QCOMPARE(title(dialog, "Frame1"), QStringLiteral("Current File List ( 3)"));
        // Never smaller than 6800 x 6700 twips.
        dialog.resize(100, 100);
        QVERIFY(dialog.width() >= 6800 / 15 && dialog.height() >= 6700 / 15);
        QListWidget* flelist = dialog.listBox(ViewImages::Current);
        QCOMPARE(flelist->currentRow(), 0);

        QTest::mouseClick(flelist->viewport(), Qt::LeftButton, {},
                          flelist->visualItemRect(flelist->item(1)).center());
        // The row is highlighted at once; the picture, its caption and its
        // size follow once it has been read.
        QVERIFY(flelist->item(1)->isSelected());
        QTRY_COMPARE(v.flelist.current, 1);
        QVERIFY(v.waitForPicture());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("View Image - ") + tp.path("b.png"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("o_width"))->text(),
                 QStringLiteral("Width =  200"));

        // A quick double click on another entry: its press selects it, and the
        // entry moves before the event loop gets round to that click.
        const QPoint onA = flelist->visualItemRect(flelist->item(0)).center();
        QTest::mousePress(flelist->viewport(), Qt::LeftButton, {}, onA);
        QTest::mouseRelease(flelist->viewport(), Qt::LeftButton, {}, onA);
        emit flelist->itemDoubleClicked(flelist->item(0));
        QTRY_COMPARE(v.newlist.entries, QStringList{tp.path("a.png")});
        QCOMPARE(dialog.listBox(ViewImages::New)->count(), 1);
        QCOMPARE(flelist->count(), 2);
        QCOMPARE(title(dialog, "Frame5"), QStringLiteral("New File List ( 1)"));
        QCoreApplication::processEvents();
        // The list left without a current entry is no click on "nothing".
        QVERIFY(v.viewimage.visible() && !v.o_notanimage.visible);
        dialog.close();
        QVERIFY(!dialog.isVisible());
    }

    void thePictureIsFittedToTheFrameTheWindowGivesIt_data()
    {
        QTest::addColumn<QSize>("window");
        // Whether the frame has more room than designed.
        QTest::addColumn<bool>("roomier");
        QTest::addRow("a window at its smallest") << QSize(6800 / 15, 6700 / 15) << false;
        QTest::addRow("a wide, low window") << QSize(1400, 480) << true;
        QTest::addRow("a large window") << QSize(1400, 1000) << true;
    }

    void thePictureIsFittedToTheFrameTheWindowGivesIt()
    {
        QFETCH(QSize, window);
        QFETCH(bool, roomier);
        TestProgram tp;
        QImage photo(2000, 1500, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QVERIFY(photo.save(tp.path("photo.png")));
        ViewImages v;
        v.Form_Load({tp.path("photo.png")});
        FrmViewem dialog(&v);
        dialog.show();
        // Shown in the frame the window opens with, then in the new one.
        QVERIFY(v.waitForPicture());
        dialog.resize(window);
        auto* frame = dialog.findChild<QGroupBox*>(QStringLiteral("Frame2"));
        auto* picture = dialog.findChild<QLabel*>(QStringLiteral("viewimage"));
        // Wholly inside where it can be seen (below the caption, inside the
        // border), and as wide or as high as that less a small margin.
        const auto fitted = [&] {
            const QRect room = frame->contentsRect();
            const QRect at = picture->geometry();
            return room.contains(at) &&
                   (at.width() >= room.width() - 20 || at.height() >= room.height() - 20);
        };
        QTRY_VERIFY(fitted());
        QCOMPARE(v.Frame2.width > ViewImages::designedFrame2Width, roomier);
        // Reduced in proportion until it fits the frame less its 300-twip margin.
        QVERIFY(v.viewimage.width() <= v.Frame2.width - 300);
        QVERIFY(v.viewimage.height() <= v.Frame2.height - 300);
        QVERIFY(v.viewimage.width() >= v.Frame2.width - 310 ||
                v.viewimage.height() >= v.Frame2.height - 310);
        QCOMPARE(picture->pixmap().size(),
                 QSize(qRound(v.viewimage.width() / 15), qRound(v.viewimage.height() / 15)));
        QCOMPARE(picture->size(), picture->pixmap().size());
        // Read again at the size the new frame shows it, not stretched.
        QTRY_COMPARE(v.viewimage.heldSize(), picture->size());
        dialog.close();
    }

    // The close box during a list conversion keeps the window until the
    // pictures in hand are done; none starts after it, and then the window goes.
    void closeBoxStopsAListConversionAndLeaves()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        QDir(tp.folder()).mkdir(QStringLiteral("out"));
        settings().target_dir = tp.path("out");
        ViewImages v;
        v.Form_Load(makePictures(tp, {"a.png", "b.png"}));
        FrmViewem dialog(&v);
        dialog.show();
        int attempts = 0;
        int refused = 0;
        bool shownBusy = true;
        platform::setDoEventsHook([&] {
            ++attempts;
            dialog.close();
            if (dialog.isVisible())
                ++refused;
            shownBusy = shownBusy && !dialog.listBox(ViewImages::Current)->isEnabled() &&
                        !dialog.button(QStringLiteral("Command6"))->isEnabled() &&
                        dialog.findChild<QLabel*>(QStringLiteral("Label4"))->isVisible();
        });
        tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes);
        dialog.button(QStringLiteral("Command6"))->click();
        VERIFY_DIALOGS(tp);
        platform::setDoEventsHook({});
        // The batch lets events run at least once, before the first picture.
        QVERIFY(attempts > 0);
        QCOMPARE(refused, attempts);
        QVERIFY(shownBusy);
        QCOMPARE(QDir(tp.path("out")).entryList(QDir::Files), QStringList());
        QVERIFY(!dialog.isVisible());
    }

    void enterInTheTargetListOpensTheFolderAndStartsNothing()
    {
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("out/sub"));
        settings().target_dir = tp.path("out");
        ViewImages v;
        v.Form_Load(makePictures(tp, {"a.png"}));
        FrmViewem dialog(&v);
        dialog.show();
        auto* dir = dialog.findChild<platform::DirListBox*>(QStringLiteral("Dir1"));
        dir->setCurrentItem(dir->findItems(QStringLiteral("sub"), Qt::MatchExactly).value(0));
        // No box may come up: the script expects none.
        QTest::keyClick(dir, Qt::Key_Return);
        VERIFY_DIALOGS(tp);
        QCOMPARE(v.Dir1, tp.path("out/sub"));
        QCOMPARE(v.targetdir.caption, tp.path("out/sub"));
        QTest::keyClick(dialog.findChild<QWidget*>(QStringLiteral("Drive1")), Qt::Key_Enter);
        QTest::keyClick(dialog.listBox(ViewImages::Current), Qt::Key_Return);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), 0);
        dialog.close();
    }

    // However the size box changes, the size it shows is the size stored.
    void thumbSizeIsStoredHoweverItChanges_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("warning");
        QTest::addRow("set by an assistive tool") << "accessible" << "120" << "120" << QString();
        QTest::addRow("zero set by an assistive tool")
            << "accessible" << "0" << "100"
            << "Thumbnail size cannot be zero.  The default size of 100 will be used.";
        QTest::addRow("typed") << "typed" << "150" << "150" << QString();
    }
    void thumbSizeIsStoredHoweverItChanges()
    {
        QFETCH(QString, way);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, warning);
        TestProgram tp;
        settings().thumb_size = QStringLiteral("100");
        ViewImages v;
        v.Form_Load(makePictures(tp, {"a.png"}));
        FrmViewem dialog(&v);
        dialog.show();
        auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("o_tn_size"));
        QCOMPARE(box->text(), QStringLiteral("100"));
        if (!warning.isEmpty())
            tp.ui.expectMessage(warning);
        if (way == QLatin1String("accessible")) {
            QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value, text);
        } else {
            box->selectAll();
            QTest::keyClicks(box, text);
        }
        VERIFY_DIALOGS(tp);
        QCOMPARE(box->text(), stored);
        QCOMPARE(settings().thumb_size.text(), stored);
        dialog.close();
    }
};

QTEST_MAIN(TestFrmViewem)
#include "tst_frmviewem.moc"
