#include "startup/open_windows.h"

#include "startup/desktop_windows.h"
#include "startup/program_windows.h"

namespace orvalen {

std::unique_ptr<ProgramWindows> open_windows(AppContext& context)
{
    return build_program_windows(context, make_desktop_windows);
}

} // namespace orvalen
