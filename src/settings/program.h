#pragma once

#include "settings/settings.h"

#include <QString>
#include <QStringList>

namespace mosaicon {

namespace platform {
class ProfileFile;
}

// The program's process-wide state: its settings, fixed paths and the run-time
// flags that the windows and writers share.
struct Program
{
    Settings settings;

    // Fixed paths and title, set at start-up.
    QString program_folder;
    QString ini_file_path;
    QString uninstall_ini_path;
    QString product_title;
    QString thumbnail_dir;

    // The program's arguments (without the program's own name).
    QStringList arguments;

    // Run-time values, never saved.
    QString last_toolbar_key;
    QString assoc_text_caller;
    bool color_dialog_cancelled = false;
    // The folder the open dialogs that remember no other start in.
    QString last_dialog_dir;
    // The slide show without frames writes its index page; set in the
    // slide-show options for the program's run only.
    bool create_index = false;
    // The settings have been saved on leaving; File > Exit followed by the
    // window's own close must not save twice.
    bool finished_up = false;
};

Program& program();
// The settings file, held in memory; every reader and writer of it goes through here.
platform::ProfileFile& settingsFile();
// Puts every process-wide value back as it is when the program starts: the
// program's values, the settings files held in memory and the end-of-program
// guards (tests use it).
void resetProgram();

inline Settings& settings()
{
    return program().settings;
}

} // namespace mosaicon
