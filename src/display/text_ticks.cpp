// What the scrolling-text tick and the stage prompt tick do on the display.
#include "display/display_window.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/prompt_text.h"
#include "stores/position_store.h"

#include <QLabel>

namespace orvalen {

void DisplayWindow::scrollOneStep()
{
    const ClockPlan& plan = m_currentPlan.plan();
    QLabel* line = m_textLabels[kScrollLine];
    Panel* panel = m_textPanels[kScrollLine];
    if (!isOn(plan.showsScrollingText) || line->text().isEmpty()) {
        panel->hide();
        m_marquee->setRunning(false);
        return;
    }
    m_marquee->keepPace();
    paintTextPanel(kScrollLine);

    // Each step moves the line by 100 twips.
    const auto left = m_marquee->nextLeft(m_layout.left(line), m_layout.width(line), m_layout.width(panel),
                                          m_layout.pxX(100));
    if (!left)
        return;
    m_layout.setLeft(line, *left);
    panel->show();
    if (m_marquee->mode() == 2)
        m_marquee->setRunning(false);
}

void DisplayWindow::showStagePrompt()
{
    const int code = m_host.run.stage();
    if (const auto text = promptFor(code, m_currentPlan.plan()))
        setCaption(m_textLabels[kPromptLine], *text);
    paintTextPanel(kPromptLine);
}

void DisplayWindow::centrePromptLine()
{
    // Each stage text has its own width: the line is centred on the text it
    // shows now, so it neither hangs to one side nor jumps between stages.
    const double W = screenWidthPx();
    if (W <= 0)
        return;
    const SavedPosition saved = readElementPosition(m_ctx.ini, m_ctx.registry, int(DisplayElement::Prompt));
    if (saved.left > 0 && m_layout.pxX(saved.left) < W)
        return; // the operator's place keeps its left edge
    m_layout.setLeft(m_textPanels[kPromptLine], (W - m_layout.width(m_textLabels[kPromptLine])) / 2.0);
}

} // namespace orvalen
