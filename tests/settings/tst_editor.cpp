#include "settings/editor.h"
#include "settings/program.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace mosaicon;

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    void startsProgramWithTheFileAsOneArgument_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        // ED stands for the path of an executable editor in the test folder.
        QTest::addRow("a program path") << "ED" << "/web/a.htm" << "ED" << QStringList{"/web/a.htm"};
        QTest::addRow("a program with an option")
            << "ED --new-window" << "/web/a.htm" << "ED" << QStringList{"--new-window", "/web/a.htm"};
        QTest::addRow("a file with blanks is one argument")
            << "ED" << "/my web/page one.htm" << "ED" << QStringList{"/my web/page one.htm"};
        QTest::addRow("no file selected") << "ED" << "" << "ED" << QStringList{};
        QTest::addRow("a quoted program path with a blank")
            << "\"SPACED\" -x" << "/a.htm" << "SPACED" << QStringList{"-x", "/a.htm"};
    }
    void startsProgramWithTheFileAsOneArgument()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        TestProgram tp;
        QDir(tp.folder()).mkdir(QStringLiteral("my editor"));
        for (const char* name : {"ed", "my editor/ed"}) {
            tp.write(QString::fromUtf8(name), "#!/bin/sh\n");
            QFile::setPermissions(tp.path(QString::fromUtf8(name)), QFile::ReadOwner | QFile::ExeOwner);
        }
        const auto fill = [&](QString t) {
            return t.replace(QLatin1String("SPACED"), tp.path("my editor/ed")).replace(QLatin1String("ED"), tp.path("ed"));
        };
        settings().editor_command = fill(command);
        QVERIFY(start_editor(file));
        QCOMPARE(tp.shell.started.size(), 1);
        QCOMPARE(tp.shell.started.first().program, fill(program));
        QCOMPARE(tp.shell.started.first().arguments, arguments);
        VERIFY_DIALOGS(tp);
    }

    void bareNameIsLookedUpOnPath()
    {
        TestProgram tp;
        tp.write("myhtmled", "#!/bin/sh\n");
        QFile::setPermissions(tp.path("myhtmled"), QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(tp.folder()) + ':' + oldPath);
        settings().editor_command = QStringLiteral("myhtmled");
        const bool started = start_editor(QStringLiteral("/a.htm"));
        qputenv("PATH", oldPath);
        QVERIFY(started);
        QCOMPARE(tp.shell.started.first().program, tp.path("myhtmled"));
    }

    void missingEditorIsSaid_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addRow("empty command") << "";
        QTest::addRow("a path cut at its blank") << "FOLDER/my editor/ed";
        QTest::addRow("a name found nowhere") << "no-such-editor-anywhere";
        QTest::addRow("a folder") << "FOLDER";
    }
    void missingEditorIsSaid()
    {
        QFETCH(QString, command);
        TestProgram tp;
        command.replace(QLatin1String("FOLDER"), tp.folder());
        settings().editor_command = command;
        const QString text = QStringLiteral("The editor,%1 does not exist.").arg(command);
        tp.ui.expectMessage(text);
        QVERIFY(!start_editor(QStringLiteral("/a.htm")));
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().style, 48);
        QCOMPARE(tp.ui.asked().first().title, program().product_title);
        QVERIFY(tp.shell.started.isEmpty());
    }

    void editorThatFailsToStartIsSaid()
    {
        TestProgram tp;
        tp.write("ed", "#!/bin/sh\n");
        QFile::setPermissions(tp.path("ed"), QFile::ReadOwner | QFile::ExeOwner);
        settings().editor_command = tp.path("ed");
        tp.shell.succeed = false;
        tp.ui.expectMessage(QStringLiteral("The editor %1 could not be started.").arg(tp.path("ed")));
        QVERIFY(!start_editor(QStringLiteral("/a.htm")));
        VERIFY_DIALOGS(tp);
    }
};

QTEST_GUILESS_MAIN(TestEditor)
#include "tst_editor.moc"
