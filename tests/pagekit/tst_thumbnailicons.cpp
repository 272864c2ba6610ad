#include "pagekit/thumbnails.h"
#include "settings/program.h"
#include "settings/thumbnailrecords.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace mosaicon;

class TestThumbnailIcons : public QObject
{
    Q_OBJECT

private slots:
    void thumbnailLookupUsesUpPageRecords()
    {
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        tp.write("cat_tn.jpg", "ir");
        tp.write("tn_cat.jpg", "vi");
        const QString image = tp.path("cat.gif");
        auto& ini = settingsFile();
        ini.put(QStringLiteral("Thumbnails (ir)"), image, tp.path("cat_tn.jpg"));
        ini.put(QStringLiteral("Thumbnails (vi)"), image, tp.path("tn_cat.jpg"));

        QCOMPARE(find_thumbnail(image), tp.path("cat_tn.jpg"));
        QCOMPARE(find_thumbnail(image), tp.path("tn_cat.jpg"));
        QVERIFY(ini.contains(QStringLiteral("Thumbnails (vi)"), image));

        QFile::remove(tp.path("tn_cat.jpg"));
        QCOMPARE(find_thumbnail(image), QString());
    }

    void thumbnailIconOfAMovie()
    {
        TestProgram tp;
        Program& p = program();
        p.ini_file_path = tp.path("mosaik.ini");
        QDir(tp.folder()).mkdir(QStringLiteral("web"));
        tp.write("Avi.gif", "icon");
        settingsFile().put(QStringLiteral("Thumbnail Icons"), QStringLiteral("avi"),
                           tp.path("Avi.gif"));

        const std::optional<QString> icon = get_thumbnail_icon(tp.path("movie.avi"), tp.path("web"));
        QVERIFY(icon);
        QCOMPARE(*icon, tp.path("Avi.gif"));
        QVERIFY(QFileInfo::exists(tp.path("web/Avi.gif")));
    }

    void thumbnailIconMissingMarksThePlaceholder()
    {
        TestProgram tp;
        Program& p = program();
        p.ini_file_path = tp.path("mosaik.ini");
        tp.write("qmark.gif", "?");
        auto& ini = settingsFile();
        ini.put(QStringLiteral("Thumbnail Icons"), QStringLiteral("other"), tp.path("qmark.gif"));

        const std::optional<QString> icon = get_thumbnail_icon(tp.path("song.wav"), QString());
        QVERIFY(icon);
        QCOMPARE(*icon, tp.path("qmark.gif"));
        QCOMPARE(ini.get(QStringLiteral("Thumbnail Icons"), QStringLiteral("wav")),
                 QStringLiteral("{no icon file name defined}"));

        QFile::remove(tp.path("qmark.gif"));
        QCOMPARE(get_thumbnail_icon(tp.path("song.wav"), QString()), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestThumbnailIcons)
#include "tst_thumbnailicons.moc"
