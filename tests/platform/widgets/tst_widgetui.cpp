#include "platform/widgets/widgetui.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
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
        for (int i = 1; i <= 100; ++i)
            names.append(QStringLiteral("/home/ann/trip/picture%1.jpg").arg(i));
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("button");
        QTest::addRow("a hundred refused files")
            << QStringLiteral("These files are left out:\n") + names.join(u'\n')
            << MsgBox::Exclamation << QStringLiteral("\u2026 and %1 more") << int(QMessageBox::Ok);
        QTest::addRow("a long list before its question")
            << QStringLiteral("These files will be deleted:\n") + names.join(u'\n') +
                   QStringLiteral("\n\nAre you sure?")
            << (MsgBox::YesNo | MsgBox::Question) << QStringLiteral("Are you sure?")
            << int(QMessageBox::Yes);
    }
    void aLongMessageFitsTheScreen()
    {
        QFETCH(QString, text);
        QFETCH(int, style);
        QFETCH(QString, lastLine);
        QFETCH(int, button);
        QString shown;
        QString details;
        QRect screen;
        QRect frame;
        QRect answerRect;
        QTimer::singleShot(0, qApp, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = box->text();
            details = box->detailedText();
            screen = box->screen()->availableGeometry();
            frame = box->frameGeometry();
            if (QAbstractButton* answer = box->button(QMessageBox::StandardButton(button)))
                answerRect = QRect(answer->mapToGlobal(QPoint()), answer->size());
            box->done(button);
        });
        WidgetUi().messageBox(text, style, QStringLiteral("Mosaicon"));

        QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1 high on a screen %2 high")
                                                        .arg(frame.height())
                                                        .arg(screen.height())));
        QVERIFY(!answerRect.isEmpty() && screen.contains(answerRect));
        QVERIFY(shown.startsWith(text.section(u'\n', 0, 1) + u'\n'));
        const QString last = shown.section(u'\n', -1);
        const int hidden = int(text.count(u'\n') - shown.count(u'\n')) + 1;
        QCOMPARE(last, lastLine.contains(u'%') ? lastLine.arg(hidden) : lastLine);
        QCOMPARE(details, text);
    }
};

QTEST_MAIN(TestWidgetUi)
#include "tst_widgetui.moc"
