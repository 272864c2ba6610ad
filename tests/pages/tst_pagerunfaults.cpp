#include "pages/createhtml.h"

#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "filesizelimit.h"
#include "pagerunfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace mosaicon;

namespace {

// A noisy photo, so its JPEG is large enough to fill a small file system.
QString noisyPhoto(PageRunFixture& run, const QString& name, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(quint32(name.size() * 7919));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, rng.generate());
    const QString path = run.tp.path(QStringLiteral("pics/") + name);
    img.save(path, "JPEG", 95);
    return run.listed(path);
}

struct Run : PageRunFixture
{
    Run()
    {
        Settings& s = settings();
        s.thumb_size = QStringLiteral("100");
        s.thumb_quality = QStringLiteral("75");
        s.use_thumbnail = true;
        s.image_count = QStringLiteral("3");
        s.create_batch_files = true;
        s.auto_start_browser = true;
    }
    QString web(const QString& name) const { return tp.path(QStringLiteral("web/") + name); }
    // The copy script the run left beside its page.
    QByteArray copyScript() const
    {
        const QStringList found = QDir(tp.path("web")).entryList({QStringLiteral("cpy*.sh")});
        return found.size() == 1 ? tp.read(QStringLiteral("web/") + found.first()) : QByteArray();
    }
    bool toldSuccess() const { return !window.calls.filter(QStringLiteral("has been created")).isEmpty(); }
};

} // namespace

class TestPageRunFaults : public QObject
{
    Q_OBJECT

private slots:
    // A file that cannot be written stops the run with one message naming it
    // and the reason; nothing claims success and the browser stays closed.
    void fullDiskStopsTheRunOnce_data()
    {
        QTest::addColumn<bool>("tmpfs");
        QTest::addRow("a write cut short by a file size limit") << false;
        QTest::addRow("a small file system that fills up") << true;
    }
    void fullDiskStopsTheRunOnce()
    {
        QFETCH(bool, tmpfs);
        Run run;
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
            noisyPhoto(run, QString::fromLatin1(name), 240, 180);
        QDir(run.tp.folder()).mkdir(QStringLiteral("web"));
        QString reason = QStringLiteral("File too large");
        std::unique_ptr<FileSizeLimit> limit;
        if (tmpfs) {
            if (::geteuid() != 0)
                QSKIP("mounting a small file system needs root");
            if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=96k", "tmpfs", run.web(QString())}) != 0)
                QSKIP("tmpfs could not be mounted here");
            reason = QStringLiteral("No space left on device");
        } else {
            limit = std::make_unique<FileSizeLimit>(20000);
        }
        run.tp.ui.expectMessage(std::nullopt);
        go_create_html(run.started());
        limit.reset();
        const QString told = run.tp.ui.asked().value(0).text;
        if (tmpfs)
            QProcess::execute(QStringLiteral("umount"), {run.web(QString())});
        VERIFY_DIALOGS(run.tp);
        QVERIFY2(told.contains(run.web(QString())) && told.endsWith(reason), qPrintable(told));
        QVERIFY(!run.toldSuccess());
        QCOMPARE(run.window.calls.last(), QStringLiteral("status ") + told);
        QVERIFY(run.tp.shell.opened.isEmpty());
        QVERIFY(run.started().failed());
    }

    // Two different photos, "dog.jpg" and "dog_tn.jpg": the thumbnail of the
    // first takes another name, and the second's copy keeps its own bytes.
    void aThumbnailNeverLandsOnACopy()
    {
        Run run;
        settings().auto_start_browser = false;
        run.picture(QStringLiteral("dog.jpg"), 300, 150);
        noisyPhoto(run, QStringLiteral("dog_tn.jpg"), 200, 100);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.read("web/dog_tn.jpg"), run.tp.read("pics/dog_tn.jpg"));
        QCOMPARE(QImage(run.web(QStringLiteral("dog_tn_2.jpg"))).size(), QSize(104, 52));
        const QByteArray page = run.tp.read("web/mosaik.htm");
        QVERIFY(page.contains("<img src=\"dog_tn_2.jpg\""));
        QVERIFY(page.contains("<A HREF=\"dog_tn.jpg\"><img src=\"dog_tn.jpg\""));
    }

    // A photo's name of 255 bytes, the most the file system holds, leaves no
    // room for "_tn": its thumbnail takes a shorter name and the run goes on.
    void aNameOf255BytesGetsAShorterThumbnailName()
    {
        Run run;
        settings().auto_start_browser = false;
        run.picture(QString(251, u'a') + ".jpg", 300, 150);
        run.picture(QStringLiteral("dog.jpg"), 300, 150);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.toldSuccess());
        const QString shorter = QString(248, u'a') + "_tn.jpg";
        QCOMPARE(QImage(run.web(shorter)).size(), QSize(104, 52));
        QCOMPARE(QImage(run.web(QStringLiteral("dog_tn.jpg"))).size(), QSize(104, 52));
        const QByteArray page = run.tp.read("web/mosaik.htm");
        QVERIFY(page.contains("<img src=\"" + shorter.toUtf8() + "\""));
        QVERIFY(page.contains("<img src=\"dog_tn.jpg\""));
    }

    // An empty, a cut-short and a mislabelled picture are published as the
    // page has them, and one message at the end names each with its reason.
    void damagedPicturesAreToldOnce()
    {
        Run run;
        settings().auto_start_browser = false;
        run.picture(QStringLiteral("good.jpg"), 300, 150);
        run.file(QStringLiteral("empty.jpg"), QByteArray());
        const QByteArray whole = [&] {
            noisyPhoto(run, QStringLiteral("whole.jpg"), 120, 90);
            run.lists.items.removeLast();
            run.lists.selected.removeLast();
            return run.tp.read("pics/whole.jpg");
        }();
        run.file(QStringLiteral("cut.jpg"), whole.left(whole.size() / 2));
        QImage png(50, 40, QImage::Format_RGB32);
        png.fill(Qt::green);
        png.save(run.tp.path("pics/png.jpg"), "PNG");
        run.listed(run.tp.path("pics/png.jpg"));
        run.tp.ui.expectMessage(std::nullopt);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        const QStringList lines = run.tp.ui.asked().first().text.split(u'\n');
        QCOMPARE(lines.value(0), QStringLiteral("These pictures could not be read:"));
        QCOMPARE(lines.size(), 4);
        QVERIFY2(lines[1].startsWith(run.tp.path("pics/empty.jpg") + QStringLiteral(": ")), qPrintable(lines[1]));
        QCOMPARE(lines[2], run.tp.path("pics/cut.jpg") + QStringLiteral(": the picture is cut short"));
        QCOMPARE(lines[3], run.tp.path("pics/png.jpg") + QStringLiteral(": its contents are not a JPEG picture"));
        const QByteArray page = run.tp.read("web/mosaik.htm");
        for (const char* name : {"good.jpg", "empty.jpg", "cut.jpg", "png.jpg"})
            QVERIFY2(page.contains(QByteArray("<A HREF=\"") + name), name);
        QVERIFY(run.window.calls.contains(QStringLiteral("status The picture ") + run.tp.path("pics/cut.jpg") +
                                          QStringLiteral(" could not be read: the picture is cut short")));
    }

    // A name whose bytes are not UTF-8 would be written back as another
    // name: it is left out of the run, with a message.
    void aNameThatIsNotUtf8IsLeftOut()
    {
        Run run;
        settings().auto_start_browser = false;
        run.picture(QStringLiteral("a.jpg"), 40, 20);
        const QByteArray raw = QFile::encodeName(run.tp.path("pics")) + "/b\xff.jpg";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        const QString decoded = QFile::decodeName(raw);
        run.listed(decoded);
        run.tp.ui.expectMessage(std::nullopt);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.ui.asked().first().text.endsWith(u'\n' + decoded));
        QCOMPARE(run.templist, QStringList{run.web(QStringLiteral("a.jpg"))});
        const QByteArray script = run.copyScript();
        QVERIFY(script.contains("/a.jpg'"));
        QVERIFY(!script.contains("/b\xff.jpg") && !script.contains("/b\xef\xbf\xbd.jpg"));
        QVERIFY(!run.tp.read("web/mosaik.htm").contains("b%EF%BF%BD"));
    }

    // The copy script lists every file the page links to in the internet
    // directory: the pictures and their thumbnails, in either page.
    void theCopyScriptListsWhatThePageLinks_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("table");
        QTest::addRow("advanced page, list layout") << "advhtml" << false;
        QTest::addRow("advanced page, table layout") << "advhtml" << true;
        QTest::addRow("vertically aligned page") << "full_image" << false;
    }
    void theCopyScriptListsWhatThePageLinks()
    {
        QFETCH(QString, key);
        QFETCH(bool, table);
        Run run;
        settings().auto_start_browser = false;
        settings().file_names = table;
        settings().full_img_with_options = false;
        run.toolbarKey = key;
        run.picture(QStringLiteral("big one.jpg"), 300, 150);
        run.picture(QStringLiteral("small.jpg"), 40, 20);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        const QByteArray script = run.copyScript();
        for (const char* name : {"mosaik.htm", "big one.jpg", "big one_tn.jpg", "small.jpg"}) {
            const QByteArray line = "cp -- '" + QFile::encodeName(run.web(QString::fromLatin1(name))) + "' \"${1:?}\"/\n";
            QCOMPARE(script.count(line), 1);
        }
    }

    // The run's records (copies' texts and titles, thumbnails made and used
    // up) reach the settings file in one write at the end of the run.
    void theSettingsFileIsWrittenOnceARun()
    {
        Run run;
        settings().auto_start_browser = false;
        run.picture(QStringLiteral("a.jpg"), 300, 150);
        run.picture(QStringLiteral("b.jpg"), 150, 300);
        platform::ProfileFile& ini = settingsFile();
        const int before = ini.diskUse().writes;
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(ini.diskUse().writes - before, 1);
        QVERIFY(run.tp.settingsText().contains(QStringLiteral("[Thumbnails (ir)]")));
    }
};


QTEST_MAIN(TestPageRunFaults)
#include "tst_pagerunfaults.moc"
