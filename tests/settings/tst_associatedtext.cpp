#include "settings/associatedtext.h"
#include "settings/program.h"

#include "platform/profilefile.h"

#include "testprogram.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace mosaicon;

class TestAssociatedText : public QObject
{
    Q_OBJECT

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static void useProgramFolder(const TestProgram& tp)
    {
        program().ini_file_path = tp.path(QStringLiteral("mosaicon.ini"));
        program().settings.assoc_text_dir = tp.path(QStringLiteral("assoctxt"));
    }

private slots:
    void anImageWithoutRecordsHasNothing()
    {
        TestProgram tp;
        useProgramFolder(tp);
        QCOMPARE(associated_title(QStringLiteral("/pics/a.jpg")), QString());
        QCOMPARE(associated_text_lines(QStringLiteral("/pics/a.jpg")), QStringList());
    }

    void storedTextIsReadBackLineByLine_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("two lines") << "Dog\r\nin the snow" << QByteArray("Dog\r\nin the snow\r\n")
                                   << QStringList{"Dog", "in the snow"};
        QTest::addRow("an editor's bare line feeds") << "a\nb" << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::addRow("an emptied text") << "" << QByteArray("\r\n") << QStringList{""};
        QTest::addRow("HTML and accents as typed") << "&copy; Zoë" << QByteArray("&copy; Zo\xc3\xab\r\n")
                                                   << QStringList{"&copy; Zoë"};
    }
    void storedTextIsReadBackLineByLine()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        TestProgram tp;
        useProgramFolder(tp);
        const QString image = QStringLiteral("/pics/a b.jpg");
        QVERIFY(store_associated_text(image, typed));
        const QString recorded = settingsFile().get(QStringLiteral("Associated Text"), image);
        QVERIFY2(QDir::cleanPath(recorded).startsWith(tp.path(QStringLiteral("assoctxt/"))), qPrintable(recorded));
        QVERIFY2(QRegularExpression(QStringLiteral("/\\d{8}\\.txt$")).match(recorded).hasMatch(), qPrintable(recorded));
        QCOMPARE(contents(recorded), file);
        QCOMPARE(associated_text_lines(image), lines);
    }

    void storingAgainRewritesTheSameFile()
    {
        TestProgram tp;
        useProgramFolder(tp);
        const QString image = QStringLiteral("/pics/a.jpg");
        QVERIFY(store_associated_text(image, QStringLiteral("first")));
        const QString recorded = settingsFile().get(QStringLiteral("Associated Text"), image);
        QVERIFY(store_associated_text(image, QStringLiteral("second")));
        QCOMPARE(settingsFile().get(QStringLiteral("Associated Text"), image), recorded);
        QCOMPARE(contents(recorded), QByteArray("second\r\n"));
        QCOMPARE(QDir(tp.path(QStringLiteral("assoctxt"))).entryList(QDir::Files).size(), 1);
    }

    void aDeletedFileGivesNoTextAndStoringMakesANewOne()
    {
        TestProgram tp;
        useProgramFolder(tp);
        const QString image = QStringLiteral("/pics/a.jpg");
        QVERIFY(store_associated_text(image, QStringLiteral("first")));
        platform::ProfileFile& ini = settingsFile();
        const QString old = ini.get(QStringLiteral("Associated Text"), image);
        QVERIFY(QFile::remove(old));
        QCOMPARE(associated_text_lines(image), QStringList());
        QVERIFY(store_associated_text(image, QStringLiteral("again")));
        const QString renewed = ini.get(QStringLiteral("Associated Text"), image);
        QVERIFY(renewed != old);
        QCOMPARE(contents(renewed), QByteArray("again\r\n"));
    }

    void aFolderThatCannotBeWrittenKeepsTheRecord()
    {
        TestProgram tp;
        useProgramFolder(tp);
        // A file where the folder should be: nothing can be made inside it.
        tp.write(QStringLiteral("assoctxt"), "not a folder");
        QString error;
        QVERIFY(!store_associated_text(QStringLiteral("/pics/a.jpg"), QStringLiteral("text"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(
            settingsFile().get(QStringLiteral("Associated Text"), QStringLiteral("/pics/a.jpg")),
            QString());
    }

    void twoPathsOfOneFileKeepTheirOwnRecordsUntilCopied()
    {
        TestProgram tp;
        useProgramFolder(tp);
        const QString source = QStringLiteral("/pics/a.jpg");
        const QString copy = QStringLiteral("/web/a.jpg");
        store_associated_title(source, QStringLiteral("Source title"));
        QVERIFY(store_associated_text(source, QStringLiteral("source text")));
        store_associated_title(copy, QStringLiteral("Copy title"));
        QCOMPARE(associated_title(copy), QStringLiteral("Copy title"));
        QCOMPARE(associated_text_lines(copy), QStringList());

        copy_associated_records(source, copy);
        QCOMPARE(associated_title(copy), QStringLiteral("Source title"));
        QCOMPARE(associated_text_lines(copy), QStringList{QStringLiteral("source text")});
    }

    void aBlankTitleIsStoredEmpty()
    {
        TestProgram tp;
        useProgramFolder(tp);
        store_associated_title(QStringLiteral("/pics/a.jpg"), QStringLiteral("Old title"));
        store_associated_title(QStringLiteral("/pics/a.jpg"), QStringLiteral("   "));
        QCOMPARE(settingsFile().get(QStringLiteral("Associated Text Title"),
                                    QStringLiteral("/pics/a.jpg")),
                 QString());
    }

    void aLongTitleIsReadBackWhole()
    {
        TestProgram tp;
        useProgramFolder(tp);
        const QString title(300, u'x');
        store_associated_title(QStringLiteral("/pics/a.jpg"), title);
        platform::resetProfiles();
        QCOMPARE(associated_title(QStringLiteral("/pics/a.jpg")), title);
    }
};

QTEST_GUILESS_MAIN(TestAssociatedText)
#include "tst_associatedtext.moc"
