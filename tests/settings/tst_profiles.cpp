#include "settings/profiles.h"
#include "settings/program.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace mosaicon;

namespace {

const QString wrongExtension =
    QStringLiteral("The file list profile is required to have the .fpr file extension.  No action taken.");
const QString missingEntry = QStringLiteral("One or more files in the profile did not exist.");

// A target that records what a load did to it.
struct Recorder
{
    QStringList entries;
    int clears = 0;
    FileListTarget target()
    {
        return {[this] {
                    ++clears;
                    entries.clear();
                },
                [this](const QString& e) { entries.append(e); }};
    }
};

} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT

private slots:
    void saveNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written"); // empty: nothing is written
        QTest::addRow("a name without extension gets .fpr") << "pics" << "pics.fpr";
        QTest::addRow("the extension in capitals is accepted as chosen") << "Pics.FPR" << "Pics.FPR";
        QTest::addRow("another extension is refused") << "pics.txt" << "";
        QTest::addRow(".fpr anywhere in the file name is enough") << "pics.fpr.txt" << "pics.fpr.txt";
        QTest::addRow("a dotted folder does not count as an extension") << ".hidden/pics" << ".hidden/pics.fpr";
        QTest::addRow("a folder named .fpr does not count either") << "old.fpr/pics.txt" << "";
    }
    void saveNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Pro v4.00");
        QDir(tp.folder()).mkpath(QStringLiteral(".hidden"));
        QDir(tp.folder()).mkpath(QStringLiteral("old.fpr"));
        tp.ui.expectFile(QStringLiteral("Save File List Profile"), tp.path(chosen));
        if (written.isEmpty())
            tp.ui.expectMessage(wrongExtension);
        save_file_list_profile({QStringLiteral("/pics/a.jpg"), QStringLiteral("/pics/b.gif")});
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("File Profile (*.fpr)|*.fpr|All Files (*.*)|*.*"));
        QCOMPARE(tp.ui.asked().first().defaultText, tp.folder());
        if (written.isEmpty()) {
            QCOMPARE(tp.ui.asked().last().title, QStringLiteral("File List Profile"));
            QCOMPARE(QDir(tp.folder()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("pics")),
                     QStringList());
            QCOMPARE(QDir(tp.path("old.fpr")).entryList(QDir::Files), QStringList());
            return;
        }
        QCOMPARE(tp.read(written), QByteArray("/pics/a.jpg\r\n/pics/b.gif\r\n"));
    }

    void saveWritesAnEmptyListAndReportsAFailure()
    {
        TestProgram tp;
        tp.ui.expectFile(std::nullopt, tp.path("empty.fpr"));
        save_file_list_profile({});
        QVERIFY(QFile::exists(tp.path("empty.fpr")));
        QCOMPARE(tp.read("empty.fpr"), QByteArray());

        tp.ui.expectFile(std::nullopt, tp.path("no such folder/pics.fpr"));
        tp.ui.expectMessage(std::nullopt);
        save_file_list_profile({QStringLiteral("/a.jpg")});
        VERIFY_DIALOGS(tp);
        QVERIFY(tp.ui.asked().last().text.startsWith(
            QStringLiteral("The file list profile '%1' could not be saved: ").arg(tp.path("no such folder/pics.fpr"))));

        tp.ui.expectFile(std::nullopt, std::nullopt);
        save_file_list_profile({QStringLiteral("/a.jpg")});
        VERIFY_DIALOGS(tp);
    }

    void pathWithACommaSurvivesSaveAndLoad()
    {
        TestProgram tp;
        tp.write("Rome, 2004.jpg", "a");
        tp.write("b.jpg", "b");
        const QStringList list{tp.path("Rome, 2004.jpg"), tp.path("b.jpg")};
        tp.ui.expectFile(std::nullopt, tp.path("trip.fpr"));
        save_file_list_profile(list);
        tp.ui.expectFile(QStringLiteral("Load File List Profile"), tp.path("trip.fpr"));
        Recorder r;
        r.entries = {QStringLiteral("old entry")};
        QVERIFY(load_file_list_profile(r.target()));
        VERIFY_DIALOGS(tp);
        QCOMPARE(r.entries, list);
        QCOMPARE(r.clears, 1);
    }

    void loadReportsMissingEntriesOnce()
    {
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon Pro v4.00");
        tp.write("a.jpg", "a");
        tp.write("c.jpg", "c");
        tp.write("list.FPR", (tp.path("a.jpg") + "\r\n" + tp.path("gone.jpg") + "\r\n" + tp.path("c.jpg") +
                              "\r\n" + tp.path("gone too.jpg") + "\r\n")
                                 .toUtf8());
        tp.ui.expectFile(std::nullopt, tp.path("list.FPR"));
        tp.ui.expectMessage(missingEntry);
        Recorder r;
        QVERIFY(load_file_list_profile(r.target()));
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), 2);
        QCOMPARE(tp.ui.asked().last().style, 48);
        QCOMPARE(tp.ui.asked().last().title, QStringLiteral("Mosaicon Pro v4.00"));
        QCOMPARE(r.entries, (QStringList{tp.path("a.jpg"), tp.path("c.jpg")}));
    }

    void loadRefusals_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: cancelled
        QTest::addRow("cancelled") << "";
        QTest::addRow("not a profile") << "list.txt";
        QTest::addRow(".fpr only in a folder name") << "x.fpr/list.txt";
        QTest::addRow("a profile that cannot be read") << "none.fpr";
    }
    void loadRefusals()
    {
        QFETCH(QString, chosen);
        TestProgram tp;
        tp.write("a.jpg", "a");
        tp.write("list.txt", tp.path("a.jpg").toUtf8());
        QDir(tp.folder()).mkpath(QStringLiteral("x.fpr"));
        tp.write("x.fpr/list.txt", tp.path("a.jpg").toUtf8());
        tp.ui.expectFile(std::nullopt, chosen.isEmpty() ? std::nullopt : std::optional(tp.path(chosen)));
        Recorder r;
        r.entries = {QStringLiteral("kept")};
        QVERIFY(!load_file_list_profile(r.target()));
        VERIFY_DIALOGS(tp);
        QCOMPARE(r.clears, 0);
        QCOMPARE(r.entries, QStringList{QStringLiteral("kept")});
    }

    void virtualDirectoryStopsAtTheFirstMissingFile()
    {
        TestProgram tp;
        program().last_dialog_dir = tp.folder();
        tp.write("a, b.jpg", "a");
        tp.write("c.jpg", "c");
        tp.write("e.jpg", "e");
        tp.write("dir.txt", (tp.path("a, b.jpg") + "\r\n" + tp.path("c.jpg") + "\r\n" + tp.path("d.jpg") + "\r\n" +
                             tp.path("e.jpg") + "\r\n")
                                .toUtf8());
        tp.ui.expectFile(QStringLiteral("Select Virtual Directory File"), tp.path("dir.txt"));
        QCOMPARE(load_virtual_directory(), (QStringList{tp.path("a, b.jpg"), tp.path("c.jpg")}));
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Text (*.txt)|*.txt|All Files (*.*)|*.*"));
        QCOMPARE(tp.ui.asked().first().defaultText, tp.folder());
        tp.ui.expectFile(std::nullopt, std::nullopt);
        QCOMPARE(load_virtual_directory(), std::nullopt);
        VERIFY_DIALOGS(tp);
    }
};

QTEST_GUILESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
