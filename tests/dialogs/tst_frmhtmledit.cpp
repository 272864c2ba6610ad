#include "dialogs/frmhtmledit.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

class TestFrmHtmlEdit : public QObject
{
    Q_OBJECT

private slots:
    void showsTheRunsFilesWithItsCaptions()
    {
        TestProgram tp;
        GeneratedFiles files;
        files.o_flist = QStringList{QStringLiteral("/web/mosaik.htm"), QStringLiteral("/web/12345678.htm")};
        FrmHtmlEdit dialog(&files);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit HTML Files"));
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(), QStringLiteral("HTML File List"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Double click on the file to edit"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("Close / Exit"));
        QCOMPARE(dialog.o_flist()->count(), 2);
        QCOMPARE(dialog.o_flist()->item(1)->text(), QStringLiteral("/web/12345678.htm"));
    }

    void editOpensTheSelectedFileAndExitCloses()
    {
        TestProgram tp;
        tp.write("ed", "#!/bin/sh\n");
        QFile::setPermissions(tp.path("ed"), QFile::ReadOwner | QFile::ExeOwner);
        settings().editor_command = tp.path("ed");
        GeneratedFiles files;
        files.o_flist = QStringList{QStringLiteral("/web/a.htm"), QStringLiteral("/web/b page.htm")};
        FrmHtmlEdit dialog(&files);
        dialog.o_flist()->setCurrentRow(1);
        dialog.menuFileItem(5)->trigger();
        QCOMPARE(tp.shell.started.size(), 1);
        QCOMPARE(tp.shell.started.first().arguments, QStringList{QStringLiteral("/web/b page.htm")});
        dialog.open();
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.menuFileItem(99)->trigger();
        QCOMPARE(finished.size(), 1);
        VERIFY_DIALOGS(tp);
    }
};

QTEST_MAIN(TestFrmHtmlEdit)
#include "tst_frmhtmledit.moc"
