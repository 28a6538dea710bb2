#include "menus/element_menu.h"

#include "display/element_view.h"
#include "services/time_conversions.h"
#include "menus/style_dialogs.h"
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "stores/plan_store.h"
#include "state/run_state.h"

#include <QDebug>
#include <QLocale>
#include <cmath>

namespace orvalen {
ElementMenu::ElementMenu(AppContext& ctx, HostState& host, CurrentPlan& currentPlan, ElementView& display,
                         StyleDialogs& dialogs)
    : m_ctx(ctx), m_host(host), m_currentPlan(currentPlan), m_display(display), m_dialogs(dialogs)
{
    // The weekday mark follows the plan, whoever replaced it.
    m_weekdayShown = QObject::connect(&m_currentPlan, &CurrentPlan::changed, [this] {
        m_host.menus.setWeekdayChecked(isOn(m_currentPlan.plan().showsWeekday));
    });
}

ElementMenu::~ElementMenu() { QObject::disconnect(m_weekdayShown); }

void ElementMenu::elementMenuChosen(ElementAction action, DisplayElement element)
{
    switch (action) {
    case ElementAction::Font: chooseFont(element); break;
    case ElementAction::Colour: chooseColour(element); break;
    case ElementAction::Centre: centre(element); break;
    case ElementAction::Hide: hide(element); break;
    case ElementAction::Weekday: toggleWeekday(); break;
    default: break;
    }
}

// --- font ---------------------------------------------------------------------

void ElementMenu::chooseFont(DisplayElement e)
{
    if (e == DisplayElement::Logo)
        return; // the logo has no font
    const std::optional<QFont> chosen = m_dialogs.chooseFont(m_display.elementFont(e), m_display.elementText(e));
    if (!chosen || !std::isfinite(chosen->pointSizeF()) || chosen->pointSizeF() <= 0)
        return;
    m_display.setElementStyle(e, *chosen, m_display.elementColour(e));

    ClockPlan plan = m_currentPlan.plan();
    const QFont font = m_display.elementFont(e);
    switch (e) {
    case DisplayElement::DateLine:
        plan.stagefont = font.family();
        plan.stagecolour = storedColour(e, plan.stagecolour);
        plan.setFontSize(3, font.pointSizeF());
        store(plan, StyleFields::DateLineLookAndSizes);
        break;
    case DisplayElement::Clock:
        plan.setFontSize(2, font.pointSizeF());
        plan.clockFont = font.family();
        plan.clockcolour = storedColour(e, plan.clockcolour);
        store(plan, StyleFields::ClockLookAndSizes);
        break;
    default:
        break;
    }
    m_currentPlan.replace(plan);
    m_display.repaintElement(e);
}

// --- colour -------------------------------------------------------------------

void ElementMenu::chooseColour(DisplayElement e)
{
    const std::optional<QColor> chosen = m_dialogs.chooseColour();
    if (e == DisplayElement::Logo || !chosen || !chosen->isValid())
        return; // the logo takes no colour
    const QColor colour = *chosen;
    m_display.setElementColour(e, colour);
    ClockPlan plan = m_currentPlan.plan();
    switch (e) {
    case DisplayElement::DateLine:
        plan.stagefont = m_display.elementFont(e).family();
        plan.stagecolour = PlanColour::fromColour(colour);
        store(plan, StyleFields::DateLineLook);
        break;
    case DisplayElement::Clock: {
        m_display.repaintElement(e);
        const QFont font = m_display.elementFont(e);
        plan.setFontSize(2, font.pointSizeF()); // kept in memory only
        plan.clockFont = font.family();
        plan.clockcolour = PlanColour::fromColour(colour);
        store(plan, StyleFields::ClockColour);
        break;
    }
    case DisplayElement::OvertimeClock:
        m_display.repaintElement(e);
        break;
    default:
        break;
    }
    m_currentPlan.replace(plan);
}

PlanColour ElementMenu::storedColour(DisplayElement e, const PlanColour& stored) const
{
    const QColor now = m_display.elementColour(e);
    const QColor before = stored.colour();
    if (before.isValid() && before.rgb() == now.rgb())
        return stored;
    return PlanColour::fromColour(now);
}

void ElementMenu::store(const ClockPlan& plan, StyleFields fields)
{
    // The values of one choice go to the store together, in one save.
    if (!saveStyleFields(m_ctx.registry, plan, fields))
        qWarning() << "Element menu: the font, colour and size could not be stored";
}

// --- centre, hide, weekday -----------------------------------------------------

void ElementMenu::centre(DisplayElement e)
{
    const int screenWidthPx = m_display.screenMetrics().fullWidthPx;
    const double left = float((m_display.twipsPerPixelX() * screenWidthPx - m_display.elementRect(e).width()) / 2.0);
    m_display.setElementLeft(e, left);
    m_display.repaintElement(e);
    if (e == DisplayElement::DateLine)
        m_display.saveElementPosition(e);
}

void ElementMenu::hide(DisplayElement e)
{
    m_display.setElementShown(e, false);
}

void ElementMenu::toggleWeekday()
{
    MenuState& menus = m_host.menus;
    const bool shown = !menus.weekdayChecked();
    const DisplayElement prompt = DisplayElement::Prompt;
    if (shown) {
        const QDate today = m_display.now().date();
        m_display.setElementText(prompt, weekdayName(today));
        m_display.setElementShown(prompt, true);
        m_display.repaintElement(prompt);
    } else {
        m_display.setElementText(prompt, QString());
    }
    m_display.setElementShown(prompt, !m_display.elementText(prompt).isEmpty());

    // The mark follows the plan's change.
    m_currentPlan.edit([shown](ClockPlan& plan) { plan.showsWeekday = switchOf(shown); });
}

} // namespace orvalen
