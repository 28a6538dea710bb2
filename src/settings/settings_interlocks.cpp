#include "settings/settings_window.h"

#include "display/element_view.h"
#include "services/app_context.h"
#include "platform/registry_store.h"
#include "settings/look_page.h"
#include "settings/reminder_page.h"
#include "settings/system_page.h"
#include "settings/timing_page.h"
#include "stores/ini_store.h"
#include "stores/registry_values.h"
#include "stores/time_data_keys.h"

#include <QCheckBox>
#include <QTabBar>

namespace orvalen {

void SettingsWindow::longTermSwitched(bool on)
{
    m_system->setLongTerm(on);
    if (m_timing->longTermEnabled())
        longTermChanged();
}

void SettingsWindow::longTermChanged()
{
    const bool on = m_timing->longTerm();
    m_timing->showLongTerm(on);
    if (on) {
        // Only the editor's copy of the stored plan changes; the current
        // plan changes on "应用". A long-term plan counts down and stops.
        m_stored.timingMode = TimingMode::CountDown;
        m_stored.overtimeAction = OvertimeAction::Stop;
    }
    m_system->showLongTerm(on);
    m_look->showLongTerm(on);
}

void SettingsWindow::overtimeActionShown(OvertimeAction action)
{
    const bool countsOn = action == OvertimeAction::CountOn;
    if (!countsOn)
        m_timing->clearOvertimeLimit();
    m_timing->allowOvertimeLimit(countsOn && !m_timing->longTerm());
}

QString SettingsWindow::storedDelay() const
{
    const AppContext& ctx = m_ctx;
    bool ok = false;
    const int stored = ctx.ini.read(time_data::kPictureSet, time_data::kDelayTime, time_data::kDelaySetupDefault)
                           .trimmed()
                           .toInt(&ok);
    return ok ? QString::number(stored) : QStringLiteral("2");
}

void SettingsWindow::simpleModeChanged()
{
    const bool simple = m_simpleBox->isChecked();
    const bool longTerm = m_timing->longTerm();
    showPage(0);
    m_tabs->setTabVisible(4, !simple);
    showPage(0);
    m_timing->showSimple(simple);
    m_reminders->showSimple(simple);
    m_look->showSimple(simple, longTerm);
    m_system->showSimple(simple, simple ? QStringLiteral("2") : storedDelay());
    registry_values::setSimple(m_ctx.registry, simple);
}

} // namespace orvalen
