#pragma once
#include "display/background_view.h"
#include "display/count_view.h"
#include "display/display_controls.h"
#include "display/display_element.h"
#include "display/display_window_control.h"
#include "display/element_layout.h"
#include "display/element_view.h"
#include "services/app_context.h"
#include "state/run_state.h"
#include "stores/current_plan.h"

#include <QLabel>
#include <QWidget>
#include <memory>

class QScreen;

namespace orvalen {

class DisplayBackground;
class DisplayCountView;
class DisplayElementView;
class DisplayHost;
class DisplayLogo;
class DisplayPointer;
class DisplayStyler;
class LogoVideoFactory;
class MarqueeTicker;
class PanelPainter;
class PromptTicker;

// The full-screen display window: what the audience sees. It owns the
// display's controls, their layout, the screen figures, the scrolling-text
// and prompt ticks, and its parts, each keeping its own state and seeing the
// window only through its public members: the text styler, the panel
// painter, the logo, the background, the count view, the element view and
// pointer input. The count engine sees it through countView(), the menus and
// the settings window through elementView(), the background window through
// backgroundView(); the menu host through DisplayWindowControl.
class DisplayWindow : public QWidget, public DisplayWindowControl {
    Q_OBJECT
public:
    DisplayWindow(AppContext& ctx, HostState& host, CurrentPlan& currentPlan, DisplayHost& displayHost,
                  QWidget* parent = nullptr);
    ~DisplayWindow() override;

    HostState& hostState() { return m_host; }

    // The display as the count engine, the menus and the settings window,
    // and the background window see it.
    CountView& countView();
    LayoutView& elementView();
    BackgroundView& backgroundView();

    // The start-up: loads the current plan, styles the elements, reads the
    // background, logo and menu state, lays the display out and shows it
    // full screen. Called once after construction.
    void load();
    // After the first frame of the start-up: the places the display was
    // shown with, if they were not yet kept for this screen (places shipped
    // as shares of the screen, or kept without their screen), are stored as
    // twips of this screen. Until then nothing on screen depends on it, so the
    // first frame does not wait for the file writes.
    void recordPlacesForThisScreen();
    // The close-down: ends a run under way, releases the hotkeys and the logo
    // video. Runs once (also from closeEvent).
    void unload();
    // Lays every element out again (after a resize, a plan or a style change).
    void relayout();
    // The window's maximised state: the full-screen state, without
    // decorations, also coming back from minimised. With a screen given the
    // window is first put over that screen. Does not show a hidden window.
    void fillScreen(QScreen* screen = nullptr);
    void restoreFullScreen() override;
    bool fillsScreen() const override;
    void minimise() override;
    void moveToScreen(QScreen* screen) override;
    void closeDisplay() override;
    // Fixes the screen figures (tests); the layout uses them from then on.
    void setScreenMetrics(const ScreenMetrics& metrics);
    // The screen figures the layout uses.
    const ScreenMetrics& screenMetrics() const { return m_screen; }
    // Keeps the box's place as the element's saved place.
    void saveElementPosition(DisplayElement e);
    void showElementPlaceholders(bool shown) override;

    // The on-screen buttons, left to right as kScreenButtons.
    bool buttonsShown() const override;
    void setButtonsShown(bool shown) override;

    // Where logo videos come from: Qt Multimedia unless a test installs a
    // recording factory.
    void setLogoVideoFactory(LogoVideoFactory* factory);
    bool hasLogoVideo() const;

    // Where every control stands, and the two ticks.
    ElementLayout& layout() { return m_layout; }
    MarqueeTicker& marquee() { return *m_marquee; }
    PromptTicker& prompt() { return *m_prompt; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // --- controls (display_window.cpp) ---------------------------------------------
    // The controls, the on-screen buttons' clicks running their commands.
    void createControls();

    // --- layout (display_layout.cpp) -----------------------------------------------
    double screenWidthPx() const;                  // full-screen client width
    double screenHeightPx() const;
    void fitBackgroundBox();
    // Unless they are fixed (tests), the screen figures are read again from
    // the primary screen.
    void followPrimaryScreen();
    // Puts an element at its saved place, or at the default where the saved
    // place is outside the limits (pixels).
    void placeElement(DisplayElement e, double leftLimit, double leftDefault, bool forceCentre, double topLimit,
                      double topDefault);
    // The on-screen buttons, sized by their longest caption, in a row.
    void placeScreenButtons(double width, double height);
    // Sizes the on-screen buttons for this screen (before they are placed).
    void sizeScreenButtons();
    // Stored places made for a screen of another size are moved to the
    // same shares of this one and stored for it (carry_places.cpp).
    void carryPlacesToThisScreen();
    void showOutlines(bool shown);               // thin outlines round the elements (layout editing)

    // --- element styles (display_window.cpp) ------------------------------------------
    // The clock and the date line take the look the current plan gives them
    // when it changed since the plan before (the element menu's choices).
    void followPlanStyles();

    // --- start-up and close-down (display_startup.cpp) -------------------------------
    // True while a count runs (not paused, not finished).
    bool isRunning() const;

    // --- the controls and the parts ------------------------------------------------------
    DisplayControls m_controls;
    std::unique_ptr<MarqueeTicker> m_marquee;
    std::unique_ptr<PromptTicker> m_prompt;
    std::unique_ptr<DisplayStyler> m_styler;
    std::unique_ptr<PanelPainter> m_painter;
    std::unique_ptr<DisplayLogo> m_logo;
    std::unique_ptr<DisplayCountView> m_countView;
    std::unique_ptr<DisplayPointer> m_pointer;
    std::unique_ptr<DisplayElementView> m_elementView;
    std::unique_ptr<DisplayBackground> m_background;

    // --- state ----------------------------------------------------------------------
    ElementLayout m_layout;
    ScreenMetrics m_screen;
    bool m_fixedScreen = false;
    bool m_inLayout = false;
    bool m_placesRecordWaits = false; // from the start-up until recordPlacesForThisScreen
    bool m_unloaded = false;

    AppContext& m_ctx;
    HostState& m_host;
    CurrentPlan& m_currentPlan;
    ClockPlan m_followedPlan; // the current plan as the display last followed it
    DisplayHost& m_displayHost;
};

} // namespace orvalen
