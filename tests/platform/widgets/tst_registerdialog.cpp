#include "platform/widgets/registerdialog.h"

#include "testprogram.h"
#include "windowsleft.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace mosaicon::platform;

namespace {

class Shown : public QObject
{
    Q_OBJECT
};

// Counts the dialogs made and those still there; like the program's dialogs,
// it goes with its value.
class ShownDialog : public QDialog
{
    Q_OBJECT

public:
    ShownDialog(Shown* value, QWidget* parent) : QDialog(parent), m_value(value)
    {
        ++made;
        ++alive;
        connect(value, &QObject::destroyed, this, &QObject::deleteLater);
    }
    ~ShownDialog() override { --alive; }
    Shown* value() const { return m_value; }

    static inline int made = 0;
    static inline int alive = 0;

private:
    Shown* m_value;
};

// Shows the value through the modal seam and closes the dialog that came up;
// false when none did.
bool showAndClose(const QString& windowName, QObject* value)
{
    bool came = false;
    QTimer::singleShot(0, qApp, [&came] {
        if (auto* dialog = qobject_cast<ShownDialog*>(QApplication::activeModalWidget())) {
            came = true;
            dialog->reject();
        }
    });
    WidgetUi().showModal(windowName, value);
    return came;
}

} // namespace

class TestRegisterDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        VERIFY_NO_WINDOW_LEFT();
    }

    void aDialogIsMadeForEachShowingOrKeptWithItsValue_data()
    {
        QTest::addColumn<int>("life");
        QTest::addColumn<int>("madeForOneValueShownTwice");
        QTest::addColumn<int>("leftAfterAShowing");
        QTest::addRow("one dialog a showing, gone when it closes")
            << int(DialogLife::OneShowing) << 2 << 0;
        QTest::addRow("one dialog while its value lives")
            << int(DialogLife::KeptWithItsValue) << 1 << 1;
    }
    void aDialogIsMadeForEachShowingOrKeptWithItsValue()
    {
        QFETCH(int, life);
        QFETCH(int, madeForOneValueShownTwice);
        QFETCH(int, leftAfterAShowing);
        const QString name = QStringLiteral("frm_test%1").arg(life);
        registerDialog<ShownDialog, Shown>(name, DialogLife(life));
        ShownDialog::made = 0;
        Shown first;
        QVERIFY(showAndClose(name, &first));
        QVERIFY(showAndClose(name, &first));
        QCOMPARE(ShownDialog::made, madeForOneValueShownTwice);
        QCOMPARE(ShownDialog::alive, leftAfterAShowing);

        // Another value gets a dialog of its own, and a kept one makes way for it.
        Shown second;
        QVERIFY(showAndClose(name, &second));
        QCOMPARE(ShownDialog::made, madeForOneValueShownTwice + 1);
        QCOMPARE(ShownDialog::alive, leftAfterAShowing);
    }

    void aDialogIsNeverMadeOverAClosedOne()
    {
        registerDialog<ShownDialog, Shown>(QStringLiteral("frm_kept"), DialogLife::KeptWithItsValue);
        registerDialog<ShownDialog, Shown>(QStringLiteral("frm_once"));
        auto* kept = new Shown;
        QVERIFY(showAndClose(QStringLiteral("frm_kept"), kept));
        // Its dialog goes with it, later; it may still be the active window.
        delete kept;
        Shown once;
        bool came = false;
        QPointer<QWidget> parent;
        QTimer::singleShot(0, qApp, [&] {
            if (auto* dialog = qobject_cast<ShownDialog*>(QApplication::activeModalWidget())) {
                came = true;
                parent = dialog->parentWidget();
                QVERIFY(!parent || parent->isVisible());
                dialog->reject();
            }
        });
        WidgetUi().showModal(QStringLiteral("frm_once"), &once);
        QVERIFY(came);
        QVERIFY(!parent || parent->isVisible());
    }

    void aWindowNobodyRegisteredIsToldByName_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("name");
        QTest::addRow("a value shown in a window of no registered name") << "show" << "frm_nowhere";
        QTest::addRow("a window opened by a name nobody registered") << "open" << "frm_nowhere";
        QTest::addRow("a window that shows a value, opened by its name alone") << "open" << "frm_test";
        QTest::addRow("a value of another class shown under a registered name") << "other" << "frm_test";
    }
    void aWindowNobodyRegisteredIsToldByName()
    {
        QFETCH(QString, way);
        QFETCH(QString, name);
        TestProgram tp;
        registerDialog<ShownDialog, Shown>(QStringLiteral("frm_test"));
        tp.ui.expectMessage(
            QStringLiteral("The window %1 cannot be shown: the program has no window of that name.").arg(name));
        ShownDialog::made = 0;
        Shown value;
        QObject other;
        const bool shown = way == QLatin1String("show")    ? WidgetUi().showModal(name, &value)
                           : way == QLatin1String("other") ? WidgetUi().showModal(name, &other)
                                                           : openWindow(name);
        QVERIFY(!shown);
        VERIFY_DIALOGS(tp);
        QCOMPARE(tp.ui.asked().first().style, MsgBox::OkOnly + MsgBox::Critical);
        QCOMPARE(ShownDialog::made, 0);
    }
};

QTEST_MAIN(TestRegisterDialog)
#include "tst_registerdialog.moc"
