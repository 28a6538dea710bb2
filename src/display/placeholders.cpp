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

void DisplayWindow::show_element_placeholders(int mode)
{
    const ClockPlan& plan = m_module.clock_plan;
    const bool running = isRunning();
    static const QString* placeholders[5] = {&kTitle, &kSubtitle, &kDate, &kPrompt, &kScroll};

    if (mode == 1) {
        // Shown unless a count runs and the element has nothing of its own.
        auto shownUnlessRunningAndEmpty = [&](int i) {
            return !running || Label2[i]->text() != *placeholders[i];
        };
        if (Label2[0]->text().isEmpty())
            setCaption(Label2[0], kTitle);
        Label2[0]->setVisible(shownUnlessRunningAndEmpty(0));

        for (int i : {1, 2, 3}) {
            if (i == 2 && !flag_on(plan.checkone, 7))
                continue; // the date line belongs to long-term plans only
            if (Label2[i]->text().isEmpty()) {
                setCaption(Label2[i], *placeholders[i]);
                dongtaiRefresh(i);
            }
            Picture6[i]->setVisible(shownUnlessRunningAndEmpty(i));
            if (i == 1)
                Picture1->show();
        }
        if (Label2[4]->text().isEmpty()) {
            setCaption(Label2[4], kScroll);
            dongtaiRefresh(4);
        }
        if (!running)
            Picture6[4]->show();
        else
            Picture6[4]->setVisible(!(Label2[4]->text() == kScroll || !flag_on(plan.checkthree, 3)));
        setTwipsLeft(Label2[4], (twipsWidth(Picture6[4]) - twipsWidth(Label2[4])) / 2.0);
        Picture5->setVisible(!running || !Picture5->picture().isNull());
        return;
    }

    if (Label2[0]->text() == kTitle) {
        setCaption(Label2[0], QString());
        Label2[0]->hide();
    }
    for (int i : {1, 2, 3}) {
        if (Label2[i]->text() == *placeholders[i]) {
            setCaption(Label2[i], QString());
            Picture6[i]->hide();
            dongtaiRefresh(i);
        }
    }
    if (Label2[4]->text() == kScroll || !flag_on(plan.checkthree, 3)) {
        setCaption(Label2[4], QString());
        Picture6[4]->hide();
        dongtaiRefresh(4);
    }
    if (Picture5->picture().isNull())
        Picture5->hide();
    Picture4->setVisible(plan.combolist.mid(2, 1) == QLatin1String("0") && flag_on(plan.checkfour, 1));
}

} // namespace orvalen
