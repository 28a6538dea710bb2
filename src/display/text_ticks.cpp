// The scrolling-text tick (scrollTick) and the stage prompt tick (promptTick).
#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"
#include "display/prompt_text.h"
#include "platform/text_path.h"

#include <cmath>

namespace orvalen {

void DisplayWindow::scrollOneStep()
{
    const ClockPlan& plan = m_module.clock_plan;
    if (!plan.showsScrollingText || textLabels[kScrollLine]->text().isEmpty()) {
        textPanels[kScrollLine]->hide();
        scrollTick->setEnabled(false);
        return;
    }
    // Out of range (including zero and any negative speed): 5 steps a second.
    if (!(marquee_speed > 0 && marquee_speed <= 50))
        marquee_speed = 5;
    scrollTick->setInterval(int(std::nearbyint(1000.0 / marquee_speed)));
    paintTextPanels(4);

    QLabel* label = textLabels[kScrollLine];
    const double panelW = twipsWidth(textPanels[kScrollLine]);
    const double left = twipsLeft(label), labelW = twipsWidth(label);
    switch (marquee_mode) {
    case 0:
        setTwipsLeft(label, left > panelW ? -labelW : left + 100);
        break;
    case 1:
        setTwipsLeft(label, left + labelW < 100 ? panelW - 100 : left - 100);
        break;
    case 2:
        setTwipsLeft(label, (panelW - labelW) / 2.0);
        break;
    default:
        return;
    }
    textPanels[kScrollLine]->show();
    if (marquee_mode == 2)
        scrollTick->setEnabled(false);
}

void DisplayWindow::advancePrompt()
{
    const int code = m_host.run.stage();
    if (const auto text = prompt_for(code, m_module.clock_plan))
        setCaption(textLabels[kPromptLine], *text);
    paintTextPanels(3);
    if (prompt_ticks <= 0)
        promptTick->setEnabled(false);
    prompt_ticks -= 1;
}

void DisplayWindow::centrePromptLine()
{
    // Each stage text has its own width: the line is centred on the text it
    // shows now, so it neither hangs to one side nor jumps between stages.
    const double W = twipsPerPixelX() * m_module.full_screen_width_px;
    if (W <= 0)
        return;
    const SavedPosition saved = read_element_position(m_ctx, int(DisplayElement::Prompt));
    if (saved.left > 0 && saved.left < W)
        return; // the operator's place keeps its left edge
    setTwipsLeft(textPanels[kPromptLine], (W - twipsWidth(textLabels[kPromptLine])) / 2.0);
}

} // namespace orvalen
