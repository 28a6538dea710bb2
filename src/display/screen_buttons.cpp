// The on-screen buttons: their captions, their size at their font and their
// places in a row near the foot of the display.
#include "display/screen_buttons.h"

#include "display/display_window.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <cmath>

namespace orvalen {

const QStringList& screenButtonCaptions()
{
    static const QStringList captions{QStringLiteral(" 开始 "), QStringLiteral(" 停止 "), QStringLiteral(" 暂停 "),
                                      QStringLiteral(" 设置 "), QStringLiteral(" 退出 "), QStringLiteral(" 清零 "),
                                      QStringLiteral(" 继续 ")};
    return captions;
}

ButtonRow screenButtonRow(const QFont& font)
{
    const QFontMetricsF fm(font);
    double longest = 0;
    for (const QString& caption : screenButtonCaptions())
        longest = std::max(longest, fm.horizontalAdvance(caption));
    const int padding = int(std::ceil(fm.height() / 8.0));
    ButtonRow row;
    row.width = int(std::ceil(longest)) + 2 * padding;
    row.height = int(std::ceil(fm.height())) + 2 * padding;
    row.gap = 2 * padding;
    return row;
}

void DisplayWindow::sizeScreenButtons()
{
    for (QPushButton* b : m_screenButtons)
        b->setFont(fitToScreen(b, b->font(), b->text(), true));
    const ButtonRow row = screenButtonRow(m_screenButtons[0]->font());
    for (QPushButton* b : m_screenButtons) {
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
    const ButtonRow row = screenButtonRow(m_screenButtons[0]->font());
    for (std::size_t i = 0; i < m_screenButtons.size(); ++i) {
        placeElement(DisplayElement(int(DisplayElement::StartButton) + int(i)), width,
                     firstLeft + double(i) * (row.width + row.gap), false, height, height - aboveFoot);
    }
}

} // namespace orvalen
