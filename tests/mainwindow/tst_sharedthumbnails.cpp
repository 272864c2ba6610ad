#include "catalog/catalogpages.h"
#include "pages/createhtml.h"
#include "viewer/librarycatalog.h"

#include "settings/program.h"

#include "pagerunfixture.h"

#include <QFileInfo>
#include <QTest>

using namespace mosaicon;

// A page run and the image catalog at work in one folder: each takes the
// thumbnails the other made as the program's own.
class TestSharedThumbnails : public QObject
{
    Q_OBJECT

private slots:
    void aCatalogMadeInAPageFolderHasAThumbnailInEveryCell_data()
    {
        QTest::addColumn<QString>("listed"); // the folder of the pictures the catalog lists
        QTest::addRow("the catalog over the page's copies") << "web";
        QTest::addRow("the catalog over the pictures the page was made from") << "pics";
    }
    void aCatalogMadeInAPageFolderHasAThumbnailInEveryCell()
    {
        QFETCH(QString, listed);
        PageRunFixture run;
        run.useThumbnails();
        run.picture(QStringLiteral("cat.jpg"), 300, 150);
        run.picture(QStringLiteral("dog.png"), 200, 200);
        go_create_html(run.started());
        VERIFY_DIALOGS(run.tp);
        const QString web = run.tp.path("web");
        QVERIFY(QFileInfo::exists(web + "/cat_tn.jpg") && QFileInfo::exists(web + "/dog_tn.jpg"));

        settings().target_dir = web;
        viewer::LibraryCatalog catalog;
        catalog.Form_Load({run.tp.path(listed + "/cat.jpg"), run.tp.path(listed + "/dog.png")});
        QVERIFY(catalog.waitForPicture());
        catalog.selected = {true, true};
        run.tp.ui.expectMessage(QStringLiteral("The new JPG thumbnail file(s) will be created in the %1 "
                                               "directory.  Is this what you want?")
                                    .arg(web),
                                platform::MsgBox::Yes);
        catalog.convertListToThumbnails();
        VERIFY_DIALOGS(run.tp);
        run.tp.ui.expectMessage(std::nullopt, platform::MsgBox::Yes);
        QVERIFY(catalog::write_catalog_pages(web, catalog.contents().entries(), {"2", "1", true}));
        VERIFY_DIALOGS(run.tp);

        const QByteArray page = run.tp.read("web/mkncat1.htm");
        QVERIFY2(!page.contains("not<br>available"), page.constData());
        QCOMPARE(page.count("<img src='" + web.toUtf8() + "/cat_tn.jpg'>"), 1);
        QCOMPARE(page.count("<img src='" + web.toUtf8() + "/dog_tn.jpg'>"), 1);
    }
};

QTEST_MAIN(TestSharedThumbnails)
#include "tst_sharedthumbnails.moc"
