#include "settings/pickers.h"
#include "settings/program.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace mosaicon;

namespace {

const QString notAnApplication = QStringLiteral("The selected file must be a software application.");
const QString commandLinePrompt =
    QStringLiteral("Enter the command line parameters for the HTML editor application.");

void startProgram(TestProgram& tp)
{
    program().ini_file_path = tp.path(QStringLiteral("mosaik.ini"));
    program().product_title = QStringLiteral("Mosaicon Pro v4.00");
}

void makeExecutable(TestProgram& tp, const QString& name)
{
    tp.write(name, "#!/bin/sh\n");
    QFile::setPermissions(tp.path(name), QFile::permissions(tp.path(name)) | QFile::ExeOwner);
}

} // namespace

class TestPickers : public QObject
{
    Q_OBJECT

private slots:
    void editorPicker_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: cancelled
        QTest::addColumn<bool>("stored");
        QTest::addRow("an executable file in mixed case is stored as chosen") << "My Edit" << true;
        QTest::addRow("a text file is refused") << "notes.txt" << false;
        QTest::addRow("a folder is refused") << "tools" << false;
        QTest::addRow("a cancel changes nothing") << "" << false;
    }
    void editorPicker()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, stored);
        TestProgram tp;
        startProgram(tp);
        makeExecutable(tp, QStringLiteral("My Edit"));
        tp.write("notes.txt", "x");
        QDir(tp.folder()).mkpath(QStringLiteral("tools"));
        settings().editor_command = QStringLiteral("/missing/editor");
        tp.ui.expectFile(QStringLiteral("Select HTML Editor"),
                         chosen.isEmpty() ? std::nullopt : std::optional(tp.path(chosen)));
        if (!chosen.isEmpty() && !stored)
            tp.ui.expectMessage(notAnApplication);
        const std::optional<QString> result = select_html_editor();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().title, QStringLiteral("Editors (*.exe)|*.exe|All Files (*.*)|*.*"));
        // The missing editor's folder is no place to start in.
        QCOMPARE(tp.ui.asked().first().defaultText, tp.folder());
        if (tp.ui.asked().size() > 1) {
            QCOMPARE(tp.ui.asked().last().style, 0);
            QCOMPARE(tp.ui.asked().last().title, QStringLiteral("Mosaicon Pro v4.00"));
        }
        const QString expected = stored ? tp.path(chosen) : QStringLiteral("/missing/editor");
        QCOMPARE(settings().editor_command.text(), expected);
        QCOMPARE(result.has_value(), stored);
        // Written at once, before shut-down.
        QCOMPARE(tp.settingsText(), stored ? QStringLiteral("[Current]\nEditor=%1\n").arg(expected) : QString());
    }

    void editorPickerStartsInTheEditorsFolder()
    {
        TestProgram tp;
        startProgram(tp);
        QDir(tp.folder()).mkpath(QStringLiteral("bin"));
        makeExecutable(tp, QStringLiteral("bin/edit"));
        settings().editor_command = tp.path("bin/edit");
        tp.ui.expectFile(std::nullopt, std::nullopt);
        QCOMPARE(select_html_editor(), std::nullopt);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().defaultText, tp.path("bin"));
    }

    void editorCommandLine_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<std::optional<QString>>("answer"); // nullopt: Cancel
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("writtenAtOnce");
        QTest::addRow("Cancel keeps the command") << "EDIT -a" << std::optional<QString>() << "EDIT -a" << false;
        QTest::addRow("an empty OK clears it") << "EDIT -a" << std::optional<QString>("") << "" << false;
        QTest::addRow("an existing program with parameters is written at once")
            << "" << std::optional<QString>("EDIT -b") << "EDIT -b" << true;
        QTest::addRow("a command without a blank waits for shut-down")
            << "" << std::optional<QString>("EDIT") << "EDIT" << false;
        QTest::addRow("a missing program waits for shut-down")
            << "" << std::optional<QString>("/no/edit -b") << "/no/edit -b" << false;
        QTest::addRow("an unchanged command is not written again")
            << "EDIT -b" << std::optional<QString>("EDIT -b") << "EDIT -b" << false;
    }
    void editorCommandLine()
    {
        QFETCH(QString, before);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, after);
        QFETCH(bool, writtenAtOnce);
        TestProgram tp;
        startProgram(tp);
        makeExecutable(tp, QStringLiteral("edit"));
        const QString editor = tp.path("edit");
        before.replace(QLatin1String("EDIT"), editor);
        after.replace(QLatin1String("EDIT"), editor);
        if (answer)
            answer->replace(QLatin1String("EDIT"), editor);
        settings().editor_command = before;
        tp.ui.expectInput(commandLinePrompt, answer);
        edit_editor_command_line();
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().defaultText, before);
        QCOMPARE(settings().editor_command.text(), after);
        QCOMPARE(tp.settingsText(), writtenAtOnce ? QStringLiteral("[Current]\nEditor=%1\n").arg(after) : QString());
    }

    void clearEditorDeletesTheKeyAtOnce()
    {
        TestProgram tp;
        startProgram(tp);
        tp.write("mosaik.ini", "[Current]\r\nEditor=/usr/bin/edit\r\nLast Image Type=*.*\r\n");
        settings().editor_command = QStringLiteral("/usr/bin/edit");
        clear_html_editor();
        QVERIFY(settings().editor_command.isEmpty());
        QCOMPARE(tp.settingsText(), QStringLiteral("[Current]\nLast Image Type=*.*\n"));
    }

    void backgroundPicker_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: cancelled
        QTest::addColumn<bool>("stored");
        QTest::addRow("a GIF in capitals") << "pics/Back.GIF" << true;
        QTest::addRow("a JPEG") << "pics/back.jpg" << true;
        QTest::addRow("a PNG is refused") << "pics/back.png" << false;
        QTest::addRow("a dotted folder named like a picture does not count") << "x.jpg/back.png" << false;
        QTest::addRow("a cancel") << "" << false;
    }
    void backgroundPicker()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, stored);
        TestProgram tp;
        startProgram(tp);
        program().last_dialog_dir = QStringLiteral("/start/");
        settings().html_background = QStringLiteral("old.gif");
        tp.ui.expectFile(QStringLiteral("Select HTML Background"),
                         chosen.isEmpty() ? std::nullopt : std::optional(tp.path(chosen)));
        if (!chosen.isEmpty() && !stored)
            tp.ui.expectMessage(QStringLiteral("GIF and JPG are the only valid file formats for HTML background."));
        QCOMPARE(select_html_background(), stored);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().defaultText, QStringLiteral("/start/"));
        QCOMPARE(settings().html_background.text(), stored ? tp.path(chosen) : QStringLiteral("old.gif"));
        const QString folder = chosen.isEmpty() ? QStringLiteral("/start/")
                                                : tp.path(chosen.left(chosen.lastIndexOf(u'/') + 1));
        QCOMPARE(program().last_dialog_dir, folder);
    }

    void htmlFileNamePicker_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: cancelled
        QTest::addRow("a new page in a folder") << "web/My Page.HTM";
        QTest::addRow("a cancel gives none") << "";
    }
    void htmlFileNamePicker()
    {
        QFETCH(QString, chosen);
        TestProgram tp;
        startProgram(tp);
        settings().last_directory = tp.path("web");
        tp.ui.expectFile(QStringLiteral("Select HTML File Name"),
                         chosen.isEmpty() ? std::nullopt : std::optional(tp.path(chosen)));
        const std::optional<platform::PathParts> picked = select_html_file_name();
        QCOMPARE(picked.has_value(), !chosen.isEmpty());
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().defaultText, tp.path("web"));
        if (picked) {
            QCOMPARE(picked->directory, tp.path("web/"));
            QCOMPARE(picked->file_name, QStringLiteral("My Page.HTM"));
        }
    }
};


QTEST_GUILESS_MAIN(TestPickers)
#include "tst_pickers.moc"
