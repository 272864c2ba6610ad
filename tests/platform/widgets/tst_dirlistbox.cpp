#include "platform/widgets/dirlistbox.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <unistd.h>

using mosaicon::platform::DirListBox;

namespace {

// One entry as text, depth and path, so that a whole list compares at once.
QStringList entries(const DirListBox& box)
{
    QStringList result;
    for (int i = 0; i < box.count(); ++i) {
        const QListWidgetItem* item = box.item(i);
        result.append(QStringLiteral("%1|%2|%3")
                          .arg(item->text())
                          .arg(item->data(DirListBox::DepthRole).toInt())
                          .arg(item->data(DirListBox::PathRole).toString()));
    }
    return result;
}

// The root the list shows above a path: its volume's, or "/" where no mount
// holds it (a chroot whose "/" is no mount of its own).
QString volumeRoot(const QString& path)
{
    const QString root = QStorageInfo(path).rootPath();
    return root.isEmpty() ? QStringLiteral("/") : root;
}

// Another mounted volume that can be listed, or empty.
QString otherVolume(const QString& notThisRoot)
{
    for (const char* candidate : {"/proc", "/sys", "/dev", "/"}) {
        const QString dir = QString::fromLatin1(candidate);
        if (dir != notThisRoot && QStorageInfo(dir).rootPath() == dir && QDir(dir).isReadable())
            return dir;
    }
    return {};
}

} // namespace

class TestDirListBox : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_tmp.emplace();
        QVERIFY(m_tmp->isValid());
        m_b = m_tmp->path() + QStringLiteral("/a/b");
        for (const char* sub : {"Zeta", "alpha", "Beta", ".hidden"})
            QVERIFY(QDir(m_b).mkpath(QString::fromLatin1(sub)));
        QFile file(m_b + QStringLiteral("/file.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        m_root = volumeRoot(m_tmp->path());
    }

    void cleanup() { m_tmp.reset(); }

    void listsAncestorsThenSubdirectories()
    {
        DirListBox box;
        QVERIFY2(box.setPath(m_b), qPrintable(box.errorString()));
        QStringList expected = {QStringLiteral("%1|0|%1").arg(m_root)};
        QString path = m_root;
        int depth = 0;
        for (const QString& name : m_b.mid(m_root.size()).split(u'/', Qt::SkipEmptyParts)) {
            path += (path.endsWith(u'/') ? QString() : QStringLiteral("/")) + name;
            expected.append(QStringLiteral("%1|%2|%3").arg(name).arg(++depth).arg(path));
        }
        QCOMPARE(path, m_b);
        const int currentRow = int(expected.size()) - 1;
        for (const char* sub : {"alpha", "Beta", "Zeta"})
            expected.append(QStringLiteral("%1|%2|%3/%1").arg(sub).arg(depth + 1).arg(m_b));
        QCOMPARE(entries(box), expected);
        QCOMPARE(box.currentRow(), currentRow);
        QCOMPARE(box.selectedItems(), QList<QListWidgetItem*>{box.item(currentRow)});
    }

    void setPathEmitsOnlyOnRealChanges()
    {
        DirListBox box;
        QSignalSpy spy(&box, &DirListBox::pathChanged);
        QVERIFY(box.setPath(m_tmp->path() + QStringLiteral("//a/./b/../b/")));
        QCOMPARE(box.path(), m_b);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), m_b);
        QVERIFY(box.setPath(m_b + QStringLiteral("/")));
        QCOMPARE(spy.count(), 1);
    }

    void failedSetPathChangesNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("unreadable");
        QTest::addRow("a directory that does not exist") << "a/missing" << false;
        QTest::addRow("a file") << "a/b/file.txt" << false;
        QTest::addRow("a directory without permissions") << "a/b/alpha" << true;
    }

    void failedSetPathChangesNothing()
    {
        QFETCH(QString, target);
        QFETCH(bool, unreadable);
        const QString dir = m_tmp->filePath(target);
        // Put the permissions back whatever happens, so that the fixture can be removed.
        const auto restore = qScopeGuard([&] {
            if (unreadable)
                QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (unreadable) {
            QVERIFY(QFile::setPermissions(dir, {}));
            if (geteuid() == 0 || QDir(dir).isReadable())
                QSKIP("This user can read any directory");
        }
        DirListBox box;
        QVERIFY(box.setPath(m_b));
        const QStringList before = entries(box);
        QSignalSpy spy(&box, &DirListBox::pathChanged);
        QVERIFY(!box.setPath(dir));
        QVERIFY(!box.errorString().isEmpty());
        QCOMPARE(box.path(), m_b);
        QCOMPARE(entries(box), before);
        QCOMPARE(spy.count(), 0);
    }

    void activatingAnEntryMakesItCurrent()
    {
        // In a dialog whose default button Enter must not press.
        QDialog dialog;
        QPushButton ok(&dialog);
        ok.setDefault(true);
        QSignalSpy pressed(&ok, &QPushButton::clicked);
        DirListBox box(&dialog);
        dialog.show();
        QVERIFY(box.setPath(m_b));
        QSignalSpy spy(&box, &DirListBox::pathChanged);
        box.setCurrentItem(box.findItems(QStringLiteral("Beta"), Qt::MatchExactly).value(0));
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.path(), m_b + QStringLiteral("/Beta"));
        box.setCurrentItem(box.findItems(QStringLiteral("a"), Qt::MatchExactly).value(0));
        QTest::keyClick(&box, Qt::Key_Enter);
        QCOMPARE(box.path(), m_tmp->filePath(QStringLiteral("a")));
        QCOMPARE(spy.count(), 2);

        // An entry whose directory was removed meanwhile goes away instead.
        QVERIFY(QDir(m_b).removeRecursively());
        box.setCurrentItem(box.findItems(QStringLiteral("b"), Qt::MatchExactly).value(0));
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.path(), m_tmp->filePath(QStringLiteral("a")));
        QCOMPARE(box.findItems(QStringLiteral("b"), Qt::MatchExactly).size(), 0);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(pressed.count(), 0);
    }

    void setDrivePathReturnsToTheLastDirectoryOfThatVolume()
    {
        const QString other = otherVolume(m_root);
        if (other.isEmpty())
            QSKIP("No second volume to switch to");
        DirListBox box;
        QSignalSpy spy(&box, &DirListBox::pathChanged);
        QVERIFY(box.setDrivePath(other));
        QCOMPARE(box.path(), other);
        QVERIFY(box.setPath(m_b));
        QVERIFY(box.setDrivePath(other));
        QCOMPARE(box.path(), other);
        QVERIFY(box.setDrivePath(m_root));
        QCOMPARE(box.path(), m_b);
        QCOMPARE(spy.count(), 4);
    }

    void setPathToTheRootIsRememberedToo()
    {
        DirListBox box;
        QVERIFY(box.setPath(m_b));
        QVERIFY(box.setPath(m_root));
        QSignalSpy spy(&box, &DirListBox::pathChanged);
        QVERIFY(box.setDrivePath(m_root));
        QCOMPARE(box.path(), m_root);
        QCOMPARE(spy.count(), 0);
    }

    void setDrivePathFallsBackToTheRootWhenTheLastOneIsGone()
    {
        DirListBox box;
        QVERIFY(box.setPath(m_b));
        QVERIFY(QDir(m_b).removeRecursively());
        QSignalSpy spy(&box, &DirListBox::pathChanged);
        QVERIFY(box.setDrivePath(m_root));
        QCOMPARE(box.path(), m_root);
        QCOMPARE(spy.count(), 1);
    }

private:
    std::optional<QTemporaryDir> m_tmp;
    QString m_b;
    QString m_root;
};

QTEST_MAIN(TestDirListBox)
#include "tst_dirlistbox.moc"
