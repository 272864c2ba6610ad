#include "viewer/picturestate.h"

#include <QTest>

using mosaicon::platform::FitMode;
using namespace mosaicon::viewer;

class TestPictureState : public QObject
{
    Q_OBJECT

private slots:
    // The View Images frame as designed: 4695 x 3735 twips, a room of 4395 x 3435.
    void fitPicture_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QSizeF>("fitted");
        QTest::addColumn<FitMode>("mode");
        QTest::addRow("a picture smaller than the room keeps its size")
            << QSizeF(1500, 1200) << QSizeF(1500, 1200) << FitMode::OwnSize;
        QTest::addRow("an empty picture stays empty")
            << QSizeF(0, 0) << QSizeF(0, 0) << FitMode::OwnSize;
        QTest::addRow("a picture just as wide as the room is narrowed by 10")
            << QSizeF(4395, 1000) << QSizeF(4385, 1000) << FitMode::FittedToWidth;
        QTest::addRow("a wide picture takes the room's width less 10, its height in proportion")
            << QSizeF(6000, 1500) << QSizeF(4385, 1500 * 4395.0 / 6000) << FitMode::FittedToWidth;
        QTest::addRow("a high picture takes the room's height less 10, its width in proportion")
            << QSizeF(1500, 6000) << QSizeF(1500 * 3435.0 / 6000, 3425) << FitMode::FittedToHeight;
        QTest::addRow("a picture still too high once narrowed is lowered as well")
            << QSizeF(9000, 9000) << QSizeF(4385 * 3435.0 / 4395, 3425) << FitMode::FittedToHeight;
    }

    void fitPicture()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, fitted);
        QFETCH(FitMode, mode);
        const mosaicon::platform::PictureFit fit = mosaicon::platform::fitPicture(
            picture.width(), picture.height(), 4695, 3735, framedPictureMargins);
        QCOMPARE(QSizeF(fit.width, fit.height), fitted);
        QCOMPARE(fit.mode, mode);
    }
};

QTEST_MAIN(TestPictureState)
#include "tst_picturestate.moc"
