// The display as the count engine sees it: the clock, the text lines, the
// prompt and scroll ticks, the looks of a plan and its stages, the buttons.
#include "display/display_count_view.h"

#include "display/clock_panel.h"
#include "display/display_background.h"
#include "display/display_controls.h"
#include "display/display_logo.h"
#include "display/display_styler.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/element_layout.h"
#include "display/fonts.h"
#include "display/made_text_sizes.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "display/prompt_text.h"
#include "display/prompt_ticker.h"
#include "display/screen_button_row.h"
#include "display/screen_buttons.h"
#include "services/app_context.h"
#include "state/run_state.h"
#include "stores/clock_plan.h"
#include "stores/current_plan.h"
#include "stores/plan_colour.h"
#include "stores/plan_store.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace orvalen {

DisplayCountView::DisplayCountView(DisplayWindow& window, DisplayControls& controls, DisplayStyler& styler,
                                   PanelPainter& painter, DisplayBackground& background, DisplayLogo& logo,
                                   AppContext& ctx, const RunController& run, const CurrentPlan& currentPlan)
    : m_window(window), m_controls(controls), m_styler(styler), m_painter(painter), m_background(background),
      m_logo(logo), m_ctx(ctx), m_run(run), m_currentPlan(currentPlan), m_layout(window.layout()),
      m_marquee(window.marquee()), m_prompt(window.prompt()), m_endFont(madeFont("宋体", 9))
{
}

const ScreenMetrics& DisplayCountView::screenMetrics() const { return m_window.screenMetrics(); }

void DisplayCountView::fillScreen() { m_window.fillScreen(); }

void DisplayCountView::relayout() { m_window.relayout(); }


void DisplayCountView::setClockCaption(const QString& text) { m_styler.setClockText(m_controls.clock, text); }

void DisplayCountView::showClockText(const QString& text)
{
    m_styler.setClockText(m_controls.clock, text);
    m_painter.repaintClock();
    // The new digits go to the screen now, before the rest of the tick (a
    // stage's sound can take longer than a frame to start).
    m_controls.clock->repaint();
}

void DisplayCountView::showOvertimeText(const QString& text)
{
    m_styler.setClockText(m_controls.overtimeClock, text);
    m_painter.repaintOvertimeClock();
    m_controls.overtimeClock->repaint();
}

void DisplayCountView::showEndText(const QString& text, bool fitted)
{
    m_styler.setClockText(m_controls.clock, text);
    double size = m_controls.clock->textFont().pointSizeF();
    double screenWidthPx = m_window.screenMetrics().screenWidthPx;
    if (fitted) {
        // The measured size is the drawn one; the clock keeps the size that
        // this screen draws as it.
        size = m_endFont.pointSizeF();
        m_styler.setClockFontSize(m_controls.clock, size / m_window.screenMetrics().textScale());
    } else if (screenWidthPx <= 0) {
        screenWidthPx = m_window.screenMetrics().fullWidthPx;
    }
    if (fitted || screenWidthPx > 0)
        m_layout.setLeft(m_controls.clock, (screenWidthPx - m_controls.clock->textSize().width()) / 2);
    m_painter.paintClockAt(int(std::lround(size)));
}

bool DisplayCountView::isClockShown(bool overtimeClock) const
{
    return !(overtimeClock ? m_controls.overtimeClock : m_controls.clock)->isHidden();
}

void DisplayCountView::setClockShown(bool overtimeClock, bool shown)
{
    (overtimeClock ? m_controls.overtimeClock : m_controls.clock)->setVisible(shown);
}

void DisplayCountView::showLineText(std::size_t line, const QString& text)
{
    if (m_controls.textLabels[line]->text() == text)
        return;
    m_styler.setCaption(m_controls.textLabels[line], text);
    if (!m_controls.textPanels[line]->isHidden())
        m_painter.paintTextPanel(line);
}

void DisplayCountView::showDateLineText(const QString& text) { showLineText(kDateLine, text); }

void DisplayCountView::showPromptText(const QString& text) { showLineText(kPromptLine, text); }

void DisplayCountView::clearPromptText() { m_styler.setCaption(m_controls.textLabels[kPromptLine], QString()); }

void DisplayCountView::setDateLineCaption(const QString& text)
{
    m_styler.setCaption(m_controls.textLabels[kDateLine], text);
}

void DisplayCountView::setDateLineShown(bool shown) { m_controls.textPanels[kDateLine]->setVisible(shown); }

void DisplayCountView::setPromptLineShown(bool shown) { m_controls.textPanels[kPromptLine]->setVisible(shown); }

void DisplayCountView::rewindPrompt() { m_prompt.rewind(); }

void DisplayCountView::setPromptTicking(bool on) { m_prompt.setRunning(on); }

bool DisplayCountView::isPromptTicking() const { return m_prompt.isRunning(); }

void DisplayCountView::setScrolling(bool on) { m_marquee.setRunning(on); }

void DisplayCountView::applyStageLook(Stage stage) { m_background.applyStageBackground(stage); }

bool DisplayCountView::isShown() const { return m_window.isVisible(); }

void DisplayCountView::showRunningButtons()
{
    for (const ScreenButtonEntry& entry : kScreenButtons) {
        if (entry.runningColour)
            setForeColour(m_controls.buttonRow->button(entry.button), *entry.runningColour);
    }
}

void DisplayCountView::removePlaceholders() { m_window.showElementPlaceholders(false); }

// --- the ticks ------------------------------------------------------------------

void DisplayCountView::scrollOneStep()
{
    const ClockPlan& plan = m_currentPlan.plan();
    QLabel* line = m_controls.textLabels[kScrollLine];
    Panel* panel = m_controls.textPanels[kScrollLine];
    if (!isOn(plan.showsScrollingText) || line->text().isEmpty()) {
        panel->hide();
        m_marquee.setRunning(false);
        return;
    }
    m_marquee.keepPace();
    m_painter.paintTextPanel(kScrollLine);

    // Each step moves the line by 100 twips of a 1920 x 1080 screen, so it
    // crosses its panel in the same time on any screen.
    const auto left = m_marquee.nextLeft(m_layout.left(line), m_layout.width(line), m_layout.width(panel),
                                         m_layout.pxX(100) * m_window.screenMetrics().textScale());
    if (!left)
        return;
    m_layout.setLeft(line, *left);
    panel->show();
    if (m_marquee.mode() == 2)
        m_marquee.setRunning(false);
}

void DisplayCountView::showStagePrompt()
{
    if (const auto text = promptFor(m_run.stage(), m_currentPlan.plan()))
        m_styler.setCaption(m_controls.textLabels[kPromptLine], *text);
    m_painter.paintTextPanel(kPromptLine);
}

// --- the looks of a set-up -------------------------------------------------------

void DisplayCountView::styleTitles()
{
    const ClockPlan& p = m_currentPlan.plan();
    QLabel* title = m_controls.textLabels[kTitleLine];
    m_styler.setCaption(title, p.firsttext);
    m_styler.styleElement(title, p.firstfont, p.firstcolour.colour(), drawnFontSize(p, StyleSlot::MainTitle));
    title->setVisible(!title->text().isEmpty());
    m_styler.setCaption(m_controls.textLabels[kSubtitleLine], p.secondtext);
    m_styler.styleElement(m_controls.textLabels[kSubtitleLine], p.secondfont, p.secondcolour.colour(),
                          drawnFontSize(p, StyleSlot::Subtitle));
    m_controls.textPanels[kSubtitleLine]->setVisible(!m_controls.textLabels[kSubtitleLine]->text().isEmpty());
}

// The clock and the overtime clock share the clock's style.
void DisplayCountView::styleClocks(const QString& clockCaption, const QString& overtimeCaption)
{
    const ClockPlan& p = m_currentPlan.plan();
    const QColor colour = p.clockcolour.colour();
    const double size = drawnFontSize(p, StyleSlot::Clock);
    m_styler.setClockText(m_controls.clock, clockCaption);
    m_styler.styleClock(m_controls.clock, p.clockFont, colour, size);
    m_controls.clock->setVisible(!m_controls.clock->text().isEmpty());
    m_styler.setClockText(m_controls.overtimeClock, overtimeCaption);
    m_styler.styleClock(m_controls.overtimeClock, p.clockFont, colour, size);
    m_controls.overtimeClock->hide();
}

// The scrolling text stands where its mode starts it, in a panel of the
// stored width (a width of zero or below cannot be given to the panel). The
// mode decides whether a line wider than the screen is drawn smaller.
void DisplayCountView::placeScrollText()
{
    m_marquee.readSettings(m_ctx.ini);
    QLabel* label = m_controls.textLabels[kScrollLine];
    m_styler.autoSize(label);
    if (m_marquee.width() > 0)
        m_painter.sizeScrollPanel();
    if (const auto left = m_marquee.startLeft(m_layout.width(label), m_layout.width(m_controls.textPanels[kScrollLine])))
        m_layout.setLeft(label, *left);
}

void DisplayCountView::styleForCount(const QString& initialClockText, const QString& overtimeText)
{
    const ClockPlan& p = m_currentPlan.plan();
    styleTitles();
    styleClocks(initialClockText, overtimeText);

    // End text, in the clock's look at the size this screen draws the clock,
    // shrunk to fit where the clock text stands.
    m_endFont.setFamily(displayFamily(p.clockFont));
    const double scale = m_window.screenMetrics().textScale();
    m_endFont.setPointSizeF(drawnFontSize(p, StyleSlot::Clock) * scale);
    fitEndText(p.stages[Stage::End].prompt);

    // Date line and prompt text start empty and hidden.
    m_styler.setCaption(m_controls.textLabels[kDateLine], QString());
    m_styler.styleElement(m_controls.textLabels[kDateLine], p.stagefont, p.stagecolour.colour(),
                          drawnFontSize(p, StyleSlot::DateLine));
    m_controls.textPanels[kDateLine]->hide();
    m_styler.setCaption(m_controls.textLabels[kPromptLine], QString());
    m_styler.styleElement(m_controls.textLabels[kPromptLine], p.textfont, p.textcolour.colour(),
                          drawnFontSize(p, StyleSlot::Prompt));
    m_controls.textPanels[kPromptLine]->hide();

    // Scrolling text: its own caption stays; the scroll settings are re-read.
    m_styler.styleElement(m_controls.textLabels[kScrollLine], p.rollfont, p.rollcolour.colour(),
                          drawnFontSize(p, StyleSlot::ScrollingText));
    if (!m_controls.textLabels[kScrollLine]->text().isEmpty())
        m_marquee.setRunning(true);
    m_controls.textPanels[kScrollLine]->hide();
    placeScrollText();

    m_background.applyStageBackground(Stage::Start);
    m_logo.load(DisplayLogo::Load::SetUp);
}

// The end text takes the clock's size, one point smaller at a time while it
// is wider than the clock text (less 30 twips), but never below 1 pt.
void DisplayCountView::fitEndText(const QString& text)
{
    const double clockWidth = m_controls.clock->textSize().width();
    auto endWidth = [&] { return QFontMetricsF(m_endFont).horizontalAdvance(text); };
    if (endWidth() <= clockWidth)
        return;
    double size = m_endFont.pointSizeF();
    do {
        if (size - 1 < 1)
            break;
        size -= 1;
        m_endFont.setPointSizeF(size);
    } while (endWidth() + m_layout.pxX(30) >= clockWidth);
}

void DisplayCountView::styleForLongTerm(const QString& clockCaption, const QString& prompt)
{
    const ClockPlan& p = m_currentPlan.plan();
    styleTitles();
    styleClocks(clockCaption, clockCaption);

    // The date line has the look stored for it (the set-up gave it to the
    // plan) and the stored size. A colour text of the registry is its
    // leading number, so an absent or empty value is black.
    const StoredDateLineStyle dateLine = loadDateLineStyle(m_ctx.registry);
    m_styler.styleElement(m_controls.textLabels[kDateLine], p.stagefont, p.stagecolour.colour(QColor(Qt::black)),
                          dateLine.size.value_or(kMadeTextSizes[StyleSlot::DateLine]),
                          m_controls.textPanels[kDateLine]);
    m_controls.textPanels[kDateLine]->setVisible(!m_controls.textLabels[kDateLine]->text().isEmpty());

    m_styler.setCaption(m_controls.textLabels[kPromptLine], prompt);
    m_styler.styleElement(m_controls.textLabels[kPromptLine], p.textfont, p.textcolour.colour(),
                          drawnFontSize(p, StyleSlot::Prompt));
    m_controls.textPanels[kPromptLine]->setVisible(!m_controls.textLabels[kPromptLine]->text().isEmpty());
    m_styler.styleElement(m_controls.textLabels[kScrollLine], p.rollfont, p.rollcolour.colour(),
                          drawnFontSize(p, StyleSlot::ScrollingText));
    // The scrolling tick shows the panel at its first step.
    if (!m_controls.textLabels[kScrollLine]->text().isEmpty())
        m_marquee.setRunning(true);
    placeScrollText();

    m_background.applyStageBackground(Stage::Start);
    m_logo.load(DisplayLogo::Load::SetUp);
}

} // namespace orvalen
