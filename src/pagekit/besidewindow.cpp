#include "pagekit/besidewindow.h"

#include "platform/events.h"
#include "platform/imagecontrol.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace mosaicon {

bool run_beside_window(qsizetype count, const BesideWork& work, const BesideLanded& landed,
                       RunStop& stop, const BesidePixels& pixels, qint64 budget)
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
    // The pixels of the jobs running and of the pictures idle engines keep.
    qint64 inHand = 0;
    std::vector<char> done(size_t(count), 0);
    // Engines between jobs. An engine keeps the memory of its last picture
    // for the next one, which saves a fresh one's page faults for each photo;
    // what it keeps counts in the budget, and is given up when a job needs room.
    struct Engine
    {
        std::unique_ptr<platform::ImageControl> control =
            std::make_unique<platform::ImageControl>();
        qint64 kept = 0;
    };
    std::vector<Engine> idle;

    const auto worker = [&] {
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
            // The idle engine keeping the most serves, chosen again after each
            // wait; the job takes the place of what it kept.
            Engine engine;
            const auto fits = [&] {
                return inHand - engine.kept + std::max(cost, engine.kept) <= budget;
            };
            for (;;) {
                if (!idle.empty()) {
                    const auto most = std::max_element(
                        idle.begin(), idle.end(),
                        [](const Engine& a, const Engine& b) { return a.kept < b.kept; });
                    if (most->kept > engine.kept)
                        std::swap(engine, *most);
                }
                for (Engine& other : idle) {
                    if (fits())
                        break;
                    if (other.kept > 0) {
                        inHand -= other.kept;
                        other = Engine();
                    }
                }
                if (!fits() && engine.kept > cost) {
                    inHand -= engine.kept;
                    engine = Engine();
                }
                // A job larger than the budget runs alone.
                if (stop.stopped() || fits() || (running == 0 && inHand == engine.kept))
                    break;
                workersWake.wait(hold);
            }
            const qint64 charge = std::max(cost, engine.kept);
            weighing = false;
            if (stop.stopped()) {
                idle.push_back(std::move(engine));
                workersWake.notify_all();
                return;
            }
            next = job + 1;
            ++running;
            inHand += charge - engine.kept;
            hold.unlock();
            workersWake.notify_all();
            const bool ok = work(*engine.control, job);
            hold.lock();
            --running;
            // What the engine keeps now is the size of this job's picture.
            inHand += cost - charge;
            engine.kept = cost;
            idle.push_back(std::move(engine));
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

} // namespace mosaicon
