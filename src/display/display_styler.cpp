// The captions, fonts, sizes and colours of the display's texts, drawn in
// proportion to the screen.
#include "display/display_styler.h"

#include "display/clock_panel.h"
#include "display/count_view.h"
#include "display/display_controls.h"
#include "display/element_layout.h"
#include "display/fonts.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "stores/clock_plan.h"

#include <QFontMetricsF>
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace orvalen {

DisplayStyler::DisplayStyler(const DisplayControls& controls, ElementLayout& layout, const ScreenMetrics& screen,
                             const MarqueeTicker& marquee)
    : m_controls(controls), m_layout(layout), m_screen(screen), m_marquee(marquee)
{
}

std::optional<double> DisplayStyler::plannedPoints(const QObject* key) const
{
    const auto it = m_plannedPoints.find(key);
    if (it == m_plannedPoints.end())
        return std::nullopt;
    return *it;
}

// --- captions and fonts -------------------------------------------------------

void DisplayStyler::autoSize(QLabel* label)
{
    if (!m_controls.isTextLine(label))
        return;
    const bool scrolling = label == m_controls.textLabels[kScrollLine] && m_marquee.lineMoves();
    label->setFont(fitToScreen(label, label->font(), label->text(), scrolling));
    const QFontMetricsF fm(label->font());
    m_layout.setWidth(label, fm.horizontalAdvance(label->text()));
    m_layout.setHeight(label, fm.height());
}

void DisplayStyler::fitClock(ClockPanel* clock)
{
    clock->setTextFont(fitToScreen(clock, clock->textFont(), clock->text(), false));
}

void DisplayStyler::setCaption(QLabel* label, const QString& text)
{
    if (!label)
        return;
    label->setText(text);
    autoSize(label);
    // A text panel is read by assistive tools as the text it shows.
    if (auto* panel = qobject_cast<Panel*>(label->parentWidget()))
        panel->setAccessibleName(text);
}

void DisplayStyler::setClockText(ClockPanel* clock, const QString& text)
{
    clock->setText(text);
    fitClock(clock);
    clock->setAccessibleName(text);
}

// The texts the audience reads are drawn smaller on a small screen and
// larger on a large one, and smaller still when wider than the screen; the size the plan gives stays
// the element's size (elementFont) and is where every new fit starts from.
// A scrolling text (`scrolling` on) runs through its panel, however long.
QFont DisplayStyler::fitToScreen(const QObject* key, QFont font, const QString& text, bool scrolling)
{
    auto it = m_plannedPoints.find(key);
    if (it == m_plannedPoints.end())
        it = m_plannedPoints.insert(key, font.pointSizeF());
    const double planned = *it;
    double drawn = planned * m_screen.textScale();
    if (!scrolling && m_screen.fullWidthPx > 0) {
        const double margin = std::max(8.0, m_screen.fullWidthPx * 0.02);
        drawn = pointSizeToFit(font, text, drawn, m_screen.fullWidthPx - 2 * margin);
    }
    if (drawn > 0 && drawn != font.pointSizeF())
        font.setPointSizeF(drawn);
    return font;
}

bool DisplayStyler::setFontSize(QWidget* w, double points)
{
    if (!w || !std::isfinite(points) || points <= 0 || points > kLargestFontSize)
        return false;
    if (m_plannedPoints.contains(w))
        m_plannedPoints[w] = points;
    QFont f = w->font();
    f.setPointSizeF(points);
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w))
        autoSize(l);
    return true;
}

bool DisplayStyler::setClockFontSize(ClockPanel* clock, double points)
{
    if (!std::isfinite(points) || points <= 0 || points > kLargestFontSize)
        return false;
    m_plannedPoints[clock] = points;
    QFont f = clock->textFont();
    f.setPointSizeF(points);
    clock->setTextFont(f);
    fitClock(clock);
    return true;
}

void DisplayStyler::setFontName(QWidget* w, const QString& family)
{
    if (!w)
        return;
    QFont f = w->font();
    f.setFamily(displayFamily(family));
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w))
        autoSize(l);
}

// --- element styles -------------------------------------------------------------

void DisplayStyler::styleElement(QLabel* label, const QString& font, const QColor& colour, std::optional<double> size,
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
void DisplayStyler::styleClock(ClockPanel* clock, const QString& font, const QColor& colour, std::optional<double> size)
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

} // namespace orvalen
