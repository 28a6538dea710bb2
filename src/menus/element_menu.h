#pragma once
#include "display/display_element.h"
#include "menus/menu_hooks.h"
#include "stores/plan_colour.h"
#include "stores/plan_store.h"

#include <QMetaObject>
#include <QString>
#include <initializer_list>
#include <utility>
#include <QStringList>
#include <optional>

namespace orvalen {

struct AppContext;
struct HostState;
class CurrentPlan;
struct ClockPlan;
class ElementView;
class RunCommands;
class StyleDialogs;

// The element menu "运行设置": restyles the element the operator
// right-clicked (the menu host passes it with the chosen item). Font and colour changes of the date line and the clock are kept
// in the current plan and in the per-user store; everything else lasts until
// the display is next set up. It shows no messages.
class ElementMenu final : public ElementMenuHooks {
public:
    // The run commands take the font and colour choices of the clock and the
    // date line into the current plan.
    ElementMenu(AppContext& ctx, HostState& host, CurrentPlan& currentPlan, RunCommands& commands,
                ElementView& display, StyleDialogs& dialogs);
    ~ElementMenu() override;
    ElementMenu(const ElementMenu&) = delete;
    ElementMenu& operator=(const ElementMenu&) = delete;

    // Any other value does nothing.
    void elementMenuChosen(ElementAction action, DisplayElement element) override;

private:
    void chooseFont(DisplayElement e);
    void chooseColour(DisplayElement e);
    void centre(DisplayElement e);
    void hide(DisplayElement e);
    void toggleWeekday();

    // The plan's own colour while the element still shows it (a system
    // colour keeps its negative value), else the element's colour.
    PlanColour storedColour(DisplayElement e, const PlanColour& stored) const;

    AppContext& m_ctx;
    HostState& m_host;
    CurrentPlan& m_currentPlan;
    RunCommands& m_commands;
    ElementView& m_display;
    StyleDialogs& m_dialogs;
    QMetaObject::Connection m_weekdayShown; // the weekday mark following the plan
};

} // namespace orvalen
