#include "dialogs/widgets/frmtempdir.h"

#include "settings/program.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"

#include "testprogram.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

namespace {

QString label(const FrmTempDir& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QString::fromUtf8(name))->text();
}

// Enter on an entry of the directory list, as the user picks a directory.
void pick(FrmTempDir& dialog, const QString& entry)
{
    platform::DirListBox* list = dialog.o_dir();
    list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
    QTest::keyClick(list, Qt::Key_Return);
}

} // namespace

class TestFrmTempDir : public QObject
{
    Q_OBJECT

private slots:
    void everyWayOutStoresTheSelectedDirectory_data()
    {
        QTest::addColumn<QString>("stored"); // internet_dir, under the program folder
        QTest::addColumn<QString>("picked"); // a sub-directory the user picks, or none
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("expected"); // internet_dir afterwards
        QTest::addRow("Save / Exit without a new selection keeps the directory") << "web"
                                                                                 << ""
                                                                                 << "save"
                                                                                 << "web";
        QTest::addRow("a picked directory is stored by Save / Exit") << "web"
                                                                     << "out"
                                                                     << "save"
                                                                     << "web/out";
        QTest::addRow("Cancel stores the picked directory too: the unload saves") << "web"
                                                                                  << "out"
                                                                                  << "cancel"
                                                                                  << "web/out";
        QTest::addRow("File > Cancel then the unload stores it") << "web"
                                                                 << "out"
                                                                 << "file98"
                                                                 << "web/out";
        QTest::addRow("File > Save / Exit stores it") << "web"
                                                      << "out"
                                                      << "file99"
                                                      << "web/out";
        QTest::addRow("the frame's close stores it") << "web"
                                                     << "out"
                                                     << "frame"
                                                     << "web/out";
        QTest::addRow("a missing directory: the start directory is stored") << "gone"
                                                                            << ""
                                                                            << "cancel"
                                                                            << "start";
        QTest::addRow("a missing directory: the frame's close stores the start directory")
            << "gone"
            << ""
            << "frame"
            << "start";
    }
    void everyWayOutStoresTheSelectedDirectory()
    {
        QFETCH(QString, stored);
        QFETCH(QString, picked);
        QFETCH(QString, way);
        QFETCH(QString, expected);
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("web/out"));
        QDir(tp.folder()).mkpath(QStringLiteral("start"));
        settings().internet_dir = tp.path(stored);

        TargetDirectory target(tp.path(QStringLiteral("start")));
        QCOMPARE(target.height, 5925);
        {
            FrmTempDir dialog(&target);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Temporary Internet Directory"));
            QCOMPARE(label(dialog, "Label2"), QStringLiteral("Selected Directory:"));
            const QString shown = stored == QLatin1String("gone") ? tp.path(QStringLiteral("start"))
                                                                  : tp.path(stored);
            QCOMPARE(dialog.o_dir()->path(), shown);
            QCOMPARE(label(dialog, "o_directory"), shown);
            dialog.open();
            QSignalSpy finished(&dialog, &QDialog::finished);
            if (!picked.isEmpty())
                pick(dialog, picked);
            if (way == QLatin1String("save"))
                dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            else if (way == QLatin1String("cancel"))
                dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
            else if (way == QLatin1String("frame"))
                dialog.close();
            else
                dialog.menuFileItem(way.mid(4).toInt())->trigger();
            QCOMPARE(finished.size(), 1);
        }
        target.unload();
        QCOMPARE(settings().internet_dir.text(), tp.path(expected));
    }

    void anotherDriveMovesTheListAndTheLabel()
    {
        TestProgram tp;
        QDir(tp.folder()).mkpath(QStringLiteral("web"));
        settings().internet_dir = tp.path(QStringLiteral("web"));
        TargetDirectory target(tp.folder());
        FrmTempDir dialog(&target);
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
