#include "dialogs/assoctext.h"
#include "dialogs/widgets/frmassoctext2.h"

#include "mainwindow/mainform.h"
#include "settings/program.h"
#include "settings/settings.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace mosaicon;

namespace {

const QString textSection = QStringLiteral("Associated Text");
const QString titleSection = QStringLiteral("Associated Text Title");

platform::ProfileFile& ini()
{
    return settingsFile();
}

// A program whose settings file and text folder are in the test's folder.
void useFolder(const TestProgram& tp, const QString& textFolder = QStringLiteral("texts"))
{
    program().ini_file_path = tp.path(QStringLiteral("mosaik.ini"));
    settings().assoc_text_dir = tp.path(textFolder);
}

// The user's part, done in the real dialog in place of its modal loop.
using UserAction = std::function<void(FrmAssocText2&)>;

void expectEditor(TestProgram& tp, const UserAction& user)
{
    tp.ui.expectModal(QStringLiteral("frm_assoctext2"), [user](QObject* window) {
        auto* value = qobject_cast<AssocText*>(window);
        QVERIFY(value);
        FrmAssocText2 dialog(value);
        user(dialog);
    });
}

void click(FrmAssocText2& dialog, const char* button)
{
    dialog.findChild<QPushButton*>(QString::fromUtf8(button))->click();
}

QString textOf(FrmAssocText2& dialog)
{
    return dialog.findChild<QPlainTextEdit*>(QStringLiteral("o_text"))->toPlainText();
}

QString shownTitle(FrmAssocText2& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("o_title"))->text();
}

void type(FrmAssocText2& dialog, const QString& title, const QString& text)
{
    dialog.findChild<QLineEdit*>(QStringLiteral("o_title"))->setText(title);
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("o_text"))->setPlainText(text);
}

} // namespace

class TestAssocText : public QObject
{
    Q_OBJECT

private slots:
    void okStoresWhatTheDialogHolds_data()
    {
        QTest::addColumn<QByteArray>("storedFile"); // empty: no text record
        QTest::addColumn<QString>("storedTitle");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<QString>("typedTitle"); // null: left as shown
        QTest::addColumn<QString>("typedText");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("file");
        QTest::addRow("no records, left empty: a file of one line end and an empty title")
            << QByteArray() << QString() << "" << QString() << QString() << "" << QByteArray("\r\n");
        QTest::addRow("a title of blanks only is stored empty")
            << QByteArray() << QString() << "" << "   " << "Harbour" << "" << QByteArray("Harbour\r\n");
        QTest::addRow("a title is stored as typed")
            << QByteArray() << QString() << "" << "Dawn  at <sea>" << "x" << "Dawn  at <sea>"
            << QByteArray("x\r\n");
        QTest::addRow("a stored two-line text opens, each line ended, and closes unchanged")
            << QByteArray("first\r\nsecond\r\n") << "Old <b>title</b>" << "first\nsecond\n" << QString()
            << QString() << "Old <b>title</b>" << QByteArray("first\r\nsecond\r\n");
        QTest::addRow("edited lines are written with CR LF")
            << QByteArray("first\r\n") << "T" << "first\n" << "New" << "one\ntwo\n\nfour" << "New"
            << QByteArray("one\r\ntwo\r\n\r\nfour\r\n");
        QTest::addRow("an empty line the user leaves at the end is kept")
            << QByteArray("first\r\n") << "T" << "first\n" << "T" << "one\n\n" << "T"
            << QByteArray("one\r\n\r\n");
    }
    void okStoresWhatTheDialogHolds()
    {
        QFETCH(QByteArray, storedFile);
        QFETCH(QString, storedTitle);
        QFETCH(QString, shownText);
        QFETCH(QString, typedTitle);
        QFETCH(QString, typedText);
        QFETCH(QString, title);
        QFETCH(QByteArray, file);
        TestProgram tp;
        useFolder(tp);
        const QString image = tp.path("a <1>.jpg");
        QString textFile;
        if (!storedFile.isEmpty()) {
            QDir(tp.folder()).mkdir("texts");
            textFile = tp.path("texts/00000001.txt");
            tp.write("texts/00000001.txt", storedFile);
            ini().put(textSection, image, textFile);
            ini().put(titleSection, image, storedTitle);
        }
        expectEditor(tp, [&](FrmAssocText2& dialog) {
            auto* name = dialog.findChild<QLabel*>(QStringLiteral("o_filename"));
            QCOMPARE(name->text(), image);
            QCOMPARE(name->textFormat(), Qt::PlainText);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Associate Text With Image"));
            QCOMPARE(textOf(dialog), shownText);
            QCOMPARE(shownTitle(dialog), storedTitle);
            if (!typedTitle.isNull())
                type(dialog, typedTitle, typedText);
            click(dialog, "Command1");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        });
        AssocText::edit(QStringLiteral("main"), image);
        QCOMPARE(program().assoc_text_caller, QStringLiteral("main"));
        const QString recorded = ini().get(textSection, image);
        if (!textFile.isEmpty())
            QCOMPARE(recorded, textFile);
        QVERIFY(recorded.startsWith(tp.path("texts/")));
        QFile written(recorded);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), file);
        QVERIFY(ini().contains(titleSection, image));
        QCOMPARE(ini().get(titleSection, image), title);
        VERIFY_DIALOGS(tp);
    }

    // Ten opens and OKs leave the file as it was; a line typed at the end of
    // the text then lands on a line of its own.
    void aLineTypedAtTheEndLandsOnItsOwnLine()
    {
        TestProgram tp;
        useFolder(tp);
        QDir(tp.folder()).mkdir("texts");
        const QString image = tp.path("d.jpg");
        const QByteArray stored("first\r\nsecond\r\n");
        tp.write("texts/00000003.txt", stored);
        ini().put(textSection, image, tp.path("texts/00000003.txt"));
        for (int i = 0; i < 10; ++i) {
            expectEditor(tp, [](FrmAssocText2& dialog) { click(dialog, "Command1"); });
            AssocText::edit(QStringLiteral("main"), image);
            QCOMPARE(tp.read("texts/00000003.txt"), stored);
        }
        expectEditor(tp, [](FrmAssocText2& dialog) {
            auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("o_text"));
            text->moveCursor(QTextCursor::End);
            QTest::keyClicks(text, QStringLiteral("third"));
            click(dialog, "Command1");
        });
        AssocText::edit(QStringLiteral("main"), image);
        QCOMPARE(tp.read("texts/00000003.txt"), QByteArray("first\r\nsecond\r\nthird\r\n"));
        QCOMPARE(ini().get(textSection, image), tp.path("texts/00000003.txt"));
        VERIFY_DIALOGS(tp);
    }

    void cancelAndTheFrameStoreNothing_data()
    {
        QTest::addColumn<bool>("byFrame");
        QTest::addRow("Clear Text, then Cancel") << false;
        QTest::addRow("Clear Text, then the close box") << true;
    }
    void cancelAndTheFrameStoreNothing()
    {
        QFETCH(bool, byFrame);
        TestProgram tp;
        useFolder(tp);
        QDir(tp.folder()).mkdir("texts");
        const QString image = tp.path("b.jpg");
        tp.write("texts/00000002.txt", "kept\r\n");
        ini().put(textSection, image, tp.path("texts/00000002.txt"));
        ini().put(titleSection, image, "Kept");
        const QString before = tp.settingsText();
        expectEditor(tp, [&](FrmAssocText2& dialog) {
            click(dialog, "Command3");
            QCOMPARE(textOf(dialog), QString());
            QCOMPARE(shownTitle(dialog), QString());
            if (byFrame)
                dialog.reject();
            else
                click(dialog, "Command2");
        });
        AssocText::edit(QStringLiteral("main"), image);
        QCOMPARE(tp.settingsText(), before);
        QCOMPARE(tp.read("texts/00000002.txt"), QByteArray("kept\r\n"));
        VERIFY_DIALOGS(tp);
    }

    void missingTextFolderIsMadeAndAFailureRecordsNothing_data()
    {
        QTest::addColumn<bool>("folderBlocked");
        QTest::addRow("a missing folder is created") << false;
        QTest::addRow("a folder that cannot be made: said so, nothing recorded") << true;
    }
    void missingTextFolderIsMadeAndAFailureRecordsNothing()
    {
        QFETCH(bool, folderBlocked);
        TestProgram tp;
        if (folderBlocked)
            tp.write("blocked", "a file where the folder should be");
        useFolder(tp, folderBlocked ? QStringLiteral("blocked/texts") : QStringLiteral("new/texts"));
        const QString image = tp.path("c.gif");
        expectEditor(tp, [&](FrmAssocText2& dialog) {
            type(dialog, "Title", "Text");
            click(dialog, "Command1");
        });
        if (folderBlocked)
            tp.ui.expectMessage(std::nullopt);
        AssocText::edit(QStringLiteral("main"), image);
        if (folderBlocked) {
            QVERIFY(tp.ui.asked().last().text.startsWith("The text could not be saved."));
            QCOMPARE(tp.ui.asked().last().title, QStringLiteral("Associate Text With Image"));
            QVERIFY(!ini().contains(textSection, image));
            QVERIFY(!ini().contains(titleSection, image));
        } else {
            const QString recorded = ini().get(textSection, image);
            QCOMPARE(QFileInfo(recorded).absolutePath(), tp.path("new/texts"));
            QFile written(recorded);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), QByteArray("Text\r\n"));
            QCOMPARE(ini().get(titleSection, image), QStringLiteral("Title"));
        }
        VERIFY_DIALOGS(tp);
    }

    void previewIsReducedToTheBoxOnly_data()
    {
        QTest::addColumn<QSize>("picture"); // pixels
        QTest::addColumn<QSizeF>("shown");  // twips
        const QSize box(AssocText::previewWidth / 15, AssocText::previewHeight / 15);
        QTest::addRow("twice as wide as the box: half size both ways")
            << QSize(box.width() * 2, box.height())
            << QSizeF(AssocText::previewWidth, AssocText::previewHeight / 2.0);
        QTest::addRow("smaller than the box: natural size") << QSize(100, 50) << QSizeF(1500, 750);
    }
    void previewIsReducedToTheBoxOnly()
    {
        QFETCH(QSize, picture);
        QFETCH(QSizeF, shown);
        TestProgram tp;
        useFolder(tp);
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(tp.path("p.jpg")));
        AssocText editor;
        editor.setFilename(tp.path("p.jpg"));
        QVERIFY(editor.Frame3.visible);
        QCOMPARE(QSizeF(editor.o_image.width(), editor.o_image.height()), shown);
        editor.setFilename(tp.path("notes.txt"));
        QVERIFY(!editor.Frame3.visible);
        QVERIFY(editor.o_image.picture().isNull());
    }

    void toolbarEditsEachSelectedEntryInTurn()
    {
        TestProgram tp;
        useFolder(tp);
        MainForm form;
        form.Form_Load();
        const QStringList images{tp.path("1.jpg"), tp.path("2.jpg"), tp.path("3.jpg"), tp.path("4.jpg")};
        form.itemlist()->addItems(images);
        for (int i : {0, 2, 3})
            form.itemlist()->item(i)->setSelected(true);
        ini().put(titleSection, images[2], "Third");
        for (int i : {0, 2, 3}) {
            expectEditor(tp, [&, i](FrmAssocText2& dialog) {
                QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("o_filename"))->text(), images[i]);
                QCOMPARE(shownTitle(dialog), i == 2 ? QStringLiteral("Third") : QString());
                type(dialog, QStringLiteral("T%1").arg(i), QString());
                click(dialog, "Command1");
            });
        }
        form.toolbarButton(QStringLiteral("associate text"))->trigger();
        for (int i : {0, 2, 3})
            QCOMPARE(ini().get(titleSection, images[i]), QStringLiteral("T%1").arg(i));
        QVERIFY(!ini().contains(titleSection, images[1]));
        VERIFY_DIALOGS(tp);
    }
};

QTEST_MAIN(TestAssocText)
#include "tst_assoctext.moc"
