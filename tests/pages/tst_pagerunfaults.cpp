#include "pages/createhtml.h"
#include "pages/quickpage.h"
#include "slides/slideshow.h"

#include "pagekit/pagerun.h"

#include "settings/program.h"
#include "settings/startup.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/profilefile.h"

#include "testpictures.h"
#include "filesizelimit.h"
#include "pagerunfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <thread>

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
        useThumbnails();
        Settings& s = settings();
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

    // A folder in the output folder takes the sixth picture's copy name: the
    // failure is told once, after the last worker stopped, and no job starts
    // after it: the copies of the first five and of the jobs then in hand are
    // all that is written (twice the workers leaves room for one slow to report).
    void aFailedCopyLeavesOnlyTheJobsInHand()
    {
        Run run;
        settings().auto_start_browser = false;
        const int photos = 80;
        for (int i = 0; i < photos; ++i)
            run.picture(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), 640, 480);
        QVERIFY(QDir(run.tp.folder()).mkpath(QStringLiteral("web/p05.jpg")));
        run.tp.ui.expectMessage(std::nullopt);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        const QString told = run.tp.ui.asked().value(0).text;
        QVERIFY2(told.startsWith(QStringLiteral("The picture %1 could not be copied to %2: ")
                                     .arg(run.tp.path("pics/p05.jpg"), run.web(QStringLiteral("p05.jpg")))),
                 qPrintable(told));
        const QStringList copies = QDir(run.web(QString())).entryList({QStringLiteral("p??.jpg")}, QDir::Files);
        const qsizetype workers = std::min<qsizetype>(std::max(1u, std::thread::hardware_concurrency()), photos);
        QVERIFY2(copies.size() <= 5 + 2 * workers, qPrintable(copies.join(u' ')));
        QVERIFY(!QFileInfo::exists(run.web(QStringLiteral("mosaik.htm"))));
        QVERIFY(!run.toldSuccess());
        QCOMPARE(run.window.calls.last(), QStringLiteral("status ") + told);
    }

    // The user closes the window while the pictures are made: the work in hand
    // finishes and no more starts; no prompt and no message is shown, no page
    // is written, and every thumbnail made is recorded.
    void leavingTheWindowStopsTheRun_data()
    {
        QTest::addColumn<QString>("toolbarKey");
        QTest::addRow("the advanced page") << "advhtml";
        QTest::addRow("the vertically aligned page") << "full_image";
        QTest::addRow("the slide show") << "slideshow";
    }
    void leavingTheWindowStopsTheRun()
    {
        QFETCH(QString, toolbarKey);
        Run run;
        run.toolbarKey = toolbarKey;
        settings().auto_start_browser = false;
        const int photos = 60;
        for (int i = 0; i < photos; ++i)
            run.picture(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), 640, 480);
        // Asked, the prompt would show.
        run.started().prompt().o_use_default_values.value = false;
        // The window's close arrives with the first events the run lets through.
        platform::setDoEventsHook([&] { run.started().leave(); });
        if (toolbarKey == QLatin1String("slideshow"))
            go_create_slideshow(run.started());
        else
            go_create_html(run.started());
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.tp.ui.asked().isEmpty());
        QCOMPARE(QDir(run.web(QString())).entryList({QStringLiteral("*.htm")}, QDir::Files), QStringList());
        QVERIFY(!run.toldSuccess());
        const QStringList copies = QDir(run.web(QString())).entryList({QStringLiteral("p??.jpg")}, QDir::Files);
        QVERIFY2(copies.size() < photos, qPrintable(QString::number(copies.size())));
        const QStringList thumbnails =
            QDir(run.web(QString())).entryList({QStringLiteral("*_tn.jpg")}, QDir::Files);
        platform::ProfileFile& records = settingsFile();
        for (const QString& name : thumbnails)
            QCOMPARE(records.get(QStringLiteral("Thumbnails (ir)"), run.web(name.left(3) + QStringLiteral(".jpg"))),
                     run.web(name));
        if (toolbarKey != QLatin1String("slideshow"))
            QVERIFY(!thumbnails.isEmpty());
        QVERIFY(run.tp.settingsText().contains(QStringLiteral("[Thumbnails (ir)]")) == !thumbnails.isEmpty());
    }

    // Thumbnail settings changed while a run makes its thumbnails reach none
    // of them: the workers make every one by the settings the run started with.
    void aRunKeepsTheThumbnailSettingsItStartedWith()
    {
        Run run;
        settings().auto_start_browser = false;
        const int photos = 40;
        // Names of one length: the same noise, so the same thumbnail.
        for (int i = 0; i < photos; ++i)
            noisyPhoto(run, QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), 400, 300);
        platform::setDoEventsHook([] {
            settings().thumb_quality = QStringLiteral("5");
            settings().thumb_smoothing = QStringLiteral("100");
        });
        go_create_html(run.started());
        platform::setDoEventsHook({});
        VERIFY_DIALOGS(run.tp);
        const QImage first(run.web(QStringLiteral("p00_tn.jpg")));
        QCOMPARE(first.size(), QSize(104, 78));
        for (int i = 1; i < photos; ++i) {
            const QString name = QStringLiteral("p%1_tn.jpg").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY2(QImage(run.web(name)) == first, qPrintable(name));
        }
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

    // Names of 255 bytes, the most the file system holds, leave no room for
    // "_tn" or "_2": two that differ only at their end, and one of them listed
    // again from another folder, get six names that fit, and the page links them.
    void namesOf255BytesGetShorterNamesThatStayApart()
    {
        Run run;
        settings().auto_start_browser = false;
        const QString one = QString(250, u'a') + "1.jpg";
        run.picture(one, 300, 150);
        run.picture(QString(250, u'a') + "2.jpg", 300, 150);
        QDir(run.tp.folder()).mkpath(QStringLiteral("more"));
        QVERIFY(QFile::copy(run.tp.path("pics/" + one), run.tp.path("more/" + one)));
        run.listed(run.tp.path("more/" + one));
        run.picture(QStringLiteral("dog.jpg"), 300, 150);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.toldSuccess());
        QStringList pictures = QDir(run.web(QString())).entryList({QStringLiteral("*.jpg")}, QDir::Files);
        QCOMPARE(pictures.size(), 8);
        int thumbnails = 0;
        for (const QString& name : pictures) {
            QVERIFY2(name.toUtf8().size() <= 255, qPrintable(name));
            if (QImage(run.web(name)).size() == QSize(104, 52))
                ++thumbnails;
        }
        QCOMPARE(thumbnails, 4);
        const PageRunFixture::WebAddresses addresses = run.webAddresses();
        QCOMPARE(addresses.broken, QStringList());
        // Each copy as a link, each thumbnail as its image.
        QCOMPARE(addresses.count, 8);
        const QByteArray page = run.tp.read("web/mosaik.htm");
        for (const QString& name : pictures)
            QVERIFY2(page.contains("\"" + name.toUtf8() + "\""), qPrintable(name));
    }

    void damagedPicturesAreToldOnce_data()
    {
        QTest::addColumn<QString>("toolbarKey");
        QTest::addColumn<QString>("page"); // the page that links every picture; empty: none
        QTest::addRow("the advanced page") << "advhtml" << "mosaik.htm";
        QTest::addRow("the vertically aligned page") << "vhtml" << "mosaik.htm";
        QTest::addRow("the simple page, which decodes nothing") << "simple" << "mosaik.htm";
        QTest::addRow("the slide show") << "slideshow" << "";
    }

    // An empty, a cut-short, a mislabelled picture, one stating more pixels
    // than its data can fill and text named as a picture are published as
    // the page has them, and one message at the end names each by the user's
    // path, with its reason, in the same words whether the page decodes or not.
    void damagedPicturesAreToldOnce()
    {
        QFETCH(QString, toolbarKey);
        QFETCH(QString, page);
        Run run;
        run.toolbarKey = toolbarKey;
        settings().auto_start_browser = false;
        settings().use_frames = false;
        QDir(run.tp.folder()).mkpath(QStringLiteral("web"));
        run.picture(QStringLiteral("good.jpg"), 300, 150);
        run.file(QStringLiteral("empty.jpg"), QByteArray());
        run.file(QStringLiteral("cut.jpg"), cutShortJpeg());
        run.file(QStringLiteral("huge.jpg"), hugeStatedJpeg());
        QImage png(50, 40, QImage::Format_RGB32);
        png.fill(Qt::green);
        png.save(run.tp.path("pics/png.jpg"), "PNG");
        run.listed(run.tp.path("pics/png.jpg"));
        run.file(QStringLiteral("text.jpg"), "not a picture");
        run.tp.ui.expectMessage(std::nullopt);
        if (toolbarKey == QLatin1String("slideshow"))
            go_create_slideshow(run.started());
        else if (toolbarKey == QLatin1String("simple"))
            go_create_simple_html(run.started());
        else
            go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QStringList lines = run.tp.ui.asked().first().text.split(u'\n');
        QCOMPARE(lines.value(0), QStringLiteral("These pictures could not be read:"));
        lines.removeFirst();
        lines.sort();
        const QString pics = run.tp.path("pics/");
        // The run's copies are the program's business: the user's files are named.
        QCOMPARE(lines,
                 (QStringList{
                     pics + QStringLiteral("cut.jpg: damaged: the picture is cut short"),
                     pics + QStringLiteral("empty.jpg: the file is empty"),
                     pics + QStringLiteral("huge.jpg: damaged: its data cannot fill the 60000 x "
                                           "60000 pixels it states"),
                     pics + QStringLiteral("png.jpg: its contents are not a JPEG picture"),
                     pics + QStringLiteral("text.jpg: its contents are not a picture")}));
        if (!page.isEmpty()) {
            const QByteArray written = run.tp.read(QStringLiteral("web/") + page);
            for (const char* name :
                 {"good.jpg", "empty.jpg", "cut.jpg", "huge.jpg", "png.jpg", "text.jpg"})
                QVERIFY2(written.contains(QByteArray(name) + "\""), name);
        }
        QVERIFY(run.window.calls.contains(
            QStringLiteral("status The picture ") + pics +
            QStringLiteral("cut.jpg could not be read: damaged: the picture is cut short")));
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
        // The temporary folder's removal goes by names it can decode, and skips this one.
        const auto removeRaw = qScopeGuard([&raw] { ::unlink(raw.constData()); });
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

    // The window's thread makes no thumbnail: while the workers make them it
    // keeps handling events, and the status line tells each image as it lands.
    void theWindowAnswersWhileThumbnailsAreMade()
    {
        Run run;
        settings().auto_start_browser = false;
        settings().create_batch_files = false;
        const int photos = 300;
        for (int i = 0; i < photos; ++i)
            run.picture(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), 160, 120);
        const QString telling = QStringLiteral("status Processing thumbnail for ");
        // A timer of the window's thread notes, each time it fires, how many
        // images the status line has told and how many thumbnails are made.
        int toldMidway = 0;
        QTimer timer;
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
            const qsizetype told = run.window.calls.filter(telling).size();
            const qsizetype made =
                QDir(run.web(QString())).entryList({QStringLiteral("*_tn.jpg")}).size();
            if (told >= 1 && made < photos)
                ++toldMidway;
        });
        timer.start();
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);

        QVERIFY2(toldMidway > 0,
                 "the window was not let answer between the first thumbnail and the last");
        const QStringList told = run.window.calls.filter(telling);
        QCOMPARE(told.size(), photos);
        QCOMPARE(told.first(), telling + run.lists.items.first());
        QCOMPARE(told.last(), telling + run.lists.items.last());
        QCOMPARE(QDir(run.web(QString())).entryList({QStringLiteral("*_tn.jpg")}).size(), photos);
        QVERIFY(run.toldSuccess());
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

    // A banner typed as an address reaches every page as typed, escaped for
    // HTML only; a banner file's name is percent-encoded. Its link goes in as
    // typed, unless it holds a character that would break the page.
    void bannersReachEveryPage_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("linkLine");
        const QString address = QStringLiteral("http://example.com/top.gif");
        const QString addressLine = QStringLiteral("<img src=\"http://example.com/top.gif\" >");
        QTest::addRow("an address on the advanced page and its full-size pages")
            << "advhtml" << address << addressLine << 3 << "" << "";
        QTest::addRow("an address on the vertically aligned page")
            << "vhtml" << address << addressLine << 1 << "" << "";
        QTest::addRow("an address keeps its case and its query, with & escaped")
            << "advhtml" << "HTTPS://Example.com/b.gif?a=1&b=2"
            << "<img src=\"HTTPS://Example.com/b.gif?a=1&amp;b=2\" >" << 3 << "" << "";
        QTest::addRow("a banner file with an odd name")
            << "vhtml" << "top banner #1&2.gif" << "<img src=\"top%20banner%20%231%262.gif\" >" << 1 << ""
            << "";
        QTest::addRow("a link goes in as typed, & and all")
            << "advhtml" << address << addressLine << 3 << "http://example.org/?a=1&b=2"
            << "<a href=\"http://example.org/?a=1&b=2\" >";
        QTest::addRow("a link address holding a quote, < or > is escaped for HTML")
            << "vhtml" << address << addressLine << 1 << "http://example.org/?q=\"a\"<b>&c=1"
            << "<a href=\"http://example.org/?q=&quot;a&quot;&lt;b&gt;&amp;c=1\" >";
        QTest::addRow("a linked page's name holding a quote is percent-encoded")
            << "advhtml" << address << addressLine << 3 << "my \"best\".htm"
            << "<a href=\"my%20%22best%22.htm\" >";
    }
    void bannersReachEveryPage()
    {
        QFETCH(QString, key);
        QFETCH(QString, banner);
        QFETCH(QString, line);
        QFETCH(int, pages);
        QFETCH(QString, link);
        QFETCH(QString, linkLine);
        Run run;
        settings().auto_start_browser = false;
        settings().full_img_with_options = true;
        settings().top_banner_link = link;
        settings().bottom_banner_link = link;
        run.toolbarKey = key;
        run.preparePrompt = [&](PagePrompt& p) {
            p.top_banner_ref = banner;
            p.bottom_banner_ref = banner;
        };
        run.picture(QStringLiteral("a.jpg"), 300, 150);
        run.picture(QStringLiteral("b.jpg"), 40, 20);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        const QStringList written = QDir(run.tp.path("web")).entryList({QStringLiteral("*.htm")});
        QCOMPARE(written.size(), pages);
        for (const QString& name : written) {
            const QString page = QString::fromUtf8(run.tp.read(QStringLiteral("web/") + name));
            const QString block =
                linkLine.isEmpty() ? QStringLiteral("<center>\r\n%1\r\n</center>\r\n").arg(line)
                                   : QStringLiteral("<center>\r\n%1\r\n%2\r\n</a>\r\n</center>\r\n")
                                         .arg(linkLine, line);
            QVERIFY2(page.count(block) == 2, qPrintable(name + u'\n' + page));
        }
    }

    // The run's records (copies' texts and titles, thumbnails made and used
    // up) reach the settings file in one write at the end of the run. A lock
    // another program holds keeps them in memory for the next write: it is
    // told once, and the page, written whole, is still told made.
    void theSettingsFileIsWrittenOnceARun_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addRow("a free settings file") << false;
        QTest::addRow("a settings file locked by another program") << true;
    }
    void theSettingsFileIsWrittenOnceARun()
    {
        QFETCH(bool, locked);
        Run run;
        init_application(); // which has the lock told
        settings().auto_start_browser = false;
        run.picture(QStringLiteral("a.jpg"), 300, 150);
        run.picture(QStringLiteral("b.jpg"), 150, 300);
        platform::ProfileFile& ini = settingsFile();
        const int before = ini.diskUse().writes;
        const auto wait = platform::ProfileFile::lockWait();
        const auto restore = qScopeGuard([wait] { platform::ProfileFile::setLockWait(wait); });
        platform::ProfileFile::setLockWait(std::chrono::milliseconds(50));
        std::optional<platform::FileLock> other;
        if (locked) {
            other.emplace();
            QVERIFY(other->lock(ini.path()));
            QTest::ignoreMessage(QtWarningMsg, QStringLiteral("Cannot save %1: It is locked by another program.")
                                                   .arg(ini.path())
                                                   .toUtf8()
                                                   .constData());
            run.tp.ui.expectMessage(QStringLiteral("The settings file %1 is locked by another program. Your "
                                                   "settings are kept and will be saved with the next change.")
                                        .arg(ini.path()));
        }
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.window.calls.last(),
                 QStringLiteral("status The HTML document %1 has been created.").arg(run.web("mosaik.htm")));
        if (locked) {
            QCOMPARE(run.tp.read("mosaik.ini"), QByteArray());
            other.reset();
            QVERIFY(ini.flush());
        }
        QCOMPARE(ini.diskUse().writes - before, 1);
        QVERIFY(run.tp.settingsText().contains(QStringLiteral("[Thumbnails (ir)]")));
    }
};


QTEST_MAIN(TestPageRunFaults)
#include "tst_pagerunfaults.moc"
