// The display's elements by name, for the windows and menus that restyle,
// move, show and hide them.
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"

#include <QPalette>
#include <cmath>

namespace orvalen {

QLabel* DisplayWindow::elementLabel(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::MainTitle:
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        return textLabels[std::size_t(e)];
    case DisplayElement::Clock: return clockText;
    case DisplayElement::OvertimeClock: return overtimeText;
    default: return nullptr;
    }
}

QWidget* DisplayWindow::elementBox(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::MainTitle: return textLabels[kTitleLine];
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        return textPanels[std::size_t(e)];
    case DisplayElement::Clock: return clockPanel;
    case DisplayElement::OvertimeClock: return overtimePanel;
    case DisplayElement::Logo: return logoBox;
    default: {
        const int button = int(e) - int(DisplayElement::StartButton);
        return button >= 0 && button < 5 ? screenButtons[std::size_t(button)] : nullptr;
    }
    }
}

QString DisplayWindow::elementText(DisplayElement e) const
{
    const QLabel* label = elementLabel(e);
    return label ? label->text() : QString();
}

void DisplayWindow::setElementText(DisplayElement e, const QString& text)
{
    setCaption(elementLabel(e), text);
}

QFont DisplayWindow::elementFont(DisplayElement e) const
{
    const QLabel* label = elementLabel(e);
    if (!label)
        return font();
    // The plan's size, not the size a small screen draws it at.
    QFont f = label->font();
    if (const auto it = m_plannedPoints.find(label); it != m_plannedPoints.end())
        f.setPointSizeF(*it);
    return f;
}

QColor DisplayWindow::elementColour(DisplayElement e) const
{
    const QLabel* label = elementLabel(e);
    return label ? label->palette().color(QPalette::Active, QPalette::WindowText) : QColor();
}

void DisplayWindow::setElementStyle(DisplayElement e, const QFont& chosen, const QColor& colour)
{
    QLabel* label = elementLabel(e);
    QWidget* box = elementBox(e);
    for (QWidget* w : {static_cast<QWidget*>(label), box == label ? nullptr : box}) {
        if (!w)
            continue;
        setFontName(w, chosen.family());
        QFont f = w->font();
        f.setItalic(chosen.italic());
        f.setWeight(chosen.weight());
        w->setFont(f);
        // The point size as it is: no pixel round trip that would grow the
        // size at every use on a screen that is not 96 dpi.
        setFontSize(w, chosen.pointSizeF());
        setForeColour(w, colour);
        if (auto* l = qobject_cast<QLabel*>(w); l && isAutoSize(l))
            autoSize(l);
    }
}

void DisplayWindow::setElementColour(DisplayElement e, const QColor& colour)
{
    QLabel* label = elementLabel(e);
    QWidget* box = elementBox(e);
    setForeColour(label, colour);
    if (box != label)
        setForeColour(box, colour);
}

bool DisplayWindow::setElementFontSize(DisplayElement e, double points)
{
    return setFontSize(elementLabel(e), points);
}

QRectF DisplayWindow::elementRect(DisplayElement e) const
{
    const QWidget* box = elementBox(e);
    return box ? QRectF(twipsLeft(box), twipsTop(box), twipsWidth(box), twipsHeight(box)) : QRectF();
}

void DisplayWindow::setElementLeft(DisplayElement e, double left)
{
    setTwipsLeft(elementBox(e), left);
}

void DisplayWindow::setElementTop(DisplayElement e, double top)
{
    setTwipsTop(elementBox(e), top);
}

bool DisplayWindow::isElementShown(DisplayElement e) const
{
    const QWidget* box = elementBox(e);
    return box && !box->isHidden();
}

void DisplayWindow::setElementShown(DisplayElement e, bool shown)
{
    if (QWidget* box = elementBox(e))
        box->setVisible(shown);
}

void DisplayWindow::repaintElement(DisplayElement e)
{
    auto size = [](const QLabel* label) { return int(std::nearbyint(label->font().pointSizeF())); };
    switch (e) {
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        paintTextPanels(int(e));
        break;
    case DisplayElement::Clock:
        paintClock(clockText->text(), size(clockText));
        break;
    case DisplayElement::OvertimeClock:
        paintOvertimeClock(overtimeText->text(), size(overtimeText));
        break;
    default:
        break;
    }
}

void DisplayWindow::saveElementPosition(DisplayElement e)
{
    const QWidget* box = elementBox(e);
    if (!box)
        return;
    const auto left = to_int32(twipsLeft(box));
    const auto top = to_int32(twipsTop(box));
    if (left && top)
        save_element_position(m_ctx, int(e), *left, *top);
}

void DisplayWindow::centreScrollingText()
{
    setTwipsLeft(textLabels[kScrollLine], (twipsWidth(textPanels[kScrollLine]) - twipsWidth(textLabels[kScrollLine])) / 2.0);
}

bool DisplayWindow::logoIsEmpty() const
{
    return logoBox->picture().isNull() && !logo_video_window;
}

const QPixmap& DisplayWindow::backgroundPicture() const
{
    return m_backgroundBox->picture();
}

bool DisplayWindow::backgroundIsPicture() const
{
    return m_backgroundBox->hasPicture();
}

QColor DisplayWindow::backgroundColour() const
{
    return m_backgroundBox->backColor();
}

bool DisplayWindow::buttonsShown() const
{
    return !screenButtons[0]->isHidden();
}

void DisplayWindow::setButtonsShown(bool shown)
{
    for (QLabel* b : screenButtons)
        b->setVisible(shown);
}

void DisplayWindow::setButtonsEnabled(const std::array<bool, 5>& enabled)
{
    for (std::size_t i = 0; i < screenButtons.size(); ++i)
        screenButtons[i]->setEnabled(enabled[i]);
}

} // namespace orvalen
