#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace mosaicon::platform {

// The program's own windows, by the names their values carry. The code that
// shows a window lies below it (a page writer shows the page prompt, the
// prompt opens the option windows), so every window is registered once at
// start, in one place, and found here by name. A name nobody registered, or a
// value the window of that name does not show, is told to the user, naming the
// window, rather than showing nothing.

// How the window `name` shows a value handed to the modal seam; show returns
// false, having shown nothing, for a value that is not of the window's kind.
void registerWindow(const QString& name, std::function<bool(QObject* value)> show);
// How the window `name`, which makes its own value, is opened by its name alone.
void registerWindowOpener(const QString& name, std::function<void()> open);
// Forgets every registration, as at start.
void forgetWindows();

QStringList registeredWindows();
QStringList windowOpeners();

// Shows the value in the window registered as `name` and returns when it
// closes; false, once the user has been told, when there is no such window.
bool showRegisteredWindow(const QString& name, QObject* value);
// Opens the window `name` on a value of its own; false, once the user has
// been told, when no window of that name opens so.
bool openWindow(const QString& name);

} // namespace mosaicon::platform
