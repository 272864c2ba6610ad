#include "settings/program.h"
#include "settings/warning.h"

#include "platform/editor.h"

#include "fakemainform.h"
#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace mosaicon;

namespace {

// A program folder holding the executables "ed", "my editor/ed" and a plain
// file "notes.txt"; "$D" in the data tables stands for that folder.
struct Fixture
{
    Fixture()
    {
        QDir(tp.folder()).mkdir(QStringLiteral("my editor"));
        executable(QStringLiteral("ed"));
        executable(QStringLiteral("my editor/ed"));
        tp.write(QStringLiteral("notes.txt"), "notes");
        program().product_title = QStringLiteral("Mosaicon Test");
        platform::setMainFormView(&window);
    }
    ~Fixture() { platform::setMainFormView(nullptr); }

    void executable(const QString& name)
    {
        tp.write(name, "#!/bin/sh\n");
        QFile::setPermissions(tp.path(name),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString expand(QString text) const { return text.replace(QLatin1String("$D"), tp.folder()); }

    TestProgram tp;
    FakeMainForm window;
};

// PATH for the length of one test case.
class PathOverride
{
public:
    explicit PathOverride(const QString& path) : m_old(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathOverride() { qputenv("PATH", m_old); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

private:
    QByteArray m_old;
};

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    void startsTheProgramWithItsArgumentsAndTheFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("a program path alone gets the file") << "$D/ed"
                                                            << "/web/a.htm"
                                                            << "$D/ed" << QStringList{"/web/a.htm"};
        QTest::addRow("an option comes before the file")
            << "$D/ed --new-window"
            << "/web/a.htm"
            << "$D/ed" << QStringList{"--new-window", "/web/a.htm"};
        QTest::addRow("a single-quoted program path keeps its blank")
            << "'$D/my editor/ed' -x"
            << "/web/a.htm"
            << "$D/my editor/ed" << QStringList{"-x", "/web/a.htm"};
        QTest::addRow("a double-quoted program path keeps its blank")
            << "\"$D/my editor/ed\" -x"
            << "/web/a.htm"
            << "$D/my editor/ed" << QStringList{"-x", "/web/a.htm"};
        QTest::addRow("quoted text inside a word joins it")
            << "$D/'my editor'/ed"
            << "/web/a.htm"
            << "$D/my editor/ed" << QStringList{"/web/a.htm"};
        QTest::addRow("a quoted argument is one argument")
            << "$D/ed --title \"two words\""
            << "/web/a.htm"
            << "$D/ed" << QStringList{"--title", "two words", "/web/a.htm"};
        QTest::addRow("blanks and tabs around and between words are dropped")
            << "  $D/ed \t -x  "
            << "/web/a.htm"
            << "$D/ed" << QStringList{"-x", "/web/a.htm"};
        QTest::addRow("a file path with blanks is one argument")
            << "$D/ed"
            << "/my web/page one.htm"
            << "$D/ed" << QStringList{"/my web/page one.htm"};
        QTest::addRow("a file path with quotes is passed unchanged")
            << "$D/ed"
            << "/web/it's \"new\".htm"
            << "$D/ed" << QStringList{"/web/it's \"new\".htm"};
        QTest::addRow("no file starts the editor without one") << "$D/ed -x"
                                                               << ""
                                                               << "$D/ed" << QStringList{"-x"};
    }
    void startsTheProgramWithItsArgumentsAndTheFile()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        Fixture f;
        settings().editor_command = f.expand(command);
        QVERIFY(platform::start_editor(settings().editor_command, file, warn));
        QCOMPARE(f.tp.shell.started.size(), 1);
        QCOMPARE(f.tp.shell.started.first().program, f.expand(program));
        QCOMPARE(f.tp.shell.started.first().arguments, arguments);
        QVERIFY(f.tp.ui.asked().isEmpty());
        QVERIFY(f.window.calls.isEmpty());
    }

    void aBareNameIsLookedUpOnPath()
    {
        Fixture f;
        QDir(f.tp.folder()).mkdir(QStringLiteral("bin"));
        f.executable(QStringLiteral("bin/myhtmled"));
        const PathOverride path(f.tp.path(QStringLiteral("bin")));
        settings().editor_command = QStringLiteral("myhtmled --new-window");
        QVERIFY(platform::start_editor(settings().editor_command, QStringLiteral("/web/a.htm"), warn));
        QCOMPARE(f.tp.shell.started.size(), 1);
        QCOMPARE(f.tp.shell.started.first().program, f.tp.path(QStringLiteral("bin/myhtmled")));
        QCOMPARE(f.tp.shell.started.first().arguments, (QStringList{"--new-window", "/web/a.htm"}));
    }

    void aMissingEditorIsSaidAndNothingStarts_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addRow("an empty command") << "";
        QTest::addRow("a command of blanks only") << "   ";
        QTest::addRow("an unquoted program path is cut at its blank") << "$D/my editor/ed -x";
        QTest::addRow("a bare name found nowhere on PATH") << "ed";
        QTest::addRow("a file that is not there") << "$D/vi";
        QTest::addRow("a folder") << "$D";
        QTest::addRow("a file that is not executable") << "$D/notes.txt";
        QTest::addRow("a program path in another case") << "$D/ED";
    }
    void aMissingEditorIsSaidAndNothingStarts()
    {
        QFETCH(QString, command);
        Fixture f;
        // Only the test folder's bin, which does not exist: "ed" must not be
        // found in the program folder or anywhere else.
        const PathOverride path(f.tp.path(QStringLiteral("bin")));
        settings().editor_command = f.expand(command);
        const QString text =
            QStringLiteral("The editor,") + f.expand(command) + QStringLiteral(" does not exist.");
        f.tp.ui.expectMessage(text);
        QVERIFY(!platform::start_editor(settings().editor_command, QStringLiteral("/web/a.htm"), warn));
        VERIFY_DIALOGS(f.tp);
        QCOMPARE(f.tp.ui.asked().size(), 1);
        QCOMPARE(f.tp.ui.asked().first().style, 48);
        QCOMPARE(f.tp.ui.asked().first().title, QStringLiteral("Mosaicon Test"));
        QCOMPARE(f.window.calls, QStringList{QStringLiteral("status ") + text});
        QVERIFY(f.tp.shell.started.isEmpty());
    }

    void anEditorThatCannotBeStartedIsSaidOnce()
    {
        Fixture f;
        settings().editor_command = f.tp.path(QStringLiteral("ed")) + QStringLiteral(" -x");
        f.tp.shell.succeed = false;
        f.tp.ui.expectMessage(QStringLiteral("The editor %1 could not be started.")
                                  .arg(f.tp.path(QStringLiteral("ed"))));
        QVERIFY(!platform::start_editor(settings().editor_command, QStringLiteral("/web/a.htm"), warn));
        VERIFY_DIALOGS(f.tp);
        QCOMPARE(f.tp.ui.asked().size(), 1);
        QCOMPARE(f.tp.ui.asked().first().style, 48);
        QCOMPARE(f.tp.ui.asked().first().title, QStringLiteral("Mosaicon Test"));
        QCOMPARE(f.tp.shell.started.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestEditor)
#include "tst_editor.moc"
