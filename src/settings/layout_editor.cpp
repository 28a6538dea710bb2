#include "settings/settings_window.h"

#include "display/display_window.h"
#include "platform/clock.h"
#include "settings/settings_rules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cmath>

namespace orvalen {

namespace {
// Per layout target (0 title, 1 subtitle, 2 clock, 3 prompt, 4 scrolling
// text, 5 logo, 6 clock showing the end text): the display element it moves
// and the style slot of its size list.
constexpr DisplayElement kTargetElement[7] = {DisplayElement::MainTitle, DisplayElement::Subtitle,
                                              DisplayElement::Clock,     DisplayElement::Prompt,
                                              DisplayElement::ScrollingText, DisplayElement::Logo,
                                              DisplayElement::Clock};
constexpr int kSizeSlot[7] = {0, 1, 2, 4, 5, -1, 2};
} // namespace

void SettingsWindow::layoutTargetChosen(int index)
{
    if (index < 0 || index > 6)
        return;
    DisplayWindow& d = m_display;
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
        m_timePreview = time_preview(d.module().clock_plan, d.context().clock.now().time());
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

void SettingsWindow::layoutStep(int button)
{
    const int target = layoutTarget->currentIndex();
    if (target < 0) {
        // One message, and no repeat stacking up behind it.
        m_layoutRepeat->stop();
        m_heldButton = -1;
        notice(QStringLiteral("请选择调整对象"), 0);
        return;
    }
    if (target > 6)
        return;
    DisplayWindow& d = m_display;
    const DisplayElement moved = kTargetElement[target];
    const QRectF place = d.elementRect(moved);
    const bool resize = resizeBox->isChecked() && target != 5;
    switch (button) {
    case 0: {
        const double screenTwips = d.screenMetrics().screenWidthPx > 0
                                       ? d.screenMetrics().screenWidthPx * d.twipsPerPixelX()
                                       : d.screenMetrics().fullWidthPx * d.twipsPerPixelX();
        d.setElementLeft(moved, (screenTwips - place.width()) / 2.0);
        break;
    }
    case 2: d.setElementLeft(moved, place.left() - 50); break;
    case 3: d.setElementLeft(moved, place.left() + 50); break;
    case 1:
    case 4:
        if (resize)
            resizeStep(target, button == 1 ? 1 : -1);
        else
            d.setElementTop(moved, place.top() + (button == 1 ? -50 : 50));
        break;
    default: return;
    }
    repaintAndSave(target);
}

void SettingsWindow::resizeStep(int target, int direction)
{
    const int slot = kSizeSlot[target];
    if (slot < 0)
        return;
    QComboBox* list = styleSizes[slot];
    int i = list->findText(list->currentText());
    // A size that is not an entry counts as the first entry.
    i = std::max(i, 0);
    if (direction > 0 && i < list->count() - 1)
        ++i;
    else if (direction < 0 && i > 0)
        --i;
    list->setCurrentIndex(i);
    m_display.setElementFontSize(kTargetElement[target], size_at(slot, i));
}

void SettingsWindow::repaintAndSave(int target)
{
    if (target < 0 || target > 6)
        return;
    DisplayWindow& d = m_display;
    const DisplayElement e = kTargetElement[target];
    if (e == DisplayElement::Clock) {
        d.setElementText(e, target == 2 ? m_timePreview : reminderTexts[6]->text());
        d.paintClock(d.elementText(e), int(std::lround(d.elementFont(e).pointSizeF())));
    } else {
        d.repaintElement(e);
    }
    d.saveElementPosition(e);
}

} // namespace orvalen
