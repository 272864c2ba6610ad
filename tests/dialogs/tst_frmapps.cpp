#include "dialogs/widgets/frmapps.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

class TestFrmApps : public QObject
{
    Q_OBJECT

private slots:
    void leavingStoresWhatWasTyped_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("expected"); // the editor command afterwards; "old" for unchanged
        QTest::addRow("Exit stores a command with arguments as typed") << "exit"
                                                                       << "/opt/ed/run -n  --wait";
        QTest::addRow("File > Exit stores it") << "file"
                                               << "/opt/ed/run -n  --wait";
        QTest::addRow("the frame's close drops what was typed") << "frame"
                                                                << "old";
        QTest::addRow("Escape drops what was typed") << "escape"
                                                     << "old";
    }
    void leavingStoresWhatWasTyped()
    {
        QFETCH(QString, way);
        QFETCH(QString, expected);
        TestProgram tp;
        program().ini_file_path = tp.path(QStringLiteral("mosaik.ini"));
        const QString old = QStringLiteral("/usr/bin/Kwrite --x");
        settings().editor_command = old;
        EditorSetting editor;
        QCOMPARE(editor.height, 1965);
        FrmApps dialog(&editor);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Applications"));
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(),
                 QStringLiteral("Editor"));
        auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("o_editor"));
        QCOMPARE(box->text(), old);
        dialog.open();
        QSignalSpy finished(&dialog, &QDialog::finished);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("/opt/ed/run -n  --wait"));
        if (way == QLatin1String("exit"))
            dialog.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
        else if (way == QLatin1String("file"))
            dialog.menuFileItem(99)->trigger();
        else if (way == QLatin1String("frame"))
            dialog.close();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(settings().editor_command.text(),
                 expected == QLatin1String("old") ? old : expected);
        // Only the picker writes the settings file at once.
        QVERIFY(!tp.settingsText().contains(QStringLiteral("Editor=")));
    }

    void selectStoresTheChosenProgramAtOnce()
    {
        TestProgram tp;
        program().ini_file_path = tp.path(QStringLiteral("mosaik.ini"));
        tp.write(QStringLiteral("myedit"), "#!/bin/sh\n");
        QFile::setPermissions(tp.path(QStringLiteral("myedit")),
                              QFile::ReadOwner | QFile::ExeOwner);
        settings().editor_command = QStringLiteral("/old/ed");
        EditorSetting editor;
        FrmApps dialog(&editor);
        dialog.open();
        tp.ui.expectFile(QStringLiteral("Select HTML Editor"), tp.path(QStringLiteral("myedit")));
        dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        VERIFY_DIALOGS(tp);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("o_editor"))->text(),
                 tp.path(QStringLiteral("myedit")));
        QCOMPARE(settings().editor_command.text(), tp.path(QStringLiteral("myedit")));
        QVERIFY(tp.settingsText().contains(QStringLiteral("Editor=") +
                                           tp.path(QStringLiteral("myedit"))));
        // Closing by the frame now keeps the chosen program.
        dialog.close();
        QCOMPARE(settings().editor_command.text(), tp.path(QStringLiteral("myedit")));
    }
};

QTEST_MAIN(TestFrmApps)
#include "tst_frmapps.moc"
