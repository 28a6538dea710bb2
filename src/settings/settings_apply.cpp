#include "settings/settings_window.h"

#include "display/element_view.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "display/display_values.h"
#include "menus/menu_hooks.h"
#include "platform/notifier.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "settings/number_field.h"
#include "settings/reminder_page.h"
#include "settings/settings_rules.h"
#include "settings/system_page.h"
#include "settings/timing_page.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"
#include "timing/run_commands.h"

#include <QApplication>
#include <QDebug>
#include <optional>

namespace orvalen {

bool SettingsWindow::apply()
{
    // The field the operator is in gets its leave check first.
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (auto* field = qobject_cast<NumberField*>(w)) {
            field->leaveCheck();
            break;
        }
    }
    QString error;
    const std::optional<ClockPlan> edited = editedPlan(&error);
    if (!edited) {
        notice(error, 0);
        return false;
    }
    ReminderInput in;
    in.times = {edited->Time_all, edited->Time_one, edited->Time_two, edited->Time_three, edited->Time_four};
    in.stageUsed = m_timing->alarmsUsed();
    in.duration = m_reminders->duration();
    // Nothing changes until every check has passed.
    const QStringList problems = reminderProblems(in);
    for (const QString& p : problems)
        notice(p, 0);
    if (!problems.isEmpty())
        return false;

    if (!storeAll(*edited))
        return false;
    m_display.setElementText(DisplayElement::DateLine, QString());
    m_display.setElementText(DisplayElement::ScrollingText, QString());
    // The run commands take the new plan in: whatever ran stops, and the
    // display is set up for it, ready, as soon as this click is handled.
    m_commands.takePlan(*edited, PlanTaken::StopRun);
    m_stored = *edited;

    if (m_links.hotkeys) {
        m_links.hotkeys->releaseHotkeys();
        m_links.hotkeys->registerHotkeys();
    }
    return true;
}

bool SettingsWindow::storeAll(const ClockPlan& plan)
{
    // Both files take the new settings, or neither does: TimeData.db first,
    // in one save, and put back when the plan cannot be stored.
    AppContext& ctx = m_ctx;
    const QString unchanged = QStringLiteral("\r显示仍按原来的设置运行。");
    IniEdit edit(ctx.ini);
    {
        using namespace time_data;
        const int bigClockText = toInt16(leadingNumber(
            ctx.ini.read(kMarquee, kColckBigText, kColckBigTextDefault).trimmed())).value_or(0);
        m_system->writeSettings(edit);
        edit.write(kMarquee, kColckBigText, QString::number(bigClockText))
            .remove(kMarquee, kCurrentRow);
        QString error;
        if (!edit.save(&error)) {
            notice(QStringLiteral("设置无法保存：%1。").arg(error) + unchanged, 0);
            return false;
        }
    }
    QString error;
    if (!savePlan(ctx.registry, plan, &error, SaveReport::ByCaller)) {
        if (!edit.undo().save())
            qWarning("settings: TimeData.db keeps the new settings although the plan was not stored");
        if (error.isEmpty())
            error = QStringLiteral("用户设置存储不可写入");
        notice(QStringLiteral("设置无法保存：%1。").arg(error) + unchanged, 0);
        return false;
    }
    return true;
}

void SettingsWindow::cycleChanged(bool on)
{
    if (!m_cycleBox->isEnabled())
        return;
    AppContext& ctx = m_ctx;
    QString error;
    if (!IniEdit(ctx.ini).write(time_data::kMarquee, time_data::kCheckCycle, on ? QStringLiteral("1") : QStringLiteral("0")).save(&error))
        notice(QStringLiteral("自动循环未能保存：%1。").arg(error), 0);
    if (m_links.plans) {
        const int checked = m_links.plans->checkedPlan();
        if (checked >= 0)
            m_links.plans->selectPlan(checked);
    }
}

void SettingsWindow::unloadTidy()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_links.holdHotkeys)
        m_links.holdHotkeys(false);
    // Placeholders the layout editing put up go again.
    LayoutView& d = m_display;
    using E = DisplayElement;
    if (d.logoIsEmpty())
        d.setElementShown(E::Logo, false);
    const std::pair<E, QString> placeholders[] = {{E::MainTitle, QStringLiteral("主标题")},
                                                  {E::Subtitle, QStringLiteral("副标题")},
                                                  {E::DateLine, QStringLiteral("阶段")},
                                                  {E::ScrollingText, QStringLiteral("动态文本")}};
    for (const auto& [element, text] : placeholders) {
        if (d.elementText(element) == text)
            d.setElementShown(element, false);
    }
    d.setElementShown(E::Prompt, false);
    // The overtime clock follows the plan that runs, not unapplied controls.
    const ClockPlan& plan = m_currentPlan.plan();
    d.setElementShown(E::OvertimeClock, plan.showsOvertimeClock());
}

} // namespace orvalen
