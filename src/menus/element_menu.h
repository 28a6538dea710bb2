#pragma once
#include "display/display_element.h"
#include "menus/menu_hooks.h"

#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

namespace orvalen {

struct AppContext;
struct HostState;
struct ModuleState;
class ElementView;
class StyleDialogs;

// The size list of a plan (six font sizes in style-slot order, each followed
// by "/") with entry `entry` (0..5) set to `size` in its shortest decimal
// form. A list that is not six sizes each followed by "/" is first replaced
// by "80/50/100/50/30/30/".
QString rebuild_size_list(const QString& list, int entry, double size);

// The element menu "运行设置": restyles the element the operator
// right-clicked (ModuleState::selected_element: 0 main title, 1 subtitle,
// 2 date line, 3 prompt text, 4 scrolling text, 5 clock, 6 overtime clock,
// 7 logo). Font and colour changes of the date line and the clock are kept
// in the current plan and in the per-user store; everything else lasts until
// the display is next set up. It shows no messages.
class ElementMenu final : public ElementMenuHooks {
public:
    ElementMenu(AppContext& ctx, HostState& host, ModuleState& module, ElementView& display,
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
    void store(std::initializer_list<std::pair<const char*, const QString*>> values);
    QString colourText(DisplayElement e, const QString& stored) const;

    AppContext& m_ctx;
    HostState& m_host;
    ModuleState& m_module;
    ElementView& m_display;
    StyleDialogs& m_dialogs;
};

} // namespace orvalen
