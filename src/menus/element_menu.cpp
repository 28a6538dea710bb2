#include "menus/element_menu.h"

#include "display/element_view.h"
#include "display/fonts.h"
#include "services/time_conversions.h"
#include "menus/style_dialogs.h"
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "timing/run_commands.h"

#include <QDebug>
#include <QLocale>
#include <cmath>

namespace orvalen {
namespace {

// The largest point size the display takes.

} // namespace

ElementMenu::ElementMenu(AppContext& ctx, HostState& host, CurrentPlan& currentPlan, RunCommands& commands,
                         ElementView& display, StyleDialogs& dialogs)
    : m_ctx(ctx), m_host(host), m_currentPlan(currentPlan), m_commands(commands), m_display(display),
      m_dialogs(dialogs)
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
    // Weight and slant are the element's own; the plan keeps no such thing.
    m_display.setElementStyle(e, *chosen, m_display.elementColour(e));

    if (e == DisplayElement::DateLine || e == DisplayElement::Clock) {
        const ClockPlan& plan = m_currentPlan.plan();
        const PlanColour& colour = e == DisplayElement::Clock ? plan.clockcolour : plan.stagecolour;
        // A size the display refuses leaves the element at its size.
        const double size = chosen->pointSizeF() <= kLargestFontSize ? chosen->pointSizeF()
                                                                     : m_display.elementFont(e).pointSizeF();
        m_commands.setElementStyle(e, RunCommands::StyleChoice::Font, displayFamily(chosen->family()), size,
                                   storedColour(e, colour));
    }
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
    // The plan takes the colour with the font the element shows (which may
    // differ from the plan's: a family that is not installed, the end text's
    // size).
    const QFont shown = m_display.elementFont(e);
    switch (e) {
    case DisplayElement::Clock:
        m_display.repaintElement(e);
        [[fallthrough]];
    case DisplayElement::DateLine:
        m_commands.setElementStyle(e, RunCommands::StyleChoice::Colour, shown.family(), shown.pointSizeF(),
                                   PlanColour::fromColour(colour));
        break;
    case DisplayElement::OvertimeClock:
        m_display.repaintElement(e);
        break;
    default:
        break;
    }
}

PlanColour ElementMenu::storedColour(DisplayElement e, const PlanColour& stored) const
{
    const QColor now = m_display.elementColour(e);
    const QColor before = stored.colour();
    if (before.isValid() && before.rgb() == now.rgb())
        return stored;
    return PlanColour::fromColour(now);
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
