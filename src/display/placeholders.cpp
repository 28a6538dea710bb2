// Placeholder captions that make empty elements visible and grabbable while
// the layout is being arranged.
#include "display/display_window.h"
#include "display/panel.h"

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
    const ClockPlan& plan = m_module.clock_plan;
    const bool running = isRunning();
    static const QString* placeholders[5] = {&kTitle, &kSubtitle, &kDate, &kPrompt, &kScroll};
    showOutlines(m_host.adjust_mode());

    if (shown) {
        // Shown unless a count runs and the element has nothing of its own.
        auto shownUnlessRunningAndEmpty = [&](int i) {
            return !running || textLabels[i]->text() != *placeholders[i];
        };
        if (textLabels[kTitleLine]->text().isEmpty())
            setCaption(textLabels[kTitleLine], kTitle);
        textLabels[kTitleLine]->setVisible(shownUnlessRunningAndEmpty(0));

        for (int i : {1, 2, 3}) {
            if (i == 2 && !plan.longTerm)
                continue; // the date line belongs to long-term plans only
            if (textLabels[i]->text().isEmpty()) {
                setCaption(textLabels[i], *placeholders[i]);
                paintTextPanels(i);
            }
            textPanels[i]->setVisible(shownUnlessRunningAndEmpty(i));
            if (i == 1)
                clockPanel->show();
        }
        if (textLabels[kScrollLine]->text().isEmpty()) {
            setCaption(textLabels[kScrollLine], kScroll);
            paintTextPanels(4);
        }
        if (!running)
            textPanels[kScrollLine]->show();
        else
            textPanels[kScrollLine]->setVisible(!(textLabels[kScrollLine]->text() == kScroll || !plan.showsScrollingText));
        centreScrollingText();
        logoBox->setVisible(!running || !logoBox->picture().isNull());
        // The placeholders are placed like any text: centred where no place is kept.
        relayout();
        return;
    }

    if (textLabels[kTitleLine]->text() == kTitle) {
        setCaption(textLabels[kTitleLine], QString());
        textLabels[kTitleLine]->hide();
    }
    for (int i : {1, 2, 3}) {
        if (textLabels[i]->text() == *placeholders[i]) {
            setCaption(textLabels[i], QString());
            textPanels[i]->hide();
            paintTextPanels(i);
        }
    }
    if (textLabels[kScrollLine]->text() == kScroll || !plan.showsScrollingText) {
        setCaption(textLabels[kScrollLine], QString());
        textPanels[kScrollLine]->hide();
        paintTextPanels(4);
    }
    if (logoBox->picture().isNull())
        logoBox->hide();
    overtimePanel->setVisible(plan.showsOvertimeClock());
}

} // namespace orvalen
