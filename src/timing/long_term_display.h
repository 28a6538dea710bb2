#pragma once
#include "timing/engine_context.h"

#include <QList>
#include <QUrl>
#include <memory>

namespace orvalen {

class CalibratedClock;
class ClockCalibration;
class ClockSetup;
class DateTick;
class LongTermTargetReader;
class NetworkProbes;
class RunCommands;
class SystemClockSetter;

// The long-term display: installs the handlers of clockSetup (set-up),
// longTermTick (long-term tick) and networkTimeTick (network time) on the
// engine's timers when made, and removes them when it goes. It reads the
// time through its own clock, the context's clock moved by the offset the
// network time measured.
class LongTermDisplay {
public:
    // `portals` empty: defaultTimePortals().
    LongTermDisplay(const EngineContext& engine, RunCommands& commands, NetworkProbes& probes,
                    SystemClockSetter& setter, QList<QUrl> portals = {});
    ~LongTermDisplay();
    LongTermDisplay(const LongTermDisplay&) = delete;
    LongTermDisplay& operator=(const LongTermDisplay&) = delete;

    CalibratedClock& clock() { return *m_clock; }
    ClockSetup& setup() { return *m_setup; }
    DateTick& tick() { return *m_tick; }
    ClockCalibration& calibration() { return *m_calibration; }

private:
    EngineTimers& m_timers;
    std::unique_ptr<CalibratedClock> m_clock;
    std::unique_ptr<LongTermTargetReader> m_targets;
    std::unique_ptr<ClockSetup> m_setup;
    std::unique_ptr<DateTick> m_tick;
    std::unique_ptr<ClockCalibration> m_calibration;
};

} // namespace orvalen
