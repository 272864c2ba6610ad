#include "catalog/catalogdata.h"
#include "pagekit/imagelists.h"

#include "settings/program.h"

#include "platform/ui.h"

#include "testprogram.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace mosaicon;
using namespace mosaicon::catalog;

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
const QList<CatalogEntry> entries = {{"/p/A.jpg", "tn_A.jpg", "Quay \"North\", at dawn"},
                                     {"/p/a.jpg", "", "   "},
                                     {"/p/b, c.jpg", "tn_b.jpg", ""},
                                     {"/p/é.jpg", "tn_é.jpg", "Ærø – 港"}};

// The entries as a load gives them back: in the one image order, thumbnails
// kept only by the layout that holds them.
QList<CatalogEntry> asLoaded(QList<CatalogEntry> entries, CatalogDataFormat format)
{
    if (format == CatalogDataFormat::ImageTitle)
        for (CatalogEntry& e : entries)
            e.thumbnail.clear();
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CatalogEntry& a, const CatalogEntry& b) {
                         return image_path_less(a.image, b.image);
                     });
    return entries;
}

// Characters that trouble a reader of quoted, comma-separated lines.
const QString nasty = QStringLiteral("\",\r\n \t:12aé港\u00a0\u2028");

QString randomText(QRandomGenerator& rng, int maxLength)
{
    QString text;
    for (int n = int(rng.bounded(maxLength + 1)); n > 0; --n)
        text += nasty.at(int(rng.bounded(int(nasty.size()))));
    return text;
}

} // namespace

Q_DECLARE_METATYPE(QList<mosaicon::catalog::CatalogEntry>)

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

        QVERIFY(save_catalog_data(path, entries.mid(from, count), CatalogDataFormat(format),
                                  CatalogSaveFilter(filter)));
        QCOMPARE(p.tp.read("catalog.txt"), file);
        const std::optional<CatalogData> data = load_catalog_data(path);

        VERIFY_DIALOGS(p.tp);
        QVERIFY(data);
        QCOMPARE(int(data->format), format);
        QCOMPARE(rows(data->entries), loaded);
    }

    void whatIsSavedLoadsBackExactly_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QList<CatalogEntry>>("entries");
        QTest::addColumn<QByteArray>("file"); // the file's bytes; empty: not compared
        const QList<CatalogEntry> oneBreak = {
            {"/p/a.jpg", "tn_a.jpg", "A"}, {"/p/b\nc.jpg", "tn_b.jpg", "B"}, {"/p/d.jpg", "", "D"}};
        QTest::addRow(
            "a line break in one image name: the quoted field runs on to its closing quote")
            << 1 << oneBreak
            << QByteArray(
                   "FORMAT:1.  image,title\r\nFIELDS:image file, title\r\n\"/p/a.jpg\",\"A\"\r\n"
                   "\"/p/b\nc.jpg\",\"B\"\r\n\"/p/d.jpg\",\"D\"\r\n");
        QTest::addRow("line breaks of every kind in two names")
            << 2
            << QList<CatalogEntry>{{"/p/a\r\nb.jpg", "tn_a.jpg", "A"},
                                   {"/p/c\rd.jpg", "", "C"},
                                   {"/p/e.jpg", "", ""}}
            << QByteArray();
        QTest::addRow("three of five names with line breaks keep their own titles and thumbnails")
            << 2
            << QList<CatalogEntry>{{"/p/1\n.jpg", "tn_1.jpg", "One"},
                                   {"/p/2.jpg", "tn_2.jpg", "Two"},
                                   {"/p/3\n\n.jpg", "tn_3.jpg", "Three"},
                                   {"/p/4.jpg", "", "Four"},
                                   {"/p/5\r.jpg", "tn_5.jpg", "Five,\nlast"}}
            << QByteArray();
        QTest::addRow("quotes, commas, blanks and text beyond ASCII in names and titles")
            << 2
            << QList<CatalogEntry>{{"/p/\"q\".jpg", "\"", "\"\","},
                                   {"/p/ , .jpg", " ", "  lead and trail  "},
                                   {"/p/\u00e9\u6e2f\u2028.jpg", "tn_\u00e9.jpg",
                                    "\u00c6r\u00f8\t\u00a0\""}}
            << QByteArray();
    }
    void whatIsSavedLoadsBackExactly()
    {
        QFETCH(int, format);
        QFETCH(QList<CatalogEntry>, entries);
        QFETCH(QByteArray, file);
        Program p;
        const QString path = p.tp.path("catalog.txt");
        p.tp.ui.expectMessage("The image data has been save in " + path);

        QVERIFY(
            save_catalog_data(path, entries, CatalogDataFormat(format), CatalogSaveFilter::All));
        if (!file.isEmpty())
            QCOMPARE(p.tp.read("catalog.txt"), file);
        const std::optional<CatalogData> data = load_catalog_data(path);

        VERIFY_DIALOGS(p.tp);
        QVERIFY(data);
        QCOMPARE(rows(data->entries), rows(asLoaded(entries, CatalogDataFormat(format))));
    }

    void aTextTheFileCannotHoldIsRefusedBeforeAnythingIsWritten()
    {
        Program p;
        p.tp.write("catalog.txt", "older");
        const QString path = p.tp.path("catalog.txt");
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        const QString title = QStringLiteral("half ") + QChar(0xd800);
        p.tp.ui.expectMessage("The image data could not be saved in " + path + ": the text \"" +
                              title + "\" holds a character a text file cannot hold.");

        QVERIFY(!save_catalog_data(path, {{"/p/a.jpg", "", "A"}, {"/p/b.jpg", "", title}},
                                   CatalogDataFormat::ImageTitle, CatalogSaveFilter::All));

        VERIFY_DIALOGS(p.tp);
        QCOMPARE(p.tp.ui.asked().at(0).style, platform::MsgBox::Exclamation);
        QCOMPARE(p.tp.read("catalog.txt"), QByteArray("older"));
        QCOMPARE(QFileInfo(path).lastModified(), past);
    }

    void damagedFilesAreReadOrRefusedWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("error"); // empty: the file is read
        const QString head = QStringLiteral("FORMAT:1\r\nFIELDS:\r\n");
        QTest::addRow("a comma at the very end promises an empty last field")
            << head + "\"/p/a.jpg\"," << QStringList{"/p/a.jpg||"} << QString();
        QTest::addRow("a comma alone holds two empty fields")
            << head + "," << QStringList{"||"} << QString();
        QTest::addRow("a comma and a line end at the end") << head + "\"a\",\r\n"
                                                           << QStringList{"a||"} << QString();
        QTest::addRow("a lone quote at the end is a field never closed")
            << head + "\"a\",\"" << QStringList{} << "a quoted field has no closing quote";
        QTest::addRow(
            "a quote left open takes the next line into its field; the count of fields tells")
            << head + "\"a\",\"T\r\n\"b\",\"U\"\r\n"
            << QStringList{} << "its last entry has fewer fields than its format";
        QTest::addRow("an odd quote left over is told")
            << head + "\"a\",\"T\r\n\"b\",\"U\r\n"
            << QStringList{} << "a quoted field has no closing quote";
        QTest::addRow("nothing at all")
            << QString() << QStringList{} << "its first line names no format 1 or 2";
        QTest::addRow("a colon at the very end")
            << "FORMAT:" << QStringList{} << "its first line names no format 1 or 2";
        QTest::addRow("a first line ending in CR alone")
            << "FORMAT:2\r" << QStringList{} << "it has no line naming the fields";
        QTest::addRow("headers alone") << head << QStringList{} << QString();
        QTest::addRow("text after a closing quote is dropped") << head + "\"a\"x\"y,\"b\"z\r\n"
                                                               << QStringList{"a||b"} << QString();
    }
    void damagedFilesAreReadOrRefusedWhole()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QFETCH(QString, error);
        QString why;
        const std::optional<CatalogData> data = parse_catalog_data(text, &why);
        QCOMPARE(why, error);
        QCOMPARE(data.has_value(), error.isEmpty());
        if (data)
            QCOMPARE(rows(data->entries), entries);
    }

    // Damage at random never reads outside the text, and whatever is read is
    // saved and read back the same; random catalogs come back whole.
    void randomDamageAndRandomCatalogs()
    {
        QRandomGenerator rng(20261209);
        for (int round = 0; round < 1500; ++round) {
            const auto format = CatalogDataFormat(1 + int(rng.bounded(2)));
            QList<CatalogEntry> entries;
            for (int n = int(rng.bounded(6)); n > 0; --n)
                entries.append({QStringLiteral("/p/") + randomText(rng, 8), randomText(rng, 4),
                                randomText(rng, 8)});
            const QString saved =
                QString::fromUtf8(catalog_data_bytes(entries, format, CatalogSaveFilter::All));
            const std::optional<CatalogData> back = parse_catalog_data(saved);
            QVERIFY2(back, qPrintable(saved));
            QCOMPARE(rows(back->entries), rows(asLoaded(entries, format)));

            QString damaged = saved;
            for (int cuts = 1 + int(rng.bounded(4)); cuts > 0; --cuts) {
                const int at = int(rng.bounded(int(damaged.size()) + 1));
                switch (rng.bounded(3)) {
                case 0:
                    damaged.insert(at, nasty.at(int(rng.bounded(int(nasty.size())))));
                    break;
                case 1:
                    damaged.remove(at, 1 + int(rng.bounded(3)));
                    break;
                default:
                    damaged.truncate(at);
                }
            }
            QString error;
            const std::optional<CatalogData> read = parse_catalog_data(damaged, &error);
            QCOMPARE(read.has_value(), error.isEmpty());
            if (!read)
                continue;
            const std::optional<CatalogData> again = parse_catalog_data(QString::fromUtf8(
                catalog_data_bytes(read->entries, read->format, CatalogSaveFilter::All)));
            QVERIFY2(again, qPrintable(damaged));
            QCOMPARE(rows(again->entries), rows(read->entries));
        }
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

    // The file keeps every entry, but a load takes back only the first 9999:
    // the save says so rather than claiming success.
    void aCatalogLargerThanALoadTakesIsToldAtSaveAndAtLoad()
    {
        Program p;
        QList<CatalogEntry> big;
        for (int i = 0; i < 10001; ++i)
            big.append({"/p/" + QString::number(100000 + i) + ".jpg", "", ""});
        const QString path = p.tp.path("big.txt");
        p.tp.ui.expectMessage("The image data has been saved in " + path +
                              ", but only the first 9999 of its 10001 entries can be loaded back "
                              "from it.");
        p.tp.ui.expectMessage("Only the first 9999 entries of " + path +
                              " were loaded; 2 more were left out.");

        QVERIFY(save_catalog_data(path, big, CatalogDataFormat::ImageTitle, CatalogSaveFilter::All));
        const std::optional<CatalogData> data = load_catalog_data(path);

        VERIFY_DIALOGS(p.tp);
        QCOMPARE(p.tp.ui.asked().at(0).style, platform::MsgBox::Exclamation);
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

        QVERIFY(!save_catalog_data(path, entries, CatalogDataFormat::ImageThumbnailTitle,
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
