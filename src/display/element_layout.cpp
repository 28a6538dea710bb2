#include "display/element_layout.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace orvalen {

void ElementLayout::setTwipsPerPixel(double x, double y)
{
    x = x > 0 ? x : 15.0;
    y = y > 0 ? y : 15.0;
    if (x == m_tppX && y == m_tppY)
        return;
    for (auto it = m_rects.begin(); it != m_rects.end(); ++it) {
        QRectF& r = it.value();
        r = QRectF(r.left() * m_tppX / x, r.top() * m_tppY / y, r.width() * m_tppX / x, r.height() * m_tppY / y);
    }
    m_tppX = x;
    m_tppY = y;
    for (auto it = m_rects.begin(); it != m_rects.end(); ++it)
        apply(const_cast<QWidget*>(it.key()));
}

QRectF& ElementLayout::entry(const QWidget* w) const
{
    auto it = m_rects.find(w);
    if (it == m_rects.end())
        it = m_rects.insert(w, QRectF(w->geometry()));
    return *it;
}

QRectF ElementLayout::rect(const QWidget* w) const
{
    return w ? entry(w) : QRectF();
}

namespace {

// A place given in whole twips comes back whole, without the last digits
// of its division into pixels.
double wholeWhereGivenWhole(double twips)
{
    const double whole = std::nearbyint(twips);
    return std::abs(twips - whole) < 1e-6 ? whole : twips;
}

} // namespace

QRectF ElementLayout::twipsRect(const QWidget* w) const
{
    const QRectF r = rect(w);
    return QRectF(wholeWhereGivenWhole(r.left() * m_tppX), wholeWhereGivenWhole(r.top() * m_tppY),
                  wholeWhereGivenWhole(r.width() * m_tppX), wholeWhereGivenWhole(r.height() * m_tppY));
}

void ElementLayout::apply(QWidget* w) const
{
    const QRectF& r = entry(w);
    auto px = [](double v) { return int(std::lround(std::clamp(v, -1e6, 1e6))); };
    w->setGeometry(px(r.left()), px(r.top()), std::max(0, px(r.width())), std::max(0, px(r.height())));
}

void ElementLayout::setLeft(QWidget* w, double left)
{
    if (!w || !std::isfinite(left))
        return;
    entry(w).moveLeft(left);
    apply(w);
}

void ElementLayout::setTop(QWidget* w, double top)
{
    if (!w || !std::isfinite(top))
        return;
    entry(w).moveTop(top);
    apply(w);
}

void ElementLayout::setWidth(QWidget* w, double width)
{
    if (!w || !std::isfinite(width) || width < 0)
        return;
    entry(w).setWidth(width);
    apply(w);
}

void ElementLayout::setHeight(QWidget* w, double height)
{
    if (!w || !std::isfinite(height) || height < 0)
        return;
    entry(w).setHeight(height);
    apply(w);
}

void ElementLayout::setGeometry(QWidget* w, double left, double top, double width, double height)
{
    if (!w)
        return;
    QRectF& r = entry(w);
    if (std::isfinite(left))
        r.moveLeft(left);
    if (std::isfinite(top))
        r.moveTop(top);
    if (std::isfinite(width) && width >= 0)
        r.setWidth(width);
    if (std::isfinite(height) && height >= 0)
        r.setHeight(height);
    apply(w);
}

} // namespace orvalen
