// The on-screen buttons: their captions, their size at their font and their
// places in a row near the foot of the display.
#include "display/screen_buttons.h"

#include "display/display_styler.h"
#include "display/display_window.h"
#include "display/screen_button_row.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace orvalen {
namespace {

// Each button stands once in the row, each under its own element.
constexpr bool rowIsWhole()
{
    for (std::size_t i = 0; i < kScreenButtons.size(); ++i) {
        if (rowPlace(kScreenButtons[i].button) != i || screenButtonAt(kScreenButtons[i].element) != &kScreenButtons[i])
            return false;
    }
    return true;
}
static_assert(rowIsWhole(), "every on-screen button stands once in kScreenButtons, under an element of its own");

} // namespace

QString screenButtonCaption(const ScreenButtonEntry& entry, RunState state)
{
    const StateCaption& other = entry.otherCaption;
    return QString::fromUtf8(other.caption && state == other.state ? other.caption : entry.caption);
}

QString screenButtonName(ScreenButton b)
{
    return QString::fromUtf8(screenButtonEntry(b).caption).trimmed();
}

ButtonRow screenButtonRow(const QFont& font)
{
    const QFontMetricsF fm(font);
    double longest = 0;
    for (const ScreenButtonEntry& entry : kScreenButtons) {
        for (const char* caption : {entry.caption, entry.otherCaption.caption}) {
            if (caption)
                longest = std::max(longest, fm.horizontalAdvance(QString::fromUtf8(caption)));
        }
    }
    const int padding = int(std::ceil(fm.height() / 8.0));
    ButtonRow row;
    row.width = int(std::ceil(longest)) + 2 * padding;
    row.height = int(std::ceil(fm.height())) + 2 * padding;
    row.gap = 2 * padding;
    return row;
}

void DisplayWindow::sizeScreenButtons()
{
    for (QPushButton* b : m_controls.buttonRow->buttons())
        b->setFont(m_styler->fitToScreen(b, b->font(), b->text(), true));
    const ButtonRow row = screenButtonRow(m_controls.buttonRow->font());
    for (QPushButton* b : m_controls.buttonRow->buttons()) {
        m_layout.setWidth(b, row.width);
        m_layout.setHeight(b, row.height);
    }
}

void DisplayWindow::placeScreenButtons(double width, double height)
{
    // On a 1920 x 1080 screen the row starts 2000 twips from the left edge,
    // 3000 twips above the foot; other screens keep the same shares, and
    // the captions are drawn at the scale of the other texts, so the row
    // keeps clear of the clocks that scale with them.
    const double firstLeft = width * (2000.0 / 28800.0), aboveFoot = height * (3000.0 / 16200.0);
    const ButtonRow row = screenButtonRow(m_controls.buttonRow->font());
    for (std::size_t place = 0; place < kScreenButtons.size(); ++place) {
        placeElement(kScreenButtons[place].element, width, firstLeft + double(place) * (row.width + row.gap), false,
                     height, height - aboveFoot);
    }
}

} // namespace orvalen
