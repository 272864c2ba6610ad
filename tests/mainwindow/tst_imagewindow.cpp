#include "mainwindow/commandtable.h"
#include "mainwindow/imagewindow.h"
#include "mainwindow/mainform.h"

#include "platform/clipboard.h"
#include "platform/imagecontrol.h"
#include "platform/widgets/imageview.h"

#include "testpictures.h"
#include "testprogram.h"
#include "windowsleft.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTest>

using namespace mosaicon;
using platform::FitMode;

namespace {

const QString camera = QStringLiteral("DSC_0001.JPG");
const QString drawing = QStringLiteral("plan.png");
const QString text = QStringLiteral("a.txt");
const QString broken = QStringLiteral("broken.jpg");
const QString cut = QStringLiteral("cut.jpg");

// A form with the option's window open over a list of a camera picture
// (400 x 300 pixels), a drawing (200 x 100), a text file, a JPEG that is none
// and a JPEG cut short.
struct Fixture
{
    TestProgram tp;
    MainForm form;

    Fixture()
    {
        form.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QImage(400, 300, QImage::Format_RGB32).save(tp.path(camera), "JPEG");
        QImage(200, 100, QImage::Format_RGB32).save(tp.path(drawing), "PNG");
        tp.write(text, "words");
        tp.write(broken, "not a picture");
        tp.write(cut, cutShortJpeg());
        for (const QString& name : {camera, drawing, text, broken, cut})
            form.itemlist()->addItem(tp.path(name));
        form.itemlist()->setCurrentRow(-1);
    }

    QAction* option() const { return form.menuItem(menus::options, 5); }
    ImageWindow* window() const { return frm_thumbnail.loaded(); }
    platform::ImageControl& picture() const { return window()->o_image()->control(); }

    void setOption(bool on)
    {
        if (option()->isChecked() != on)
            option()->trigger();
    }
    QListWidgetItem* entry(const QString& name) const
    {
        return form.itemlist()->findItems(tp.path(name), Qt::MatchExactly).value(0);
    }
    void doubleClick(const QString& name)
    {
        QListWidget* list = form.itemlist();
        const QPoint centre = list->visualItemRect(entry(name)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    }
    void typeOn(const QString& name)
    {
        form.itemlist()->setCurrentItem(entry(name));
        QTest::keyClick(form.itemlist(), Qt::Key_Return);
    }
    void act(const QString& how, const QString& name)
    {
        if (how == QLatin1String("double click"))
            doubleClick(name);
        else
            typeOn(name);
    }
};

} // namespace

class TestImageWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Every window a test made is gone with it.
        VERIFY_NO_WINDOW_LEFT();
        QVERIFY(!frm_thumbnail.isLoaded());
    }

    void pictureIsFittedWidthFirstThenHeight_data()
    {
        QTest::addColumn<QSizeF>("picture"); // twips
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<QSizeF>("fitted");
        QTest::addColumn<FitMode>("mode");
        QTest::addRow("too wide and then too high: fitted both ways")
            << QSizeF(6000, 4000) << QSizeF(4150, 3000) << QSizeF(3000, 2000)
            << FitMode::FittedToHeight;
        QTest::addRow("fits: its own size")
            << QSizeF(3000, 1500) << QSizeF(4150, 3000) << QSizeF(3000, 1500) << FitMode::OwnSize;
        QTest::addRow("exactly as wide as the room: scaled by one")
            << QSizeF(4000, 1000) << QSizeF(4150, 3000) << QSizeF(4000, 1000)
            << FitMode::FittedToWidth;
        QTest::addRow("only too wide") << QSizeF(8000, 1000) << QSizeF(4150, 3000)
                                       << QSizeF(4000, 500) << FitMode::FittedToWidth;
        QTest::addRow("only too high") << QSizeF(2000, 4000) << QSizeF(4150, 3000)
                                       << QSizeF(1000, 2000) << FitMode::FittedToHeight;
        QTest::addRow("a window narrower than its frame: nothing is left")
            << QSizeF(300, 200) << QSizeF(100, 3000) << QSizeF(0, 0) << FitMode::FittedToWidth;
    }

    void pictureIsFittedWidthFirstThenHeight()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, window);
        QFETCH(QSizeF, fitted);
        QFETCH(FitMode, mode);
        const platform::PictureFit fit =
            platform::fitPicture(picture.width(), picture.height(), window.width(), window.height(),
                                 ImageWindow::pictureMargins);
        QCOMPARE(qRound(fit.width), qRound(fitted.width()));
        QCOMPARE(qRound(fit.height), qRound(fitted.height()));
        QCOMPARE(fit.mode, mode);
    }

    void windowFollowsTheFileList_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("status");       // the main window's; PATH stands for the entry
        QTest::addColumn<QString>("windowStatus"); // the image window's; BEFORE: as it was
        QTest::addColumn<bool>("shown");
        for (const QString& how : {QStringLiteral("double click"), QStringLiteral("key press")}) {
            const bool click = how == QLatin1String("double click");
            const QByteArray name = how.toUtf8();
            // Only a double click names the entry in the window.
            QTest::addRow("%s on a camera file with an upper-case extension shows it",
                          name.constData())
                << how << camera << "PATH" << (click ? "PATH" : "BEFORE") << true;
            QTest::addRow("%s on a text file hides the picture", name.constData())
                << how << text << (click ? "PATH is not an image file." : "PATH")
                << (click ? "" : "BEFORE") << false;
            QTest::addRow("%s on a JPEG that cannot be read says so", name.constData())
                << how << broken << "Couldn't open PATH"
                << "" << false;
            QTest::addRow("%s on a JPEG cut short says it cannot be opened", name.constData())
                << how << cut << "Couldn't open PATH"
                << "" << false;
        }
    }

    void windowFollowsTheFileList()
    {
        QFETCH(QString, how);
        QFETCH(QString, entry);
        QFETCH(QString, status);
        QFETCH(QString, windowStatus);
        QFETCH(bool, shown);
        Fixture f;
        f.setOption(true);
        QVERIFY(f.window()->isVisible());
        // A picture is on show before, so that hiding it is seen.
        f.doubleClick(drawing);
        QVERIFY(f.picture().visible());
        QCOMPARE(f.picture().fileName(), f.tp.path(drawing));

        f.act(how, entry);
        const QString path = f.tp.path(entry);
        QCOMPARE(f.form.statusText(), QString(status).replace(QLatin1String("PATH"), path));
        QCOMPARE(f.window()->statusText(), QString(windowStatus)
                                               .replace(QLatin1String("PATH"), path)
                                               .replace(QLatin1String("BEFORE"), f.tp.path(drawing)));
        QCOMPARE(f.picture().visible(), shown);
        QCOMPARE(f.window()->o_image()->isVisibleTo(f.window()), shown);
        if (shown) {
            QCOMPARE(f.picture().fileName(), path);
            // 400 x 300 pixels are more than the window's room: scaled to its height.
            QCOMPARE(f.picture().fitMode(), FitMode::FittedToHeight);
            QCOMPARE(qRound(f.picture().height()), f.window()->height() * 15 - 1000);
            QCOMPARE(qRound(f.picture().width()), qRound(f.picture().height() * 4 / 3));
        }
        VERIFY_DIALOGS(f.tp);
    }

    void withTheOptionOffOnlyTheStatusLineFollows_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("double click") << "double click";
        QTest::addRow("key press") << "key press";
    }

    void withTheOptionOffOnlyTheStatusLineFollows()
    {
        QFETCH(QString, how);
        Fixture f;
        f.act(how, text);
        QCOMPARE(f.form.statusText(), f.tp.path(text));
        QVERIFY(!frm_thumbnail.isLoaded());
    }

    void resizingRefitsOnceAndKeepsTheWindowHighEnough()
    {
        Fixture f;
        f.setOption(true);
        f.doubleClick(drawing);
        // 200 x 100 pixels fit at their own size.
        QCOMPARE(f.picture().fitMode(), FitMode::OwnSize);
        QCOMPARE(f.picture().width(), 3000.0);

        f.window()->resize(150, 60);
        QVERIFY(f.window()->Timer1().isActive());
        QTRY_COMPARE(f.window()->height(), ImageWindow::minimumHeight / 15);
        QTRY_VERIFY(!f.window()->Timer1().isActive());
        // 3000 twips are more than 150 pixels leave: scaled to the width, then the height.
        QCOMPARE(f.picture().fitMode(), FitMode::FittedToHeight);
        QCOMPARE(qRound(f.picture().height()), ImageWindow::minimumHeight - 1000);
        QVERIFY(f.picture().visible());
    }

    void closingTheWindowAnyWayClearsTheOption_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("its close box") << "close box";
        QTest::addRow("its File > Exit") << "exit";
        QTest::addRow("Options > Image Window") << "option";
    }

    void closingTheWindowAnyWayClearsTheOption()
    {
        QFETCH(QString, how);
        Fixture f;
        f.setOption(true);
        QVERIFY(f.option()->isChecked());
        if (how == QLatin1String("close box"))
            f.window()->close();
        else if (how == QLatin1String("exit"))
            f.window()->menuFileItem(1)->trigger();
        else
            f.option()->trigger();
        QVERIFY(!f.option()->isChecked());
        QTRY_VERIFY(!frm_thumbnail.isLoaded());

        // Chosen again, the option opens a new window on the current picture.
        f.form.itemlist()->setCurrentItem(f.entry(camera));
        f.option()->trigger();
        QVERIFY(f.option()->isChecked());
        QVERIFY(f.window()->isVisible());
        QCOMPARE(f.window()->windowTitle(), QStringLiteral("Thumbnail"));
        QCOMPARE(f.window()->statusText(), f.tp.path(camera));
        QVERIFY(f.picture().visible());
        f.setOption(false);
        QVERIFY(!frm_thumbnail.isLoaded());
    }

    // The picture goes through the scratch bitmap in the program folder,
    // which replaces the one there before.
    void copyPutsTheShownPictureOnTheClipboard()
    {
        Fixture f;
        f.tp.write(QStringLiteral("thumb.bmp"), "an older scratch file");
        f.setOption(true);
        f.doubleClick(camera);
        platform::setClipboardText(QStringLiteral("before"));
        f.window()->menuFileItem(0)->trigger();
        const QImage copied = platform::clipboardPicture();
        QVERIFY(!copied.isNull());
        QCOMPARE(copied.size(), f.picture().picture().size());
        QCOMPARE(copied.width(), qRound(f.picture().width() / 15));
        const QImage scratch(f.tp.path(QStringLiteral("thumb.bmp")), "BMP");
        QCOMPARE(scratch.size(), copied.size());
        QCOMPARE(scratch.convertToFormat(QImage::Format_RGB32), copied.convertToFormat(QImage::Format_RGB32));

        // With no picture shown, the clipboard keeps what it had.
        f.doubleClick(text);
        platform::setClipboardText(QStringLiteral("before"));
        f.window()->menuFileItem(0)->trigger();
        QCOMPARE(platform::clipboardText(), QStringLiteral("before"));
        QVERIFY(platform::clipboardPicture().isNull());

        // A scratch file that cannot be written is told, naming it, and the
        // clipboard keeps what it had.
        const QString scratchPath = f.tp.path(QStringLiteral("thumb.bmp"));
        QVERIFY(QFile::remove(scratchPath));
        QVERIFY(QDir(f.tp.folder()).mkdir(QStringLiteral("thumb.bmp")));
        f.doubleClick(camera);
        platform::setClipboardText(QStringLiteral("before"));
        f.tp.ui.expectMessage(std::nullopt);
        f.window()->menuFileItem(0)->trigger();
        VERIFY_DIALOGS(f.tp);
        const QString told = f.tp.ui.asked().last().text;
        QVERIFY2(told.startsWith(QStringLiteral("The picture could not be copied through %1: ").arg(scratchPath)),
                 qPrintable(told));
        QCOMPARE(platform::clipboardText(), QStringLiteral("before"));
        f.setOption(false);
    }
};

QTEST_MAIN(TestImageWindow)
#include "tst_imagewindow.moc"
