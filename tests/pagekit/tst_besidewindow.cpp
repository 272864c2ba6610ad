#include "pagekit/besidewindow.h"

#include "platform/events.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace mosaicon;

namespace {

// How the run ends early, if it does.
enum class Ending
{
    None,
    Refused, // the hand-back answers false
    Failed,  // the job fails
    Stopped  // the window's thread sets the stop (its window closed)
};

qsizetype workerCount(qsizetype jobs)
{
    return std::min<qsizetype>(std::max(1u, std::thread::hardware_concurrency()), jobs);
}

} // namespace

class TestBesideWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { platform::setDoEventsHook({}); }

    // Jobs after the one that ends the run wait in their worker until the
    // stop is set, so the jobs in hand are all that may still run.
    void aRunEndsWithTheJobsInHand_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<int>("at");
        QTest::addRow("every job runs and is handed back in list order") << Ending::None << -1;
        QTest::addRow("a false answer ends the work") << Ending::Refused << 3;
        QTest::addRow("a failed job ends the work, and is handed back") << Ending::Failed << 5;
        QTest::addRow("a stop from the window's thread ends the run") << Ending::Stopped << 0;
    }
    void aRunEndsWithTheJobsInHand()
    {
        QFETCH(Ending, ending);
        QFETCH(int, at);
        const qsizetype count = 300;
        RunStop stop;
        std::mutex lock;
        std::vector<qsizetype> ran;
        std::vector<qsizetype> handed;
        platform::setDoEventsHook([&] {
            if (ending == Ending::Stopped)
                stop.stop();
        });
        const auto waitForTheStop = [&] {
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!stop.stopped() && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        const bool whole = run_beside_window(
            count,
            [&](platform::ImageControl&, qsizetype i) {
                if (ending != Ending::None && i > at)
                    waitForTheStop();
                // Later jobs finish sooner: the hand-back still keeps list order.
                std::this_thread::sleep_for(std::chrono::microseconds((i * 37) % 300));
                const std::lock_guard hold(lock);
                ran.push_back(i);
                return !(ending == Ending::Failed && i == at);
            },
            [&](qsizetype i) {
                handed.push_back(i);
                return !(ending == Ending::Refused && i == at);
            },
            stop);

        std::sort(ran.begin(), ran.end());
        const qsizetype made = qsizetype(ran.size());
        // The jobs that ran are the first ones, each once.
        for (qsizetype i = 0; i < made; ++i)
            QCOMPARE(ran[size_t(i)], i);
        for (qsizetype i = 0; i < qsizetype(handed.size()); ++i)
            QCOMPARE(handed[size_t(i)], i);
        QCOMPARE(whole, ending == Ending::None);
        QCOMPARE(stop.stopped(), ending != Ending::None);
        if (ending == Ending::None) {
            QCOMPARE(made, count);
            QCOMPARE(qsizetype(handed.size()), count);
            return;
        }
        // At most one job more a worker than had started when the run was ended.
        QVERIFY2(made <= at + 1 + workerCount(count), qPrintable(QString::number(made)));
        if (ending == Ending::Refused)
            QCOMPARE(qsizetype(handed.size()), qsizetype(at + 1));
        else
            // Every job that ran is handed back: its results are recorded.
            QCOMPARE(qsizetype(handed.size()), made);
    }

    // Jobs declare their pixels before they start: together those in hand
    // stay within the budget, and a job larger than it runs alone.
    void jobsStartWithinThePixelBudget()
    {
        const qint64 budget = 100;
        const std::vector<qint64> pixels{40, 40, 40, 10, 10, 10, 10, 150,
                                         30, 30, 30, 30, 60, 60, 20, 20};
        std::atomic<qint64> inHand{0};
        std::atomic<qint64> most{0};
        std::atomic<int> running{0};
        std::atomic<bool> largeNotAlone{false};
        RunStop stop;
        const bool whole = run_beside_window(
            qsizetype(pixels.size()),
            [&](platform::ImageControl&, qsizetype i) {
                const qint64 now = inHand += pixels[size_t(i)];
                const int together = ++running;
                if (pixels[size_t(i)] > budget && together > 1)
                    largeNotAlone = true;
                else if (pixels[size_t(i)] <= budget)
                    most = std::max(most.load(), now);
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
                --running;
                inHand -= pixels[size_t(i)];
                return true;
            },
            [](qsizetype) { return true; }, stop, [&](qsizetype i) { return pixels[size_t(i)]; },
            budget);
        QVERIFY(whole);
        QVERIFY2(most <= budget, qPrintable(QString::number(most.load())));
        QVERIFY(!largeNotAlone);
    }
};

QTEST_GUILESS_MAIN(TestBesideWindow)
#include "tst_besidewindow.moc"
