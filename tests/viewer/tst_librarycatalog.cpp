#include "viewer/frmlibrarycatalog.h"
#include "viewer/librarycatalog.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace mosaicon;
using viewer::FrmLibraryCatalog;
using viewer::LibraryCatalog;

namespace {

// Pictures of these names in the program folder, as the main list gives them.
QStringList pictures(const TestProgram& tp, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(tp.path(name), "JPEG");
        paths.append(tp.path(name));
    }
    return paths;
}

QStringList titles()
{
    QStringList out;
    for (const CatalogRow& row : program().catalog)
        out.append(row.title);
    return out;
}

void leave(QWidget* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

} // namespace

class TestLibraryCatalog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(QApplication::topLevelWidgets().size(), 0); }

    void aTypedTitleStaysWithItsEntry_data()
    {
        QTest::addColumn<int>("entry"); // in the window's list: A.jpg, a.jpg, b.jpg
        QTest::addColumn<QString>("title");
        QTest::addRow("the upper-case twin") << 0 << "Harbour";
        QTest::addRow("the lower-case twin") << 1 << "Harbour";
        QTest::addRow("a title that holds markup stays as typed")
            << 2 << "<b>Harbour</b> & <i>boats</i>";
    }
    void aTypedTitleStaysWithItsEntry()
    {
        QFETCH(int, entry);
        QFETCH(QString, title);
        TestProgram tp;
        const QStringList sorted = pictures(tp, {"A.jpg", "a.jpg", "b.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load({sorted[2], sorted[1], sorted[0]});
        FrmLibraryCatalog window(&catalog);
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("o_image_title"));

        window.flelist()->setCurrentRow(entry);
        box->setText(title);
        leave(box);
        const int other = (entry + 1) % 3;
        window.flelist()->setCurrentRow(other);
        QCOMPARE(box->text(), QString());
        window.flelist()->setCurrentRow(entry);

        QCOMPARE(box->text(), title);
        QCOMPARE(window.windowTitle(), QStringLiteral("Image Catalog - ") + sorted[entry]);
        QCOMPARE(listEntries(window.flelist()), sorted);
        QCOMPARE(catalog.flelist(), sorted);
        QStringList expected(3);
        expected[entry] = title;
        QCOMPARE(titles(), expected);
        VERIFY_DIALOGS(tp);
    }

    void leavingTheTitleBoxWithSeveralSelectedSetsTheShownEntryOnly()
    {
        TestProgram tp;
        const QStringList paths = pictures(tp, {"1.jpg", "2.jpg", "3.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load(paths);
        program().catalog[1].title = QStringLiteral("Quay");
        FrmLibraryCatalog window(&catalog);
        window.flelist()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        window.flelist()->setCurrentRow(0, QItemSelectionModel::Select);
        window.flelist()->setCurrentRow(2, QItemSelectionModel::Select);
        QCOMPARE(catalog.selected, QList<bool>({true, true, true}));
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("o_image_title"));
        box->setText(QStringLiteral("Pier"));
        leave(box);
        QCOMPARE(titles(),
                 QStringList({QString(), QStringLiteral("Quay"), QStringLiteral("Pier")}));
    }

    void thumbnailSizeRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<QString>("kept");
        QTest::addRow("zero")
            << "0"
            << "Thumbnail size cannot be zero.  The default size of 100 will be used."
            << "100";
        QTest::addRow("a leading zero") << "050"
                                        << "Thumbnail size cannot be prefixed with a zero.  The "
                                           "default size of 100 will be used."
                                        << "100";
        QTest::addRow("blank")
            << ""
            << "The thumbnail size cannot be blank.  The default size of 100 will be used."
            << "100";
        QTest::addRow("a size") << "150"
                                << ""
                                << "150";
    }
    void thumbnailSizeRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load({});
        QCOMPARE(catalog.o_tn_size.text, QStringLiteral("100"));
        if (!message.isEmpty())
            tp.ui.expectMessage(message);
        catalog.o_tn_size.text = typed;
        catalog.o_tn_size_Change();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(catalog.o_tn_size.text, kept);
        QCOMPARE(settings().thumb_size.text(), kept);
    }

    void promptForTitlesStopsAtAnEmptyAnswer()
    {
        TestProgram tp;
        const QStringList paths = pictures(tp, {"1.jpg", "2.jpg", "3.jpg"});
        LibraryCatalog catalog;
        catalog.Form_Load(paths);
        catalog.selected = {false, true, false};
        const QString prompt = QStringLiteral("Enter the title for this image.");
        tp.ui.expectInput(prompt, QStringLiteral("Two")).expectInput(prompt, QString());
        catalog.menuOptionsItem_Click(10);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().at(0).title, paths[1]);
        QCOMPARE(tp.ui.asked().at(1).title, paths[2]);
        QCOMPARE(titles(), QStringList({QString(), QStringLiteral("Two"), QString()}));
        QCOMPARE(catalog.ListIndex, 2);
        QCOMPARE(catalog.selected, QList<bool>({false, false, true}));
    }

    void aCancelledFileDialogChangesNothing()
    {
        TestProgram tp;
        LibraryCatalog catalog;
        catalog.Form_Load(pictures(tp, {"1.jpg"}));
        catalog.o_output_file.text = tp.path("old.txt");
        settings().last_directory = tp.path("start/");
        const QList<CatalogRow> before = program().catalog;
        tp.ui.expectFile(QStringLiteral("Select The Catalog Output File"), std::nullopt);
        catalog.b_select_file_Click();
        VERIFY_DIALOGS(tp);
        QCOMPARE(catalog.o_output_file.text, tp.path("old.txt"));
        QCOMPARE(settings().last_directory.text(), tp.path("start/"));
        QCOMPARE(program().catalog, before);
    }
};

QTEST_MAIN(TestLibraryCatalog)
#include "tst_librarycatalog.moc"
