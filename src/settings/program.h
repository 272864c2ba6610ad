#pragma once

#include "settings/settings.h"

#include <QString>
#include <QStringList>

namespace mosaicon {

class MainFormView;

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
    bool log_messages_on = false;

    // Run-time flags, never saved.
    bool keep_processing = false;
    bool use_title_for_all = false;
    bool page_prompt_cancel = false;
    QString output_dir;
    QString last_toolbar_key;
    QString assoc_text_caller;
    QString banner_side;
    QString top_banner_ref;
    QString bottom_banner_ref;
    QString saved_page_title;
    QString saved_title_tag;
    QString thumbnail_icon_file;
    bool color_dialog_cancelled = false;

    // Pixel size of the last image whose header was read.
    int img_width = 0;
    int img_height = 0;

    // The main window while it exists.
    MainFormView* main_form = nullptr;
};

Program& program();
// Puts every value back as it is when the program starts (tests use it).
void resetProgram();

inline Settings& settings()
{
    return program().settings;
}

} // namespace mosaicon
