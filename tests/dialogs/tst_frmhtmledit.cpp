#include "dialogs/widgets/frmhtmledit.h"

#include "settings/program.h"

#include "listentries.h"
#include "testprogram.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

namespace {

const QStringList twoPages{QStringLiteral("/web/mosaik.htm"), QStringLiteral("/web/page two.htm")};

struct Fixture
{
    Fixture()
    {
        tp.write(QStringLiteral("ed"), "#!/bin/sh\n");
        QFile::setPermissions(tp.path(QStringLiteral("ed")), QFile::ReadOwner | QFile::ExeOwner);
        settings().editor_command = tp.path(QStringLiteral("ed"));
        files.o_flist.entries = twoPages;
    }

    TestProgram tp;
    GeneratedFiles files;
};

} // namespace

class TestFrmHtmlEdit : public QObject
{
    Q_OBJECT

private slots:
    void showsTheRunsFilesWithItsCaptions()
    {
        Fixture f;
        f.files.o_flist.selected = 1;
        FrmHtmlEdit dialog(&f.files);
        QCOMPARE(dialog.objectName(), QStringLiteral("frm_htmledit"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit HTML Files"));
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
                 QStringLiteral("HTML File List"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Double click on the file to edit"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("Close / Exit"));
        QCOMPARE(dialog.findChild<QMenu*>(QStringLiteral("menuFile"))->title(),
                 QStringLiteral("&File"));
        QCOMPARE(dialog.menuFileItem(5)->text(), QStringLiteral("Edit"));
        QVERIFY(dialog.menuFileItem(90)->isSeparator());
        QCOMPARE(dialog.menuFileItem(99)->text(), QStringLiteral("Exit"));
        QCOMPARE(dialog.o_flist()->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(listEntries(dialog.o_flist()), twoPages);
        QVERIFY(dialog.o_flist()->selectedItems().isEmpty());
        QCOMPARE(f.files.o_flist.selected, -1);
    }

    void doubleClickOpensTheClickedFile()
    {
        Fixture f;
        FrmHtmlEdit dialog(&f.files);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* list = dialog.o_flist();
        const QPoint centre = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(f.files.o_flist.selected, 1);
        QCOMPARE(f.tp.shell.started.size(), 1);
        QCOMPARE(f.tp.shell.started.first().program, f.tp.path(QStringLiteral("ed")));
        QCOMPARE(f.tp.shell.started.first().arguments,
                 QStringList{QStringLiteral("/web/page two.htm")});
        QVERIFY(dialog.isVisible());
        VERIFY_DIALOGS(f.tp);
    }

    void editFollowsTheSelection()
    {
        Fixture f;
        FrmHtmlEdit dialog(&f.files);
        dialog.menuFileItem(5)->trigger();
        dialog.o_flist()->setCurrentRow(0);
        dialog.menuFileItem(5)->trigger();
        dialog.o_flist()->clearSelection();
        dialog.menuFileItem(5)->trigger();
        QCOMPARE(f.tp.shell.started.size(), 3);
        QCOMPARE(f.tp.shell.started.at(0).arguments, QStringList{});
        QCOMPARE(f.tp.shell.started.at(1).arguments,
                 QStringList{QStringLiteral("/web/mosaik.htm")});
        QCOMPARE(f.tp.shell.started.at(2).arguments, QStringList{});
    }

    void everyWayOfClosingEndsTheModalDisplay_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addRow("the Close / Exit button") << "button";
        QTest::addRow("File > Exit") << "exit";
        QTest::addRow("the frame's close") << "frame";
        QTest::addRow("the Escape key") << "escape";
        QTest::addRow("the value closing itself") << "value";
    }
    void everyWayOfClosingEndsTheModalDisplay()
    {
        QFETCH(QString, way);
        Fixture f;
        FrmHtmlEdit dialog(&f.files);
        QSignalSpy valueClosed(&f.files, &GeneratedFiles::hidden);
        dialog.open();
        QSignalSpy finished(&dialog, &QDialog::finished);
        if (way == QLatin1String("button"))
            dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        else if (way == QLatin1String("exit"))
            dialog.menuFileItem(99)->trigger();
        else if (way == QLatin1String("frame"))
            dialog.close();
        else if (way == QLatin1String("escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            f.files.close();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(valueClosed.size(), 1);
        QVERIFY(!dialog.isVisible());
        QVERIFY(f.tp.shell.started.isEmpty());
    }
};

QTEST_MAIN(TestFrmHtmlEdit)
#include "tst_frmhtmledit.moc"
