#include "settings/program.h"

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
}

} // namespace mosaicon
