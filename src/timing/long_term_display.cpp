#include "timing/long_term_display.h"

#include "display/display_window.h"
#include "platform/clock.h"
#include "platform/system_clock_setter.h"
#include "services/deferred_module.h"
#include "timing/calibrated_clock.h"
#include "timing/clock_calibration.h"
#include "timing/clock_setup.h"
#include "timing/date_tick.h"
#include "timing/delayed_restart.h"
#include "timing/long_term_texts.h"

namespace orvalen {
namespace {

const Clock& programClock(DisplayWindow& display)
{
    static const SystemClock systemClock;
    const Clock* clock = display.context().clock;
    return clock ? *clock : systemClock;
}

} // namespace

LongTermDisplay::LongTermDisplay(DisplayWindow& display, RunCommands& commands, NetworkProbes& probes,
                                 SystemClockSetter& setter, QList<QUrl> portals, LogoVideoFactory* videos)
    : m_display(display),
      m_clock(std::make_unique<CalibratedClock>(programClock(display))),
      m_targets(std::make_unique<LongTermTargetReader>()),
      m_setup(std::make_unique<ClockSetup>(display, *m_clock, *m_targets, videos)),
      m_tick(std::make_unique<DateTick>(display, commands, *m_clock, *m_targets)),
      m_restart(std::make_unique<DelayedRestart>(display, commands)),
      m_calibration(std::make_unique<ClockCalibration>(display.hostState(), *display.networkTimeTick, probes, setter,
                                                       *m_clock,
                                                       portals.isEmpty() ? default_time_portals() : portals))
{
    m_setup->setOnDone([tick = m_tick.get()] { tick->repaintNextTick(); });
    display.clockSetup->setHandler([setup = m_setup.get()] { setup->setUpClock(); });
    display.longTermTick->setHandler([tick = m_tick.get()] { tick->advanceLongTerm(); });
    display.restartTick->setHandler([restart = m_restart.get()] { restart->advanceRestart(); });
    display.networkTimeTick->setHandler([calibration = m_calibration.get()] { calibration->tick(); });
    QObject::connect(m_calibration.get(), &ClockCalibration::finished, m_calibration.get(),
                     [tick = m_tick.get()](bool applied) {
                         if (applied)
                             tick->clockStepped();
                     });
}

LongTermDisplay::~LongTermDisplay()
{
    for (EngineTimer* t : {m_display.clockSetup.get(), m_display.longTermTick.get(), m_display.restartTick.get(),
                           m_display.networkTimeTick.get()}) {
        if (t)
            t->setHandler(nullptr);
    }
}

ProgramLongTermDisplay::ProgramLongTermDisplay(DisplayWindow& display, RunCommands& commands)
{
    static QtTimerFactory qtTimers;
    TimerFactory* timers = display.context().timers;
    m_probes = std::make_unique<DeferredNetworkProbes>(timers ? *timers : qtTimers);
    m_setter = std::make_unique<LinuxSystemClockSetter>();
    m_display = std::make_unique<LongTermDisplay>(display, commands, *m_probes, *m_setter);
}

ProgramLongTermDisplay::~ProgramLongTermDisplay() = default;

} // namespace orvalen
