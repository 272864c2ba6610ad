#include "settings/startup.h"

#include "settings/program.h"
#include "settings/readwriteini.h"
#include "settings/warning.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/mainformview.h"
#include "platform/profilefile.h"
#include "platform/programfolder.h"
#include "platform/shell.h"
#include "platform/tracelog.h"
#include "platform/ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace mosaicon {

namespace {

QString inFolder(const QString& name)
{
    return platform::joinPath(program().program_folder, name);
}

// How every box and status line tells of another program's lock on the settings file.
QString lockedText(const platform::ProfileFile& ini)
{
    return QStringLiteral("The settings file %1 is locked by another program.")
        .arg(QDir::toNativeSeparators(ini.path()));
}

// While the program runs, a change the lock keeps out is saved by the next
// write, or by the wait at the end.
void installLockNotice()
{
    platform::ProfileFile& ini = settingsFile();
    ini.setLockedNotice([&ini] {
        warn(lockedText(ini) +
             QStringLiteral(" Your settings are kept and will be saved with the next change."));
    });
}

// At the end no later write comes: a lock another program holds is waited for
// as long as a write would wait for it, with the window answering, then the
// user is asked whether to wait again.
// Returns with the lock still held only when the user gave up on it; any
// other failure is told here.
void saveBeforeLeaving(platform::ProfileFile& ini)
{
    using namespace std::chrono_literals;
    for (;;) {
        const auto until = std::chrono::steady_clock::now() + platform::ProfileFile::lockWait();
        bool waiting = false;
        while (!ini.flush(0ms)) {
            if (!ini.lockedByAnother()) {
                warn(QStringLiteral("The settings could not be saved. %1").arg(ini.errorString()));
                return;
            }
            if (std::chrono::steady_clock::now() >= until)
                break;
            if (!waiting) {
                platform::show_status_now(lockedText(ini) +
                                          QStringLiteral(" Waiting to save the settings."));
                waiting = true;
            }
            platform::waitAnswering(50ms);
        }
        if (!ini.lockedByAnother())
            return;
        const int answer = platform::msgbox(
            lockedText(ini) + QStringLiteral(" Choose Retry to wait for it again, or Cancel to leave "
                                             "without saving the settings."),
            platform::MsgBox::RetryCancel | platform::MsgBox::Exclamation, program().product_title);
        if (answer != platform::MsgBox::Retry)
            return;
    }
}

} // namespace

void init_application()
{
    Program& p = program();
    if (p.program_folder.isEmpty())
        p.program_folder = platform::programFolder();
    p.ini_file_path = inFolder(QStringLiteral("mosaik.ini"));
    p.uninstall_ini_path = inFolder(QStringLiteral("uninstall.ini"));
    p.product_title = QStringLiteral("Mosaicon Pro v4.00");
    installLockNotice();
    run_uninstall_setup();
    platform::ProfileFile& uninstall = platform::profile(p.uninstall_ini_path);
    const platform::ProfileBatch batch; // both keys in one write
    uninstall.put(QStringLiteral("Current"), QStringLiteral("Version"), p.product_title);
    uninstall.put(QStringLiteral("Current"), QStringLiteral("Path"), p.program_folder);
}

void init_trace_switch()
{
    const Program& p = program();
    platform::stop_trace();
    if (p.arguments.size() == 1
        && p.arguments.first().compare(QLatin1String("log_messages"), Qt::CaseInsensitive) == 0)
        platform::start_trace(p.program_folder);
}

void run_uninstall_setup()
{
    const Program& p = program();
    const QString helper = inFolder(QStringLiteral("uninstall"));
    if (QFileInfo::exists(p.uninstall_ini_path))
        return;
    const QFileInfo info(helper);
    if (info.isFile() && info.isExecutable())
        platform::shell().startProgram(helper, {QStringLiteral("-s")});
}

void startitoff(platform::MainFormView* view)
{
    Program& p = program();
    if (!QFileInfo::exists(p.ini_file_path)) {
        // The new file is written once, with the two keys below already in it.
        const platform::ProfileBatch batch;
        platform::trace(QStringLiteral("startitoff"), QStringLiteral("readwriteini_write"));
        readwriteini(IniMode::Write, view);
        platform::ProfileFile& ini = settingsFile();
        ini.put(QStringLiteral("Current"), QStringLiteral("Auto Start Browser"), QStringLiteral("Yes"));
        ini.put(QStringLiteral("Current"), QStringLiteral("Logo Background"), QStringLiteral("12632256"));
    }
    platform::doEvents();
    platform::trace(QStringLiteral("startitoff"), QStringLiteral("readwriteini_read"));
    readwriteini(IniMode::Read, view);
}

void startup_housekeeping(platform::MainFormView* view)
{
    const Program& p = program();
    const QString log = inFolder(QStringLiteral("filecopy.log"));
    if (QFileInfo::exists(log))
        QFile::remove(log);
    if (view) {
        view->setDialogInitialDirectory(p.program_folder);
        view->showViewImagesMenuItem();
        view->showToolbarButton(4);
        view->refreshToolbar();
    }
}

void make_thumbs_dir()
{
    Program& p = program();
    p.thumbnail_dir = inFolder(QStringLiteral("thumbs"));
    platform::makeDir(p.thumbnail_dir);
}

void finishup(platform::MainFormView* view)
{
    Program& p = program();
    if (p.finished_up)
        return;
    p.finished_up = true;
    platform::ProfileFile& ini = settingsFile();
    // The notice promises a later save, which never comes now.
    ini.setLockedNotice({});
    {
        // Saved below rather than at the batch's end, where a lock would hold the window.
        const platform::ProfileBatch batch;
        readwriteini(IniMode::Write, view);
        saveBeforeLeaving(ini);
    }
    // The batch's end tried once more: only a lock still held loses the changes.
    if (ini.lockedByAnother())
        warn(lockedText(ini) + QStringLiteral(" Your changes to the settings were not saved."));
    platform::trace(QStringLiteral("finishup"), QStringLiteral("exit"));
    platform::endProgram();
}

} // namespace mosaicon
