#pragma once
#include <QList>
#include <QUrl>
#include <memory>

namespace orvalen {

class CalibratedClock;
class ClockCalibration;
class ClockSetup;
class DateTick;
class DelayedRestart;
class DisplayWindow;
class LogoVideoFactory;
class LongTermTargetReader;
class NetworkProbes;
class RunCommands;
class SystemClockSetter;

// The long-term display of a window and the delayed restart: installs the
// handlers of clockSetup (set-up), longTermTick (long-term tick), restartTick (delayed
// restart) and networkTimeTick (network time) on the display window when made, and
// removes them when it goes. The long-term display reads the time through
// its own clock, the context's clock moved by the offset the network time
// measured.
class LongTermDisplay {
public:
    // `portals` empty: default_time_portals().
    LongTermDisplay(DisplayWindow& display, RunCommands& commands, NetworkProbes& probes,
                    SystemClockSetter& setter, QList<QUrl> portals = {},
                    LogoVideoFactory* videos = nullptr);
    ~LongTermDisplay();
    LongTermDisplay(const LongTermDisplay&) = delete;
    LongTermDisplay& operator=(const LongTermDisplay&) = delete;

    CalibratedClock& clock() { return *m_clock; }
    ClockSetup& setup() { return *m_setup; }
    DateTick& tick() { return *m_tick; }
    DelayedRestart& restart() { return *m_restart; }
    ClockCalibration& calibration() { return *m_calibration; }

private:
    DisplayWindow& m_display;
    std::unique_ptr<CalibratedClock> m_clock;
    std::unique_ptr<LongTermTargetReader> m_targets;
    std::unique_ptr<ClockSetup> m_setup;
    std::unique_ptr<DateTick> m_tick;
    std::unique_ptr<DelayedRestart> m_restart;
    std::unique_ptr<ClockCalibration> m_calibration;
};

// The same with the real network probes (timeouts on the context's timers)
// and the real system clock setter, for the program.
class ProgramLongTermDisplay {
public:
    ProgramLongTermDisplay(DisplayWindow& display, RunCommands& commands);
    ~ProgramLongTermDisplay();
    LongTermDisplay& display() { return *m_display; }

private:
    std::unique_ptr<NetworkProbes> m_probes;
    std::unique_ptr<SystemClockSetter> m_setter;
    std::unique_ptr<LongTermDisplay> m_display;
};

} // namespace orvalen
