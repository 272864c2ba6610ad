#include "pagekit/besidewindow.h"

#include "platform/events.h"
#include "platform/imagecontrol.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace mosaicon {

namespace {

// A job whose pictures hold more than this gets an engine of its own, freed
// with it: an engine keeps the memory of its last picture for the next one,
// which the budget would not see.
constexpr qint64 sharedEnginePixels = qint64(1) << 20;

} // namespace

bool run_beside_window(qsizetype count, const BesideWork& work, const BesideLanded& landed, RunStop& stop,
                       const BesidePixels& pixels, qint64 budget)
{
    if (count <= 0)
        return !stop.stopped();
    platform::ImageControl::prepareDecoder();
    std::mutex lock;
    // Workers wait for their turn and for room in the budget; the window's
    // thread waits for a finished job.
    std::condition_variable workersWake;
    std::condition_variable windowWake;
    // Guarded by lock: jobs start in list order, so those that ran are always
    // the first `next`.
    qsizetype next = 0;
    bool weighing = false; // a worker holds job `next` while it weighs it
    qsizetype running = 0;
    qint64 inHand = 0;
    std::vector<char> done(size_t(count), 0);

    const auto worker = [&] {
        platform::ImageControl engine;
        std::unique_lock hold(lock);
        for (;;) {
            workersWake.wait(hold, [&] { return stop.stopped() || next == count || !weighing; });
            if (stop.stopped() || next == count)
                return;
            weighing = true;
            const qsizetype job = next;
            hold.unlock();
            const qint64 cost = pixels ? std::max<qint64>(0, pixels(job)) : 0;
            hold.lock();
            // One job always runs, however large.
            workersWake.wait(hold, [&] { return stop.stopped() || running == 0 || inHand + cost <= budget; });
            weighing = false;
            if (stop.stopped()) {
                workersWake.notify_all();
                return;
            }
            next = job + 1;
            ++running;
            inHand += cost;
            hold.unlock();
            workersWake.notify_all();
            bool ok = false;
            if (cost > sharedEnginePixels) {
                platform::ImageControl own;
                ok = work(own, job);
            } else {
                ok = work(engine, job);
            }
            hold.lock();
            --running;
            inHand -= cost;
            done[size_t(job)] = 1;
            // No job starts after a failure.
            if (!ok)
                stop.stop();
            workersWake.notify_all();
            windowWake.notify_one();
        }
    };
    // As many workers as cores: the window's thread only waits, so the work
    // goes as fast as when it was one of them.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype threads = std::min<qsizetype>(cores, count);
    std::vector<std::thread> pool;
    pool.reserve(size_t(threads));
    for (qsizetype t = 0; t < threads; ++t)
        pool.emplace_back(worker);

    // Often enough for the window to repaint smoothly while nothing lands.
    constexpr std::chrono::milliseconds tick(15);
    bool handing = true;
    for (qsizetype told = 0;;) {
        qsizetype ready = told;
        bool over = false;
        {
            std::unique_lock hold(lock);
            windowWake.wait_for(hold, tick, [&] {
                const bool allIn = stop.stopped() && running == 0;
                return handing ? told == count || done[size_t(told)] || allIn : allIn;
            });
            while (ready < count && done[size_t(ready)])
                ++ready;
            // Stopped, with every job that started done: none starts any more.
            over = ready == count || (stop.stopped() && running == 0 && ready == next);
            // A stop set from this thread reaches the waiting workers.
            if (stop.stopped())
                workersWake.notify_all();
        }
        for (; told < ready && handing; ++told) {
            handing = landed(told);
            if (!handing) {
                stop.stop();
                const std::lock_guard hold(lock);
                workersWake.notify_all();
            }
        }
        if (over && (told == ready || !handing))
            break;
        platform::doEvents();
    }
    for (std::thread& t : pool)
        t.join();
    return !stop.stopped();
}

void run_beside_window(qsizetype count, const std::function<void(platform::ImageControl&, qsizetype)>& work,
                       const std::function<bool(qsizetype)>& landed)
{
    RunStop stop;
    run_beside_window(
        count,
        [&work](platform::ImageControl& engine, qsizetype i) {
            work(engine, i);
            return true;
        },
        landed, stop);
}

} // namespace mosaicon
