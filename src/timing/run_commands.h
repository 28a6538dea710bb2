#pragma once

namespace orvalen {

class DisplayWindow;

// The run commands and the run record: start (or clear after a run ended),
// stop, finish, pause/continue, and the statistics row of a finished run.
// They change the run state shown by the menus and the on-screen buttons and
// hand the start of a run to the count-mode set-up (Timer5).
class RunCommands {
public:
    explicit RunCommands(DisplayWindow& display);
    virtual ~RunCommands() = default;

    virtual void start_timing();
    virtual void stop_timing();
    virtual void finish_timing();
    virtual void pause_timing();
    // Appends one row to timesum when statistics are on.
    virtual void record_run();

protected:
    DisplayWindow& m_display;
};

} // namespace orvalen
