// The scrolling-text tick (Timer2) and the stage prompt tick (Timer7).
#include "display/display_window.h"
#include "display/panel.h"
#include "display/prompt_text.h"
#include "platform/text_path.h"

#include <cmath>

namespace orvalen {

void DisplayWindow::Timer2_Timer()
{
    const ClockPlan& plan = m_module.clock_plan;
    if (!flag_on(plan.checkthree, 3) || Label2[4]->text().isEmpty()) {
        Picture6[4]->hide();
        Timer2->setEnabled(false);
        return;
    }
    // Out of range (including zero and any negative speed): 5 steps a second.
    if (!(marquee_speed > 0 && marquee_speed <= 50))
        marquee_speed = 5;
    Timer2->setInterval(int(std::nearbyint(1000.0 / marquee_speed)));
    dongtaiRefresh(4);

    QLabel* label = Label2[4];
    const double panelW = twipsWidth(Picture6[4]);
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
    Picture6[4]->show();
    if (marquee_mode == 2)
        Timer2->setEnabled(false);
}

void DisplayWindow::Timer7_Timer()
{
    const int code = m_host.run.stage();
    if (const auto text = prompt_for(code, m_module.clock_plan))
        setCaption(Label2[3], *text);
    dongtaiRefresh(3);
    if (prompt_ticks <= 0)
        Timer7->setEnabled(false);
    prompt_ticks -= 1;
}

} // namespace orvalen
