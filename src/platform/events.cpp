#include "platform/events.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace mosaicon::platform {

namespace {

std::function<void()> doEventsHook;
std::function<void()> endHook;
bool ended = false;

// runAnswering's wait, on the window's thread, and the work it waits for,
// ended by its worker.
bool waitingForWork = false;
std::mutex workLock;
std::condition_variable workDone;
bool working = false; // guarded by workLock

} // namespace

void doEvents()
{
    if (doEventsHook) {
        doEventsHook();
        return;
    }
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void setDoEventsHook(std::function<void()> hook)
{
    doEventsHook = std::move(hook);
}

void waitAnswering(std::chrono::milliseconds time)
{
    if (!QCoreApplication::instance()) {
        std::this_thread::sleep_for(time);
        return;
    }
    const auto until = std::chrono::steady_clock::now() + time;
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // A program that is quitting runs no more loops: the wait then still lasts,
    // so that a caller testing its condition between waits does not spin.
    std::this_thread::sleep_until(until);
}

void runAnswering(const std::function<void()>& work)
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        work();
        return;
    }
    if (waitingForWork) {
        std::unique_lock<std::mutex> hold(workLock);
        workDone.wait(hold, [] { return !working; });
        hold.unlock();
        work();
        return;
    }
    waitingForWork = true;
    const auto waited = qScopeGuard([] { waitingForWork = false; });
    {
        const std::lock_guard<std::mutex> hold(workLock);
        working = true;
    }
    QEventLoop loop;
    std::thread worker([&] {
        work();
        {
            const std::lock_guard<std::mutex> hold(workLock);
            working = false;
        }
        workDone.notify_all();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A program that is quitting runs no more loops: the wait is then a plain one.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
}

BusyCursor::BusyCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

void endProgram()
{
    if (ended)
        return;
    ended = true;
    if (endHook) {
        endHook();
        return;
    }
    if (QCoreApplication::instance())
        QCoreApplication::exit(0);
}

bool programEnded()
{
    return ended;
}

void resetProgramEnded()
{
    ended = false;
}

void setEndProgramHook(std::function<void()> hook)
{
    endHook = std::move(hook);
}

} // namespace mosaicon::platform
