#pragma once
#include <QPoint>
#include <QPointF>

class QMouseEvent;

namespace orvalen {

// A mouse event as the display's handlers read it: a double click counts as
// a press; the pressed buttons as one number (1 left, 2 right, 4 middle).
struct PointerEvent {
    bool down = false;
    bool up = false;
    bool move = false;
    int button = 0;
    QPointF pos;       // inside the control under the pointer
    QPoint global;     // on the screen, where a menu pops up
    bool drag = false; // a left-button move while the layout is being arranged
};

PointerEvent readPointerEvent(const QMouseEvent& event, bool adjustMode);

} // namespace orvalen
