// What the scrolling-text tick and the stage prompt tick do on the display.
#include "display/display_window.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/prompt_text.h"
#include "stores/screen_shares.h"

#include <QLabel>

namespace orvalen {

void DisplayWindow::centrePromptLine()
{
    // Each stage text has its own width: the line is centred on the text it
    // shows now, so it neither hangs to one side nor jumps between stages.
    const double W = screenWidthPx();
    if (W <= 0)
        return;
    const SavedPosition saved = positionOnScreen(m_ctx.ini, m_ctx.registry, int(DisplayElement::Prompt),
                                                 m_layout.tppX() * W, m_layout.tppY() * screenHeightPx());
    if (saved.left > 0 && m_layout.pxX(saved.left) < W)
        return; // the operator's place keeps its left edge
    m_layout.setLeft(m_controls.textPanels[kPromptLine], (W - m_layout.width(m_controls.textLabels[kPromptLine])) / 2.0);
}

} // namespace orvalen
