#include "platform/widgets/widgetui.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace mosaicon::platform;

class TestWidgetUi : public QObject
{
    Q_OBJECT

    struct Seen
    {
        QString title;
        QStringList shown;           // the filter box's entries as the user reads them
        QList<QStringList> patterns; // the patterns each entry lists files by
    };

    // Runs the file dialog, notes what it shows, and leaves it by answering
    // with answer (nothing: Cancel).
    static std::optional<QString> runDialog(const FileDialogRequest& request, const QString& answer,
                                            Seen& seen)
    {
        QTimer::singleShot(0, qApp, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen.title = dialog->windowTitle();
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            for (int i = 0; i < types->count(); ++i)
                seen.shown.append(types->itemText(i));
            auto* model = dialog->findChild<QFileSystemModel*>();
            QVERIFY(model);
            for (const QString& filter : dialog->nameFilters()) {
                dialog->selectNameFilter(filter);
                seen.patterns.append(model->nameFilters());
            }
            if (answer.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(answer);
            static_cast<QDialog*>(dialog)->accept(); // the button's own slot
        });
        return WidgetUi().fileDialog(request);
    }

private slots:
    void filtersReadAsTheProgramWordsThem_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<QStringList>>("patterns");
        QTest::addRow("descriptions that name their patterns show them once")
            << "File Profile (*.fpr)|*.fpr|All Files (*.*)|*.*"
            << QStringList{"File Profile (*.fpr)", "All Files (*.*)"}
            << QList<QStringList>{{"*.fpr"}, {"*.*"}};
        QTest::addRow("descriptions without patterns show none")
            << "All Files|*.*|BMP Files|*.bmp|GIF Files|*.gif"
            << QStringList{"All Files", "BMP Files", "GIF Files"}
            << QList<QStringList>{{"*.*"}, {"*.bmp"}, {"*.gif"}};
        QTest::addRow("a description worded apart from its two patterns")
            << "GIF/JPG (*.gif,*.jpg)|*.gif;*.jpg" << QStringList{"GIF/JPG (*.gif,*.jpg)"}
            << QList<QStringList>{{"*.gif", "*.jpg"}};
    }
    void filtersReadAsTheProgramWordsThem()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        QFETCH(QList<QStringList>, patterns);
        QTemporaryDir dir;
        Seen seen;
        FileDialogRequest request;
        request.title = QStringLiteral("Load File List Profile");
        request.filter = filter;
        request.initialDirectory = dir.path();

        QCOMPARE(runDialog(request, QString(), seen), std::nullopt);

        QCOMPARE(seen.title, QStringLiteral("Load File List Profile"));
        QCOMPARE(seen.shown, shown);
        QCOMPARE(seen.patterns, patterns);
    }

    void theChosenFileComesBack_data()
    {
        QTest::addColumn<bool>("forSaving");
        QTest::addRow("an existing file opened") << false;
        QTest::addRow("a new file to save") << true;
    }
    void theChosenFileComesBack()
    {
        QFETCH(bool, forSaving);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trip.fpr"));
        if (!forSaving) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Seen seen;
        FileDialogRequest request{QStringLiteral("Save File List Profile"),
                                  QStringLiteral("File Profile (*.fpr)|*.fpr"), dir.path(),
                                  QString(), forSaving};
        QCOMPARE(runDialog(request, path, seen), std::optional<QString>(path));
    }

    void aLongMessageFitsTheScreen_data()
    {
        QStringList names;
        QStringList refused;
        for (int i = 1; i <= 100; ++i) {
            names.append(QStringLiteral("/home/ann/trip/picture%1.jpg").arg(i));
            // Lines wider than the box, as the refused pictures' are: each wraps.
            refused.append(QStringLiteral("/home/ann/Pictures/Summer at the coast with the "
                                          "children/IMG_20240712_%1.jpg: Unsupported image format")
                               .arg(153000 + i));
        }
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("openDetails");
        const QString leftOut = QStringLiteral("These files are left out:\n") + names.join(u'\n');
        const QString unread = QStringLiteral("These pictures could not be read:\n") + refused.join(u'\n');
        const QString deleted = QStringLiteral("These files will be deleted:\n") + names.join(u'\n') +
                                QStringLiteral("\n\nAre you sure?");
        QTest::addRow("a hundred files left out")
            << leftOut << MsgBox::Exclamation << QStringLiteral("\u2026 and %1 more")
            << int(QMessageBox::Ok) << false;
        QTest::addRow("a hundred files left out, their details open")
            << leftOut << MsgBox::Exclamation << QStringLiteral("\u2026 and %1 more")
            << int(QMessageBox::Ok) << true;
        QTest::addRow("a hundred refused pictures whose lines wrap")
            << unread << MsgBox::Exclamation << QStringLiteral("\u2026 and %1 more")
            << int(QMessageBox::Ok) << false;
        QTest::addRow("a hundred refused pictures whose lines wrap, their details open")
            << unread << MsgBox::Exclamation << QStringLiteral("\u2026 and %1 more")
            << int(QMessageBox::Ok) << true;
        QTest::addRow("a long list before its question, its details open")
            << deleted << (MsgBox::YesNo | MsgBox::Question) << QStringLiteral("Are you sure?")
            << int(QMessageBox::Yes) << true;
    }
    void aLongMessageFitsTheScreen()
    {
        QFETCH(QString, text);
        QFETCH(int, style);
        QFETCH(QString, lastLine);
        QFETCH(int, button);
        QFETCH(bool, openDetails);
        QString shown;
        QString details;
        QRect screen;
        QRect frame;
        QRect answerRect;
        QRect detailsRect;
        QTimer::singleShot(0, qApp, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (openDetails) {
                for (QAbstractButton* candidate : box->buttons()) {
                    if (box->buttonRole(candidate) == QMessageBox::ActionRole)
                        candidate->click();
                }
                auto* edit = box->findChild<QTextEdit*>();
                if (edit && edit->isVisible())
                    detailsRect = QRect(edit->mapToGlobal(QPoint()), edit->size());
            }
            shown = box->text();
            details = box->detailedText();
            screen = box->screen()->availableGeometry();
            frame = box->frameGeometry();
            if (QAbstractButton* answer = box->button(QMessageBox::StandardButton(button)))
                answerRect = QRect(answer->mapToGlobal(QPoint()), answer->size());
            box->done(button);
        });
        WidgetUi().messageBox(text, style, QStringLiteral("Mosaicon"));

        QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1 high at %2 on a screen %3 high")
                                                        .arg(frame.height())
                                                        .arg(frame.y())
                                                        .arg(screen.height())));
        QVERIFY(!answerRect.isEmpty() && screen.contains(answerRect));
        if (openDetails)
            QVERIFY(!detailsRect.isEmpty() && screen.contains(detailsRect));
        QVERIFY(shown.startsWith(text.section(u'\n', 0, 1) + u'\n'));
        const QString last = shown.section(u'\n', -1);
        const int hidden = int(text.count(u'\n') - shown.count(u'\n')) + 1;
        QCOMPARE(last, lastLine.contains(u'%') ? lastLine.arg(hidden) : lastLine);
        QCOMPARE(details, text);
    }

    // The offscreen platform's fonts and screen are not a real screen's: the
    // boxes are measured again on an X server of a common size.
    void aLongMessageFitsARealScreen()
    {
        const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (xvfbRun.isEmpty())
            QSKIP("xvfb-run is not installed");
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                            QCoreApplication::applicationFilePath(), QStringLiteral("-platform"),
                            QStringLiteral("xcb"), QStringLiteral("aLongMessageFitsTheScreen")});
        QVERIFY(run.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(run.readAll());
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Totals: 7 passed, 0 failed")), qPrintable(output));
    }
};

QTEST_MAIN(TestWidgetUi)
#include "tst_widgetui.moc"
