#include "viewer/widgets/frmsimplev.h"
#include "viewer/simpleview.h"

#include "listentries.h"
#include "testpictures.h"
#include "testprogram.h"
#include "windowsleft.h"

#include "platform/imagecontrol.h"
#include "platform/widgets/imageview.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace mosaicon;
using namespace mosaicon::viewer;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SimpleView::Display)

namespace {

// A folder with two pictures (one with its extension in capitals), a text
// file and a "picture" that no decoder can read.
class Pictures
{
public:
    Pictures()
    {
        QImage wide(64, 48, QImage::Format_RGB32);
        wide.fill(Qt::red);
        QVERIFY(wide.save(tp.path(u"a.png"_s)));
        QImage small(30, 20, QImage::Format_RGB32);
        small.fill(Qt::blue);
        QVERIFY(small.save(tp.path(u"B.JPG"_s), "JPG"));
        tp.write(u"c.txt"_s, "text");
        tp.write(u"d.jpg"_s, "no picture in here");
    }
    // Given out of order: the window sorts its own copy.
    QStringList mainList() const { return paths({u"d.jpg"_s, u"c.txt"_s, u"B.JPG"_s, u"a.png"_s}); }
    QStringList paths(const QStringList& names) const
    {
        QStringList out;
        for (const QString& name : names)
            out.append(tp.path(name));
        return out;
    }

    TestProgram tp;
};

} // namespace

class TestSimpleView : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void loadSortsItsCopyAndShowsTheFirstEntry()
    {
        Pictures p;
        SimpleView view;
        view.keep_processing = true;
        view.load(p.mainList());
        QVERIFY(view.waitForPicture());
        QVERIFY(!view.keep_processing);
        QCOMPARE(view.flelist, p.paths({u"a.png"_s, u"B.JPG"_s, u"c.txt"_s, u"d.jpg"_s}));
        QCOMPARE(view.frame1Caption, u"Current File List ( 4)"_s);
        QCOMPARE(view.current, 0);
        QCOMPARE(view.caption, u"Simple View - "_s + p.tp.path(u"a.png"_s));
        QCOMPARE(view.viewimage.fileName(), p.tp.path(u"a.png"_s));
    }

    void anEmptyListOpensWithNothingShown()
    {
        TestProgram tp;
        SimpleView view;
        view.load({});
        QCOMPARE(view.frame1Caption, u"Current File List ( 0)"_s);
        QCOMPARE(view.current, -1);
        QCOMPARE(view.caption, u"Simple View"_s);
        QCOMPARE(view.display, SimpleView::Display::Nothing);
    }

    void steppingThroughTheList_data()
    {
        QTest::addColumn<QStringList>("clicks");  // entry names, in order
        QTest::addColumn<bool>("keepProcessing"); // on for the last click
        QTest::addColumn<QString>("named");       // the entry caption and name show
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<SimpleView::Display>("display");
        QTest::addColumn<bool>("cutShort"); // d.jpg is a JPEG cut short, not text
        QTest::addColumn<QString>("reason"); // how the error label's tool tip begins

        using D = SimpleView::Display;
        const QString cannotLoad = u"Cannot load $/d.jpg: "_s;
        QTest::addRow("a picture shows with its path and size")
            << QStringList{"c.txt", "a.png"} << false << "a.png"
            << " 64"
            << " 48" << D::Picture << false << "";
        QTest::addRow("an extension in capitals is a picture too")
            << QStringList{"B.JPG"} << false << "B.JPG"
            << " 30"
            << " 20" << D::Picture << false << "";
        QTest::addRow("not an image: its path, sizes of zero")
            << QStringList{"a.png", "c.txt"} << false << "c.txt"
            << " 0"
            << " 0" << D::NotAnImage << false << "";
        QTest::addRow("an unreadable file: its path, sizes of zero, the reason in the tool tip")
            << QStringList{"B.JPG", "d.jpg"} << false << "d.jpg"
            << " 0"
            << " 0" << D::ErrorReading << false << cannotLoad;
        QTest::addRow("a JPEG cut short is as unreadable")
            << QStringList{"B.JPG", "d.jpg"} << false << "d.jpg"
            << " 0"
            << " 0" << D::ErrorReading << true << cannotLoad;
        QTest::addRow("an unreadable file after one that is not an image")
            << QStringList{"c.txt", "d.jpg"} << false << "d.jpg"
            << " 0"
            << " 0" << D::ErrorReading << false << cannotLoad;
        QTest::addRow("a picture after an unreadable file leaves no reason behind")
            << QStringList{"d.jpg", "a.png"} << false << "a.png"
            << " 64"
            << " 48" << D::Picture << false << "";
        QTest::addRow("while processing is kept, a click names the entry but loads no picture")
            << QStringList{"a.png", "B.JPG"} << true << "B.JPG"
            << " 64"
            << " 48" << D::Picture << false << "";
    }
    void steppingThroughTheList()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, keepProcessing);
        QFETCH(QString, named);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(SimpleView::Display, display);
        QFETCH(bool, cutShort);
        QFETCH(QString, reason);

        Pictures p;
        if (cutShort)
            p.tp.write(u"d.jpg"_s, cutShortJpeg());
        SimpleView view;
        view.load(p.mainList());
        QVERIFY(view.waitForPicture());
        for (qsizetype i = 0; i < clicks.size(); ++i) {
            view.keep_processing = keepProcessing && i == clicks.size() - 1;
            view.click(int(view.flelist.indexOf(p.tp.path(clicks.at(i)))));
            QVERIFY(view.waitForPicture());
        }
        QCOMPARE(view.caption, u"Simple View - "_s + p.tp.path(named));
        QCOMPARE(view.fileName, p.tp.path(named));
        QCOMPARE(view.fileWidth, width);
        QCOMPARE(view.fileHeight, height);
        QCOMPARE(view.display, display);
        reason.replace(u'$', p.tp.folder());
        QVERIFY2(reason.isEmpty() ? view.readError.isEmpty()
                                  : view.readError.startsWith(reason) &&
                                        view.readError.size() > reason.size(),
                 qPrintable(view.readError));
        QCOMPARE(view.flelist, p.paths({u"a.png"_s, u"B.JPG"_s, u"c.txt"_s, u"d.jpg"_s}));
    }

    void framesFollowTheWindow_data()
    {
        QTest::addColumn<QSizeF>("window"); // width, inner height in twips
        QTest::addColumn<QRectF>("frame1");
        QTest::addColumn<QRectF>("flelist");
        QTest::addColumn<QRectF>("frame2");
        QTest::addColumn<QRectF>("frame6");
        QTest::addRow("the designed size gives the designed places")
            << QSizeF(8820, 5340) << QRectF(120, 0, 3615, 3740) << QRectF(120, 240, 3375, 3440)
            << QRectF(3840, 0, 4695, 3740) << QRectF(120, 3840, 8415, 1335);
        QTest::addRow("a larger window: the list grows only in height, the picture frame both ways")
            << QSizeF(12000, 8000) << QRectF(120, 0, 3615, 6400) << QRectF(120, 240, 3375, 6100)
            << QRectF(3840, 0, 7875, 6400) << QRectF(120, 6500, 8415, 1335);
    }
    void framesFollowTheWindow()
    {
        QFETCH(QSizeF, window);
        QFETCH(QRectF, frame1);
        QFETCH(QRectF, flelist);
        QFETCH(QRectF, frame2);
        QFETCH(QRectF, frame6);
        const SimpleViewGeometry g = SimpleViewGeometry::forWindow(window.width(), window.height());
        QCOMPARE(g.frame1, frame1);
        QCOMPARE(g.flelist, flelist);
        QCOMPARE(g.frame2, frame2);
        QCOMPARE(g.frame6, frame6);
    }

    void picturesFitTheirFrameKeepingTheirShape_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QSizeF>("frame");
        QTest::addColumn<QSizeF>("fitted");
        QTest::addRow("a small picture keeps its size")
            << QSizeF(1500, 900) << QSizeF(4695, 3735) << QSizeF(1500, 900);
        QTest::addRow("a wide picture fits the width less 300")
            << QSizeF(8790, 1500) << QSizeF(4695, 3735) << QSizeF(4395, 750);
        QTest::addRow("a tall picture fits the height less 300")
            << QSizeF(1500, 6870) << QSizeF(4695, 3735) << QSizeF(750, 3435);
        QTest::addRow("a wide and high picture fits the width only when that is enough")
            << QSizeF(9000, 6000) << QSizeF(4695, 3735) << QSizeF(4395, 2930);
        QTest::addRow("a large square picture fits both ways, its shape kept")
            << QSizeF(9000, 9000) << QSizeF(4695, 3735) << QSizeF(3435, 3435);
    }
    void picturesFitTheirFrameKeepingTheirShape()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, frame);
        QFETCH(QSizeF, fitted);
        const platform::PictureFit fit =
            platform::fitPicture(picture.width(), picture.height(), frame.width(), frame.height(),
                                 SimpleViewGeometry::pictureMargins);
        QCOMPARE(QSizeF(fit.width, fit.height), fitted);
    }

    void theWindowShowsEachEntryAndExitHidesIt()
    {
        Pictures p;
        p.tp.ui.expectModal(u"frm_simplev"_s, [&](QObject* object) {
            auto* value = qobject_cast<SimpleView*>(object);
            QVERIFY(value);
            FrmSimpleV window(value);
            window.open();
            FrmSimpleV* w = &window;
            QCOMPARE(listEntries(w->flelist()),
                     p.paths({u"a.png"_s, u"B.JPG"_s, u"c.txt"_s, u"d.jpg"_s}));
            QCOMPARE(w->Frame1()->title(), u"Current File List ( 4)"_s);
            QTRY_COMPARE(w->windowTitle(), u"Simple View - "_s + p.tp.path(u"a.png"_s));
            QCOMPARE(w->o_file_width()->text(), u" 64"_s);
            QVERIFY(!w->viewimage()->isHidden());

            w->flelist()->setCurrentRow(2);
            QCOMPARE(w->o_file_name()->text(), p.tp.path(u"c.txt"_s));
            QVERIFY(!w->o_notanimage()->isHidden());
            QVERIFY(w->viewimage()->isHidden());

            w->flelist()->setCurrentRow(3);
            QTRY_VERIFY(!w->error_reading_file()->isHidden());
            QCOMPARE(w->windowTitle(), u"Simple View - "_s + p.tp.path(u"d.jpg"_s));
            QCOMPARE(w->o_file_name()->text(), p.tp.path(u"d.jpg"_s));
            QCOMPARE(w->error_reading_file()->text(), u"Error Reading File"_s);
            QVERIFY2(w->error_reading_file()->toolTip().startsWith(
                         u"Cannot load "_s + p.tp.path(u"d.jpg"_s) + u": "_s),
                     qPrintable(w->error_reading_file()->toolTip()));
            QVERIFY(w->o_notanimage()->isHidden());
            QCOMPARE(w->o_file_height()->text(), u" 0"_s);

            // Smaller than the least size snaps back to it.
            w->resize(100, 100);
            QCOMPARE(w->size(), w->minimumSize());
            // 8800 x 4700 twips, 15 a pixel.
            QCOMPARE(w->minimumSize(), QSize(587, 313));

            w->menuFileItem(99)->trigger();
            QVERIFY(!w->isVisible());
        });
        SimpleView::showModally(p.mainList());
        VERIFY_DIALOGS(p.tp);
    }

    void aPictureIsFittedIntoItsFrame()
    {
        TestProgram tp;
        QImage big(900, 600, QImage::Format_RGB32);
        big.fill(Qt::green);
        QVERIFY(big.save(tp.path(u"big.png"_s)));
        SimpleView view;
        view.load({tp.path(u"big.png"_s)});
        FrmSimpleV w(&view);
        w.resize(800, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.o_file_width()->text(), u" 900"_s);
        const platform::ImageControl& c = w.viewimage()->control();
        const double frameWidth = w.Frame2()->width() * 15.0;
        QTRY_COMPARE(c.width(), frameWidth - 300);
        QCOMPARE(c.height(), (frameWidth - 300) * 600 / 900);
        // Read at the size it is shown, not whole.
        QTRY_COMPARE(c.heldSize(), QSize(qRound(c.width() / 15), qRound(c.height() / 15)));
        QCOMPARE(w.viewimage()->size(), c.heldSize());
    }
};

QTEST_MAIN(TestSimpleView)
#include "tst_simpleview.moc"
