// Placeholder captions that make empty elements visible and grabbable while
// the layout is being arranged.
#include "display/display_styler.h"
#include "display/display_window.h"
#include "display/clock_panel.h"
#include "display/panel.h"
#include "display/panel_painter.h"

#include <QLabel>

namespace orvalen {
namespace {

const QString kTitle = QStringLiteral("主标题");
const QString kSubtitle = QStringLiteral("副标题");
const QString kDate = QStringLiteral("系统日期");
const QString kPrompt = QStringLiteral("提示文字");
const QString kScroll = QStringLiteral("动态文本");

} // namespace

void DisplayWindow::showElementPlaceholders(bool shown)
{
    const ClockPlan& plan = m_currentPlan.plan();
    const bool running = isRunning();
    static const std::array<const QString*, 5> placeholders = {&kTitle, &kSubtitle, &kDate, &kPrompt, &kScroll};
    showOutlines(m_host.menus.adjustMode());

    if (shown) {
        // Shown unless a count runs and the element has nothing of its own.
        auto shownUnlessRunningAndEmpty = [&](int i) {
            return !running || m_controls.textLabels[std::size_t(i)]->text() != *placeholders[std::size_t(i)];
        };
        if (m_controls.textLabels[kTitleLine]->text().isEmpty())
            m_styler->setCaption(m_controls.textLabels[kTitleLine], kTitle);
        m_controls.textLabels[kTitleLine]->setVisible(shownUnlessRunningAndEmpty(0));

        for (int i : {1, 2, 3}) {
            if (i == 2 && !plan.longTerm)
                continue; // the date line belongs to long-term plans only
            if (m_controls.textLabels[std::size_t(i)]->text().isEmpty()) {
                m_styler->setCaption(m_controls.textLabels[std::size_t(i)], *placeholders[std::size_t(i)]);
                m_painter->paintTextPanel(std::size_t(i));
            }
            m_controls.textPanels[std::size_t(i)]->setVisible(shownUnlessRunningAndEmpty(i));
            if (i == 1)
                m_controls.clock->show();
        }
        if (m_controls.textLabels[kScrollLine]->text().isEmpty()) {
            m_styler->setCaption(m_controls.textLabels[kScrollLine], kScroll);
            m_painter->paintTextPanel(kScrollLine);
        }
        if (!running)
            m_controls.textPanels[kScrollLine]->show();
        else
            m_controls.textPanels[kScrollLine]->setVisible(
                !(m_controls.textLabels[kScrollLine]->text() == kScroll || !isOn(plan.showsScrollingText)));
        m_painter->centreScrollingText();
        m_controls.logoBox->setVisible(!running || !m_controls.logoBox->picture().isNull());
        // The placeholders are placed like any text: centred where no place is kept.
        relayout();
        return;
    }

    if (m_controls.textLabels[kTitleLine]->text() == kTitle) {
        m_styler->setCaption(m_controls.textLabels[kTitleLine], QString());
        m_controls.textLabels[kTitleLine]->hide();
    }
    for (int i : {1, 2, 3}) {
        if (m_controls.textLabels[std::size_t(i)]->text() == *placeholders[std::size_t(i)]) {
            m_styler->setCaption(m_controls.textLabels[std::size_t(i)], QString());
            m_controls.textPanels[std::size_t(i)]->hide();
            m_painter->paintTextPanel(std::size_t(i));
        }
    }
    if (m_controls.textLabels[kScrollLine]->text() == kScroll || !isOn(plan.showsScrollingText)) {
        m_styler->setCaption(m_controls.textLabels[kScrollLine], QString());
        m_controls.textPanels[kScrollLine]->hide();
        m_painter->paintTextPanel(kScrollLine);
    }
    if (m_controls.logoBox->picture().isNull())
        m_controls.logoBox->hide();
    // Arranging never showed the overtime clock, so leaving it shows none
    // (after a run it would be the run's last overtime); a plan that no
    // longer shows one hides it.
    if (!plan.showsOvertimeClock())
        m_controls.overtimeClock->hide();
}

} // namespace orvalen
