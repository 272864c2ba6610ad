#include "slides/slideshow.h"

#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/profilefile.h"

#include "slidefixture.h"
#include "testpictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

using namespace mosaicon;

class TestSlideShowCommand : public QObject
{
    Q_OBJECT

    struct Run : PageRunFixture
    {
        Run()
        {
            settings().use_frames = false;
            QDir(tp.folder()).mkpath(QStringLiteral("pics/other"));
            QDir(tp.folder()).mkpath(QStringLiteral("web"));
        }
    };

private slots:
    void emptyListSaysWhy_data()
    {
        QTest::addColumn<bool>("selections");
        QTest::addColumn<bool>("gifJpeg");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("text");
        QTest::addRow("nothing selected, though the list holds no image at all")
            << true << false << true << "No files were selected from the list.";
        QTest::addRow("GIF and JPEG only, none listed")
            << false << true << true << "There are no GIF or JPG files in the list.";
        QTest::addRow("every file, a PNG and a BMP listed: none a slide show takes")
            << false << false << true << "There are no GIF or JPG files in the list.";
        QTest::addRow("an empty list") << false << false << false << "There are no files in the list.";
    }
    void emptyListSaysWhy()
    {
        QFETCH(bool, selections);
        QFETCH(bool, gifJpeg);
        QFETCH(bool, filled);
        QFETCH(QString, text);
        Run run;
        if (filled) {
            run.picture(QStringLiteral("a.png"), 10, 10);
            run.file(QStringLiteral("b.bmp"), "BM");
            run.file(QStringLiteral("c.jpeg"), "x");
        }
        settings().individual_selections = selections;
        settings().gif_jpeg_only = gifJpeg;
        run.tp.ui.expectMessage(text);
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(run.window.calls.contains(QStringLiteral("status ") + text));
        QVERIFY(run.templist.isEmpty());
        QVERIFY(QDir(run.tp.path("web")).isEmpty());
    }

    void takenImagesAreCopiedWithTheirRecords()
    {
        Run run;
        const QString a = run.picture(QStringLiteral("a.jpg"), 30, 20);
        run.picture(QStringLiteral("b.png"), 30, 20);
        const QString c = run.file(QStringLiteral("c.GIF"), pictureBytes(QStringLiteral("c.GIF")));
        run.picture(QStringLiteral("d.jpg"), 30, 20);
        settings().individual_selections = true;
        run.lists.selected = {true, true, true, false};
        run.tp.write("notes.txt", "hello\r\n");
        auto& ini = settingsFile();
        ini.put(QStringLiteral("Associated Text"), a, run.tp.path("notes.txt"));
        store_associated_title(a, QStringLiteral("Cat"));
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.templist, (QStringList{run.tp.path("web/a.jpg"), run.tp.path("web/c.GIF")}));
        QCOMPARE(run.sources, (QStringList{a, c}));
        QCOMPARE(run.tp.read("web/a.jpg"), run.tp.read("pics/a.jpg"));
        QCOMPARE(run.tp.read("web/c.GIF"), run.tp.read("pics/c.GIF"));
        QVERIFY(!QFileInfo::exists(run.tp.path("web/d.jpg")));
        QCOMPARE(associated_title(run.tp.path("web/a.jpg")), QStringLiteral("Cat"));
        QCOMPARE(associated_text_lines(run.tp.path("web/a.jpg")),
                 QStringList{QStringLiteral("hello")});
        // The source keeps its own records.
        QCOMPARE(associated_title(a), QStringLiteral("Cat"));
        QVERIFY(associated_title(run.tp.path("web/c.GIF")).isEmpty());
    }

    void imageInTheOutputFolderKeepsItsNameAndBytes()
    {
        Run run;
        // Listed after a picture of the same name from elsewhere, which must not replace it.
        run.picture(QStringLiteral("cat.jpg"), 30, 20);
        QImage img(40, 10, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString own = run.tp.path("web/cat.jpg");
        img.save(own, "JPEG");
        const QByteArray before = run.tp.read("web/cat.jpg");
        run.listed(own);
        store_associated_title(own, QStringLiteral("Red"));
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.templist, (QStringList{run.tp.path("web/cat_2.jpg"), own}));
        QCOMPARE(run.tp.read("web/cat.jpg"), before);
        QCOMPARE(run.tp.read("web/cat_2.jpg"), run.tp.read("pics/cat.jpg"));
        QCOMPARE(associated_title(own), QStringLiteral("Red"));
    }

    void sameNameFromTwoFoldersIsKeptApart()
    {
        Run run;
        run.picture(QStringLiteral("cat.jpg"), 30, 20);
        run.picture(QStringLiteral("other/cat.jpg"), 20, 30);
        go_create_slideshow(run.started());
        QCOMPARE(run.templist,
                 (QStringList{run.tp.path("web/cat.jpg"), run.tp.path("web/cat_2.jpg")}));
        QCOMPARE(QImage(run.tp.path("web/cat_2.jpg")).size(), QSize(20, 30));
    }
    void reducedCopiesAreTheSameWhetherPromptedOrNot_data()
    {
        QTest::addColumn<bool>("frames");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<bool>("defaultsAtLast");
        QTest::addRow("with frames: index, start page and three slides") << true << 5 << false;
        QTest::addRow("without frames: three slides after the index") << false << 3 << false;
        QTest::addRow("with frames, default values chosen in the first slide's prompt") << true << 3 << true;
        QTest::addRow("without frames, default values chosen in the first slide's prompt") << false << 1 << true;
    }
    void reducedCopiesAreTheSameWhetherPromptedOrNot()
    {
        QFETCH(bool, frames);
        QFETCH(int, prompts);
        QFETCH(bool, defaultsAtLast);
        QByteArray unprompted;
        // The copy's mark names the picture it was made from, in each run's own folder.
        // The mark names the run's folder and the time its copy was written.
        const auto markedIn = [](const QByteArray& bytes, const QString& folder) {
            const QByteArray named = QByteArray(bytes).replace(folder.toUtf8(), "FOLDER");
            return QString::fromLatin1(named).replace(QRegularExpression(QStringLiteral(" modified=\\d+ ")),
                                                      QStringLiteral(" modified=TIME ")).toLatin1();
        };
        {
            SlideRunFixture run(frames);
            run.threePictures();
            go_create_slideshow(run.started());
            unprompted = markedIn(run.tp.read("web/b_tn.jpg"), run.tp.folder());
        }
        SlideRunFixture run(frames);
        run.threePictures();
        run.showPrompts();
        for (int i = 0; i < prompts; ++i) {
            const bool defaults = defaultsAtLast && i == prompts - 1;
            run.prompted([defaults](PagePrompt& p) {
                p.o_use_default_values.value = defaults;
                p.acceptAnswers();
            });
        }
        go_create_slideshow(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(!unprompted.isEmpty());
        QCOMPARE(markedIn(run.tp.read("web/b_tn.jpg"), run.tp.folder()), unprompted);
    }
};

QTEST_MAIN(TestSlideShowCommand)
#include "tst_slideshowcommand.moc"
