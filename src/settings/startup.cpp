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

#include <QFile>
#include <QFileInfo>

namespace mosaicon {

namespace {

QString inFolder(const QString& name)
{
    return platform::joinPath(program().program_folder, name);
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
    readwriteini(IniMode::Write, view);
    // The user's settings would be lost without a word: say so before leaving.
    platform::ProfileFile& ini = settingsFile();
    if (!ini.flush())
        warn(QStringLiteral("The settings could not be saved. %1").arg(ini.errorString()));
    platform::trace(QStringLiteral("finishup"), QStringLiteral("exit"));
    platform::endProgram();
}

} // namespace mosaicon
