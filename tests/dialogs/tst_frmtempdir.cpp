#include "dialogs/widgets/frmtempdir.h"

#include "settings/program.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

#include "testprogram.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

QString label(const FrmTempDir& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QString::fromUtf8(name))->text();
}

} // namespace

class TestFrmTempDir : public QObject
{
    Q_OBJECT

private slots:
    void showsTheStoredDirectoryAndAnotherDriveMovesIt()
    {
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("web"));
        settings().internet_dir = tp.path(QStringLiteral("web"));
        TargetDirectory target(tp.folder());
        QCOMPARE(target.height, 5925);
        FrmTempDir dialog(&target);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Temporary Internet Directory"));
        QCOMPARE(label(dialog, "Label2"), QStringLiteral("Selected Directory:"));
        QCOMPARE(dialog.o_dir()->path(), tp.path(QStringLiteral("web")));
        QCOMPARE(label(dialog, "o_directory"), tp.path(QStringLiteral("web")));
        // The program folder stands for a second volume, on which nothing was shown yet.
        dialog.o_drive()->setVolumes({QDir::rootPath(), tp.folder()});
        QVERIFY(dialog.o_drive()->setDrive(tp.folder()));
        QCOMPARE(target.o_drive, tp.folder());
        QCOMPARE(dialog.o_dir()->path(), tp.folder());
        QCOMPARE(label(dialog, "o_directory"), tp.folder());
        // Leaving without a new selection stores that drive's directory.
        dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        target.unload();
        QCOMPARE(settings().internet_dir.text(), tp.folder());
    }
};

QTEST_MAIN(TestFrmTempDir)
#include "tst_frmtempdir.moc"
