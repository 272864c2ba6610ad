#include "settings/program.h"

#include "settings/warning.h"

#include "platform/events.h"
#include "platform/mainformview.h"
#include "platform/profilefile.h"
#include "platform/tracelog.h"

#include <QDir>

namespace mosaicon {

namespace {

Program& instance()
{
    static Program p;
    return p;
}

} // namespace

Program& program()
{
    return instance();
}

platform::ProfileFile& settingsFile()
{
    platform::ProfileFile& file = platform::profile(instance().ini_file_path);
    if (!file.hasLockedNotice()) {
        file.setLockedNotice([&file] {
            warn(QStringLiteral("The settings file %1 is locked by another program. Your "
                                "settings are kept and will be saved with the next change.")
                     .arg(QDir::toNativeSeparators(file.path())));
        });
    }
    return file;
}

void resetProgram()
{
    instance() = Program{};
    platform::setMainFormView(nullptr);
    platform::stop_trace();
    platform::resetProfiles();
    platform::resetProgramEnded();
}

} // namespace mosaicon
