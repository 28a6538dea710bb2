#pragma once
#include <cstddef>

namespace orvalen {

class CurrentPlan;
class DisplayStyler;
class ElementLayout;
class MarqueeTicker;
class MenuState;
struct AppContext;
struct DisplayControls;
struct ScreenMetrics;

// The panel painters: the clocks paint their text centred into their image;
// the text panels hold only their line, on a clear ground, so the background
// (colour or picture) and any neighbour under a panel show around the text.
// Each panel takes its size from what it shows.
class PanelPainter {
public:
    PanelPainter(DisplayControls& controls, ElementLayout& layout, DisplayStyler& styler, const ScreenMetrics& screen,
                 const MarqueeTicker& marquee, AppContext& ctx, const MenuState& menus, const CurrentPlan& currentPlan);

    void paintClockAt(int size);
    void paintOvertimeClockAt(int size);
    void repaintClock();
    void repaintOvertimeClock();
    void paintTextPanel(std::size_t line);
    // The scrolling text's panel at the stored width. A line that stands
    // still widens it to show whole (at most the screen's width), keeping its
    // middle where it was and the panel on the screen, and stands centred in it.
    void sizeScrollPanel();
    // The scrolling line stands centred in its panel.
    void centreScrollingText();

private:
    // Centres the prompt by its text's width, unless the operator placed it.
    void centrePromptLine();

    DisplayControls& m_controls;
    ElementLayout& m_layout;
    DisplayStyler& m_styler;
    const ScreenMetrics& m_screen;
    const MarqueeTicker& m_marquee;
    AppContext& m_ctx;
    const MenuState& m_menus;
    const CurrentPlan& m_currentPlan;
};

} // namespace orvalen
