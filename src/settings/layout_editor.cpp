#include "settings/settings_window.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"
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
// Per layout target: the display element saved and the style slot of its size list.
constexpr int kSavedElement[7] = {0, 1, 5, 3, 4, 6, 5};
constexpr int kSizeSlot[7] = {0, 1, 2, 4, 5, -1, 2};
} // namespace

void SettingsWindow::layoutTargetChosen(int index)
{
    DisplayWindow& d = m_display;
    auto placeholder = [&](int label, const QString& text) {
        if (d.textLabels[label]->text().isEmpty()) {
            d.setCaption(d.textLabels[label], text);
            if (label > 0)
                d.paintTextPanels(label);
        }
    };
    switch (index) {
    case 0:
        placeholder(0, QStringLiteral("主标题"));
        d.textLabels[0]->show();
        break;
    case 1:
        placeholder(1, QStringLiteral("副标题"));
        d.textPanels[1]->show();
        break;
    case 2: {
        // The preview is computed here; the engine's counting state is not touched.
        const Clock* clock = d.context().clock;
        m_timePreview = time_preview(d.module().clock_plan, clock ? clock->now().time() : QTime::currentTime());
        d.setCaption(d.clockText, m_timePreview);
        d.clockPanel->show();
        break;
    }
    case 3:
        placeholder(3, QStringLiteral("提示文字"));
        d.textPanels[3]->show();
        break;
    case 4:
        placeholder(4, QStringLiteral("动态文本"));
        d.textPanels[4]->show();
        d.setTwipsLeft(d.textLabels[4], (d.twipsWidth(d.textPanels[4]) - d.twipsWidth(d.textLabels[4])) / 2.0);
        break;
    case 5:
        d.logoBox->show();
        break;
    case 6:
        d.clockPanel->show();
        break;
    default:
        return;
    }
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
    DisplayWindow& d = m_display;
    QWidget* moved = target == 0 ? static_cast<QWidget*>(d.textLabels[0])
                     : (target == 2 || target == 6) ? static_cast<QWidget*>(d.clockPanel)
                     : target == 5 ? static_cast<QWidget*>(d.logoBox)
                                   : static_cast<QWidget*>(d.textPanels[target == 1 ? 1 : target]);
    const bool resize = resizeBox->isChecked() && target != 5;
    switch (button) {
    case 0: {
        const double screenTwips = d.screenMetrics().screenWidthPx > 0
                                       ? d.screenMetrics().screenWidthPx * d.twipsPerPixelX()
                                       : d.screenMetrics().fullWidthPx * d.twipsPerPixelX();
        d.setTwipsLeft(moved, (screenTwips - d.twipsWidth(moved)) / 2.0);
        break;
    }
    case 2: d.setTwipsLeft(moved, d.twipsLeft(moved) - 50); break;
    case 3: d.setTwipsLeft(moved, d.twipsLeft(moved) + 50); break;
    case 1:
    case 4:
        if (resize)
            resizeStep(target, button == 1 ? 1 : -1);
        else
            d.setTwipsTop(moved, d.twipsTop(moved) + (button == 1 ? -50 : 50));
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
    DisplayWindow& d = m_display;
    QWidget* fontLabel = target == 0 ? static_cast<QWidget*>(d.textLabels[0])
                         : (target == 2 || target == 6) ? static_cast<QWidget*>(d.clockText)
                                                        : static_cast<QWidget*>(d.textLabels[target]);
    d.setFontSize(fontLabel, size_at(slot, i));
}

void SettingsWindow::repaintAndSave(int target)
{
    DisplayWindow& d = m_display;
    QWidget* saved = nullptr;
    switch (target) {
    case 0: saved = d.textLabels[0]; break;
    case 1:
    case 3:
    case 4:
        d.paintTextPanels(target);
        saved = d.textPanels[target];
        break;
    case 2:
    case 6:
        d.setCaption(d.clockText, target == 2 ? m_timePreview : reminderTexts[6]->text());
        d.paintClock(d.clockText->text(), int(std::lround(d.clockText->font().pointSizeF())));
        saved = d.clockPanel;
        break;
    case 5: saved = d.logoBox; break;
    default: return;
    }
    save_element_position(d.context(), kSavedElement[target], int(std::nearbyint(d.twipsLeft(saved))),
                          int(std::nearbyint(d.twipsTop(saved))));
}

} // namespace orvalen
