#include "startup/open_windows.h"

#include "startup/desktop_windows.h"
#include "startup/program_windows.h"

namespace orvalen {

std::unique_ptr<ProgramWindows> openProgramWindows(AppContext& context)
{
    return buildProgramWindows(context, makeDesktopWindows);
}

} // namespace orvalen
