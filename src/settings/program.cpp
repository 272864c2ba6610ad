#include "settings/program.h"

#include "settings/startup.h"

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

void resetProgram()
{
    instance() = Program{};
    platform::resetProfiles();
    platform::resetProgramEnded();
    reset_finishup();
}

} // namespace mosaicon
