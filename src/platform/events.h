#pragma once

#include <chrono>
#include <functional>

namespace mosaicon::platform {

// Lets pending events run once, so a long loop keeps the window alive and a
// Stop button can be pressed. Tests install a hook to act at the n-th yield.
void doEvents();
void setDoEventsHook(std::function<void()> hook);

// Waits that long on the window's thread with the window repainting and
// timers running; clicks and keys wait until it is over, so that no command
// starts inside the wait. Keep it short: the caller tests its condition between.
void waitAnswering(std::chrono::milliseconds time);

// Runs work on a thread of its own while the window's thread waits for it as
// waitAnswering does, and returns when work is done. Off the window's thread
// work runs on the caller's. A call from a timer inside such a wait runs its
// work on the window's thread after the work waited for: one at a time, and
// never a wait inside a wait.
void runAnswering(const std::function<void()>& work);

// Shows the hourglass pointer while it lives.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Ends the program at once: the event loop stops and no further events are
// handled. Safe to call twice, and before the event loop has started (the
// caller then checks programEnded() instead of entering the loop).
void endProgram();
bool programEnded();
// Tests start each case with a program that has not ended.
void resetProgramEnded();
void setEndProgramHook(std::function<void()> hook);

} // namespace mosaicon::platform
