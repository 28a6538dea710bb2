#include "timing/delayed_restart.h"

#include "display/display_window.h"
#include "platform/text_path.h"
#include "stores/clock_plan.h"
#include "timing/long_term_log.h"
#include "timing/run_commands.h"

#include <cmath>

namespace orvalen {

DelayedRestart::DelayedRestart(DisplayWindow& display, RunCommands& commands)
    : m_display(display), m_commands(commands)
{
}

void DelayedRestart::advanceRestart()
{
    DisplayWindow& d = m_display;
    d.restartTick->setEnabled(false);
    const double left = leading_number(d.restartSecondsText);
    if (d.module().clock_plan.restartsAfterDelay() && std::isfinite(left) && left > 0) {
        d.restartSecondsText = QString::number(left - 1);
        // Off and on again: the next second starts now.
        d.restartTick->setEnabled(true);
        return;
    }
    d.blinkTick->setEnabled(false);
    // The run ended and its clear has already put the display back to
    // ready, so this starts the next run (or does nothing when the
    // operator started one meanwhile).
    m_commands.start_timing();
}

} // namespace orvalen
