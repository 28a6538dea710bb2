// The display as the count engine sees it: the clock, the text lines, the
// prompt and scroll ticks, the looks of a plan and its stages, the buttons.
#include "display/clock_panel.h"
#include "display/colour.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/fonts.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/prompt_ticker.h"
#include "stores/clock_plan.h"
#include "stores/plan_store.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace orvalen {

void DisplayWindow::setClockCaption(const QString& text) { setClockText(m_clock, text); }

void DisplayWindow::showClockText(const QString& text)
{
    setClockText(m_clock, text);
    repaintClock();
    // The new digits go to the screen now, before the rest of the tick (a
    // stage's sound can take longer than a frame to start).
    m_clock->repaint();
}

void DisplayWindow::showOvertimeText(const QString& text)
{
    setClockText(m_overtimeClock, text);
    repaintOvertimeClock();
    m_overtimeClock->repaint();
}

void DisplayWindow::showEndText(const QString& text, bool fitted)
{
    setClockText(m_clock, text);
    double size = m_clock->textFont().pointSizeF();
    double screenWidthPx = m_screen.screenWidthPx;
    if (fitted) {
        // The measured size is the drawn one; the clock keeps the size that
        // this screen draws as it.
        size = m_endFont.pointSizeF();
        setClockFontSize(m_clock, size / screenTextScale(m_screen.fullWidthPx, m_screen.fullHeightPx));
    } else if (screenWidthPx <= 0) {
        screenWidthPx = m_screen.fullWidthPx;
    }
    if (fitted || screenWidthPx > 0)
        m_layout.setLeft(m_clock, (screenWidthPx - m_clock->textSize().width()) / 2);
    paintClockAt(int(std::lround(size)));
}

bool DisplayWindow::isClockShown(bool overtimeClock) const
{
    return !(overtimeClock ? m_overtimeClock : m_clock)->isHidden();
}

void DisplayWindow::setClockShown(bool overtimeClock, bool shown)
{
    (overtimeClock ? m_overtimeClock : m_clock)->setVisible(shown);
}

void DisplayWindow::showLineText(std::size_t line, const QString& text)
{
    if (m_textLabels[line]->text() == text)
        return;
    setCaption(m_textLabels[line], text);
    if (!m_textPanels[line]->isHidden())
        paintTextPanel(line);
}

void DisplayWindow::showDateLineText(const QString& text) { showLineText(kDateLine, text); }

void DisplayWindow::showPromptText(const QString& text) { showLineText(kPromptLine, text); }

void DisplayWindow::clearPromptText() { setCaption(m_textLabels[kPromptLine], QString()); }

void DisplayWindow::setDateLineCaption(const QString& text) { setCaption(m_textLabels[kDateLine], text); }

void DisplayWindow::setDateLineShown(bool shown) { m_textPanels[kDateLine]->setVisible(shown); }

void DisplayWindow::setPromptLineShown(bool shown) { m_textPanels[kPromptLine]->setVisible(shown); }

void DisplayWindow::rewindPrompt() { m_prompt->rewind(); }

void DisplayWindow::setPromptTicking(bool on) { m_prompt->setRunning(on); }

bool DisplayWindow::isPromptTicking() const { return m_prompt->isRunning(); }

void DisplayWindow::setScrolling(bool on) { m_marquee->setRunning(on); }

void DisplayWindow::applyStageLook(int stage) { applyStageBackground(stage); }

bool DisplayWindow::isShown() const { return isVisible(); }

void DisplayWindow::showRunningButtons()
{
    setForeColour(m_screenButtons[1], Qt::black);
    setForeColour(m_screenButtons[2], Qt::black);
}

void DisplayWindow::removePlaceholders() { showElementPlaceholders(false); }

// --- the looks of a set-up -------------------------------------------------------

void DisplayWindow::styleElement(QLabel* label, const QString& font, const QColor& colour, std::optional<double> size,
                                 QWidget* fontPanel, QWidget* colourPanel)
{
    setFontName(label, font);
    if (fontPanel)
        setFontName(fontPanel, font);
    setForeColour(label, colour);
    if (colourPanel)
        setForeColour(colourPanel, colour);
    if (size)
        setFontSize(label, *size);
}

// A clock takes the font for its text and its painting, and the colour.
void DisplayWindow::styleClock(ClockPanel* clock, const QString& font, const QColor& colour, std::optional<double> size)
{
    const QString family = displayFamily(font);
    QFont textFont = clock->textFont();
    textFont.setFamily(family);
    clock->setTextFont(textFont);
    fitClock(clock);
    QFont paintFont = clock->font();
    paintFont.setFamily(family);
    clock->setFont(paintFont);
    setForeColour(clock, colour);
    if (size)
        setClockFontSize(clock, *size);
}

void DisplayWindow::styleTitles()
{
    const ClockPlan& p = m_currentPlan.plan();
    QLabel* title = m_textLabels[kTitleLine];
    setCaption(title, p.firsttext);
    styleElement(title, p.firstfont, p.firstcolour.colour(), p.fontSize(0));
    title->setVisible(!title->text().isEmpty());
    setCaption(m_textLabels[kSubtitleLine], p.secondtext);
    styleElement(m_textLabels[kSubtitleLine], p.secondfont, p.secondcolour.colour(), p.fontSize(1));
    m_textPanels[kSubtitleLine]->setVisible(!m_textLabels[kSubtitleLine]->text().isEmpty());
}

// The clock and the overtime clock share the clock's style.
void DisplayWindow::styleClocks(const QString& clockCaption, const QString& overtimeCaption)
{
    const ClockPlan& p = m_currentPlan.plan();
    const QColor colour = p.clockcolour.colour();
    const auto size = p.fontSize(2);
    setClockText(m_clock, clockCaption);
    styleClock(m_clock, p.clockFont, colour, size);
    m_clock->setVisible(!m_clock->text().isEmpty());
    setClockText(m_overtimeClock, overtimeCaption);
    styleClock(m_overtimeClock, p.clockFont, colour, size);
    m_overtimeClock->hide();
}

// The scrolling text stands where its mode starts it, in a panel of the
// stored width (a width of zero or below cannot be given to the panel). The
// mode decides whether a line wider than the screen is drawn smaller.
void DisplayWindow::placeScrollText()
{
    m_marquee->readSettings(m_ctx.ini);
    QLabel* label = m_textLabels[kScrollLine];
    autoSize(label);
    if (m_marquee->width() > 0)
        sizeScrollPanel();
    if (const auto left = m_marquee->startLeft(m_layout.width(label), m_layout.width(m_textPanels[kScrollLine])))
        m_layout.setLeft(label, *left);
}

void DisplayWindow::styleForCount(const QString& initialClockText, const QString& overtimeText)
{
    const ClockPlan& p = m_currentPlan.plan();
    styleTitles();
    styleClocks(initialClockText, overtimeText);

    // End text, in the clock's look at the size this screen draws the clock,
    // shrunk to fit where the clock text stands.
    m_endFont.setFamily(displayFamily(p.clockFont));
    if (const auto size = p.fontSize(2))
        m_endFont.setPointSizeF(*size * screenTextScale(m_screen.fullWidthPx, m_screen.fullHeightPx));
    fitEndText(p.stages[6].prompt);

    // Date line and prompt text start empty and hidden.
    setCaption(m_textLabels[kDateLine], QString());
    styleElement(m_textLabels[kDateLine], p.stagefont, p.stagecolour.colour(), p.fontSize(3));
    m_textPanels[kDateLine]->hide();
    setCaption(m_textLabels[kPromptLine], QString());
    styleElement(m_textLabels[kPromptLine], p.textfont, p.textcolour.colour(), p.fontSize(4));
    m_textPanels[kPromptLine]->hide();

    // Scrolling text: its own caption stays; the scroll settings are re-read.
    styleElement(m_textLabels[kScrollLine], p.rollfont, p.rollcolour.colour(), p.fontSize(5));
    if (!m_textLabels[kScrollLine]->text().isEmpty())
        m_marquee->setRunning(true);
    m_textPanels[kScrollLine]->hide();
    placeScrollText();

    applyStageBackground(0);
    loadLogo(LogoLoad::SetUp);
}

// The end text takes the clock's size, one point smaller at a time while it
// is wider than the clock text (less 30 twips), but never below 1 pt.
void DisplayWindow::fitEndText(const QString& text)
{
    const double clockWidth = m_clock->textSize().width();
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

void DisplayWindow::styleForLongTerm(const QString& clockCaption, const QString& prompt)
{
    ClockPlan p = m_currentPlan.plan();
    styleTitles();
    styleClocks(clockCaption, clockCaption);

    // The date line takes its look from the stored values, which the
    // element menu writes, not from the plan in memory. A colour text of the
    // registry is its leading number, so an absent or empty value is black.
    const StoredDateLineStyle dateLine = loadDateLineStyle(m_ctx.registry);
    p.stagefont = dateLine.font.value_or(QString());
    p.stagecolour = dateLine.colour.value_or(PlanColour{});
    m_currentPlan.replace(p);
    styleElement(m_textLabels[kDateLine], p.stagefont, colourFromLeadingNumber(p.stagecolour.text, QColor(Qt::black)),
                 dateLine.size, m_textPanels[kDateLine]);
    m_textPanels[kDateLine]->setVisible(!m_textLabels[kDateLine]->text().isEmpty());

    setCaption(m_textLabels[kPromptLine], prompt);
    styleElement(m_textLabels[kPromptLine], p.textfont, p.textcolour.colour(), p.fontSize(4));
    m_textPanels[kPromptLine]->setVisible(!m_textLabels[kPromptLine]->text().isEmpty());
    styleElement(m_textLabels[kScrollLine], p.rollfont, p.rollcolour.colour(), p.fontSize(5));
    // The scrolling tick shows the panel at its first step.
    if (!m_textLabels[kScrollLine]->text().isEmpty())
        m_marquee->setRunning(true);
    placeScrollText();

    applyStageBackground(0);
    loadLogo(LogoLoad::SetUp);
}

} // namespace orvalen
