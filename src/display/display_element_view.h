#pragma once
#include "display/element_view.h"

namespace orvalen {

class Clock;
class DisplayLogo;
class DisplayStyler;
class DisplayWindow;
class ElementLayout;
class PanelPainter;
struct DisplayControls;

// The display window's elements by name, as the menus and the settings
// window restyle, move, show and hide them.
class DisplayElementView : public LayoutView {
public:
    DisplayElementView(DisplayWindow& window, DisplayControls& controls, DisplayStyler& styler, PanelPainter& painter,
                       const DisplayLogo& logo, const Clock& clock);

    QString elementText(DisplayElement e) const override;
    void setElementText(DisplayElement e, const QString& text) override;
    QFont elementFont(DisplayElement e) const override;
    QColor elementColour(DisplayElement e) const override;
    void setElementStyle(DisplayElement e, const QFont& font, const QColor& colour) override;
    void setElementColour(DisplayElement e, const QColor& colour) override;
    bool setElementFontSize(DisplayElement e, double points) override;
    QRectF elementRect(DisplayElement e) const override;
    void setElementLeft(DisplayElement e, double left) override;
    void setElementTop(DisplayElement e, double top) override;
    bool isElementShown(DisplayElement e) const override;
    void setElementShown(DisplayElement e, bool shown) override;
    void repaintElement(DisplayElement e) override;
    void saveElementPosition(DisplayElement e) override;
    void centreScrollingText() override;
    bool logoIsEmpty() const override;
    void showElementPlaceholders(bool shown) override;
    const ScreenMetrics& screenMetrics() const override;
    double twipsPerPixelX() const override;
    QDateTime now() const override;
    void paintClock(const QString& text, int size) override;

private:
    DisplayWindow& m_window;
    DisplayControls& m_controls;
    DisplayStyler& m_styler;
    PanelPainter& m_painter;
    const DisplayLogo& m_logo;
    const Clock& m_clock;
    ElementLayout& m_layout;
};

} // namespace orvalen
