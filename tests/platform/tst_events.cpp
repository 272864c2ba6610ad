#include "platform/events.h"

#include <QCoreApplication>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

using namespace mosaicon;

namespace {

// Waits up to five seconds for flag: a window's thread that never answers
// fails the test instead of hanging it.
bool waitFor(const std::atomic<bool>& flag)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!flag && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return flag;
}

} // namespace

class TestEvents : public QObject
{
    Q_OBJECT

private slots:
    // The work goes on beside the window's thread, whose timers run meanwhile;
    // a timer's own call waits for the work under way and then runs on the
    // window's thread, without a wait inside the wait.
    void workRunsBesideTheAnsweringWindow()
    {
        QThread* const window = QThread::currentThread();
        std::atomic<bool> timerRan{false};
        QMutex lock;
        QStringList steps;
        const auto step = [&](const QString& name, bool onWindow) {
            const QMutexLocker hold(&lock);
            steps << name + (onWindow ? " on the window's thread" : " beside it");
        };
        QTimer::singleShot(0, [&] {
            timerRan = true;
            platform::runAnswering(
                [&] { step("timer's work", QThread::currentThread() == window); });
        });

        platform::runAnswering([&] {
            const bool answered = waitFor(timerRan);
            // The timer's work must not start before this one is over.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            step(answered ? "work, the timer run" : "work, the timer not run",
                 QThread::currentThread() == window);
        });

        QCOMPARE(steps, (QStringList{"work, the timer run beside it",
                                     "timer's work on the window's thread"}));
    }
};

QTEST_GUILESS_MAIN(TestEvents)
#include "tst_events.moc"
