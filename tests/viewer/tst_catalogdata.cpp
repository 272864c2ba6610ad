#include "viewer/catalogdata.h"

#include "settings/program.h"

#include "platform/ui.h"

#include "testprogram.h"

#include <QFileInfo>
#include <QTest>

using namespace mosaicon;
using namespace mosaicon::viewer;

namespace {

// Entries as "image|thumbnail|title", so a failed comparison reads plainly.
QStringList rows(const QList<CatalogEntry>& entries)
{
    QStringList out;
    for (const CatalogEntry& e : entries)
        out.append(e.image + u'|' + e.thumbnail + u'|' + e.title);
    return out;
}

// A catalog in its window's order, with a quote and a comma in a title, a
// comma in a path, a title of blanks and text beyond ASCII.
const QList<CatalogEntry> catalog = {{"/p/A.jpg", "tn_A.jpg", "Quay \"North\", at dawn"},
                                     {"/p/a.jpg", "", "   "},
                                     {"/p/b, c.jpg", "tn_b.jpg", ""},
                                     {"/p/é.jpg", "tn_é.jpg", "Ærø – 港"}};

} // namespace

class TestCatalogData : public QObject
{
    Q_OBJECT

    struct Program
    {
        TestProgram tp;
        Program() { program().product_title = QStringLiteral("Mosaicon"); }
    };

private slots:
    void savesAndLoadsTheCatalog_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("from"); // the entries of the catalog saved
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("loaded");
        QTest::addRow("image, thumbnail and title of every entry come back whole")
            << 2 << 0 << 0 << 4
            << QByteArray(
                   "FORMAT:2.  image,thumbnail,title\r\nFIELDS:image file, thumbnail, title\r\n"
                   "\"/p/A.jpg\",\"tn_A.jpg\",\"Quay \"\"North\"\", at dawn\"\r\n"
                   "\"/p/a.jpg\",\"\",\"   \"\r\n"
                   "\"/p/b, c.jpg\",\"tn_b.jpg\",\"\"\r\n"
                   "\"/p/\xc3\xa9.jpg\",\"tn_\xc3\xa9.jpg\",\"\xc3\x86r\xc3\xb8 \xe2\x80\x93 "
                   "\xe6\xb8\xaf\"\r\n")
            << QStringList{"/p/A.jpg|tn_A.jpg|Quay \"North\", at dawn", "/p/a.jpg||   ",
                           "/p/b, c.jpg|tn_b.jpg|", "/p/é.jpg|tn_é.jpg|Ærø – 港"};
        QTest::addRow("image and title only: the thumbnails come back empty")
            << 1 << 0 << 0 << 4
            << QByteArray("FORMAT:1.  image,title\r\nFIELDS:image file, title\r\n"
                          "\"/p/A.jpg\",\"Quay \"\"North\"\", at dawn\"\r\n"
                          "\"/p/a.jpg\",\"   \"\r\n"
                          "\"/p/b, c.jpg\",\"\"\r\n"
                          "\"/p/\xc3\xa9.jpg\",\"\xc3\x86r\xc3\xb8 \xe2\x80\x93 \xe6\xb8\xaf\"\r\n")
            << QStringList{"/p/A.jpg||Quay \"North\", at dawn", "/p/a.jpg||   ", "/p/b, c.jpg||",
                           "/p/é.jpg||Ærø – 港"};
        QTest::addRow("only entries with titles; a title of blanks is none")
            << 1 << 1 << 0 << 4
            << QByteArray("FORMAT:1.  image,title\r\nFIELDS:image file, title\r\n"
                          "\"/p/A.jpg\",\"Quay \"\"North\"\", at dawn\"\r\n"
                          "\"/p/\xc3\xa9.jpg\",\"\xc3\x86r\xc3\xb8 \xe2\x80\x93 \xe6\xb8\xaf\"\r\n")
            << QStringList{"/p/A.jpg||Quay \"North\", at dawn", "/p/é.jpg||Ærø – 港"};
        QTest::addRow("only entries with thumbnails")
            << 2 << 2 << 0 << 4
            << QByteArray(
                   "FORMAT:2.  image,thumbnail,title\r\nFIELDS:image file, thumbnail, title\r\n"
                   "\"/p/A.jpg\",\"tn_A.jpg\",\"Quay \"\"North\"\", at dawn\"\r\n"
                   "\"/p/b, c.jpg\",\"tn_b.jpg\",\"\"\r\n"
                   "\"/p/\xc3\xa9.jpg\",\"tn_\xc3\xa9.jpg\",\"\xc3\x86r\xc3\xb8 \xe2\x80\x93 "
                   "\xe6\xb8\xaf\"\r\n")
            << QStringList{"/p/A.jpg|tn_A.jpg|Quay \"North\", at dawn", "/p/b, c.jpg|tn_b.jpg|",
                           "/p/é.jpg|tn_é.jpg|Ærø – 港"};
        QTest::addRow("no entry with a title, one of blanks only: the two header lines alone, "
                      "loading an empty catalog")
            << 1 << 1 << 1 << 2
            << QByteArray("FORMAT:1.  image,title\r\nFIELDS:image file, title\r\n")
            << QStringList{};
    }
    void savesAndLoadsTheCatalog()
    {
        QFETCH(int, format);
        QFETCH(int, filter);
        QFETCH(int, from);
        QFETCH(int, count);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, loaded);
        Program p;
        const QString path = p.tp.path("catalog.txt");
        p.tp.ui.expectMessage("The image data has been save in " + path);

        QVERIFY(save_catalog_data(path, catalog.mid(from, count), CatalogDataFormat(format),
                                  CatalogSaveFilter(filter)));
        QCOMPARE(p.tp.read("catalog.txt"), file);
        const std::optional<CatalogData> data = load_catalog_data(path);

        VERIFY_DIALOGS(p.tp);
        QVERIFY(data);
        QCOMPARE(int(data->format), format);
        QCOMPARE(rows(data->entries), loaded);
    }

    void readsHandWrittenAndOlderFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addRow("a colon and the digit alone name the layout; LF line ends")
            << "FORMAT:2\nanything\n\"/p/a.jpg\",\"tn_a.jpg\",\"Harbour\"\n"
            << QStringList{"/p/a.jpg|tn_a.jpg|Harbour"};
        QTest::addRow("CR line ends, no line end at the end")
            << "FORMAT:1.  image,title\rFIELDS:image file, "
               "title\r\"/p/a.jpg\",\"Harbour\"\r\"/p/b.jpg\",\"Quay\""
            << QStringList{"/p/a.jpg||Harbour", "/p/b.jpg||Quay"};
        QTest::addRow("entries need not keep to their lines, only to their count of fields")
            << "FORMAT:2\r\nFIELDS:\r\n\"/p/a.jpg\",\"t1\"\r\n\"T1\",\"/p/"
               "b.jpg\"\r\n\"t2\",\"T2\"\r\n"
            << QStringList{"/p/a.jpg|t1|T1", "/p/b.jpg|t2|T2"};
        QTest::addRow("unquoted fields lose their leading blanks; blank lines hold no entry")
            << "FORMAT:1\r\nFIELDS:\r\n\r\n/p/a.jpg,   Harbour mouth\r\n   \r\n  /p/b.jpg,\r\n\r\n"
            << QStringList{"/p/a.jpg||Harbour mouth", "/p/b.jpg||"};
        QTest::addRow(
            "a stray quote the older writer left in a title ends the title there, as it always did")
            << "FORMAT:1\r\nFIELDS:\r\n\"/p/a.jpg\",\"The \"Harbour\" at "
               "dawn\"\r\n\"/p/b.jpg\",\"Quay\"\r\n"
            << QStringList{"/p/a.jpg||The ", "/p/b.jpg||Quay"};
        QTest::addRow(
            "a file edited out of order is sorted, thumbnails and titles kept with their images")
            << "FORMAT:2\r\nFIELDS:\r\n\"/p/c.jpg\",\"tn_c.jpg\",\"C\"\r\n\"/p/"
               "a.jpg\",\"\",\"A\"\r\n"
               "\"/p/B.jpg\",\"tn_B.jpg\",\"\"\r\n"
            << QStringList{"/p/a.jpg||A", "/p/B.jpg|tn_B.jpg|", "/p/c.jpg|tn_c.jpg|C"};
        QTest::addRow("A.jpg and a.jpg in one folder stay with their own titles")
            << "FORMAT:2\r\nFIELDS:\r\n\"/p/a.jpg\",\"tn_a.jpg\",\"lower\"\r\n\"/p/"
               "A.jpg\",\"tn_A.jpg\",\"upper\"\r\n"
            << QStringList{"/p/A.jpg|tn_A.jpg|upper", "/p/a.jpg|tn_a.jpg|lower"};
    }
    void readsHandWrittenAndOlderFiles()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QString error;
        const std::optional<CatalogData> data = parse_catalog_data(text, &error);
        QVERIFY2(data, qPrintable(error));
        QCOMPARE(rows(data->entries), entries);
    }

    void loadTellsWhatItCannotUseAndChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("told");
        QTest::addRow("a cancelled dialog: no path, nothing told")
            << "" << QByteArray() << QString();
        QTest::addRow("a file that is not there")
            << "gone.txt" << QByteArray() << "The image data file %1 could not be read: ";
        QTest::addRow("a first line without a colon")
            << "list.txt" << QByteArray("FORMAT 2\r\nFIELDS:\r\n\"/p/a.jpg\",\"\",\"A\"\r\n")
            << "The image data file %1 was not loaded: its first line names no format 1 or 2.";
        QTest::addRow("a layout the program does not write")
            << "list.txt" << QByteArray("FORMAT:3.  other\r\nFIELDS:\r\n")
            << "The image data file %1 was not loaded: its first line names no format 1 or 2.";
        QTest::addRow("a first line alone")
            << "list.txt" << QByteArray("FORMAT:1")
            << "The image data file %1 was not loaded: it has no line naming the fields.";
        QTest::addRow("a last entry cut short")
            << "list.txt"
            << QByteArray("FORMAT:2\r\nFIELDS:\r\n\"/p/a.jpg\",\"\",\"A\"\r\n\"/p/"
                          "b.jpg\",\"tn_b.jpg\"\r\n")
            << "The image data file %1 was not loaded: its last entry has fewer fields than its "
               "format.";
    }
    void loadTellsWhatItCannotUseAndChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        Program p;
        const QString path = name.isEmpty() ? QString() : p.tp.path(name);
        if (!content.isEmpty())
            p.tp.write(name, content);
        if (!told.isEmpty())
            p.tp.ui.expectMessage(std::nullopt);

        QVERIFY(!load_catalog_data(path));

        VERIFY_DIALOGS(p.tp);
        QCOMPARE(p.tp.ui.asked().size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            const QString asked = p.tp.ui.asked().at(0).text;
            QVERIFY2(told.endsWith(u' ')
                         ? asked.startsWith(told.arg(path)) && asked.size() > told.arg(path).size()
                         : asked == told.arg(path),
                     qPrintable(asked));
            QCOMPARE(p.tp.ui.asked().at(0).style, platform::MsgBox::Exclamation);
        }
    }

    void loadKeepsTheFirst9999EntriesAndSaysSo()
    {
        Program p;
        QByteArray file = "FORMAT:1\r\nFIELDS:\r\n";
        for (int i = 0; i < 10000; ++i)
            file += "\"/p/" + QByteArray::number(100000 + i) + ".jpg\",\"\"\r\n";
        p.tp.write("big.txt", file);
        const QString path = p.tp.path("big.txt");
        p.tp.ui.expectMessage("Only the first 9999 entries of " + path +
                              " were loaded; 1 more were left out.");

        const std::optional<CatalogData> data = load_catalog_data(path);

        VERIFY_DIALOGS(p.tp);
        QVERIFY(data);
        QCOMPARE(data->entries.size(), 9999);
        QCOMPARE(data->entries.last().image, "/p/109998.jpg");
    }

    void aFailedSaveIsToldAndNeverClaimsSuccess_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("style");
        QTest::addRow("no file chosen")
            << ""
            << "You must select a file name before saving file information."
            << int(platform::MsgBox::Information);
        QTest::addRow("a folder that does not exist")
            << "gone/catalog.txt"
            << "The image data could not be saved in %1: " << int(platform::MsgBox::Exclamation);
    }
    void aFailedSaveIsToldAndNeverClaimsSuccess()
    {
        QFETCH(QString, name);
        QFETCH(QString, told);
        QFETCH(int, style);
        Program p;
        const QString path = name.isEmpty() ? QString() : p.tp.path(name);
        p.tp.ui.expectMessage(std::nullopt);

        QVERIFY(!save_catalog_data(path, catalog, CatalogDataFormat::ImageThumbnailTitle,
                                   CatalogSaveFilter::All));

        VERIFY_DIALOGS(p.tp);
        QCOMPARE(p.tp.ui.asked().size(), 1);
        const QString asked = p.tp.ui.asked().at(0).text;
        QVERIFY2(told.endsWith(u' ')
                     ? asked.startsWith(told.arg(path)) && asked.size() > told.arg(path).size()
                     : asked == told,
                 qPrintable(asked));
        QCOMPARE(p.tp.ui.asked().at(0).style, style);
        QVERIFY(!QFileInfo::exists(p.tp.path("gone")));
    }
};

QTEST_GUILESS_MAIN(TestCatalogData)
#include "tst_catalogdata.moc"
