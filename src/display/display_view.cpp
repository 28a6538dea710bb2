// An element's place kept as its saved place, and the on-screen buttons
// shown or hidden.
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/screen_button_row.h"
#include "stores/position_store.h"

namespace orvalen {

void DisplayWindow::saveElementPosition(DisplayElement e)
{
    const QWidget* box = m_controls.elementBox(e);
    if (!box)
        return;
    const QRectF place = m_layout.twipsRect(box);
    const auto left = toInt32(place.left());
    const auto top = toInt32(place.top());
    if (left && top)
        orvalen::saveElementPosition(m_ctx.ini, m_ctx.registry, int(e), *left, *top);
}

bool DisplayWindow::buttonsShown() const
{
    return m_controls.buttonRow->isShown();
}

void DisplayWindow::setButtonsShown(bool shown)
{
    m_controls.buttonRow->setShown(shown);
}

} // namespace orvalen
