#pragma once
#include "stores/stage.h"

#include <QString>

namespace orvalen {

// The screen figures the display lays itself out by. Taken from the primary
// screen unless a test fixes them.
struct ScreenMetrics {
    double tppX = 15.0;              // twips per pixel
    double tppY = 15.0;
    int fullWidthPx = 0;             // full-screen client area
    int fullHeightPx = 0;
    int screenWidthPx = 0;           // the whole screen
    static ScreenMetrics fromPrimaryScreen();
    // How much larger than on 1920 x 1080 this screen draws the texts, and
    // the logo and the scrolling line's panel and step with them.
    double textScale() const;
};

// What the count engine, its set-ups, the long-term display and the run
// commands need of the screen. The display window implements it; the engine
// never touches a widget.
class CountView {
public:
    virtual ~CountView() = default;

    // --- the clock ------------------------------------------------------------
    // The clock's caption, as the layout measures it (not painted).
    virtual void setClockCaption(const QString& text) = 0;
    // Puts `text` on the clock (or on the overtime clock) and paints it on
    // the screen at once, before the rest of the tick.
    virtual void showClockText(const QString& text) = 0;
    virtual void showOvertimeText(const QString& text) = 0;
    // Shows the end text on the clock, centred across the screen: at the
    // size at which it fits where the clock text stood (`fitted`), or at the
    // clock's own size.
    virtual void showEndText(const QString& text, bool fitted) = 0;
    // The clock panel, or the overtime clock panel, shown or hidden (the
    // blink).
    virtual bool isClockShown(bool overtimeClock) const = 0;
    virtual void setClockShown(bool overtimeClock, bool shown) = 0;

    // --- the text lines ---------------------------------------------------------
    // The date line and the prompt line: their captions, repainted when
    // their panel shows. Setting the caption it already has does nothing.
    virtual void showDateLineText(const QString& text) = 0;
    virtual void showPromptText(const QString& text) = 0;
    // Empties the prompt line's caption without painting it.
    virtual void clearPromptText() = 0;
    // The date line's caption, not painted.
    virtual void setDateLineCaption(const QString& text) = 0;
    virtual void setDateLineShown(bool shown) = 0;
    virtual void setPromptLineShown(bool shown) = 0;

    // --- the ticks the display owns ---------------------------------------------
    // The prompt tick shows the stage's text for three of its ticks from
    // the start of a stage.
    virtual void rewindPrompt() = 0;
    virtual void setPromptTicking(bool on) = 0;
    virtual bool isPromptTicking() const = 0;
    virtual void setScrolling(bool on) = 0;

    // --- looks ----------------------------------------------------------------------
    // The background and clock colour of a stage of the current plan.
    virtual void applyStageLook(Stage stage) = 0;
    // Styles every element for a count of the current plan, with the first
    // texts of both clocks: titles, clock, end text, overtime clock, date
    // line, prompt, scrolling text, the stage-0 look and the logo.
    virtual void styleForCount(const QString& clockText, const QString& overtimeText) = 0;
    // The same for a long-term plan: the date line keeps the caption it has
    // and takes its look from the stored values; the prompt line shows
    // `prompt`.
    virtual void styleForLongTerm(const QString& clockText, const QString& prompt) = 0;

    // --- window and buttons -----------------------------------------------------
    virtual bool isShown() const = 0;
    virtual const ScreenMetrics& screenMetrics() const = 0;
    virtual void fillScreen() = 0;
    virtual void relayout() = 0;
    // The stop and pause buttons in their running colour.
    virtual void showRunningButtons() = 0;
    // Takes the layout placeholders off the empty elements.
    virtual void removePlaceholders() = 0;
};

} // namespace orvalen
