#include "pages/fullimagepage.h"
#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "expectedpage.h"
#include "testprogram.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

using namespace mosaicon;

class TestFullImagePage : public QObject
{
    Q_OBJECT

    struct Run
    {
        TestProgram tp;
        QString picture;
        std::unique_ptr<PageRun> pageRun;
        Run()
        {
            Program& p = program();
            p.ini_file_path = tp.path("mosaik.ini");
            Settings& s = p.settings;
            s.full_img_with_options = true;
            s.full_img_location = QStringLiteral("left");
            s.full_img_layout = QStringLiteral("#1");
            setDefaultPageColours();
            s.table_cell_padding = QStringLiteral("10");
            QDir(tp.folder()).mkdir(QStringLiteral("web"));
            picture = tp.path("web/cat one.jpg");
            QImage img(40, 20, QImage::Format_RGB32);
            img.fill(Qt::red);
            img.save(picture, "JPEG");
            pageRun = start_page_run({}, QStringLiteral("advhtml"));
            pageRun->prompt().o_use_default_values.value = true;
        }
        QByteArray page(const QString& ref) const { return tp.read(QStringLiteral("web/") + ref); }
    };

private slots:
    void imageOnlyPage()
    {
        Run run;
        QString ref = QStringLiteral("unchanged");
        QVERIFY(create_full_img_page(*run.pageRun, ref, QStringLiteral("cat one.jpg"), run.picture));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{8}\\.htm$")).match(ref).hasMatch(), qPrintable(ref));
        COMPARE_PAGE(run.page(ref), "pages/fullimage-image-only.htm");
        QCOMPARE(run.pageRun->generated().o_flist.entries,
                 QStringList{run.tp.path(QStringLiteral("web/") + ref)});
        VERIFY_DIALOGS(run.tp);
    }

    void noPageWhenNotAskedOrNotAPicture_data()
    {
        QTest::addColumn<bool>("withOptions");
        QTest::addColumn<QString>("ref");
        QTest::addRow("display the image only") << false << "cat one.jpg";
        QTest::addRow("not a GIF or JPEG") << true << "cat.png";
    }
    void noPageWhenNotAskedOrNotAPicture()
    {
        QFETCH(bool, withOptions);
        QFETCH(QString, ref);
        Run run;
        settings().full_img_with_options = withOptions;
        QString page;
        QVERIFY(create_full_img_page(*run.pageRun, page, ref, run.picture));
        QCOMPARE(page, ref);
        QVERIFY(run.pageRun->generated().o_flist.entries.isEmpty());
    }

    void textLayouts_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("withText");
        QTest::addColumn<QString>("expected");
        QTest::addRow("#1 image, rule, text") << "#1" << true << "pages/fullimage-layout-1.htm";
        QTest::addRow("#3 text beside image") << "#3" << true << "pages/fullimage-layout-3.htm";
        QTest::addRow("#4 without a text is the image alone") << "#4" << false << "pages/fullimage-layout-4.htm";
        QTest::addRow("an unknown layout has neither") << "#9" << true << "pages/fullimage-layout-unknown.htm";
    }
    void textLayouts()
    {
        QFETCH(QString, layout);
        QFETCH(bool, withText);
        QFETCH(QString, expected);
        Run run;
        settings().full_img_use_text = true;
        settings().full_img_layout = layout;
        if (withText) {
            run.tp.write("cat.txt", "A cat.\r\nIn the sun.\r\n");
            settingsFile().put(QStringLiteral("Associated Text"), run.picture,
                               run.tp.path("cat.txt"));
        }
        QString ref;
        QVERIFY(create_full_img_page(*run.pageRun, ref, QStringLiteral("cat one.jpg"), run.picture));
        COMPARE_PAGE(run.page(ref), expected);
    }

    void bannersCopyrightAndAStoredTitle()
    {
        Run run;
        Program& p = program();
        run.pageRun->prompt().top_banner_ref = QStringLiteral("top.gif");
        p.settings.top_banner_link = QStringLiteral("index.htm");
        run.pageRun->prompt().bottom_banner_ref = QStringLiteral("bottom banner.jpg");
        p.settings.file_title = true;
        platform::ProfileFile& ini = settingsFile();
        ini.put(QStringLiteral("Captions"), QStringLiteral("Copyright"), QStringLiteral("&copy; 2024"));
        ini.put(QStringLiteral("Associated Text Title"), run.picture, QStringLiteral("Tom <i>asleep</i>"));
        QString ref;
        QVERIFY(create_full_img_page(*run.pageRun, ref, QStringLiteral("cat one.jpg"), run.picture));
        COMPARE_PAGE(run.page(ref), "pages/fullimage-banners.htm");
    }

    void typedTitleIsKeptForTheImage()
    {
        Run run;
        run.pageRun->prompt().o_use_default_values.value = false;
        run.tp.ui.expectModal(QStringLiteral("frm_htmltitle"), [](QObject* w) {
            auto* prompt = qobject_cast<PagePrompt*>(w);
            prompt->o_title.text = QStringLiteral("Garfield");
            prompt->acceptAnswers();
        });
        QString ref;
        QVERIFY(create_full_img_page(*run.pageRun, ref, QStringLiteral("cat one.jpg"), run.picture));
        VERIFY_DIALOGS(run.tp);
        QCOMPARE(settingsFile().get(QStringLiteral("Associated Text Title"), run.picture),
                 QStringLiteral("Garfield"));
        QVERIFY(run.page(ref).contains("<h1>Garfield</h1>"));
    }

    void cancelReturnsAtOnce()
    {
        Run run;
        run.pageRun->prompt().o_use_default_values.value = false;
        run.tp.ui.expectModal(QStringLiteral("frm_htmltitle"),
                              [](QObject* w) { qobject_cast<PagePrompt*>(w)->b_cancel_exit_Click(); });
        QString ref = QStringLiteral("unchanged");
        create_full_img_page(*run.pageRun, ref, QStringLiteral("cat one.jpg"), run.picture);
        QCOMPARE(ref, QStringLiteral("unchanged"));
        QVERIFY(run.pageRun->stopped());
        QVERIFY(run.pageRun->generated().o_flist.entries.isEmpty());
    }
};

QTEST_MAIN(TestFullImagePage)
#include "tst_fullimagepage.moc"
