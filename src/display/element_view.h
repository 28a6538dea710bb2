#pragma once
#include "display/count_view.h"
#include "display/display_element.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QRectF>
#include <QString>

namespace orvalen {

// The display's elements by name, as the menus and the windows above them
// restyle, move, show and hide them. An element's text is the caption it
// shows (the clocks' texts are what their panels paint); its box is what is
// placed and shown: the title itself, a panel, or the logo box. Places are
// in twips, relative to the background.
class ElementView {
public:
    virtual ~ElementView() = default;

    virtual QString elementText(DisplayElement e) const = 0;
    virtual void setElementText(DisplayElement e, const QString& text) = 0;
    // The plan's font of the element (not the size a small screen draws it at).
    virtual QFont elementFont(DisplayElement e) const = 0;
    virtual QColor elementColour(DisplayElement e) const = 0;
    // The family, italic, weight and point size of `font` and `colour` go to
    // the element's text and its box.
    virtual void setElementStyle(DisplayElement e, const QFont& font, const QColor& colour) = 0;
    virtual void setElementColour(DisplayElement e, const QColor& colour) = 0;
    // The point size of the element's text; a size <= 0 or not finite is
    // refused (false) and the old size stays.
    virtual bool setElementFontSize(DisplayElement e, double points) = 0;
    virtual QRectF elementRect(DisplayElement e) const = 0;
    virtual void setElementLeft(DisplayElement e, double left) = 0;
    virtual void setElementTop(DisplayElement e, double top) = 0;
    virtual bool isElementShown(DisplayElement e) const = 0;
    virtual void setElementShown(DisplayElement e, bool shown) = 0;
    // Paints a text panel or a clock again after its text, style or place
    // changed (the title and the logo need nothing).
    virtual void repaintElement(DisplayElement e) = 0;
    // Keeps the box's place as the element's saved place.
    virtual void saveElementPosition(DisplayElement e) = 0;
    // Centres the scrolling text inside its panel.
    virtual void centreScrollingText() = 0;
    // True when the logo box shows neither a picture nor a video.
    virtual bool logoIsEmpty() const = 0;
    // Gives empty text elements a placeholder caption and shows them (layout
    // editing on), or removes the placeholders again.
    virtual void showElementPlaceholders(bool shown) = 0;

    virtual const ScreenMetrics& screenMetrics() const = 0;
    // Twips per pixel of the screen across (15 at 96 dpi).
    virtual double twipsPerPixelX() const = 0;
    // The time of day the display shows.
    virtual QDateTime now() const = 0;
};

// What the settings window's layout editing needs of the display besides
// the elements: the clock painted with a preview text at a size.
class LayoutView : public ElementView {
public:
    virtual void paintClock(const QString& text, int size) = 0;
};

} // namespace orvalen
