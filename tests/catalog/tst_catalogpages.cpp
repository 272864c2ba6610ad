#include "catalog/catalogpages.h"

#include "settings/program.h"

#include "platform/events.h"
#include "platform/ui.h"

#include "fakemainform.h"
#include "expectedpage.h"
#include "testprogram.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>

using namespace mosaicon;
using namespace mosaicon::catalog;

namespace {

const QString confirmation =
    QStringLiteral("The new JPG thumbnail file(s) will be created in the %1 directory.  "
                   "Is this what you want?");
const QString perPageRefusal =
    QStringLiteral("The number of images per row and the number of images per column "
                   "must each be a whole number greater than zero.");

// The catalog of every case: full paths in "pics" (one with an apostrophe
// and a blank, one with an accent, a "#" and a "%"), bare thumbnail names, a
// title with markup kept as typed, and last a picture on the web.
QList<CatalogEntry> catalogEntries(const QString& pics)
{
    return {{pics + "/a.jpg", "tn_a.jpg", "Harbour"},
            {pics + "/b.jpg", "", ""},
            {pics + "/c.jpg", "tn_c.jpg", "<b>Bold</b> & co"},
            {pics + "/o'brien 1.jpg", "tn_o'brien 1.jpg", "Pat"},
            {pics + QString::fromUtf8("/caf\xc3\xa9 #5%.jpg"),
             QString::fromUtf8("tn_caf\xc3\xa9 #5%.jpg"), "End"},
            {"http://example.com/o'hara.jpg?w=1&h=2", "https://example.com/tn 1.jpg", "Web"}};
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestCatalogPages : public QObject
{
    Q_OBJECT

    struct Catalog
    {
        TestProgram tp;
        QString target = tp.path("web");
        QString pics = tp.path("pics");
        Catalog()
        {
            program().product_title = QStringLiteral("Mosaicon");
            settings().table_cell_padding = QStringLiteral("7");
            QDir(tp.folder()).mkpath(QStringLiteral("web"));
        }
        QByteArray homeAddress() const
        {
            return QUrl::fromLocalFile(target + "/mkn_catalog.htm").toEncoded();
        }
    };

private slots:
    void writesEveryPageAsTheCatalogShowsIt_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<bool>("useThumbs");
        QTest::addColumn<int>("entries");
        // The expected pages, named as the catalog names them; "@FOLDER@" in
        // them stands for the pictures' folder as it is listed.
        QTest::addColumn<QStringList>("expected");
        // What the status line says each time the window is let answer, and
        // the files written by then.
        QTest::addColumn<QStringList>("yields");

        const QString home = QStringLiteral("catalog/mkn_catalog.htm");
        QTest::addRow("thumbnails, 2 x 2: a full first page, then one row of one cell")
            << "2"
            << "2" << true << 5
            << QStringList{home, "catalog/thumbnails-2x2/mkncat1.htm", "catalog/thumbnails-2x2/mkncat2.htm"}
            << QStringList{"Writing catalog page 1 of 2. |",
                           "Writing catalog page 2 of 2. | mkncat1.htm",
                           "The catalog T/mkn_catalog.htm has been created. | mkn_catalog.htm "
                           "mkncat1.htm mkncat2.htm"};
        QTest::addRow("full size, one per row, 2 rows: first, middle and a last page of one row")
            << "1"
            << "2" << false << 5
            << QStringList{home, "catalog/full-1x2/mkncat1.htm", "catalog/full-1x2/mkncat2.htm",
                           "catalog/full-1x2/mkncat3.htm"}
            << QStringList{
                   "Writing catalog page 1 of 3. |", "Writing catalog page 2 of 3. | mkncat1.htm",
                   "Writing catalog page 3 of 3. | mkncat1.htm mkncat2.htm",
                   "The catalog T/mkn_catalog.htm has been created. | mkn_catalog.htm mkncat1.htm "
                   "mkncat2.htm mkncat3.htm"};
        QTest::addRow("thumbnails, 3 x 2: one page; an address is listed as it stands")
            << "3"
            << "2" << true << 6 << QStringList{home, "catalog/thumbnails-3x2/mkncat1.htm"}
            << QStringList{"Writing catalog page 1 of 1. |",
                           "The catalog T/mkn_catalog.htm has been created. | mkn_catalog.htm mkncat1.htm"};

        QTest::addRow("an empty catalog writes only the home page, still linking page 1")
            << "2"
            << "2" << true << 0 << QStringList{home}
            << QStringList{"The catalog T/mkn_catalog.htm has been created. | mkn_catalog.htm"};
    }
    void writesEveryPageAsTheCatalogShowsIt()
    {
        QFETCH(QString, columns);
        QFETCH(QString, rows);
        QFETCH(bool, useThumbs);
        QFETCH(int, entries);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, yields);
        Catalog c;
        FakeMainForm window;
        platform::setMainFormView(&window);
        const auto noWindow = qScopeGuard([] { platform::setMainFormView(nullptr); });
        QStringList seen;
        platform::setDoEventsHook([&] {
            seen << (QString(window.calls.value(window.calls.size() - 1))
                         .remove(0, 7)
                         .replace(c.target, "T") +
                     " | " + filesIn(c.target).join(u' '))
                        .trimmed();
        });
        // The folder's own bytes stand in the pages, so it must need no encoding.
        QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z0-9/._-]+$")).match(c.pics).hasMatch(),
                 qPrintable(c.pics));
        c.tp.ui.expectMessage(confirmation.arg(c.target), platform::MsgBox::Yes);

        QVERIFY(write_catalog_pages(c.target, catalogEntries(c.pics).mid(0, entries),
                                    {columns, rows, useThumbs}));

        VERIFY_DIALOGS(c.tp);
        QCOMPARE(c.tp.ui.asked().at(0).style, platform::MsgBox::YesNo + platform::MsgBox::Question);
        QStringList names;
        for (const QString& page : expected)
            names << QFileInfo(page).fileName();
        QCOMPARE(filesIn(c.target), names);
        for (const QString& page : expected)
            COMPARE_PAGE(c.tp.read("web/" + QFileInfo(page).fileName()), page, c.pics);
        QCOMPARE(c.tp.shell.opened, QStringList{QString::fromUtf8(c.homeAddress())});
        QCOMPARE(seen, yields);
    }

    void refusesWhatIsNotAPositiveWholeNumberBeforeAsking_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("rows");
        QTest::addRow("an empty per-row box") << ""
                                              << "2";
        QTest::addRow("zero rows") << "2"
                                   << "0";
        QTest::addRow("a word") << "two"
                                << "2";
        QTest::addRow("a number followed by letters") << "2"
                                                      << "3x";
        QTest::addRow("a fraction") << "1.5"
                                    << "2";
        QTest::addRow("a negative count") << "-2"
                                          << "2";
        QTest::addRow("a count too large to hold") << "2"
                                                   << "99999999999999999999";
    }
    void refusesWhatIsNotAPositiveWholeNumberBeforeAsking()
    {
        QFETCH(QString, columns);
        QFETCH(QString, rows);
        Catalog c;
        c.tp.ui.expectMessage(perPageRefusal);

        QVERIFY(!write_catalog_pages(c.target, catalogEntries(c.pics), {columns, rows, true}));

        VERIFY_DIALOGS(c.tp);
        QCOMPARE(c.tp.ui.asked().size(), 1);
        QCOMPARE(catalog_images_per_page({columns, rows, true}), 0);
        QVERIFY(filesIn(c.target).isEmpty());
        QVERIFY(c.tp.shell.opened.isEmpty());
    }

    void writesNothingWhenStoppedBeforeThePages_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("told");
        QTest::addRow("the user answers No") << "web" << int(platform::MsgBox::No) << QString();
        QTest::addRow("the target folder is gone")
            << "gone" << int(platform::MsgBox::Yes)
            << "The catalog was not written because the target directory %1 does not exist.";
    }
    void writesNothingWhenStoppedBeforeThePages()
    {
        QFETCH(QString, folder);
        QFETCH(int, answer);
        QFETCH(QString, told);
        Catalog c;
        const QString target = c.tp.path(folder);
        c.tp.ui.expectMessage(confirmation.arg(target), answer);
        if (!told.isEmpty())
            c.tp.ui.expectMessage(told.arg(target));

        QVERIFY(!write_catalog_pages(target, catalogEntries(c.pics), {"2", "2", true}));

        VERIFY_DIALOGS(c.tp);
        QVERIFY(filesIn(c.target).isEmpty());
        QVERIFY(!QFileInfo::exists(c.tp.path("gone")));
        QVERIFY(c.tp.shell.opened.isEmpty());
    }

    void aFailedPageIsToldOnceAndNothingIsOpened()
    {
        Catalog c;
        // A folder in the place of page 2: it cannot be replaced by a page.
        QDir(c.target).mkpath(QStringLiteral("mkncat2.htm"));
        c.tp.ui.expectMessage(confirmation.arg(c.target), platform::MsgBox::Yes);
        c.tp.ui.expectMessage(std::nullopt);

        QVERIFY(!write_catalog_pages(c.target, catalogEntries(c.pics), {"1", "2", true}));

        VERIFY_DIALOGS(c.tp);
        QCOMPARE(c.tp.ui.asked().size(), 2);
        const QString told = c.tp.ui.asked().at(1).text;
        QVERIFY2(told.startsWith("The catalog page " + c.target +
                                 "/mkncat2.htm could not be written: ") &&
                     told.size() > told.indexOf(u':') + 2,
                 qPrintable(told));
        QCOMPARE(filesIn(c.target), (QStringList{"mkncat1.htm", "mkncat2.htm"}));
        QVERIFY(QFileInfo(c.target + "/mkncat2.htm").isDir());
        QVERIFY(c.tp.shell.opened.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCatalogPages)
#include "tst_catalogpages.moc"
