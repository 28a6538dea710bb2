#pragma once
#include "display/display_element.h"
#include "menus/menu_hooks.h"
#include "stores/plan_colour.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace orvalen {

struct AppContext;
struct HostState;
struct ModuleState;
class DisplayWindow;
class StyleDialogs;

// The element menu "运行设置": restyles the element the operator
// right-clicked (ModuleState::selected_element: 0 main title, 1 subtitle,
// 2 date line, 3 prompt text, 4 scrolling text, 5 clock, 6 overtime clock,
// 7 logo). Font and colour changes of the date line and the clock are kept
// in the current plan and in the per-user store; everything else lasts until
// the display is next set up. It shows no messages.
class ElementMenu final : public ElementMenuHooks {
public:
    ElementMenu(AppContext& ctx, HostState& host, ModuleState& module, DisplayWindow& display,
                StyleDialogs& dialogs);

    // Any other value does nothing.
    void elementMenuChosen(ElementAction action) override;

private:
    // The element the menu was opened on; none when out of range.
    std::optional<DisplayElement> selected() const;
    void chooseFont();
    void chooseColour();
    void centre();
    void hide();
    void toggleWeekday();

    // Keeps plan values in the per-user store under their value names.
    void store(const QStringList& names);
    // The plan's own colour while the element still shows it (a system
    // colour keeps its negative value), else the element's colour.
    PlanColour storedColour(DisplayElement e, const PlanColour& stored) const;

    AppContext& m_ctx;
    HostState& m_host;
    ModuleState& m_module;
    DisplayWindow& m_display;
    StyleDialogs& m_dialogs;
};

} // namespace orvalen
