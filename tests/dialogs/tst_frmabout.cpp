#include "dialogs/widgets/frmabout.h"

#include "settings/program.h"

#include "testprogram.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace mosaicon;

class TestFrmAbout : public QObject
{
    Q_OBJECT

private slots:
    void showsTheTitleAsPlainTextAndTheDescription()
    {
        TestProgram tp;
        program().product_title = QStringLiteral("Mosaicon <b>Pro</b>");
        AboutBox box;
        FrmAbout dialog(&box);
        QCOMPARE(dialog.objectName(), QStringLiteral("ABOUT"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Mosaicon"));
        auto* title = dialog.findChild<QLabel*>(QStringLiteral("Label8"));
        QCOMPARE(title->text(), QStringLiteral("Mosaicon <b>Pro</b>"));
        QCOMPARE(title->textFormat(), Qt::PlainText);
        const QStringList paragraphs = dialog.findChild<QLabel*>(QStringLiteral("Label9"))
                                           ->text()
                                           .split(QStringLiteral("\n\n"));
        QCOMPARE(paragraphs.size(), 2);
        QVERIFY(paragraphs[0].startsWith(QStringLiteral("Mosaicon Pro allows the quick viewing")));
        QVERIFY(paragraphs[0].endsWith(QStringLiteral("relative addressing for image files.")));
        QVERIFY(paragraphs[0].contains(QStringLiteral("images.  Quickly")));
        QCOMPARE(paragraphs[1],
                 QStringLiteral("This version also allows you to create JPG images from any of "
                                "the the supported file types.  The files can be small "
                                "thumbnail or full size copies."));
    }

    void okEndsTheModalDisplay()
    {
        TestProgram tp;
        AboutBox box;
        FrmAbout dialog(&box);
        dialog.open();
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        QCOMPARE(finished.size(), 1);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
