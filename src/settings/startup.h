#pragma once

#include <QString>

namespace mosaicon {

namespace platform {
class MainFormView;
}

// Paths, title and "uninstall.ini".
void init_application();
// The trace switch: on when the program's only argument is "log_messages" in
// any case; a new log in the program folder then starts with a separator line.
void init_trace_switch();
// Starts the program folder's "uninstall" helper on a first start there.
void run_uninstall_setup();
// Creates the settings file when it is missing, then reads every setting;
// the main window, when there is one, shows what was read and has its place saved.
void startitoff(platform::MainFormView* view = nullptr);
// Start-up clean-up and the main window's start states.
void startup_housekeeping(platform::MainFormView* view = nullptr);
// thumbnail_dir := the program folder's "thumbs", created.
void make_thumbs_dir();
// Saves every setting (with the main window's place, when there is one) and
// ends the program; runs once however often it is called.
void finishup(platform::MainFormView* view = nullptr);

} // namespace mosaicon
