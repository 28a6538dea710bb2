#include "startup/open_windows.h"

#include "menus/program_windows.h"

namespace orvalen {

std::unique_ptr<ProgramWindows> open_windows(AppContext& context)
{
    return build_program_windows(context);
}

} // namespace orvalen
