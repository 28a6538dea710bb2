#include "display/pointer_event.h"

#include <QMouseEvent>

namespace orvalen {
namespace {

int buttonCode(Qt::MouseButtons b)
{
    int code = 0;
    if (b & Qt::LeftButton)
        code |= 1;
    if (b & Qt::RightButton)
        code |= 2;
    if (b & Qt::MiddleButton)
        code |= 4;
    return code;
}

} // namespace

PointerEvent readPointerEvent(const QMouseEvent& event, bool adjustMode)
{
    const QEvent::Type type = event.type() == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress : event.type();
    PointerEvent p;
    p.down = type == QEvent::MouseButtonPress;
    p.up = type == QEvent::MouseButtonRelease;
    p.move = type == QEvent::MouseMove;
    p.button = p.down || p.up ? buttonCode(event.button()) : buttonCode(event.buttons());
    p.pos = event.position();
    p.global = event.globalPosition().toPoint();
    p.drag = p.move && p.button == 1 && adjustMode;
    return p;
}

} // namespace orvalen
