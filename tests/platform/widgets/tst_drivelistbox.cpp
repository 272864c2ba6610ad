#include "platform/widgets/drivelistbox.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using mosaicon::platform::DriveListBox;

namespace {

QStringList roots(const DriveListBox& box)
{
    QStringList result;
    for (int i = 0; i < box.count(); ++i)
        result.append(box.itemData(i).toString());
    return result;
}

} // namespace

class TestDriveListBox : public QObject
{
    Q_OBJECT

private slots:
    void setDriveEmitsOnlyOnRealChanges()
    {
        DriveListBox box;
        box.setVolumes({"/", "/media/usb"});
        QCOMPARE(box.drive(), QStringLiteral("/"));
        QSignalSpy spy(&box, &DriveListBox::driveChanged);

        QVERIFY(box.setDrive(QStringLiteral("/media/usb")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/media/usb"));
        QCOMPARE(box.drive(), QStringLiteral("/media/usb"));

        QVERIFY(box.setDrive(QStringLiteral("/media/usb")));
        QCOMPARE(spy.count(), 1);
    }

    void setDriveWithSignalsBlockedStillMovesTheDrive()
    {
        DriveListBox box;
        box.setVolumes({"/", "/media/usb"});
        QSignalSpy spy(&box, &DriveListBox::driveChanged);
        {
            const QSignalBlocker quiet(&box);
            QVERIFY(box.setDrive(QStringLiteral("/media/usb/photos")));
        }
        QCOMPARE(box.drive(), QStringLiteral("/media/usb"));
        QCOMPARE(spy.count(), 0);
    }

    void setDriveResolves_data()
    {
        QTest::addColumn<QStringList>("volumes");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("drive");
        const QStringList three = {"/", "/media/usb", "/media/usb/inner"};
        QTest::addRow("a path inside a volume selects that volume")
            << three << "/media/usb/photos/2020" << true << "/media/usb";
        QTest::addRow("the deepest volume holding the path wins")
            << three << "/media/usb/inner/x" << true << "/media/usb/inner";
        QTest::addRow("a root with a trailing slash")
            << three << "/media/usb/" << true << "/media/usb";
        QTest::addRow("a name that only starts like a root is not inside it")
            << three << "/media/usbstick/a" << true << "/";
        QTest::addRow("an unknown root keeps the current volume")
            << QStringList{"/media/usb", "/mnt/disk"} << "/media/cdrom" << false << "/media/usb";
        QTest::addRow("an empty path keeps the current volume") << three << "" << false << "/";
    }

    void setDriveResolves()
    {
        QFETCH(QStringList, volumes);
        QFETCH(QString, target);
        QFETCH(bool, found);
        QFETCH(QString, drive);
        DriveListBox box;
        box.setVolumes(volumes);
        QSignalSpy spy(&box, &DriveListBox::driveChanged);
        QCOMPARE(box.setDrive(target), found);
        QCOMPARE(box.drive(), drive);
        QCOMPARE(spy.count(), drive == volumes.first() ? 0 : 1);
    }

    void newVolumeListsKeepTheCurrentOneWhileListed()
    {
        DriveListBox box;
        box.setVolumes({"/media/usb", "/", "/home", "/home"});
        QCOMPARE(roots(box), (QStringList{"/", "/home", "/media/usb"}));
        QCOMPARE(box.itemText(2), QStringLiteral("/media/usb"));
        QVERIFY(box.setDrive(QStringLiteral("/home")));
        QSignalSpy spy(&box, &DriveListBox::driveChanged);

        box.setVolumes({"/mnt/x", "/home"});
        QCOMPARE(box.drive(), QStringLiteral("/home"));
        QCOMPARE(spy.count(), 0);

        box.setVolumes({"/mnt/x", "/"});
        QCOMPARE(box.drive(), QStringLiteral("/"));
        box.setVolumes({});
        QCOMPARE(box.drive(), QString());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/"));
        QCOMPARE(spy.at(1).at(0).toString(), QString());
    }

    void userChoiceEmitsOnce()
    {
        DriveListBox box;
        box.setVolumes({"/", "/media/usb"});
        QSignalSpy spy(&box, &DriveListBox::driveChanged);
        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.drive(), QStringLiteral("/media/usb"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/media/usb"));
    }

    void mountsBecomeVolumes_data()
    {
        // Each mount as "root type label"; each volume as its item's text.
        QTest::addColumn<QStringList>("mounts");
        QTest::addColumn<QStringList>("volumes");
        const QString dir = QDir::tempPath();
        QTest::addRow("where \"/\" is no mount of its own it is still the first volume")
            << QStringList{"/proc proc", "/dev devtmpfs", dir + " ext4"}
            << QStringList{"/", dir};
        QTest::addRow("with nothing mounted the root is left") << QStringList{} << QStringList{"/"};
        QTest::addRow("a mounted root is listed once, with its label")
            << QStringList{dir + " ext4", "/ ext4 system"} << QStringList{"/ [system]", dir};
        QTest::addRow("system trees, runtime mounts and bind-mounted files are left out")
            << QStringList{"/sys/fs/cgroup tmpfs", "/run/user/0 tmpfs", "/etc/hosts ext4",
                           dir + " overlay"}
            << QStringList{"/"};
    }
    void mountsBecomeVolumes()
    {
        QFETCH(QStringList, mounts);
        QFETCH(QStringList, volumes);
        QList<DriveListBox::Mount> listed;
        for (const QString& mount : mounts) {
            const QStringList fields = mount.split(u' ');
            listed.append({fields.at(0), fields.at(1).toUtf8(), fields.value(2)});
        }
        DriveListBox box;
        box.setMounts(listed);
        QStringList texts;
        for (int i = 0; i < box.count(); ++i)
            texts.append(box.itemText(i));
        QCOMPARE(texts, volumes);
        QCOMPARE(box.drive(), QStringLiteral("/"));
    }

    void mountedVolumesStartWithRootAndSkipSystemTrees()
    {
        DriveListBox box;
        box.refreshVolumes();
        const QStringList listed = roots(box);
        QVERIFY(!listed.isEmpty());
        QCOMPARE(listed.first(), QStringLiteral("/"));
        QCOMPARE(box.drive(), QStringLiteral("/"));
        for (int i = 0; i < box.count(); ++i) {
            const QString root = listed.at(i);
            QVERIFY2(box.itemText(i).startsWith(root), qPrintable(box.itemText(i)));
            for (const char* system : {"/proc", "/sys", "/dev"})
                QVERIFY2(root != QLatin1String(system) &&
                             !root.startsWith(QLatin1String(system) + u'/'),
                         qPrintable(root));
            QVERIFY2(!root.startsWith(QLatin1String("/run/")) ||
                         root.startsWith(QLatin1String("/run/media/")),
                     qPrintable(root));
        }
    }
};

QTEST_MAIN(TestDriveListBox)
#include "tst_drivelistbox.moc"
