#include "pages/fullimagepage.h"
#include "pagekit/pagerun.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

using namespace mosaicon;

namespace {

const QByteArray head = "<html>\r\n<title>cat one.jpg</title>\r\n"
                        "<body bgcolor=#FFFFFF text=#000000 link=#0000FF vlink=#FF0000 alink=#000000 >\r\n"
                        "<center><strong><h1>cat one.jpg</h1></strong></center>\r\n<p>\r\n";
const QByteArray image = "<img src=\"cat%20one.jpg\" height= 20 width= 40>\r\n";
const QByteArray foot = "</body>\r\n</html>\r\n";

} // namespace

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
        QCOMPARE(run.page(ref), head + image + foot);
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
        QTest::addColumn<QByteArray>("body");
        const QByteArray title = "<b><u>cat one.jpg</u></b><br>\r\n";
        const QByteArray text = "A cat. In the sun. \r\n";
        QTest::addRow("#1 image, rule, text") << "#1" << true << image + "<p>\r\n<hr>\r\n<p>\r\n" + title + text;
        QTest::addRow("#3 text beside image")
            << "#3" << true
            << "<table border=0 cellpadding=10>\r\n<tr>\r\n<td>\r\n" + title + text + "</td>\r\n<td>\r\n" + image +
                   "</td>\r\n</tr>\r\n</table>\r\n";
        QTest::addRow("#4 without a text is the image alone") << "#4" << false << image;
        QTest::addRow("an unknown layout has neither") << "#9" << true << QByteArray();
    }
    void textLayouts()
    {
        QFETCH(QString, layout);
        QFETCH(bool, withText);
        QFETCH(QByteArray, body);
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
        QCOMPARE(run.page(ref), head + body + foot);
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
        QCOMPARE(run.page(ref),
                 "<html>\r\n<title>Tom <i>asleep</i></title>\r\n"
                 "<body bgcolor=#FFFFFF text=#000000 link=#0000FF vlink=#FF0000 alink=#000000 >\r\n"
                 "<p>\r\n<center>\r\n<a href=\"index.htm\" >\r\n<img src=\"top.gif\" >\r\n</a>\r\n</center>\r\n<p>\r\n"
                 "<center><strong><h1>Tom <i>asleep</i></h1></strong></center>\r\n<p>\r\n" +
                     image +
                     "<p>\r\n<center>\r\n<img src=\"bottom%20banner.jpg\" >\r\n</center>\r\n<p>\r\n"
                     "<p>\r\n<center>\r\n&copy; 2024\r\n</center>\r\n" +
                     foot);
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
