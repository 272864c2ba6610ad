#include "settings/program.h"

#include "settings/mainformview.h"

#include "platform/events.h"
#include "platform/profilefile.h"

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
    setMainFormView(nullptr);
    platform::resetProfiles();
    platform::resetProgramEnded();
}

} // namespace mosaicon
