#include "pagekit/generatedfiles.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

namespace {

// A program with an executable editor and a run that listed two pages.
struct Fixture
{
    Fixture()
    {
        tp.write(QStringLiteral("ed"), "#!/bin/sh\n");
        QFile::setPermissions(tp.path(QStringLiteral("ed")), QFile::ReadOwner | QFile::ExeOwner);
        settings().editor_command = tp.path(QStringLiteral("ed")) + QStringLiteral(" --new-window");
        program().product_title = QStringLiteral("Mosaicon Test");
        files.o_flist.entries =
            QStringList{QStringLiteral("/web/mosaik.htm"), QStringLiteral("/web/page two.htm")};
    }

    TestProgram tp;
    GeneratedFiles files;
};

} // namespace

class TestGeneratedFiles : public QObject
{
    Q_OBJECT

private slots:
    void openingStartsTheEditorWithTheSelectedEntry_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("double click on the first entry")
            << 0 << QStringList{"--new-window", "/web/mosaik.htm"};
        QTest::addRow("double click on an entry with a blank")
            << 1 << QStringList{"--new-window", "/web/page two.htm"};
        QTest::addRow("double click without a selection starts the editor without a file")
            << -1 << QStringList{"--new-window"};
        QTest::addRow("a selection past the list counts as none")
            << 2 << QStringList{"--new-window"};
    }
    void openingStartsTheEditorWithTheSelectedEntry()
    {
        QFETCH(int, selected);
        QFETCH(QStringList, arguments);
        Fixture f;
        QSignalSpy closed(&f.files, &GeneratedFiles::hidden);
        f.files.o_flist.selected = selected;
        f.files.o_flist_DblClick();
        QCOMPARE(f.tp.shell.started.size(), 1);
        QCOMPARE(f.tp.shell.started.first().program, f.tp.path(QStringLiteral("ed")));
        QCOMPARE(f.tp.shell.started.first().arguments, arguments);
        QCOMPARE(closed.size(), 0);
        VERIFY_DIALOGS(f.tp);
    }

    void aMissingEditorKeepsTheWindowOpen()
    {
        Fixture f;
        settings().editor_command = f.tp.path(QStringLiteral("gone"));
        QSignalSpy closed(&f.files, &GeneratedFiles::hidden);
        f.files.o_flist.selected = 0;
        f.tp.ui.expectMessage(
            QStringLiteral("The editor,%1 does not exist.").arg(f.tp.path(QStringLiteral("gone"))));
        f.files.o_flist_DblClick();
        VERIFY_DIALOGS(f.tp);
        QVERIFY(f.tp.shell.started.isEmpty());
        QCOMPARE(closed.size(), 0);
        QCOMPARE(f.files.o_flist.entries.size(), 2);
    }

    void closeStartsNothing()
    {
        Fixture f;
        f.files.o_flist.selected = 0;
        QSignalSpy closed(&f.files, &GeneratedFiles::hidden);
        f.files.close();
        QCOMPARE(closed.size(), 1);
        QVERIFY(f.tp.shell.started.isEmpty());
        QVERIFY(f.tp.ui.asked().isEmpty());
    }

    void theListIsShownByItsName()
    {
        TestProgram tp;
        GeneratedFiles files;
        files.o_flist.entries.append(QStringLiteral("/web/mosaik.htm"));
        QStringList shown;
        tp.ui.expectModal(QStringLiteral("frm_htmledit"), [&shown](QObject* window) {
            if (auto* files = qobject_cast<GeneratedFiles*>(window))
                shown = files->o_flist.entries;
        });
        files.show();
        VERIFY_DIALOGS(tp);
        QCOMPARE(shown, QStringList{QStringLiteral("/web/mosaik.htm")});
    }
};

QTEST_GUILESS_MAIN(TestGeneratedFiles)
#include "tst_generatedfiles.moc"
