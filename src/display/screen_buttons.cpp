// The on-screen buttons: their captions, their size at their font and their
// places in a row near the foot of the display.
#include "display/screen_buttons.h"

#include "display/display_window.h"

#include <QFontMetricsF>
#include <cmath>

namespace orvalen {

const QStringList& screen_button_captions()
{
    static const QStringList captions{QStringLiteral(" 开始 "), QStringLiteral(" 停止 "), QStringLiteral(" 暂停 "),
                                      QStringLiteral(" 设置 "), QStringLiteral(" 退出 "), QStringLiteral(" 清零 "),
                                      QStringLiteral(" 继续 ")};
    return captions;
}

ButtonRow screen_button_row(const QFont& font)
{
    const QFontMetricsF fm(font);
    double longest = 0;
    for (const QString& caption : screen_button_captions())
        longest = std::max(longest, fm.horizontalAdvance(caption));
    const int padding = int(std::ceil(fm.height() / 8.0));
    ButtonRow row;
    row.width = int(std::ceil(longest)) + 2 * padding;
    row.height = int(std::ceil(fm.height())) + 2 * padding;
    row.gap = 2 * padding;
    return row;
}

void DisplayWindow::placeScreenButtons(double W, double H)
{
    // The row starts 2000 twips from the left edge, 3000 twips above the foot.
    constexpr double kFirstLeft = 2000, kAboveFoot = 3000;
    const ButtonRow row = screen_button_row(screenButtons[0]->font());
    const double tx = twipsPerPixelX(), ty = twipsPerPixelY();
    for (int i = 0; i < int(screenButtons.size()); ++i) {
        QLabel* b = screenButtons[std::size_t(i)];
        setTwipsWidth(b, row.width * tx);
        setTwipsHeight(b, row.height * ty);
        placeElement(DisplayElement(int(DisplayElement::StartButton) + i), W, kFirstLeft + i * (row.width + row.gap) * tx,
                     false, H, H - kAboveFoot);
    }
}

} // namespace orvalen
