#include "platform/widgets/widgetui.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
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
};

QTEST_MAIN(TestWidgetUi)
#include "tst_widgetui.moc"
