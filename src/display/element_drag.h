#pragma once
#include "display/display_element.h"

#include <QPointF>
#include <functional>
#include <optional>

class QWidget;

namespace orvalen {

class ElementLayout;

// One drag of a display element while the layout is being arranged: where
// the pointer took the element, the element it moves, and the saving of
// its place once the drag ends (a notice of a failed save never comes up in
// the middle of a drag).
class ElementDrag {
public:
    using SavePlace = std::function<void(DisplayElement)>;
    ElementDrag(ElementLayout& layout, SavePlace savePlace);

    // The pointer took an element at `at` (pixels inside it).
    void grab(const QPointF& at) { m_grabPoint = at; }
    // Moves `moved` with the pointer, now at `pos` inside it.
    void step(QWidget* moved, const QPointF& pos, DisplayElement element);
    // The button was released: saves the place of the element moved since
    // the grab, if any. True when a drag ended so.
    bool end();

private:
    ElementLayout& m_layout;
    SavePlace m_savePlace;
    QPointF m_grabPoint;
    std::optional<DisplayElement> m_dragged; // moved, not saved yet
};

} // namespace orvalen
