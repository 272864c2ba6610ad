#include "pagekit/pageprompt.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QDir>
#include <QTest>

using namespace mosaicon;

class TestBannerPicker : public QObject
{
    Q_OBJECT

private slots:
    void picksAndCopies_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("page");   // the prompt's page name; FOLDER for an existing page folder
        QTest::addColumn<QString>("chosen"); // in the "pics" folder
        QTest::addColumn<QString>("copy");   // where the copy is expected; empty: no copy is made
        QTest::addRow("top banner copied beside the page") << "top" << "FOLDER/page.htm" << "Top.JPG"
                                                           << "site/Top.JPG";
        QTest::addRow("bottom banner, GIF") << "bottom" << "FOLDER/page.htm" << "low.gif" << "site/low.gif";
        QTest::addRow("a file of that name beside the page is kept") << "top" << "FOLDER/page.htm" << "same.jpg"
                                                                     << "";
        QTest::addRow("a page folder that does not exist gets no copy")
            << "top" << "nowhere/page.htm" << "top.jpg" << "";
        QTest::addRow("a page without a folder copies into the internet directory")
            << "top" << "page.htm" << "top.jpg" << "internet/top.jpg";
    }
    void picksAndCopies()
    {
        QFETCH(QString, side);
        QFETCH(QString, page);
        QFETCH(QString, chosen);
        QFETCH(QString, copy);
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("pics"));
        QDir(tp.folder()).mkpath(QStringLiteral("site"));
        QDir(tp.folder()).mkpath(QStringLiteral("internet"));
        tp.write("pics/" + chosen, "picture");
        tp.write("site/same.jpg", "the page's own");
        settings().internet_dir = tp.path("internet");
        settings().last_directory = tp.path("start");
        PagePrompt prompt(settings().internet_dir);
        prompt.banner_side = side;
        prompt.o_filename.text = page.replace(QLatin1String("FOLDER"), tp.path("site"));
        const QString picked = tp.path("pics/" + chosen);
        tp.ui.expectFile(side == "top" ? QStringLiteral("Select The Top Banner")
                                       : QStringLiteral("Select The Bottom Banner"),
                         picked);
        select_banner_file(prompt);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().defaultText, tp.path("start"));
        QCOMPARE(tp.ui.asked().first().title,
                 QStringLiteral("All Files (*.*)|*.*|GIF (*.gif)|*.gif|JPG (*.jpg)|*.jpg|GIF/JPG (*.gif,*.jpg)|*.gif;*.jpg"));
        QCOMPARE(settings().last_directory.text(), tp.path("pics"));
        if (!copy.isEmpty())
            QCOMPARE(tp.read(copy), QByteArray("picture"));
        QCOMPARE(tp.read("site/same.jpg"), QByteArray("the page's own"));
        QCOMPARE(QDir(tp.path("internet")).entryList(QDir::Files).size(), copy.startsWith("internet") ? 1 : 0);
        QCOMPARE(QDir(tp.path("site")).entryList(QDir::Files).size(), copy.startsWith("site") ? 2 : 1);
        const bool top = side == "top";
        QCOMPARE((top ? prompt.o_top_banner : prompt.o_bottom_banner).text, picked);
        QCOMPARE(top ? prompt.top_banner_ref : prompt.bottom_banner_ref, chosen);
        QCOMPARE((top ? settings().top_banner : settings().bottom_banner).text(), picked);
        QVERIFY((top ? prompt.o_bottom_banner : prompt.o_top_banner).text.isEmpty());
    }

    void refusalAndCancel()
    {
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Pro v4.00");
        settings().last_directory = tp.path("start");
        PagePrompt prompt(settings().internet_dir);
        settings().top_banner = QStringLiteral("old.gif");
        prompt.banner_side = QStringLiteral("top");
        prompt.o_top_banner.text = QStringLiteral("old.gif");
        // No ".jpg" in "picture.jpeg".
        tp.ui.expectFile(std::nullopt, tp.path("pics/picture.jpeg"));
        tp.ui.expectMessage(QStringLiteral("You must select a file that is in GIF or JPG format."));
        select_banner_file(prompt);
        QCOMPARE(tp.ui.asked().last().style, 48);
        QCOMPARE(settings().last_directory.text(), tp.path("pics"));

        // A cancel leaves the remembered folder alone.
        tp.ui.expectFile(std::nullopt, std::nullopt);
        select_banner_file(prompt);
        VERIFY_DIALOGS(tp);
        QCOMPARE(settings().last_directory.text(), tp.path("pics"));
        QCOMPARE(prompt.o_top_banner.text, QStringLiteral("old.gif"));
        QCOMPARE(settings().top_banner.text(), QStringLiteral("old.gif"));
        QVERIFY(prompt.top_banner_ref.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBannerPicker)
#include "tst_bannerpicker.moc"
