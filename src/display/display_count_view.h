#pragma once
#include "display/count_view.h"

#include <QFont>
#include <QString>
#include <cstddef>

namespace orvalen {

class CurrentPlan;
class DisplayBackground;
class DisplayLogo;
class DisplayStyler;
class DisplayWindow;
class ElementLayout;
class MarqueeTicker;
class PanelPainter;
class PromptTicker;
class RunController;
struct AppContext;
struct DisplayControls;

// The display window as the count engine sees it: the clocks, the text
// lines, the prompt and scroll ticks and the looks of a plan, drawn on the
// window's controls. It keeps the end text's font.
class DisplayCountView : public CountView {
public:
    DisplayCountView(DisplayWindow& window, DisplayControls& controls, DisplayStyler& styler, PanelPainter& painter,
                     DisplayBackground& background, DisplayLogo& logo, AppContext& ctx, const RunController& run,
                     const CurrentPlan& currentPlan);

    void setClockCaption(const QString& text) override;
    void showClockText(const QString& text) override;
    void showOvertimeText(const QString& text) override;
    void showEndText(const QString& text, bool fitted) override;
    bool isClockShown(bool overtimeClock) const override;
    void setClockShown(bool overtimeClock, bool shown) override;
    void showDateLineText(const QString& text) override;
    void showPromptText(const QString& text) override;
    void clearPromptText() override;
    void setDateLineCaption(const QString& text) override;
    void setDateLineShown(bool shown) override;
    void setPromptLineShown(bool shown) override;
    void rewindPrompt() override;
    void setPromptTicking(bool on) override;
    bool isPromptTicking() const override;
    void setScrolling(bool on) override;
    void applyStageLook(Stage stage) override;
    void styleForCount(const QString& clockText, const QString& overtimeText) override;
    void styleForLongTerm(const QString& clockText, const QString& prompt) override;
    bool isShown() const override;
    const ScreenMetrics& screenMetrics() const override;
    void fillScreen() override;
    void relayout() override;
    void showRunningButtons() override;
    void removePlaceholders() override;

    // One step of the scrolling text, and the stage's prompt (the ticks).
    void scrollOneStep();
    void showStagePrompt();
    // The end text's font, fitted to the clock.
    const QFont& endFont() const { return m_endFont; }

private:

    void showLineText(std::size_t line, const QString& text);
    void styleTitles();
    // The clock and the overtime clock share the clock's style.
    void styleClocks(const QString& clockCaption, const QString& overtimeCaption);
    void placeScrollText();
    // The end text in the clock's look, shrunk to fit where the clock text stands.
    void fitEndText(const QString& text);

    DisplayWindow& m_window;
    DisplayControls& m_controls;
    DisplayStyler& m_styler;
    PanelPainter& m_painter;
    DisplayBackground& m_background;
    DisplayLogo& m_logo;
    AppContext& m_ctx;
    const RunController& m_run;
    const CurrentPlan& m_currentPlan;
    ElementLayout& m_layout;
    MarqueeTicker& m_marquee;
    PromptTicker& m_prompt;
    QFont m_endFont; // the end text's font, fitted to the clock
};

} // namespace orvalen
