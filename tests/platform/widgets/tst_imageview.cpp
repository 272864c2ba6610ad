#include "platform/widgets/imageview.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using mosaicon::platform::ImageView;

class TestImageView : public QObject
{
    Q_OBJECT

private slots:
    void followsPlacement_data();
    void followsPlacement();
    void takesThePicturesSizeAndShowsIt();
    void drawsTheFrameOfBorderStyle1_data();
    void drawsTheFrameOfBorderStyle1();
    void followsVisibility();
    void forwardsMousePresses();
};

void TestImageView::followsPlacement_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QRect>("geometry");
    QTest::addRow("whole pixels") << 150.0 << 300.0 << 1500.0 << 750.0 << QRect(10, 20, 100, 50);
    QTest::addRow("twips are rounded to the nearest pixel")
        << 157.0 << 307.5 << 1492.0 << 22.4 << QRect(10, 21, 99, 1);
    QTest::addRow("a negative size is no size") << 0.0 << 0.0 << -300.0 << 45.0 << QRect(0, 0, 0, 3);
}

void TestImageView::followsPlacement()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QRect, geometry);
    QWidget form;
    ImageView view(&form);
    view.control().setLeft(left);
    view.control().setTop(top);
    view.control().setWidth(width);
    view.control().setHeight(height);
    QCOMPARE(view.geometry(), geometry);
}

void TestImageView::takesThePicturesSizeAndShowsIt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 10));
    QVERIFY(picture.save(dir.filePath("red.png")));

    QWidget form;
    ImageView view(&form);
    QVERIFY(view.control().setFileName(dir.filePath("red.png")));
    QCOMPARE(view.size(), QSize(30, 20));

    // Stretched to the size the control is given.
    view.control().setWidth(900);
    view.control().setFitMode(mosaicon::platform::FitMode::FittedToWidth);
    QCOMPARE(view.size(), QSize(60, 20));
    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.size(), QSize(60, 20));
    QCOMPARE(shown.pixel(0, 0), qRgb(200, 10, 10));
    QCOMPARE(shown.pixel(59, 19), qRgb(200, 10, 10));

    view.control().clear();
    QCOMPARE(view.size(), QSize(60, 20));
}

void TestImageView::drawsTheFrameOfBorderStyle1_data()
{
    QTest::addColumn<int>("borderStyle");
    QTest::addColumn<int>("appearance");
    QTest::addColumn<bool>("framed");
    QTest::addRow("style 0 has no frame") << 0 << 1 << false;
    QTest::addRow("style 1 flat has a frame") << 1 << 0 << true;
    QTest::addRow("style 1 3D has a sunken frame") << 1 << 1 << true;
}

void TestImageView::drawsTheFrameOfBorderStyle1()
{
    QFETCH(int, borderStyle);
    QFETCH(int, appearance);
    QFETCH(bool, framed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QRgb green = qRgb(0, 200, 0);
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(green);
    QVERIFY(picture.save(dir.filePath("green.png")));

    QWidget form;
    ImageView view(&form);
    view.control().setBorderStyle(borderStyle);
    view.control().setAppearance(appearance);
    QVERIFY(view.control().setFileName(dir.filePath("green.png")));
    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.pixel(1, 1), green);
    QCOMPARE(shown.pixel(18, 18), green);
    QCOMPARE(shown.pixel(0, 0) != green, framed);
    QCOMPARE(shown.pixel(19, 19) != green, framed);
    if (framed && appearance == 1)
        QVERIFY(shown.pixel(0, 0) != shown.pixel(19, 19));
}

void TestImageView::followsVisibility()
{
    QWidget form;
    ImageView view(&form);
    form.show();
    QVERIFY(view.isVisible());
    view.control().setVisible(false);
    QVERIFY(!view.isVisible());
    view.control().setVisible(true);
    QVERIFY(view.isVisible());
}

void TestImageView::forwardsMousePresses()
{
    QWidget form;
    ImageView view(&form);
    view.control().setWidth(1500);
    view.control().setHeight(1500);
    form.show();
    QSignalSpy spy(&view, &ImageView::mousePressed);
    QTest::mousePress(&view, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 7));
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> arguments = spy.at(0);
    QCOMPARE(arguments.at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(arguments.at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(arguments.at(2).toInt(), 5);
    QCOMPARE(arguments.at(3).toInt(), 7);
}

QTEST_MAIN(TestImageView)
#include "tst_imageview.moc"
