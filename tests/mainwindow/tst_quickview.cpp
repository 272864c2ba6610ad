#include "mainwindow/mainform.h"
#include "mainwindow/quickview.h"

#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

#include "fakemainform.h"
#include "listentries.h"
#include "testpictures.h"
#include "testprogram.h"
#include "windowsleft.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace mosaicon;

namespace {

const QString noImages = QStringLiteral("There are no GIF or JPG files in the list.");

// The image lines of a page, in order.
QStringList imageLines(const QByteArray& page)
{
    QStringList lines;
    for (const QString& line : QString::fromUtf8(page).split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1String("<img")))
            lines.append(line);
    }
    return lines;
}

QString imageLine(const QString& path)
{
    return QStringLiteral("<img src=\"%1\">")
        .arg(QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded()));
}

} // namespace

class TestQuickView : public QObject
{
    Q_OBJECT

    // A quick page run's surroundings: a folder "pics" saved as the last
    // directory, the page prompt answered by its defaults.
    struct Run
    {
        TestProgram tp;
        FakeMainForm window;
        QStringList templist;
        QStringList sources;
        std::unique_ptr<PageRun> pageRun;
        explicit Run(const QStringList& pictures = {})
        {
            Program& p = program();
            p.ini_file_path = tp.path("mosaik.ini");
            p.product_title = QStringLiteral("Mosaicon Pro v4.00");
            platform::setMainFormView(&window);
            p.settings.internet_dir = tp.path("web");
            p.settings.last_directory = tp.path("pics");
            setDefaultPageColours();
            QDir(tp.folder()).mkpath(QStringLiteral("pics"));
            QDir(tp.folder()).mkpath(QStringLiteral("web"));
            for (const QString& name : pictures)
                tp.write(QStringLiteral("pics/") + name, pictureBytes(name));
        }
        ~Run()
        {
            frm_quickview.unload();
            platform::setMainFormView(nullptr);
        }
        // The window as the toolbar opens it, over a run whose prompt is
        // answered by its defaults.
        QuickView* open()
        {
            PageLists lists;
            lists.templist = &templist;
            lists.o_original_location = &sources;
            pageRun = start_page_run(lists, QStringLiteral("quickhtml"));
            pageRun->prompt().o_use_default_values.value = true;
            QuickView* view = frm_quickview.load();
            view->setRun(pageRun.get());
            return view;
        }
        QStringList pics(const QStringList& names) const
        {
            QStringList paths;
            for (const QString& n : names)
                paths.append(tp.path(QStringLiteral("pics/") + n));
            return paths;
        }
    };

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void savedPatternChoosesWhatShowsButOnlyGifAndJpegAreTaken_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("taken");
        const QStringList all{"a.gif", "b.jpg", "C.GIF", "d.bmp", "notes"};
        const QStringList images{"a.gif", "b.jpg", "C.GIF"};
        QTest::addRow("a GIF pattern shows GIF files of any case")
            << "*.gif" << 1 << QStringList{"a.gif", "C.GIF"} << QStringList{"a.gif", "C.GIF"};
        QTest::addRow("a JPEG pattern shows JPEG files")
            << "*.jpg" << 2 << QStringList{"b.jpg"} << QStringList{"b.jpg"};
        QTest::addRow("a pattern not offered selects none and shows all")
            << "*.bmp" << -1 << all << images;
        QTest::addRow("the saved pattern is matched with its case")
            << "*.GIF" << -1 << all << images;
        QTest::addRow("no saved pattern shows all") << "" << -1 << all << images;
    }
    void savedPatternChoosesWhatShowsButOnlyGifAndJpegAreTaken()
    {
        QFETCH(QString, saved);
        QFETCH(int, index);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, taken);
        Run run({"a.gif", "b.jpg", "C.GIF", "d.bmp", "notes"});
        settings().last_image_type = saved;
        QuickView* view = run.open();
        QCOMPARE(view->filefilter()->currentIndex(), index);
        QCOMPARE(listEntries(view->filelist()), shown);
        QCOMPARE(view->source()->title(), QStringLiteral("Source (%1)").arg(shown.size()));

        view->createHtml();
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.templist, run.pics(taken));
        QCOMPARE(run.sources, run.templist);
    }

    void aFolderWithoutGifOrJpegSaysSoAndCloses_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addRow("an empty folder") << QStringList{};
        QTest::addRow("only BMP and TIFF files") << QStringList{"a.bmp", "b.BMP", "scan.tif"};
    }
    void aFolderWithoutGifOrJpegSaysSoAndCloses()
    {
        QFETCH(QStringList, names);
        Run run(names);
        QuickView* view = run.open();
        QCOMPARE(view->source()->title(), QStringLiteral("Source (%1)").arg(names.size()));
        view->show();
        run.tp.ui.expectMessage(noImages);
        view->createHtml();
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.tp.ui.asked().first().style, 48);
        QCOMPARE(run.tp.ui.asked().first().title, QStringLiteral("Mosaicon Pro v4.00"));
        QCOMPARE(run.window.calls.last(), QStringLiteral("status ") + noImages);
        QVERIFY(!view->isVisible());
        QVERIFY(QDir(run.tp.path("web")).isEmpty());
    }

    void onlyCancelRemembersTheDriveAndDirectory_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("remembers");
        QTest::addRow("Cancel") << "Cancel" << true;
        QTest::addRow("Create HTML") << "Create HTML" << false;
        QTest::addRow("the frame's close") << "close" << false;
    }
    void onlyCancelRemembersTheDriveAndDirectory()
    {
        QFETCH(QString, ending);
        QFETCH(bool, remembers);
        Run run({"a.gif"});
        QDir(run.tp.folder()).mkpath(QStringLiteral("other"));
        run.tp.write("other/b.jpg", pictureBytes("b.jpg"));
        settings().last_drive = QStringLiteral("/");
        QuickView* view = run.open();
        QVERIFY(view->keep_processing);
        // The program folder as a volume of its own, so the drive is no guess.
        view->filedrive()->setVolumes({QStringLiteral("/"), run.tp.folder()});
        QVERIFY(view->filedir()->setPath(run.tp.path("other")));
        QCOMPARE(view->filedrive()->drive(), run.tp.folder());
        // Each ending must also end a real modal display.
        if (ending == u"Cancel")
            QTimer::singleShot(0, view->Command12(), &QPushButton::click);
        else if (ending == u"Create HTML")
            QTimer::singleShot(0, view->Command3d2(), &QPushButton::click);
        else
            QTimer::singleShot(0, view, &QWidget::close);
        view->exec();
        VERIFY_DIALOGS(run.tp);
        QVERIFY(!view->isVisible());
        QCOMPARE(QFileInfo::exists(run.tp.path("web/mosaik.htm")), ending == u"Create HTML");
        QCOMPARE(settings().last_drive.text(), remembers ? run.tp.folder() : QStringLiteral("/"));
        QCOMPARE(settings().last_directory.text(),
                 remembers ? run.tp.path("other") : run.tp.path("pics"));
        QCOMPARE(view->keep_processing, !remembers);

        // The next opening starts from what was remembered, not from the folder just used.
        frm_quickview.unload();
        QCOMPARE(run.open()->filedir()->path(),
                 remembers ? run.tp.path("other") : run.tp.path("pics"));
    }

    void aSavedDirectoryThatIsGoneIsForgotten_data()
    {
        QTest::addColumn<bool>("asFile");
        QTest::addRow("a directory that no longer exists") << false;
        QTest::addRow("a name that is now a file") << true;
    }
    void aSavedDirectoryThatIsGoneIsForgotten()
    {
        QFETCH(bool, asFile);
        Run run({"a.gif", "b.bmp"});
        if (asFile)
            run.tp.write("gone", "x");
        settings().last_directory = run.tp.path("gone");
        settings().last_image_type = QStringLiteral("*.gif");
        QuickView* view = run.open();
        VERIFY_DIALOGS(run.tp);
        QVERIFY(settings().last_directory.isSet());
        QCOMPARE(settings().last_directory.text(), QString());
        QCOMPARE(view->filefilter()->currentText(), QStringLiteral("*.gif"));
        QCOMPARE(view->files().path(), view->filedir()->path());
        QCOMPARE(view->source()->title(),
                 QStringLiteral("Source (%1)").arg(view->filelist()->count()));
    }

    void choosingADriveMovesBothLists()
    {
        Run run({"a.gif"});
        QDir(run.tp.folder()).mkpath(QStringLiteral("vol"));
        run.tp.write("vol/x.jpg", pictureBytes("x.jpg"));
        run.tp.write("vol/y.gif", pictureBytes("y.gif"));
        QuickView* view = run.open();
        view->filedrive()->setVolumes(
            {QStringLiteral("/"), run.tp.path("vol"), QStringLiteral("/no/such/volume")});
        QVERIFY(view->filedrive()->setDrive(run.tp.path("vol")));
        QCOMPARE(view->filedir()->path(), run.tp.path("vol"));
        QCOMPARE(listEntries(view->filelist()), (QStringList{"x.jpg", "y.gif"}));
        QCOMPARE(view->source()->title(), QStringLiteral("Source (2)"));

        run.tp.ui.expectMessage(QStringLiteral("Cannot access the /no/such/volume drive."));
        QVERIFY(view->filedrive()->setDrive(QStringLiteral("/no/such/volume")));
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(view->filedir()->path(), run.tp.path("vol"));
        QCOMPARE(view->filelist()->count(), 2);
    }

    void toolbarMakesAQuickPageWithoutTouchingTheFileList()
    {
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("main"));
        QDir(tp.folder()).mkpath(QStringLiteral("camera"));
        QDir(tp.folder()).mkpath(QStringLiteral("web"));
        tp.write("main/kept.gif", pictureBytes("kept.gif"));
        for (const char* name : {"DSC_0001.JPG", "DSC_0002.jpg", "map.Gif", "raw.NEF", "notes.txt"})
            tp.write(QStringLiteral("camera/") + QString::fromUtf8(name), pictureBytes(QString::fromUtf8(name)));
        MainForm form;
        form.Form_Load();
        form.filedir()->setPath(tp.path("main"));
        settings().internet_dir = tp.path("web");
        setDefaultPageColours();
        form.templist = QStringList{QStringLiteral("stale")};

        tp.ui.expectModal(QStringLiteral("frm_quickview"), [&](QObject* object) {
            auto* view = qobject_cast<QuickView*>(object);
            QVERIFY(view);
            QVERIFY(view->run());
            QCOMPARE(view->filedir()->path(), tp.path("main"));
            QVERIFY(view->filedir()->setPath(tp.path("camera")));
            view->createHtml();
        });
        tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                          [](QObject* w) { qobject_cast<PagePrompt*>(w)->acceptAnswers(); });
        form.toolbarButton(QStringLiteral("quickhtml"))->trigger();
        VERIFY_DIALOGS(tp);

        const QStringList images{tp.path("camera/DSC_0001.JPG"), tp.path("camera/DSC_0002.jpg"),
                                 tp.path("camera/map.Gif")};
        QCOMPARE(form.templist, images);
        QCOMPARE(form.o_original_location, images);
        QStringList lines;
        for (const QString& path : images)
            lines.append(imageLine(path));
        QCOMPARE(imageLines(tp.read("web/mosaik.htm")), lines);
        QCOMPARE(listEntries(form.itemlist()), QStringList{tp.path("main/kept.gif")});
        QCOMPARE(settings().last_directory.text(), tp.path("main"));
        QCOMPARE(program().last_toolbar_key, QStringLiteral("quickhtml"));
        QVERIFY(!frm_quickview.isLoaded());
    }
};

QTEST_MAIN(TestQuickView)
#include "tst_quickview.moc"
