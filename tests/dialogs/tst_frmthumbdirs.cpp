#include "dialogs/widgets/frmthumbdirs.h"

#include "settings/program.h"

#include "platform/profilefile.h"

#include "listentries.h"
#include "testprogram.h"

#include <QListWidget>
#include <QTest>

using namespace mosaicon;

class TestFrmThumbDirs : public QObject
{
    Q_OBJECT

private slots:
    void listsTheDirectoriesUpToTheFirstEmptyKey_data()
    {
        QTest::addColumn<QStringList>("stored"); // dir1, dir2, ...; "-" leaves the key out
        QTest::addColumn<QStringList>("listed");
        QTest::addRow("none stored") << QStringList() << QStringList();
        QTest::addRow("three in order")
            << QStringList{"/a", "/b c", "/<d>"} << QStringList{"/a", "/b c", "/<d>"};
        QTest::addRow("an empty key ends the list")
            << QStringList{"/a", "", "/c"} << QStringList{"/a"};
        QTest::addRow("a missing key ends the list")
            << QStringList{"/a", "-", "/c"} << QStringList{"/a"};
    }
    void listsTheDirectoriesUpToTheFirstEmptyKey()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, listed);
        TestProgram tp;
        platform::ProfileFile& file = settingsFile();
        for (int i = 0; i < stored.size(); ++i) {
            if (stored[i] != QLatin1String("-"))
                file.put(QStringLiteral("Thumbnail Directories"),
                         QStringLiteral("dir%1").arg(i + 1), stored[i]);
        }
        tp.ui.expectModal(QStringLiteral("frm_thumb_dirs"), [&](QObject* value) {
            FrmThumbDirs dialog(qobject_cast<ThumbnailDirectories*>(value));
            QCOMPARE(listEntries(dialog.findChild<QListWidget*>("o_dirs")), listed);
        });
        ThumbnailDirectories::showModally();
        VERIFY_DIALOGS(tp);
    }
};

QTEST_MAIN(TestFrmThumbDirs)
#include "tst_frmthumbdirs.moc"
