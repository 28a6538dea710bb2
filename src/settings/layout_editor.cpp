#include "settings/settings_window.h"

#include "display/element_view.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "platform/clock.h"
#include "settings/look_page.h"
#include "settings/reminder_page.h"
#include "settings/settings_rules.h"

#include <cmath>

namespace orvalen {

namespace {
// Per layout target (0 title, 1 subtitle, 2 clock, 3 prompt, 4 scrolling
// text, 5 logo, 6 clock showing the end text): the display element it moves
// and the style row of its size list (none for the logo).
constexpr DisplayElement kTargetElement[7] = {DisplayElement::MainTitle, DisplayElement::Subtitle,
                                              DisplayElement::Clock,     DisplayElement::Prompt,
                                              DisplayElement::ScrollingText, DisplayElement::Logo,
                                              DisplayElement::Clock};
constexpr std::optional<StyleSlot> kSizeSlot[7] = {StyleSlot::MainTitle,     StyleSlot::Subtitle, StyleSlot::Clock,
                                                  StyleSlot::Prompt,        StyleSlot::ScrollingText,
                                                  std::nullopt,             StyleSlot::Clock};
constexpr int kLogoTarget = 5;
constexpr int kTimeTarget = 2;
} // namespace

void SettingsWindow::layoutTargetChosen(int index)
{
    if (index < 0 || index > 6)
        return;
    LayoutView& d = m_display;
    const DisplayElement e = kTargetElement[index];
    auto placeholder = [&](const QString& text) {
        if (d.elementText(e).isEmpty()) {
            d.setElementText(e, text);
            d.repaintElement(e);
        }
    };
    switch (index) {
    case 0: placeholder(QStringLiteral("主标题")); break;
    case 1: placeholder(QStringLiteral("副标题")); break;
    case 2: {
        // The preview is computed here; the engine's counting state is not touched.
        m_timePreview = timePreviewText(m_currentPlan.plan(), m_ctx.clock.now().time());
        d.setElementText(e, m_timePreview);
        break;
    }
    case 3: placeholder(QStringLiteral("提示文字")); break;
    case 4: placeholder(QStringLiteral("动态文本")); break;
    default: break;
    }
    d.setElementShown(e, true);
    if (e == DisplayElement::ScrollingText)
        d.centreScrollingText();
    repaintAndSave(index);
}

void SettingsWindow::resizingChanged(bool on)
{
    const QString endText = m_reminders->endText();
    const QString end = endText.isEmpty() ? QStringLiteral("时间到") : endText;
    m_display.setElementText(DisplayElement::Clock, on ? end : m_timePreview);
}

void SettingsWindow::layoutStep(LayoutMove move)
{
    const int target = m_precise->layoutTarget();
    if (target < 0) {
        // One message, and no repeat stacking up behind it.
        m_precise->stopRepeat();
        notice(QStringLiteral("请选择调整对象"), 0);
        return;
    }
    if (target > 6)
        return;
    LayoutView& d = m_display;
    const DisplayElement moved = kTargetElement[target];
    const QRectF place = d.elementRect(moved);
    const bool resize = m_precise->resizing() && target != kLogoTarget;
    switch (move) {
    case LayoutMove::Centre: {
        const double screenTwips = d.screenMetrics().screenWidthPx > 0
                                       ? d.screenMetrics().screenWidthPx * d.twipsPerPixelX()
                                       : d.screenMetrics().fullWidthPx * d.twipsPerPixelX();
        d.setElementLeft(moved, (screenTwips - place.width()) / 2.0);
        break;
    }
    case LayoutMove::Left: d.setElementLeft(moved, place.left() - 50); break;
    case LayoutMove::Right: d.setElementLeft(moved, place.left() + 50); break;
    case LayoutMove::Up:
    case LayoutMove::Down:
        if (resize)
            resizeStep(target, move == LayoutMove::Up ? 1 : -1);
        else
            d.setElementTop(moved, place.top() + (move == LayoutMove::Up ? -50 : 50));
        break;
    }
    repaintAndSave(target);
}

void SettingsWindow::resizeStep(int target, int direction)
{
    const std::optional<StyleSlot> slot = kSizeSlot[target];
    if (!slot)
        return;
    const int size = m_look->stepSize(*slot, direction);
    m_display.setElementFontSize(kTargetElement[target], size);
}

void SettingsWindow::repaintAndSave(int target)
{
    if (target < 0 || target > 6)
        return;
    LayoutView& d = m_display;
    const DisplayElement e = kTargetElement[target];
    if (e == DisplayElement::Clock) {
        d.setElementText(e, target == kTimeTarget ? m_timePreview : m_reminders->endText());
        d.paintClock(d.elementText(e), int(std::lround(d.elementFont(e).pointSizeF())));
    } else {
        d.repaintElement(e);
    }
    d.saveElementPosition(e);
}

} // namespace orvalen
