// The display as the count engine sees it: the clock, the text lines, the
// prompt and scroll ticks, the looks of a plan and its stages, the buttons.
#include "display/colour.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/fonts.h"
#include "display/panel.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "stores/clock_plan.h"

#include <cmath>

namespace orvalen {

void DisplayWindow::setClockCaption(const QString& text) { setCaption(clockText, text); }

void DisplayWindow::showClockText(const QString& text)
{
    setCaption(clockText, text);
    paintClock(text, int(std::lround(clockText->font().pointSizeF())));
    // The new digits go to the screen now, before the rest of the tick (a
    // stage's sound can take longer than a frame to start).
    clockPanel->repaint();
}

void DisplayWindow::showOvertimeText(const QString& text)
{
    setCaption(overtimeText, text);
    paintOvertimeClock(text, int(std::lround(overtimeText->font().pointSizeF())));
    overtimePanel->repaint();
}

void DisplayWindow::showEndText(const QString& text, bool fitted)
{
    setCaption(clockText, text);
    double size = clockText->font().pointSizeF();
    double screenWidthPx = m_screen.screenWidthPx;
    if (fitted) {
        // The measured size is the drawn one; the clock keeps the size that
        // this screen draws as it.
        size = endTextMeasure->font().pointSizeF();
        setFontSize(clockText, size / screen_text_scale(m_screen.fullWidthPx, m_screen.fullHeightPx));
    } else if (screenWidthPx <= 0) {
        screenWidthPx = m_screen.fullWidthPx;
    }
    if (fitted || screenWidthPx > 0)
        setTwipsLeft(clockPanel, (screenWidthPx * twipsPerPixelX() - twipsWidth(clockText)) / 2);
    paintClock(text, int(std::lround(size)));
}

bool DisplayWindow::isClockShown(bool overtimeClock) const
{
    return !(overtimeClock ? overtimePanel : clockPanel)->isHidden();
}

void DisplayWindow::setClockShown(bool overtimeClock, bool shown)
{
    (overtimeClock ? overtimePanel : clockPanel)->setVisible(shown);
}

void DisplayWindow::showLineText(std::size_t line, const QString& text)
{
    if (textLabels[line]->text() == text)
        return;
    setCaption(textLabels[line], text);
    if (!textPanels[line]->isHidden())
        paintTextPanels(line);
}

void DisplayWindow::showDateLineText(const QString& text) { showLineText(kDateLine, text); }

void DisplayWindow::showPromptText(const QString& text) { showLineText(kPromptLine, text); }

void DisplayWindow::clearPromptText() { setCaption(textLabels[kPromptLine], QString()); }

void DisplayWindow::setDateLineCaption(const QString& text) { setCaption(textLabels[kDateLine], text); }

void DisplayWindow::setDateLineShown(bool shown) { textPanels[kDateLine]->setVisible(shown); }

void DisplayWindow::setPromptLineShown(bool shown) { textPanels[kPromptLine]->setVisible(shown); }

void DisplayWindow::rewindPrompt() { prompt_ticks = 3; }

void DisplayWindow::setPromptTicking(bool on) { promptTick->setEnabled(on); }

bool DisplayWindow::isPromptTicking() const { return promptTick->isEnabled(); }

void DisplayWindow::setScrolling(bool on) { scrollTick->setEnabled(on); }

void DisplayWindow::applyStageLook(int stage) { applyStageBackground(stage); }

bool DisplayWindow::isShown() const { return isVisible(); }

void DisplayWindow::fillScreen() { fillScreen(nullptr); }

void DisplayWindow::setButton(int index, const QString& caption, bool enabled)
{
    QLabel* b = screenButtons[index];
    if (b->text() != caption)
        setCaption(b, caption);
    b->setEnabled(enabled);
}

void DisplayWindow::setButtonEnabled(int index, bool enabled) { screenButtons[index]->setEnabled(enabled); }

void DisplayWindow::showRunningButtons()
{
    setForeColour(screenButtons[1], Qt::black);
    setForeColour(screenButtons[2], Qt::black);
}

void DisplayWindow::removePlaceholders() { showElementPlaceholders(0); }

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

void DisplayWindow::styleTitles()
{
    const ClockPlan& p = m_module.clock_plan;
    setCaption(textLabels[kTitleLine], p.firsttext);
    styleElement(textLabels[kTitleLine], p.firstfont, colour_from_text(p.firstcolour), size_entry(p.sizethree, 0));
    textLabels[kTitleLine]->setVisible(!textLabels[kTitleLine]->text().isEmpty());
    setCaption(textLabels[kSubtitleLine], p.secondtext);
    styleElement(textLabels[kSubtitleLine], p.secondfont, colour_from_text(p.secondcolour), size_entry(p.sizethree, 1));
    textPanels[kSubtitleLine]->setVisible(!textLabels[kSubtitleLine]->text().isEmpty());
}

// The clock and the overtime clock share the clock's style.
void DisplayWindow::styleClocks(const QString& clockCaption, const QString& overtimeCaption)
{
    const ClockPlan& p = m_module.clock_plan;
    const QColor colour = colour_from_text(p.clockcolour);
    const auto size = size_entry(p.sizethree, 2);
    setCaption(clockText, clockCaption);
    styleElement(clockText, p.clockFont, colour, size, clockPanel, clockPanel);
    clockPanel->setVisible(!clockText->text().isEmpty());
    setCaption(overtimeText, overtimeCaption);
    styleElement(overtimeText, p.clockFont, colour, size, overtimePanel, overtimePanel);
    overtimePanel->hide();
}

// The scrolling text stands where its mode starts it, in a panel of the
// stored width (a width of zero or below cannot be given to the panel).
void DisplayWindow::placeScrollText()
{
    readMarqueeSettings();
    if (marquee_width > 0)
        setTwipsWidth(textPanels[kScrollLine], marquee_width);
    QLabel* label = textLabels[kScrollLine];
    const double panelWidth = twipsWidth(textPanels[kScrollLine]);
    switch (marquee_mode) {
    case 0: setTwipsLeft(label, -twipsWidth(label)); break;
    case 1: setTwipsLeft(label, panelWidth); break;
    case 2: setTwipsLeft(label, (panelWidth - twipsWidth(label)) / 2); break;
    default: break;
    }
}

void DisplayWindow::styleForCount(const QString& initialClockText, const QString& overtimeText)
{
    const ClockPlan& p = m_module.clock_plan;
    const QColor clockColour = colour_from_text(p.clockcolour);
    styleTitles();
    styleClocks(initialClockText, overtimeText);

    // End text, in the clock's look, shrunk to fit where the clock text stands.
    setCaption(endTextMeasure, p.stageText[6]);
    styleElement(endTextMeasure, p.clockFont, clockColour, size_entry(p.sizethree, 2));
    fitEndText();

    // Date line and prompt text start empty and hidden.
    setCaption(textLabels[kDateLine], QString());
    styleElement(textLabels[kDateLine], p.stagefont, colour_from_text(p.stagecolour), size_entry(p.sizethree, 3));
    textPanels[kDateLine]->hide();
    setCaption(textLabels[kPromptLine], QString());
    styleElement(textLabels[kPromptLine], p.textfont, colour_from_text(p.textcolour), size_entry(p.sizethree, 4));
    textPanels[kPromptLine]->hide();

    // Scrolling text: its own caption stays; the scroll settings are re-read.
    styleElement(textLabels[kScrollLine], p.rollfont, colour_from_text(p.rollcolour), size_entry(p.sizethree, 5));
    if (!textLabels[kScrollLine]->text().isEmpty())
        scrollTick->setEnabled(true);
    textPanels[kScrollLine]->hide();
    placeScrollText();

    applyStageBackground(0);
    loadLogo(LogoLoad::SetUp);
}

// The end text takes the clock's size, one point smaller at a time while it
// is wider than the clock text, but never below 1 pt.
void DisplayWindow::fitEndText()
{
    const double clockWidth = twipsWidth(clockText);
    if (twipsWidth(endTextMeasure) <= clockWidth)
        return;
    double size = endTextMeasure->font().pointSizeF();
    do {
        if (size - 1 < 1)
            break;
        size -= 1;
        setFontSize(endTextMeasure, size);
    } while (twipsWidth(endTextMeasure) + 30 >= clockWidth);
}

void DisplayWindow::styleForLongTerm(const QString& clockCaption, const QString& prompt)
{
    ClockPlan& p = m_module.clock_plan;
    styleTitles();
    styleClocks(clockCaption, clockCaption);

    // The date line takes its look from the stored values, which the
    // element menu writes, not from the plan in memory. A colour text of the
    // registry is its leading number, so an absent or empty value is black.
    QString sizes;
    RegistryStore& registry = m_ctx.registry;
    p.stagefont = registry.readText(QStringLiteral("stagefont")).value_or(QString());
    p.stagecolour = registry.readText(QStringLiteral("stagecolour")).value_or(QString());
    sizes = registry.readText(QStringLiteral("sizethree")).value_or(QString());
    styleElement(textLabels[kDateLine], p.stagefont, colour_from_value(qint64(leading_number(p.stagecolour)), QColor(Qt::black)),
                 size_entry(sizes, 3), textPanels[kDateLine]);
    textPanels[kDateLine]->setVisible(!textLabels[kDateLine]->text().isEmpty());

    setCaption(textLabels[kPromptLine], prompt);
    styleElement(textLabels[kPromptLine], p.textfont, colour_from_text(p.textcolour), size_entry(p.sizethree, 4));
    textPanels[kPromptLine]->setVisible(!textLabels[kPromptLine]->text().isEmpty());
    styleElement(textLabels[kScrollLine], p.rollfont, colour_from_text(p.rollcolour), size_entry(p.sizethree, 5));
    // The scrolling tick shows the panel at its first step.
    if (!textLabels[kScrollLine]->text().isEmpty())
        scrollTick->setEnabled(true);
    placeScrollText();

    applyStageBackground(0);
    loadLogo(LogoLoad::SetUp);
}

} // namespace orvalen
