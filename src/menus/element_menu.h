#pragma once
#include "menus/menu_hooks.h"

#include <QColor>
#include <QString>

class QFont;
class QLabel;
class QWidget;

namespace orvalen {

struct AppContext;
struct HostState;
struct ModuleState;
class DisplayWindow;
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
    ElementMenu(AppContext& ctx, HostState& host, ModuleState& module, DisplayWindow& display,
                StyleDialogs& dialogs);

    // 0 font, 1 colour, 2 centre, 3 hide, 4 weekday on/off; other values do
    // nothing.
    void elementMenuChosen(int index) override;

private:
    void chooseFont();
    void chooseColour();
    void centre();
    void hide();
    void toggleWeekday();
    // The control that carries element `element` of the element menu's
    // numbering on screen (the title label, a panel or the logo box).
    QWidget* elementBox(int element) const;

    void applyFont(QWidget* w, const QFont& chosen, const QColor& colour);
    void applyColour(QWidget* w, const QColor& colour);
    void store(std::initializer_list<const char*> names);
    QString colourText(QLabel* label, const QString& stored) const;
    QString& fieldByName(const char* name);

    AppContext& m_ctx;
    HostState& m_host;
    ModuleState& m_module;
    DisplayWindow& m_display;
    StyleDialogs& m_dialogs;
};

} // namespace orvalen
