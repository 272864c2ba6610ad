#include "pagekit/pageblocks.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QRegularExpression>
#include <QTest>

using namespace mosaicon;

namespace {

const QString question = QStringLiteral("What is the name of the HTML file?");
const QString badName = QStringLiteral("You have entered a bad file name.  You can only use numbers and letters for "
                                       "the file name.  Do not use special characters.");

QString confirm(const QString& name)
{
    return QStringLiteral("Is '%1' the name of the file you want to use?").arg(name);
}

} // namespace

class TestPageBlocks : public QObject
{
    Q_OBJECT

private slots:
    void bodyTag()
    {
        TestProgram tp;
        setDefaultPageColours();
        Settings& s = settings();
        QCOMPARE(body_tag(),
                 QStringLiteral("<body bgcolor=#FFFFFF text=#000000 link=#0000FF vlink=#FF0000 alink=#000000 >"));
        s.text_color = QString();
        QVERIFY(body_tag().contains(QStringLiteral(" text= link=")));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::addRow("built-in slide caption") << "o_ss_view_slide" << "" << "View The Slide";
        QTest::addRow("built-in image caption has a capital I") << "o_ss_view_image" << "" << "View The Image";
        QTest::addRow("built-in start caption") << "o_ss_click_here" << "" << "Click Here To Start";
        QTest::addRow("no copyright by default") << "o_copyright" << "" << "";
        QTest::addRow("the user's copyright, as typed") << "o_copyright" << "&copy; 2024 Ann" << "&copy; 2024 Ann";
        QTest::addRow("an unknown id has none") << "o_unknown"
                                                << ""
                                                << "";
    }
    void captions()
    {
        QFETCH(QString, id);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        TestProgram tp;
        program().ini_file_path = tp.path("mosaik.ini");
        if (!stored.isEmpty())
            settingsFile().put(QStringLiteral("Captions"), QStringLiteral("copyright"), stored);
        QCOMPARE(get_caption(id), expected);
    }

    void fileAddresses_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("address");
        QTest::addRow("a plain path") << "/web/a.gif" << "file:///web/a.gif";
        QTest::addRow("blanks and a hash are encoded") << "/my web/#1.jpg" << "file:///my%20web/%231.jpg";
        QTest::addRow("letters beyond ASCII") << "/bilder/Öl.jpg" << "file:///bilder/%C3%96l.jpg";
    }
    void fileAddresses()
    {
        QFETCH(QString, path);
        QFETCH(QString, address);
        QCOMPARE(file_url(path), address);
    }

    void randomNameWhenNotRenaming()
    {
        TestProgram tp;
        QString name = ask_html_file_name(QString(), QString(), tp.folder());
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{8}\\.htm$")).match(name).hasMatch(), qPrintable(name));
        name = ask_html_file_name(QStringLiteral("mosaik.htm"), QString(), tp.folder());
        QCOMPARE(name, QStringLiteral("mosaik.htm"));
        VERIFY_DIALOGS(tp);
    }

    void renamingAsksUntilConfirmed()
    {
        TestProgram tp;
        settings().rename_html = true;
        tp.ui.expectInput(question, QStringLiteral("my.page"))
            .expectMessage(confirm(QStringLiteral("my.htm")), platform::MsgBox::No)
            .expectInput(question, QStringLiteral("bad name"))
            .expectMessage(badName)
            .expectInput(question, std::nullopt) // Cancel only asks again
            .expectInput(question, QStringLiteral("Summer2024"))
            .expectMessage(confirm(QStringLiteral("summer2024.htm")), platform::MsgBox::Yes);
        const QString name =
            ask_html_file_name(QStringLiteral("mosaik.htm"), QString(), tp.folder());
        VERIFY_DIALOGS(tp);
        QCOMPARE(name, QStringLiteral("Summer2024.htm"));
        // Each question proposes the previous answer.
        QCOMPARE(tp.ui.asked().at(0).defaultText, QStringLiteral("mosaik.htm"));
        QCOMPARE(tp.ui.asked().at(2).defaultText, QStringLiteral("my.page"));
        QCOMPARE(tp.ui.asked().at(3).style, 64);
        QCOMPARE(tp.ui.asked().at(1).style, 4);
    }

    void badCharacters_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addRow("a hyphen") << "my-page";
        QTest::addRow("an underscore") << "my_page";
        QTest::addRow("a slash") << "a/b";
    }
    void badCharacters()
    {
        QFETCH(QString, answer);
        TestProgram tp;
        settings().rename_html = true;
        tp.ui.expectInput(question, answer)
            .expectMessage(badName)
            .expectInput(question, QStringLiteral("ok"))
            .expectMessage(confirm(QStringLiteral("ok.htm")), platform::MsgBox::Yes);
        ask_html_file_name(QStringLiteral("x.htm"), QString(), tp.folder());
        VERIFY_DIALOGS(tp);
    }

    void sourceIsNamedInTheQuestions()
    {
        TestProgram tp;
        settings().rename_html = true;
        const QString tail = QStringLiteral("\n\nSource File:  /pics/cat.jpg");
        tp.ui.expectInput(question + tail, QStringLiteral("cat"))
            .expectMessage(confirm(QStringLiteral("cat.htm")) + tail, platform::MsgBox::Yes);
        ask_html_file_name(QStringLiteral("x.htm"), QStringLiteral("/pics/cat.jpg"), tp.folder());
        VERIFY_DIALOGS(tp);
    }
};

QTEST_GUILESS_MAIN(TestPageBlocks)
#include "tst_pageblocks.moc"
