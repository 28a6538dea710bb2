#pragma once

namespace orvalen {

class CurrentPlan;
class DisplayHost;
class DisplayStyler;
class ElementLayout;
class MarqueeTicker;
class MenuState;
class PanelPainter;
struct AppContext;
struct DisplayControls;

// The steps of the display window's start-up that are not the window's own:
// the current plan's clock texts and element styles, and the idle menu state.
class DisplayStartUp {
public:
    DisplayStartUp(DisplayControls& controls, ElementLayout& layout, DisplayStyler& styler, PanelPainter& painter,
                   MarqueeTicker& marquee, AppContext& ctx, MenuState& menus, const CurrentPlan& currentPlan,
                   DisplayHost& displayHost);
    void loadPlanAndStyles();
    // The display has loaded: the run is ready, layout editing off, the
    // on-screen buttons as stored.
    void applyIdleMenuState();

private:
    DisplayControls& m_controls;
    ElementLayout& m_layout;
    DisplayStyler& m_styler;
    PanelPainter& m_painter;
    MarqueeTicker& m_marquee;
    AppContext& m_ctx;
    MenuState& m_menus;
    const CurrentPlan& m_currentPlan;
    DisplayHost& m_displayHost;
};

} // namespace orvalen
