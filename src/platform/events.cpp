#include "platform/events.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <thread>

namespace mosaicon::platform {

namespace {

std::function<void()> doEventsHook;
std::function<void()> endHook;
bool ended = false;

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
