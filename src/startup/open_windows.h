#pragma once
#include <memory>

class QWindow;

namespace orvalen {

struct AppContext;

// The program's long-lived windows; main keeps them until the program ends.
class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    // The window the program shows first (the display), if any.
    virtual QWindow* shownWindow() const { return nullptr; }
    // Closes the windows and ends the event loop, as the exit item does; a
    // run under way ends as the stop item ends it, its statistics row
    // written (a logout, a shutdown, a stop signal).
    virtual void closeDown() = 0;
    // Once the first frame is on screen: what the audience does not see
    // (the tray icon, stored records of the places shown) is done then.
    virtual void firstFrameShown() {}
    // Once the key of DeskData.db is derived: the saved plans are read.
    virtual void deskDataReady() {}
};

// Opens the menu host (modeless, hidden), then shows the display window.
// It may complete the context (for instance its sound player) before the
// windows use it.
std::unique_ptr<ProgramWindows> openProgramWindows(AppContext& context);

} // namespace orvalen
