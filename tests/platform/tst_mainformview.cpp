#include "platform/mainformview.h"

#include "platform/events.h"

#include "fakemainform.h"
#include "testprogram.h"

#include <QTest>

using namespace mosaicon;

class TestMainFormView : public QObject
{
    Q_OBJECT

private slots:
    void statusGoesToTheWindowAndLetsEventsRun()
    {
        TestProgram tp;
        FakeMainForm window;
        platform::setMainFormView(&window);
        int pumps = 0;
        platform::setDoEventsHook([&] { ++pumps; });
        platform::show_status(QStringLiteral("Working"));
        platform::setMainFormView(nullptr);
        QCOMPARE(window.calls, QStringList{QStringLiteral("status Working")});
        QCOMPARE(pumps, 1);
    }
};

QTEST_GUILESS_MAIN(TestMainFormView)
#include "tst_mainformview.moc"
