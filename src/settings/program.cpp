#include "settings/program.h"

#include "platform/events.h"
#include "platform/mainformview.h"
#include "platform/profilefile.h"
#include "platform/tracelog.h"

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
    return platform::profile(instance().ini_file_path);
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
