#include "settings/settings_window.h"

#include "display/element_view.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "settings/look_page.h"
#include "settings/reminder_page.h"
#include "settings/system_page.h"
#include "settings/timing_page.h"
#include "stores/ini_store.h"
#include "stores/plan_codec.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"

#include <QCheckBox>
#include <QLineEdit>

namespace orvalen {


void SettingsWindow::fillFromCurrentPlan()
{
    AppContext& ctx = m_ctx;
    CurrentPlan& current = m_currentPlan;
    // Opening the editor takes the stored plan as the current plan.
    current.edit([&](ClockPlan& plan) { loadPlan(ctx.registry, plan, ctx.clock.now().date()); });
    m_stored = current.plan();
    const ClockPlan& p = m_stored;

    m_timing->showTimes(p);
    m_timing->showSwitches(p);
    m_reminders->showStageList();
    m_reminders->showReminders(p);
    m_look->showPlan(p);
    m_system->showPlan(p);
    m_reminders->showDuration(p.tixingtime);
    m_system->showSettings(ctx.ini);
    const QString cycle = ctx.ini.read(time_data::kMarquee, time_data::kCheckCycle, time_data::kCheckCycleDefault);
    m_cycleBox->setEnabled(false); // setting the value must not store it again
    bool isNumber = false;
    m_cycleBox->setChecked(cycle.trimmed().toInt(&isNumber) == 1 && isNumber);
    m_cycleBox->setEnabled(true);
    m_precise->showStageLooks(p, false);
    m_precise->showLayoutTargets();

    m_timing->setLongTermEnabled(true);
    longTermChanged();
}

void SettingsWindow::loadSavedPlan(const SavedPlan& saved, const StoredDateLineStyle& dateLine)
{
    const ClockPlan& row = saved.plan;
    CurrentPlan& current = m_currentPlan;
    m_planNameField->setText(saved.name);
    m_movingTextField->setText(saved.movingText);

    // The long-term switch restores the switches from the editor's copy of
    // the stored plan: that copy is the row's from here on, so the switches,
    // the lists and 应用 follow the loaded plan, not the current one.
    takeSwitchesOf(row);

    m_timing->showTimes(row);
    m_timing->showSwitches(row);
    if (m_timing->longTermEnabled())
        longTermChanged();
    m_reminders->showReminders(row);
    // The date line keeps the per-user store's font and size.
    current.edit([&](ClockPlan& plan) {
        if (dateLine.font)
            plan.stagefont = *dateLine.font;
        plan.completeFontSizes();
    });
    m_look->showSavedPlan(row, current.plan().stagefont, dateLine.sizeDigits);
    m_system->showSavedPlan(row);
    m_reminders->showDuration(row.tixingtime);
    m_precise->showStageLooks(row, true);
}

void SettingsWindow::takeSwitchesOf(const ClockPlan& row)
{
    ClockPlan& s = m_stored;
    s.continuousReminder = row.continuousReminder;
    s.longTerm = row.longTerm;
    for (Stage stage : kStages)
        s.stages[stage].on = row.stages[stage].on;
    s.stageLooks = row.stageLooks;
    s.showsWeekday = row.showsWeekday;
    s.showsScrollingText = row.showsScrollingText;
    s.centresTitle = row.centresTitle;
    s.centresSubtitle = row.centresSubtitle;
    s.centresThird = row.centresThird;
    s.wantsOvertimeClock = row.wantsOvertimeClock;
    s.endTextOnClock = row.endTextOnClock;
    s.restartsAfterDelay = row.restartsAfterDelay;
    s.customLogoSize = row.customLogoSize;
    s.timeFormat = row.timeFormat;
    s.timingMode = row.timingMode;
    s.overtimeAction = row.overtimeAction;
    plan_codec::takeSwitchTexts(s, row);
}

std::optional<ClockPlan> SettingsWindow::editedPlan(QString* error) const
{
    ClockPlan plan = m_currentPlan.plan();
    if (!m_timing->writeInto(plan, error) || !m_reminders->writeInto(plan, error))
        return std::nullopt;
    m_look->writeInto(plan);
    m_system->writeInto(plan);
    m_precise->writeInto(plan);
    return plan;
}

} // namespace orvalen
