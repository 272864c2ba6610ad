#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>

namespace mosaicon::platform {
class ImageControl;
}

namespace mosaicon {

// Ends a run beside the window before its last job. Set on the window's
// thread (its window closed, a Stop pressed) or by the run itself (a false
// answer, a failed job); the workers test it before each job.
class RunStop
{
public:
    void stop() { m_stopped.store(true, std::memory_order_relaxed); }
    bool stopped() const { return m_stopped.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_stopped{false};
};

// What the decoded pictures of the jobs in hand may hold together, in pixels
// of four bytes: 320 MiB, three photos of 24 megapixels. A job larger than
// that runs alone.
constexpr qint64 besideWindowPixelBudget = qint64(80) << 20;

// One job on a worker, with an engine nobody else uses meanwhile: false when
// it failed, which stops the run.
using BesideWork = std::function<bool(platform::ImageControl&, qsizetype)>;
// A finished job, on the window's thread: false ends the run there.
using BesideLanded = std::function<bool(qsizetype)>;
// On a worker, before the job starts: the pixels its pictures will hold at
// most (0 for a job that decodes nothing large).
using BesidePixels = std::function<qint64(qsizetype)>;

// Runs jobs 0 to count - 1 on worker threads, one a core, started in list
// order, while the calling thread (the window's) keeps the window alive and
// hands each job that ran to landed, in list order, as soon as it and every
// one before it is done. No job starts once the stop is set: by landed
// answering false, by a job that failed, or from the window's thread meanwhile;
// the jobs in hand finish, and those of them landed has not refused are still
// handed over. Jobs start only while the pixels of the jobs in hand stay
// within the budget. True when every job ran and was handed over.
bool run_beside_window(qsizetype count, const BesideWork& work, const BesideLanded& landed,
                       RunStop& stop, const BesidePixels& pixels = {},
                       qint64 budget = besideWindowPixelBudget);

} // namespace mosaicon
