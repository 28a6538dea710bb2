#pragma once
#include <functional>

class QApplication;

namespace orvalen {

struct AppContext;

// The start-up steps once this is the only instance: forget the
// plan-sequence position (Marquee/currentrow of TimeData.db), run the
// start-up gate and, only when it passes, open the windows. Returns whether
// the windows were opened.
bool startProgram(AppContext& context, const std::function<void()>& openWindows);

// The program: one instance per program folder, the program folder from
// --program-folder DIR, ORVALEN_HOME or the executable's folder, then
// startProgram and the event loop. Returns the process exit code.
int runProgram(QApplication& app);

} // namespace orvalen
