#include "timing/long_term_display.h"

#include "platform/clock.h"
#include "services/app_context.h"
#include "services/network_probes.h"
#include "state/run_state.h"
#include "timing/calibrated_clock.h"
#include "timing/clock_calibration.h"
#include "timing/clock_setup.h"
#include "timing/date_tick.h"
#include "timing/long_term_texts.h"

namespace orvalen {

LongTermDisplay::LongTermDisplay(const EngineContext& engine, RunCommands& commands, NetworkProbes& probes,
                                 SystemClockSetter& setter, QList<QUrl> portals)
    : m_timers(engine.timers),
      m_clock(std::make_unique<CalibratedClock>(engine.app.clock)),
      m_targets(std::make_unique<LongTermTargetReader>()),
      m_setup(std::make_unique<ClockSetup>(engine, *m_clock, *m_targets)),
      m_tick(std::make_unique<DateTick>(engine, commands, *m_clock, *m_targets)),
      m_calibration(std::make_unique<ClockCalibration>(engine.host, *engine.timers.networkTimeTick, probes, setter,
                                                       *m_clock,
                                                       portals.isEmpty() ? defaultTimePortals() : portals))
{
    m_setup->setOnDone([tick = m_tick.get()] { tick->repaintNextTick(); });
    m_timers.clockSetup->setHandler([setup = m_setup.get()] { setup->setUpClock(); });
    m_timers.longTermTick->setHandler([tick = m_tick.get()] { tick->advanceLongTerm(); });
    m_timers.networkTimeTick->setHandler([calibration = m_calibration.get()] { calibration->tick(); });
    QObject::connect(m_calibration.get(), &ClockCalibration::finished, m_calibration.get(),
                     [tick = m_tick.get()](bool applied) {
                         if (applied)
                             tick->clockStepped();
                     });
}

LongTermDisplay::~LongTermDisplay()
{
    for (EngineTimer* t : {m_timers.clockSetup.get(), m_timers.longTermTick.get(), m_timers.networkTimeTick.get()})
        t->setHandler(nullptr);
}

} // namespace orvalen
