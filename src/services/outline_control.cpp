#include "services/outline_control.h"

#include <QWidget>
#include <cmath>

namespace orvalen {

QRect outlineRectTwips(const QRect& controlTwips)
{
    return QRect(controlTwips.left() - 15, controlTwips.top() - 15, controlTwips.width() + 25,
                 controlTwips.height() + 30);
}

void outlineControl(QWidget& shape, const QWidget& control)
{
    const double dpiX = control.logicalDpiX() > 0 ? control.logicalDpiX() : 96;
    const double dpiY = control.logicalDpiY() > 0 ? control.logicalDpiY() : 96;
    auto toPx = [](int twips, double dpi) { return int(std::lround(twips * dpi / 1440.0)); };
    auto toTwips = [](int px, double dpi) { return int(std::lround(px * 1440.0 / dpi)); };
    const QRect c = control.geometry();
    const QRect frame = outlineRectTwips(QRect(toTwips(c.left(), dpiX), toTwips(c.top(), dpiY),
                                                 toTwips(c.width(), dpiX), toTwips(c.height(), dpiY)));
    shape.setGeometry(toPx(frame.left(), dpiX), toPx(frame.top(), dpiY), toPx(frame.width(), dpiX),
                      toPx(frame.height(), dpiY));
}

} // namespace orvalen
