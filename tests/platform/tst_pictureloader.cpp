#include "platform/pictureloader.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using mosaicon::platform::LoadedPicture;
using mosaicon::platform::PictureLoader;

namespace {

// Every picture is shown at half its width and height.
QSize half(QSize natural)
{
    return natural / 2;
}

QSize third(QSize natural)
{
    return natural / 3;
}

} // namespace

class TestPictureLoader : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_delivered.clear();
    }

    void onlyTheNewestPictureAskedForIsDelivered()
    {
        PictureLoader loader;
        loader.setDisplaySize(half);
        const QString a = picture("a.png", QSize(40, 30));
        const QString b = picture("b.png", QSize(60, 40));
        loader.show(a, record());
        loader.show(b, record());
        QVERIFY(loader.loading());
        QVERIFY(loader.waitForPicture());
        QVERIFY(!loader.loading());
        QTRY_VERIFY(loader.idle());
        QCOMPARE(m_delivered.size(), 1);
        QCOMPARE(m_delivered.at(0).path, b);
        QCOMPARE(m_delivered.at(0).naturalSize, QSize(60, 40));
        QCOMPARE(m_delivered.at(0).image.size(), QSize(30, 20));
    }

    void aFileThatCannotBeReadIsDeliveredWithItsError()
    {
        PictureLoader loader;
        const QString broken = m_dir->filePath("broken.jpg");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
        file.close();
        loader.show(broken, record());
        QVERIFY(loader.waitForPicture());
        QCOMPARE(m_delivered.size(), 1);
        QVERIFY(!m_delivered.at(0).ok());
        QVERIFY2(m_delivered.at(0).error.contains(broken), qPrintable(m_delivered.at(0).error));
    }

    void aPictureReadAheadIsDeliveredAtOnceUntilItsFileChanges()
    {
        PictureLoader loader;
        loader.setDisplaySize(half);
        const QString a = picture("a.png", QSize(40, 30));
        const QString b = picture("b.png", QSize(60, 40));
        loader.readAhead({a, b});
        QTRY_VERIFY(loader.idle());
        loader.show(b, record());
        // Before show() returned: no waiting for a worker.
        QCOMPARE(m_delivered.size(), 1);
        QCOMPARE(m_delivered.at(0).image.size(), QSize(30, 20));
        QVERIFY(!loader.loading());

        // Replaced on disk: read again, not the stale copy.
        picture("a.png", QSize(80, 64));
        loader.show(a, record());
        QCOMPARE(m_delivered.size(), 1);
        QVERIFY(loader.waitForPicture());
        QCOMPARE(m_delivered.size(), 2);
        QCOMPARE(m_delivered.at(1).naturalSize, QSize(80, 64));
    }

    void aNewDisplaySizeReadsAgainWhatIsWaitedFor()
    {
        PictureLoader loader;
        loader.setDisplaySize(half);
        const QString a = picture("a.png", QSize(60, 30));
        const QString b = picture("b.png", QSize(90, 60));
        loader.readAhead({a});
        QTRY_VERIFY(loader.idle());
        loader.show(b, record());
        loader.setDisplaySize(third);
        QVERIFY(loader.waitForPicture());
        QCOMPARE(m_delivered.size(), 1);
        QCOMPARE(m_delivered.at(0).image.size(), QSize(30, 20));
        // What was read ahead at the old size is gone.
        loader.show(a, record());
        QVERIFY(loader.loading());
        QVERIFY(loader.waitForPicture());
        QCOMPARE(m_delivered.at(1).image.size(), QSize(20, 10));
    }

    void aCancelledPictureIsNeverDelivered()
    {
        PictureLoader loader;
        loader.show(picture("a.png", QSize(40, 30)), record());
        loader.cancel();
        QVERIFY(!loader.loading());
        QVERIFY(loader.waitForPicture(0));
        QTRY_VERIFY(loader.idle());
        QCoreApplication::processEvents();
        QVERIFY(m_delivered.isEmpty());
    }

private:
    QString picture(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = m_dir->filePath(name);
        [&] { QVERIFY(image.save(path, "png")); }();
        return path;
    }

    PictureLoader::Delivery record()
    {
        return [this](const LoadedPicture& picture) { m_delivered.append(picture); };
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<LoadedPicture> m_delivered;
};

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
