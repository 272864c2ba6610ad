#include "viewer/imageconversion.h"

#include "settings/program.h"

#include "platform/imagecontrol.h"
#include "platform/profilefile.h"

#include "filesizelimit.h"
#include "testprogram.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QScopeGuard>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <cstdio>

#include <unistd.h>

using namespace mosaicon;
using namespace mosaicon::viewer;

Q_DECLARE_METATYPE(ConversionKind)
Q_DECLARE_METATYPE(ConversionResult::Outcome)

namespace {

// A picture of one colour, or of noise so that its JPEG has some size; of its
// name's type where Qt writes that type, else PNG inside that name (the loader
// goes by content when the name does not fit, as for ".gif").
void makePicture(const QString& path, QSize size, QColor colour = Qt::darkCyan, bool noisy = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    if (noisy) {
        QRandomGenerator rng(7);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, rng.generate() | 0xff000000u);
    }
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray type = QFileInfo(path).suffix().toLower().toLatin1();
    QVERIFY(image.save(path, QImageWriter::supportedImageFormats().contains(type) ? type.constData() : "PNG"));
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A thumbnail as an earlier run of this program left it at `path`, made from
// `picture`, with no record of it.
void makeThumbnailOf(const QString& path, const QString& picture)
{
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    const QString drawn = path + QStringLiteral(".png");
    QVERIFY(image.save(drawn));
    platform::ImageControl engine;
    QVERIFY(engine.setFileName(drawn));
    QVERIFY(engine.saveAsJpeg(path, platform::Flush::ToDisk, picture));
    QVERIFY(QFile::remove(drawn));
}

// A thumbnail as an earlier version left it, its mark naming the picture alone.
void makeEarlierThumbnailOf(const QString& path, const QString& picture)
{
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QImageWriter writer(path, "jpeg");
    writer.setText(QStringLiteral("Mosaicon-made-from"), QString::fromLatin1(picture.toUtf8().toPercentEncoding("/")));
    QVERIFY(writer.write(image));
}

// Cropped and painted over by another program that keeps the comments.
void editKeepingComments(const QString& path)
{
    QImage image(path);
    QVERIFY(!image.text(QStringLiteral("Mosaicon-made-from")).isEmpty());
    image = image.copy(10, 10, 80, 60);
    image.setPixelColor(5, 5, Qt::black);
    QVERIFY(QImageWriter(path, "jpeg").write(image));
}

QString recordOf(const QString& source)
{
    return settingsFile().get(QStringLiteral("Thumbnails (vi)"), source);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A test's folders: "src" holds the pictures, "target" is the window's target directory.
struct Folders
{
    TestProgram program;
    QString src = program.path(QStringLiteral("src"));
    QString target = program.path(QStringLiteral("target"));
    Folders()
    {
        QDir().mkpath(src);
        QDir().mkpath(target);
        mosaicon::program().ini_file_path = program.path(QStringLiteral("mosaik.ini"));
        Settings& s = settings();
        s.thumb_size = QStringLiteral("100");
        s.thumb_quality = QStringLiteral("75");
        s.thumb_style = ThumbStyle::WithBorders;
        s.prefix_thumbnail_file = true;
    }
    // "target/x" and "src/x" name files of the two folders; anything else is a bare name.
    QString resolve(const QString& name) const
    {
        if (name.startsWith(QLatin1String("target/")))
            return target + name.mid(6);
        if (name.startsWith(QLatin1String("src/")))
            return src + name.mid(3);
        return name;
    }
};

} // namespace

class TestImageConversion : public QObject
{
    Q_OBJECT

private slots:
    void convertsOnePicture_data()
    {
        QTest::addColumn<QString>("source");     // in "src"; "" makes no file
        QTest::addColumn<QSize>("pixels");       // the source's size; empty: bytes that are no picture
        QTest::addColumn<ConversionKind>("kind");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<bool>("besideSource");
        QTest::addColumn<bool>("copySmall");
        QTest::addColumn<QString>("existing"); // an older file there before the conversion;
                                               // "=" before it: a copy of the source; "~": a
                                               // thumbnail this program made of the source, "&":
                                               // of a copy of it in "target", "!": of another
                                               // picture, "src/other.gif" (no record of any);
                                               // "@": of the source while it lay in "src/old",
                                               // "$": while it was "src/before.gif", "%": of
                                               // the source, edited since; "^": an earlier
                                               // version's of the source, "*": of
                                               // "src/old/<source>", "?": of "./src/<source>"
        QTest::addColumn<QString>("recorded"); // the source's [Thumbnails (vi)] record beforehand
        QTest::addColumn<ConversionResult::Outcome>("outcome");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QSize>("made");         // the output's size when something was written
        QTest::addColumn<QString>("told");       // what stood in the way, after the output's
                                                 // name; "" for a file this program did not make

        using R = ConversionResult;
        const auto T = ConversionKind::Thumbnail;
        const auto J = ConversionKind::Jpeg;
        const QSize none;
        QTest::addRow(
            "a thumbnail is reduced to the size plus four, prefixed, in the target folder")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true << ""
            << "" << R::Made << "target/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("without the prefix setting the thumbnail ends in _tn.jpg")
            << "beach.gif" << QSize(400, 200) << T << 0 << false << false << true << ""
            << "" << R::Made << "target/beach_tn.jpg" << QSize(104, 52) << "";
        QTest::addRow("a borderless thumbnail is fitted at 15.7 twips a pixel: the size itself")
            << "beach.gif" << QSize(400, 200) << T << 1 << true << false << true << ""
            << "" << R::Made << "target/tn_beach.jpg" << QSize(100, 50) << "";
        QTest::addRow("a borderless thumbnail of a tall picture is the size high")
            << "tall.png" << QSize(1000, 1500) << T << 1 << true << false << true << ""
            << "" << R::Made << "target/tn_tall.jpg" << QSize(67, 100) << "";
        QTest::addRow("a borderless JPEG copy of a tall picture is the size high")
            << "tall.png" << QSize(1000, 1500) << J << 1 << true << false << true << ""
            << "" << R::Made << "target/tall.jpg" << QSize(67, 100) << "";
        QTest::addRow("100x80 with size 100 is copied unchanged under its own name")
            << "small.png" << QSize(100, 80) << T << 0 << true << false << true << ""
            << "" << R::CopiedSmall << "target/small.png" << QSize(100, 80) << "";
        QTest::addRow("101x50 with size 100 is made a thumbnail")
            << "wide.png" << QSize(101, 50) << T << 0 << true << false << true << ""
            << "" << R::Made << "target/tn_wide.jpg" << QSize(101, 50) << "";
        QTest::addRow("the catalog leaves a small picture alone and keeps its bare name")
            << "small.png" << QSize(100, 80) << T << 0 << true << false << false << ""
            << "" << R::SmallLeft << "small.png" << none << "";
        QTest::addRow("a name holding tn_ anywhere gets no prefix")
            << "atn_1.gif" << QSize(300, 300) << T << 0 << true << false << true << ""
            << "" << R::Made << "target/atn_1.jpg" << QSize(104, 104) << "";
        QTest::addRow("a JPEG copy is cut at the first dot and keeps its natural size")
            << "my.holiday.bmp" << QSize(300, 200) << J << 0 << true << false << true << ""
            << "" << R::Made << "target/my.jpg" << QSize(300, 200) << "";
        QTest::addRow("a prefixed thumbnail is cut at the first dot")
            << "my.holiday.bmp" << QSize(300, 200) << T << 0 << true << false << true << ""
            << "" << R::Made << "target/tn_my.jpg" << QSize(104, 69) << "";
        QTest::addRow("a suffixed thumbnail is cut at the first dot")
            << "my.holiday.bmp" << QSize(300, 200) << T << 0 << false << false << true << ""
            << "" << R::Made << "target/my_tn.jpg" << QSize(104, 69) << "";
        QTest::addRow("borderless style scales a JPEG copy to the thumbnail size too")
            << "my.holiday.bmp" << QSize(400, 200) << J << 1 << true << false << true << ""
            << "" << R::Made << "target/my.jpg" << QSize(100, 50) << "";
        QTest::addRow("an extension in capitals is a picture all the same")
            << "SHOT.PNG" << QSize(120, 90) << J << 0 << true << false << true << ""
            << "" << R::Made << "target/SHOT.jpg" << QSize(120, 90) << "";
        QTest::addRow("beside the source, the thumbnail goes into the source's folder")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << true << true << ""
            << "" << R::Made << "src/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("an existing JPEG is left untouched")
            << "beach.gif" << QSize(400, 200) << J << 0 << true << false << true
            << "target/beach.jpg"
            << "" << R::AlreadyExists << "target/beach.jpg" << none << "";
        QTest::addRow("the older thumbnail recorded for this picture is replaced")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "~target/tn_beach.jpg"
            << "target/tn_beach.jpg" << R::Made << "target/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("a thumbnail of this picture whose record a killed run never saved is replaced")
            << "beach  one.gif" << QSize(400, 200) << T << 0 << false << false << true
            << "~target/beach  one_tn.jpg"
            << "" << R::Made << "target/beach  one_tn.jpg" << QSize(104, 52) << "";
        QTest::addRow("a thumbnail a page run made of its copy of this picture is replaced")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "&target/tn_beach.jpg"
            << "" << R::Made << "target/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("a photo the user put in place of the recorded thumbnail stays")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "target/tn_beach.jpg"
            << "target/tn_beach.jpg" << R::Occupied << "target/tn_beach.jpg" << none << "";
        QTest::addRow("a thumbnail this program made of another picture stays")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "!target/tn_beach.jpg"
            << "" << R::Occupied << "target/tn_beach.jpg" << none
            << " is already there and is a thumbnail this program made from another picture (src/other.gif), "
               "so it was left as it is.";
        QTest::addRow("a thumbnail made from this picture before its folder was moved is replaced")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "@target/tn_beach.jpg"
            << "" << R::Made << "target/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("a thumbnail renamed together with its picture is replaced")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << true << true
            << "$src/tn_beach.jpg"
            << "" << R::Made << "src/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("a thumbnail of this picture the user edited since stays, and is told")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "%target/tn_beach.jpg"
            << "target/tn_beach.jpg" << R::Occupied << "target/tn_beach.jpg" << none
            << " was changed since this program made it, so it was left as it is.";
        QTest::addRow("an earlier version's thumbnail of this picture is replaced")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "^target/tn_beach.jpg"
            << "" << R::Made << "target/tn_beach.jpg" << QSize(104, 52) << "";
        QTest::addRow("an earlier version's thumbnail of the picture's old place stays")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "*target/tn_beach.jpg"
            << "" << R::Occupied << "target/tn_beach.jpg" << none
            << " is already there and is a thumbnail this program made from another picture "
               "(src/old/beach.gif), so it was left as it is.";
        QTest::addRow("a mark naming the picture relative to the working folder is not taken for it")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "?target/tn_beach.jpg"
            << "" << R::Occupied << "target/tn_beach.jpg" << none
            << " is already there and is a thumbnail this program made from another picture "
               "(./src/beach.gif), so it was left as it is.";
        QTest::addRow("a file of the thumbnail's name that was not made from this picture stays")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "target/tn_beach.jpg"
            << "" << R::Occupied << "target/tn_beach.jpg" << none << "";
        QTest::addRow("a file of the thumbnail's name recorded for another thumbnail stays")
            << "beach.gif" << QSize(400, 200) << T << 0 << true << false << true
            << "target/tn_beach.jpg"
            << "target/tn_old.jpg" << R::Occupied << "target/tn_beach.jpg" << none << "";
        QTest::addRow(
            "beside the source, dog_tn.jpg, another photo, is not made the thumbnail of dog.jpg")
            << "dog.jpg" << QSize(400, 200) << T << 0 << false << true << true << "src/dog_tn.jpg"
            << "" << R::Occupied << "src/dog_tn.jpg" << none << "";
        QTest::addRow("a small picture's copy does not land on another picture of its name")
            << "small.png" << QSize(100, 80) << T << 0 << true << false << true
            << "target/small.png"
            << "" << R::Occupied << "target/small.png" << none << "";
        QTest::addRow("a small picture's earlier copy is left as it is")
            << "small.png" << QSize(100, 80) << T << 0 << true << false << true
            << "=target/small.png"
            << "" << R::CopiedSmall << "target/small.png" << QSize(100, 80) << "";
        QTest::addRow("x_tn.jpg made beside itself is not made over itself")
            << "x_tn.jpg" << QSize(400, 200) << T << 0 << false << true << true << ""
            << "" << R::SameAsSource << "src/x_tn.jpg" << none << "";
        QTest::addRow("a small picture copied onto itself is left alone")
            << "small.png" << QSize(100, 80) << T << 0 << true << true << true << ""
            << "" << R::SameAsSource << "src/small.png" << none << "";
        QTest::addRow("a JPEG beside its own JPEG source is left untouched")
            << "photo.jpg" << QSize(300, 200) << J << 0 << true << true << true << ""
            << "" << R::AlreadyExists << "src/photo.jpg" << none << "";
        QTest::addRow("a JPEG with its extension in capitals gets no second copy beside it")
            << "DSC_0001.JPG" << QSize(300, 200) << J << 0 << true << true << true << ""
            << "" << R::AlreadyExists << "src/DSC_0001.JPG" << none << "";
        QTest::addRow("a .jpeg picture gets no .jpg copy beside it")
            << "scan.jpeg" << QSize(300, 200) << J << 0 << true << true << true << ""
            << "" << R::AlreadyExists << "src/scan.jpeg" << none << "";
        QTest::addRow("a JPEG is copied into another folder as any picture")
            << "DSC_0001.JPG" << QSize(300, 200) << J << 0 << true << false << true << ""
            << "" << R::Made << "target/DSC_0001.jpg" << QSize(300, 200) << "";
        QTest::addRow("a missing source makes nothing")
            << "" << QSize(400, 200) << T << 0 << true << false << true << ""
            << "" << R::SourceMissing << "gone.gif" << none << "";
        QTest::addRow("a name that is not valid UTF-8 is refused as a copy refuses it")
            << QString::fromUtf8("bad\xff.gif") << QSize(400, 200) << T << 0 << true << false << true << ""
            << "" << R::Failed << QString::fromUtf8("bad\xff.gif") << none
            << "its name is not valid UTF-8 text, so it cannot be named safely. Rename it to use it.";
        QTest::addRow("a file that is no picture fails with the reason")
            << "notes.gif" << none << T << 0 << true << false << true << ""
            << "" << R::Failed << "notes.gif" << none << "";
    }
    void convertsOnePicture()
    {
        QFETCH(QString, source);
        QFETCH(QSize, pixels);
        QFETCH(ConversionKind, kind);
        QFETCH(int, style);
        QFETCH(bool, prefix);
        QFETCH(bool, besideSource);
        QFETCH(bool, copySmall);
        QFETCH(QString, existing);
        QFETCH(QString, recorded);
        QFETCH(ConversionResult::Outcome, outcome);
        QFETCH(QString, output);
        QFETCH(QSize, made);
        QFETCH(QString, told);

        Folders f;
        const QChar kindOfExisting = existing.isEmpty() ? QChar() : existing.at(0);
        const bool copyOfSource = kindOfExisting == u'=';
        QString made_by;
        if (kindOfExisting == u'~')
            made_by = f.src + u'/' + source;
        else if (kindOfExisting == u'&')
            made_by = f.target + u'/' + source;
        else if (kindOfExisting == u'!')
            made_by = f.src + QStringLiteral("/other.gif");
        else if (kindOfExisting == u'@' || kindOfExisting == u'*')
            made_by = f.src + QStringLiteral("/old/") + source;
        else if (kindOfExisting == u'$')
            made_by = f.src + QStringLiteral("/before.gif");
        else if (kindOfExisting == u'%' || kindOfExisting == u'^')
            made_by = f.src + u'/' + source;
        else if (kindOfExisting == u'?')
            made_by = QStringLiteral("./src/") + source;
        const QString workingFolder = QDir::currentPath();
        const auto backHome = qScopeGuard([&] { QDir::setCurrent(workingFolder); });
        QVERIFY(QDir::setCurrent(f.program.folder()));
        if (copyOfSource || !made_by.isEmpty())
            existing.remove(0, 1);
        settings().thumb_style = ThumbStyle(style);
        settings().prefix_thumbnail_file = prefix;
        const QString path = f.src + u'/' + (source.isEmpty() ? QStringLiteral("gone.gif") : source);
        if (!source.isEmpty() && pixels.isValid())
            makePicture(path, pixels);
        else if (!source.isEmpty())
            f.program.write(QStringLiteral("src/") + source, "not a picture");
        // A name listed from the disk with bytes that are not UTF-8 holds U+FFFD in their place.
        // The temporary folder cannot remove names it cannot spell.
        QByteArray raw;
        const auto removeRaw = qScopeGuard([&] {
            if (!raw.isEmpty())
                ::unlink(raw.constData());
        });
        if (path.contains(QChar::ReplacementCharacter)) {
            raw = QFile::encodeName(path).replace("\xEF\xBF\xBD", "\xFF");
            QCOMPARE(::rename(QFile::encodeName(path).constData(), raw.constData()), 0);
        }
        const QByteArray sourceBytes = bytesOf(path);
        const QString older = f.resolve(existing);
        QByteArray olderBytes = copyOfSource ? sourceBytes : QByteArray("older");
        // The copy a page run made of the source, and the other picture, stay for the check.
        if (kindOfExisting == u'&')
            QVERIFY(QFile::copy(path, made_by));
        if (kindOfExisting == u'!')
            makePicture(made_by, QSize(300, 300), Qt::yellow);
        // Dated in the past, so that any rewrite shows in its time.
        const QDateTime olderTime(QDate(2001, 2, 3), QTime(4, 5, 6));
        if (!existing.isEmpty()) {
            if (kindOfExisting == u'@' || kindOfExisting == u'$') {
                // Made where the picture lay then; moved since, its dates kept.
                QVERIFY(QDir().mkpath(QFileInfo(made_by).path()));
                QVERIFY(QFile::rename(path, made_by));
                makeThumbnailOf(older, made_by);
                QVERIFY(QFile::rename(made_by, path));
                QVERIFY(QDir().rmdir(f.src + QStringLiteral("/old")) || kindOfExisting == u'$');
            } else if (kindOfExisting == u'^' || kindOfExisting == u'*' || kindOfExisting == u'?') {
                makeEarlierThumbnailOf(older, made_by);
            } else if (!made_by.isEmpty()) {
                makeThumbnailOf(older, made_by);
                if (kindOfExisting == u'%')
                    editKeepingComments(older);
            } else
                f.program.write(QDir(f.program.folder()).relativeFilePath(older), olderBytes);
            olderBytes = bytesOf(older);
            QFile file(older);
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(olderTime, QFileDevice::FileModificationTime));
        }
        if (!recorded.isEmpty())
            settingsFile().put(QStringLiteral("Thumbnails (vi)"), path, f.resolve(recorded));
        const QStringList before = filesIn(f.src) + filesIn(f.target);

        const ConversionResult r = create_jpeg(path, kind, {f.target, besideSource, copySmall});

        QCOMPARE(r.outcome, outcome);
        const QString expectedOutput = f.resolve(output);
        QCOMPARE(r.output, expectedOutput);
        // What the user is told names the file that stood in the way.
        const bool tellsWhy =
            outcome == ConversionResult::Failed || outcome == ConversionResult::Occupied;
        QCOMPARE(r.error.isEmpty(), !tellsWhy);
        if (outcome == ConversionResult::Failed && told.isEmpty())
            QVERIFY2(r.error.contains(path), qPrintable(r.error));
        if (outcome == ConversionResult::Failed && !told.isEmpty())
            QCOMPARE(r.error, told);
        if (outcome == ConversionResult::Occupied)
            QCOMPARE(r.error, expectedOutput + (told.isEmpty() ? QStringLiteral(" is already there and is not a "
                                                                               "thumbnail this program made, so "
                                                                               "it was left as it is.")
                                                               : QString(told).replace(QStringLiteral("(src/"),
                                                                                       u'(' + f.src + u'/')));
        QCOMPARE(bytesOf(path), sourceBytes);
        const bool thumbnailMade = outcome == ConversionResult::Made && kind == ConversionKind::Thumbnail;
        QCOMPARE(recordOf(path), thumbnailMade || !recorded.isEmpty()
                                     ? f.resolve(thumbnailMade ? output : recorded)
                                     : QString());
        const bool written = made.isValid() && !copyOfSource;
        if (made.isValid()) {
            QCOMPARE(QImageReader(expectedOutput).size(), made);
            if (outcome == ConversionResult::CopiedSmall)
                QCOMPARE(bytesOf(expectedOutput), sourceBytes);
            else
                QCOMPARE(QImageReader(expectedOutput).format(), QByteArray("jpeg"));
        }
        if (!written)
            QCOMPARE(filesIn(f.src) + filesIn(f.target), before);
        if (!existing.isEmpty() && !written) {
            QCOMPARE(bytesOf(older), olderBytes);
            QCOMPARE(QFileInfo(older).lastModified(), olderTime);
        }
    }

    void registersEachTargetDirectoryOnce_data()
    {
        QTest::addColumn<QStringList>("stored"); // dir1, dir2, ...; "" leaves a key out
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QStringList>("expected"); // dir1 ... dir6 afterwards
        QTest::addRow("the first directory is dir1")
            << QStringList{} << "/p/web" << QStringList{"/p/web", "", "", "", "", ""};
        QTest::addRow("a registered directory is not entered again")
            << QStringList{"/p/a", "/p/web"} << "/p/web" << QStringList{"/p/a", "/p/web", "", "", "", ""};
        QTest::addRow("with dir3 missing, a directory under dir5 is written again as dir3")
            << QStringList{"/p/a", "/p/b", "", "", "/p/web"} << "/p/web"
            << QStringList{"/p/a", "/p/b", "/p/web", "", "/p/web", ""};
        QTest::addRow("a directory spelt in other letter case is registered again")
            << QStringList{"/p/Web"} << "/p/web" << QStringList{"/p/Web", "/p/web", "", "", "", ""};
    }
    void registersEachTargetDirectoryOnce()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, dir);
        QFETCH(QStringList, expected);
        Folders f;
        const QString section = QStringLiteral("Thumbnail Directories");
        platform::ProfileFile& ini = settingsFile();
        for (qsizetype i = 0; i < stored.size(); ++i)
            if (!stored.at(i).isEmpty())
                ini.put(section, QStringLiteral("dir%1").arg(i + 1), stored.at(i));

        register_thumbnail_directory(dir);

        platform::resetProfiles(); // read back from the file itself
        QStringList keys;
        for (int n = 1; n <= 6; ++n)
            keys.append(settingsFile().get(section, QStringLiteral("dir%1").arg(n)));
        QCOMPARE(keys, expected);
        QStringList listed;
        for (const QString& d : expected) {
            if (d.isEmpty())
                break;
            listed.append(d);
        }
        QCOMPARE(thumbnail_directories(), listed);
    }

    void failedWritesAreToldAndRecordNothing_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<bool>("diskFull");  // else the settings file cannot be written
        QTest::addColumn<QString>("output"); // in the target folder
        QTest::addColumn<bool>("outputLeft"); // the output file is there afterwards
        QTest::addRow("a thumbnail that does not fit on the disk keeps the older one")
            << QSize(400, 300) << true << "tn_photo.jpg" << false;
        QTest::addRow("the copy of a small picture is checked too") << QSize(90, 90) << true << "photo.png" << false;
        QTest::addRow("a thumbnail whose record cannot be saved is told")
            << QSize(400, 300) << false << "tn_photo.jpg" << true;
    }
    void failedWritesAreToldAndRecordNothing()
    {
        QFETCH(QSize, pixels);
        QFETCH(bool, diskFull);
        QFETCH(QString, output);
        QFETCH(bool, outputLeft);
        Folders f;
        const QString source = f.src + QStringLiteral("/photo.png");
        makePicture(source, pixels, Qt::red, true);
        const QString target = f.target + u'/' + output;
        // The older file is one this program made from this picture, so it may be replaced.
        if (diskFull) {
            makeThumbnailOf(target, source);
        } else {
            program().ini_file_path = f.program.path(QStringLiteral("no such folder/mosaik.ini"));
        }
        const QByteArray olderBytes = bytesOf(target);
        ConversionResult r;
        {
            std::optional<FileSizeLimit> limit;
            if (diskFull)
                limit.emplace(1000);
            r = create_jpeg(source, ConversionKind::Thumbnail, {f.target, false, true});
        }

        QCOMPARE(r.outcome, ConversionResult::Failed);
        QVERIFY2(r.error.contains(target) && r.error.size() > target.size() + 20, qPrintable(r.error));
        if (outputLeft)
            QCOMPARE(QImageReader(target).size(), QSize(104, 78));
        else
            QCOMPARE(bytesOf(target), olderBytes);
        QCOMPARE(filesIn(f.target), QStringList{output});
        // Nothing was recorded, so no settings file was written.
        QVERIFY(!QFile::exists(program().ini_file_path));
    }

    void convertsAListAsOneThreadWould_data()
    {
        QTest::addColumn<ConversionKind>("kind");
        QTest::addColumn<QList<int>>("outcomes");  // per path
        QTest::addColumn<QStringList>("recorded"); // record keys in file order
        QTest::addColumn<QColor>("sharedColour");  // of the output a.png and a.gif share
        QTest::addColumn<QSize>("targetE");        // target/e.png afterwards
        // Paths: src/a.png (red), src/a.gif (blue, the same output names as a.png), notes.txt
        // (not wanted), src/e.png (small), target/e.png (large, another picture of the name
        // src/e.png's copy would take), src/gone.png (missing), src/z.png, src/z.png again.
        using R = ConversionResult;
        QTest::addRow(
            "thumbnails: the first of two sources of one name makes it; no copy lands on another "
            "picture; a source listed again replaces its own")
            << ConversionKind::Thumbnail
            << QList<int>{R::Made, R::Occupied,      R::Skipped, R::Occupied,
                          R::Made, R::SourceMissing, R::Made,    R::Made}
            << QStringList{"src/a.png", "target/e.png", "src/z.png"} << QColor(Qt::red)
            << QSize(400, 300);
        QTest::addRow(
            "JPEG copies: the first of two sources of one name makes it, the second leaves it")
            << ConversionKind::Jpeg
            << QList<int>{R::Made,          R::AlreadyExists, R::Skipped, R::Made,
                          R::AlreadyExists, R::SourceMissing, R::Made,    R::AlreadyExists}
            << QStringList{} << QColor(Qt::red) << QSize(400, 300);
    }
    void convertsAListAsOneThreadWould()
    {
        QFETCH(ConversionKind, kind);
        QFETCH(QList<int>, outcomes);
        QFETCH(QStringList, recorded);
        QFETCH(QColor, sharedColour);
        QFETCH(QSize, targetE);
        Folders f;
        makePicture(f.src + QStringLiteral("/a.png"), QSize(400, 300), Qt::red);
        makePicture(f.src + QStringLiteral("/a.gif"), QSize(400, 300), Qt::blue);
        makePicture(f.src + QStringLiteral("/e.png"), QSize(50, 50), Qt::green);
        makePicture(f.target + QStringLiteral("/e.png"), QSize(400, 300), Qt::yellow);
        makePicture(f.src + QStringLiteral("/z.png"), QSize(400, 300), Qt::gray);
        f.program.write(QStringLiteral("src/notes.txt"), "text");
        QStringList paths;
        for (const char* name : {"src/a.png", "src/a.gif", "src/notes.txt", "src/e.png",
                                 "target/e.png", "src/gone.png", "src/z.png", "src/z.png"})
            paths.append(f.resolve(QString::fromLatin1(name)));

        QList<qsizetype> doneOrder;
        QList<ConversionResult> told;
        const QList<ConversionResult> results = convert_list(
            paths, kind, {f.target, false, true}, [](const QString& p) { return !p.endsWith(QLatin1String(".txt")); },
            [&](qsizetype index, const ConversionResult& r) {
                QVERIFY(QThread::currentThread() == qApp->thread());
                // Told once its record is in the file.
                if (r.outcome == ConversionResult::Made && kind == ConversionKind::Thumbnail)
                    QCOMPARE(recordOf(paths.at(index)), r.output);
                doneOrder.append(index);
                told.append(r);
            });

        QCOMPARE(results.size(), paths.size());
        QList<int> got;
        QList<qsizetype> wantedIndexes;
        for (qsizetype i = 0; i < results.size(); ++i) {
            got.append(results.at(i).outcome);
            if (results.at(i).outcome != ConversionResult::Skipped) {
                wantedIndexes.append(i);
                QCOMPARE(told.at(wantedIndexes.size() - 1).output, results.at(i).output);
            }
        }
        QCOMPARE(got, outcomes);
        QCOMPARE(doneOrder, wantedIndexes);

        QStringList expectedKeys;
        for (const QString& name : recorded)
            expectedKeys.append(f.resolve(name));
        platform::resetProfiles();
        QCOMPARE(settingsFile().keys(QStringLiteral("Thumbnails (vi)")), expectedKeys);

        const QString shared = results.at(0).output;
        QCOMPARE(results.at(1).output, shared);
        const QImage made(shared);
        QVERIFY(!made.isNull());
        const QColor centre = made.pixelColor(made.width() / 2, made.height() / 2);
        QVERIFY2(qAbs(centre.red() - sharedColour.red()) < 8 && qAbs(centre.blue() - sharedColour.blue()) < 8,
                 qPrintable(centre.name()));
        QCOMPARE(QImageReader(f.target + QStringLiteral("/e.png")).size(), targetE);
    }
};

QTEST_MAIN(TestImageConversion)
#include "tst_imageconversion.moc"
