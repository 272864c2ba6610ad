#include "pages/createhtml.h"
#include "pagekit/generatedfiles.h"
#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "expectedpage.h"
#include "pagerunfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTest>

using namespace mosaicon;

class TestAdvancedPage : public QObject
{
    Q_OBJECT

    struct Run : PageRunFixture
    {
        Run()
        {
            useThumbnails();
            settings().table_cell_padding = QStringLiteral("10");
            QDir(tp.folder()).mkpath(QStringLiteral("pics/other"));
        }
    };

private slots:
    void plainPageOfThumbnails()
    {
        Run run;
        const QString cat = run.picture(QStringLiteral("cat one.jpg"), 300, 150);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(run.templist, QStringList{run.tp.path("web/cat one.jpg")});
        QCOMPARE(run.sources, QStringList{cat});
        COMPARE_PAGE(run.tp.read("web/mosaik.htm"), "pages/advanced-thumbnail.htm");
        QCOMPARE(run.started().generated().o_flist.entries,
                 QStringList{run.tp.path("web/mosaik.htm")});
        // The record was used up by the page.
        QVERIFY(!settingsFile().contains(QStringLiteral("Thumbnails (ir)"),
                                         run.tp.path("web/cat one.jpg")));
    }

    void oddFileNamesReachTheBrowserWhole()
    {
        Run run;
        run.picture(QStringLiteral("a b#1&'x\"q.jpg"), 300, 150);
        run.picture(QStringLiteral("50% off.jpg"), 300, 150);
        go_create_html(run.started());
        const auto addresses = run.webAddresses();
        QVERIFY2(addresses.broken.isEmpty(), qPrintable(addresses.broken.join(u'\n')));
        QCOMPARE(addresses.count, 4);
    }

    void sameNameFromTwoFoldersIsKeptApart()
    {
        Run run;
        run.picture(QStringLiteral("cat.jpg"), 300, 150);
        run.picture(QStringLiteral("other/cat.jpg"), 150, 300);
        go_create_html(run.started());
        QCOMPARE(run.templist, (QStringList{run.tp.path("web/cat.jpg"), run.tp.path("web/cat_2.jpg")}));
        QCOMPARE(QImage(run.tp.path("web/cat_2.jpg")).size(), QSize(150, 300));
        QVERIFY(QFileInfo::exists(run.tp.path("web/cat_2_tn.jpg")));
    }

    // What a second run finds in the output folder: its own thumbnail is
    // made again from the picture as it is now; a file of the user's there
    // keeps its bytes, and an edited thumbnail is told and linked.
    void aSecondRunLeavesTheUsersFiles_data()
    {
        QTest::addColumn<QString>("found");
        QTest::addRow("a picture listed from the output folder keeps its bytes") << "listed";
        QTest::addRow("the run's own thumbnail is made again from the changed picture") << "own";
        QTest::addRow("a thumbnail the user edited since stays, linked and told") << "edited";
    }
    void aSecondRunLeavesTheUsersFiles()
    {
        QFETCH(QString, found);
        Run run;
        QImage img(300, 150, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString thumb = run.tp.path("web/dog_tn.jpg");
        if (found == QLatin1String("listed")) {
            QDir(run.tp.folder()).mkdir(QStringLiteral("web"));
            img.save(thumb, "JPEG");
            run.listed(thumb);
        } else {
            img.save(run.tp.path("pics/dog.jpg"), "JPEG");
            run.listed(run.tp.path("pics/dog.jpg"));
            go_create_html(run.started());
            VERIFY_DIALOGS(run.tp);
            QCOMPARE(QImage(thumb).size(), QSize(104, 52));
            run.pageRun.reset();
            run.templist.clear();
            run.sources.clear();
        }
        if (found == QLatin1String("own"))
            img.copy(0, 0, 150, 300).save(run.tp.path("pics/dog.jpg"), "JPEG");
        const QString told =
            thumb +
            QStringLiteral(" was changed since this program made it, so it was left as it is.");
        if (found == QLatin1String("edited")) {
            // As an image editor saves it: the picture's comments kept, its pixels changed.
            QImage edited(thumb);
            QVERIFY(!edited.text(QStringLiteral("Mosaicon-made-from")).isEmpty());
            edited.setPixelColor(5, 5, Qt::black);
            QVERIFY(QImageWriter(thumb, "jpeg").write(edited));
            run.tp.ui.expectMessage(told);
        }
        const QByteArray before = run.tp.read("web/dog_tn.jpg");
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        if (found == QLatin1String("own")) {
            QCOMPARE(QImage(thumb).size(), QSize(52, 104));
            return;
        }
        QCOMPARE(run.tp.read("web/dog_tn.jpg"), before);
        if (found == QLatin1String("edited")) {
            QVERIFY(run.window.calls.contains(QStringLiteral("status ") + told));
            QVERIFY(run.tp.read("web/mosaik.htm")
                        .contains("<A HREF=\"dog.jpg\"><img src=\"dog_tn.jpg\""));
        }
    }

    void corruptImageAmongGoodOnesGetsNoThumbnail()
    {
        Run run;
        run.picture(QStringLiteral("a.jpg"), 300, 150);
        run.tp.write("pics/broken.jpg", "not a picture");
        run.lists.items.append(run.tp.path("pics/broken.jpg"));
        run.lists.selected.append(false);
        run.picture(QStringLiteral("c.jpg"), 150, 300);
        settings().use_thumbnail = false;
        run.tp.ui.expectMessage(std::nullopt);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        QVERIFY(QFileInfo::exists(run.tp.path("web/a_tn.jpg")));
        QVERIFY(!QFileInfo::exists(run.tp.path("web/broken_tn.jpg")));
        QCOMPARE(QImage(run.tp.path("web/c_tn.jpg")).size(), QSize(52, 104));
        auto& ini = settingsFile();
        QVERIFY(!ini.contains(QStringLiteral("Thumbnails (ir)"), run.tp.path("web/broken.jpg")));
        QVERIFY(ini.contains(QStringLiteral("Thumbnails (ir)"), run.tp.path("web/c.jpg")));
    }

    void emptyRunSaysWhy_data()
    {
        QTest::addColumn<bool>("selections");
        QTest::addColumn<bool>("gifJpeg");
        QTest::addColumn<QString>("text");
        QTest::addRow("nothing selected") << true << true << "No files were selected from the list.";
        QTest::addRow("no GIF or JPEG") << false << true << "There are no GIF or JPG files in the list.";
    }
    void emptyRunSaysWhy()
    {
        QFETCH(bool, selections);
        QFETCH(bool, gifJpeg);
        QFETCH(QString, text);
        Run run;
        run.picture(QStringLiteral("a.png"), 10, 10);
        settings().individual_selections = selections;
        settings().gif_jpeg_only = gifJpeg;
        run.tp.ui.expectMessage(text);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
    }

    void tableRowsStepByTheImageCount()
    {
        Run run;
        settings().file_names = true;
        settings().use_thumbnail = false;
        for (int i = 0; i < 7; ++i)
            run.picture(QStringLiteral("p%1.jpg").arg(i), 20, 10);
        go_create_html(run.started());
        const QString page = QString::fromUtf8(run.tp.read("web/mosaik.htm"));
        QCOMPARE(page.count(QStringLiteral("<td>")), 7);
        QCOMPARE(page.count(QStringLiteral("</tr>\r\n<tr>")), 3);
        QVERIFY(page.contains(QStringLiteral("<tr>\r\n</table>\r\n</center>\r\n</body>")));
    }

    void tableCellCaptions()
    {
        Run run;
        settings().file_names = true;
        settings().use_thumbnail = false;
        settings().print_pixel_size = true;
        settings().file_name_only = true;
        run.picture(QStringLiteral("wide.jpg"), 300, 150);
        go_create_html(run.started());
        const QString page = QString::fromUtf8(run.tp.read("web/mosaik.htm"));
        QVERIFY2(page.contains(QStringLiteral("<br><center>wide.jpg</center><br><center>(150 X 300)</center></A><br></td>")),
                 qPrintable(page));
    }

    void tableWithBannersTitlesAndCopyright()
    {
        Run run;
        Program& p = program();
        Settings& s = p.settings;
        s.file_names = true;
        s.image_borders = true;
        s.image_count = QStringLiteral("2");
        s.file_title = true;
        s.print_pixel_size = true;
        s.print_kb_size = true;
        s.top_banner_link = QStringLiteral("http://example.org/?a=1&b=2");
        platform::ProfileFile& ini = settingsFile();
        ini.put(QStringLiteral("Captions"), QStringLiteral("Copyright"), QStringLiteral("&copy; 2024 Ann"));
        run.picture(QStringLiteral("dog.jpg"), 300, 150);
        run.picture(QStringLiteral("small.jpg"), 40, 20);
        run.picture(QStringLiteral("owl.jpg"), 100, 200);
        // Titles are typed as HTML and go into the page as typed.
        ini.put(QStringLiteral("Associated Text Title"), run.tp.path("pics/dog.jpg"), QStringLiteral("Snowy <b>dog</b>"));
        s.full_img_with_options = false;
        run.started().prompt().top_banner_ref = QStringLiteral("top banner.gif");
        run.started().prompt().bottom_banner_ref = QStringLiteral("bottom.gif");
        go_create_html(run.started());
        // The thumbnails are made a little larger than asked (104 pixels) and
        // shown scaled, as a scaled size, to the thumbnail size.
        VERIFY_DIALOGS(run.tp);
        // A copy's size in bytes hangs on the JPEG encoder: each, in page
        // order, gives way to its own placeholder.
        const auto sized = [&](QByteArray page) {
            qsizetype from = 0;
            for (const char* name : {"dog", "small", "owl"}) {
                const qint64 bytes = QFileInfo(run.tp.path(QStringLiteral("web/%1.jpg").arg(name))).size();
                const QByteArray told = "(" + QByteArray::number(bytes) + " bytes)";
                const qsizetype at = page.indexOf(told, from);
                if (at < 0)
                    break;
                const QByteArray placeholder = "(@" + QByteArray(name).toUpper() + "_BYTES@ bytes)";
                page.replace(at, told.size(), placeholder);
                from = at + placeholder.size();
            }
            return page;
        };
        COMPARE_PAGE(sized(run.tp.read("web/mosaik.htm")), "pages/advanced-table.htm");
    }

    void zeroImageCountStillEnds()
    {
        Run run;
        settings().file_names = true;
        settings().image_count = QString();
        run.picture(QStringLiteral("a.jpg"), 20, 10);
        run.picture(QStringLiteral("b.jpg"), 20, 10);
        go_create_html(run.started());
        QCOMPARE(QString::fromUtf8(run.tp.read("web/mosaik.htm")).count(QStringLiteral("</tr>")), 2);
    }
};

QTEST_MAIN(TestAdvancedPage)
#include "tst_advancedpage.moc"
