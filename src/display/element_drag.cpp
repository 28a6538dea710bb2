#include "display/element_drag.h"

#include "display/element_layout.h"

#include <utility>

namespace orvalen {

ElementDrag::ElementDrag(ElementLayout& layout, SavePlace savePlace)
    : m_layout(layout), m_savePlace(std::move(savePlace))
{
}

void ElementDrag::step(QWidget* moved, const QPointF& pos, DisplayElement element)
{
    m_dragged = element;
    m_layout.setLeft(moved, m_layout.left(moved) - m_grabPoint.x() + pos.x());
    m_layout.setTop(moved, m_layout.top(moved) - m_grabPoint.y() + pos.y());
}

bool ElementDrag::end()
{
    if (!m_dragged)
        return false;
    const DisplayElement element = *m_dragged;
    m_dragged.reset();
    m_savePlace(element);
    return true;
}

} // namespace orvalen
