#pragma once
#include <QFont>
#include <QHash>
#include <QString>
#include <optional>

class QColor;
class QLabel;
class QObject;
class QWidget;

namespace orvalen {

class ClockPanel;
class ElementLayout;
class MarqueeTicker;
struct DisplayControls;
struct ScreenMetrics;

// The captions, fonts, sizes and colours of the display's texts. A text the
// audience reads is drawn in proportion to the screen and, unless it
// scrolls, no wider than the screen; the size the plan gives stays the
// text's size (kept here) and is where every new fit starts from.
class DisplayStyler {
public:
    DisplayStyler(const DisplayControls& controls, ElementLayout& layout, const ScreenMetrics& screen,
                  const MarqueeTicker& marquee);

    // A line's caption; the line is measured again.
    void setCaption(QLabel* label, const QString& text);
    // A clock's text; the clock is measured again.
    void setClockText(ClockPanel* clock, const QString& text);
    // Font size in points; a size <= 0 or not finite is refused (false).
    bool setFontSize(QWidget* w, double points);
    bool setClockFontSize(ClockPanel* clock, double points);
    // Font family by name; a family that is not installed becomes "宋体".
    void setFontName(QWidget* w, const QString& family);
    // Measures a text line again after its text or font changed.
    void autoSize(QLabel* label);
    // The drawn size of a text the audience reads: in proportion to the
    // screen, and unless `scrolling`, no wider than the screen.
    QFont fitToScreen(const QObject* key, QFont font, const QString& text, bool scrolling);
    void fitClock(ClockPanel* clock);
    // The plan's point size of a fitted text, not the size this screen draws it at.
    std::optional<double> plannedPoints(const QObject* key) const;

    // The one element styler: font (also of `fontPanel`), colour (also of
    // `colourPanel`) and, when the plan gives one, size.
    void styleElement(QLabel* label, const QString& font, const QColor& colour, std::optional<double> size,
                      QWidget* fontPanel = nullptr, QWidget* colourPanel = nullptr);
    void styleClock(ClockPanel* clock, const QString& font, const QColor& colour, std::optional<double> size);

private:
    const DisplayControls& m_controls;
    ElementLayout& m_layout;
    const ScreenMetrics& m_screen;
    const MarqueeTicker& m_marquee;
    QHash<const QObject*, double> m_plannedPoints; // the plan's point size of each fitted text
};

} // namespace orvalen
