#include "display/clock_panel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace orvalen {
namespace {

// Panels are never given an image larger than this per axis; what lies
// further out is off any screen and stays clear.
constexpr int kMaxImagePx = 8192;

} // namespace

ClockPanel::ClockPanel(QWidget* parent)
    : Panel(parent), m_textColour(palette().color(QPalette::Active, QPalette::WindowText))
{
}

void ClockPanel::setTextColour(const QColor& colour)
{
    m_textColour = colour;
    setForeColor(colour);
}

QSizeF ClockPanel::textSize() const
{
    const QFontMetricsF fm(m_textFont);
    return QSizeF(fm.horizontalAdvance(m_text), fm.height());
}

void ClockPanel::paintText(int size)
{
    if (isHidden() && size > 0 && !m_text.isEmpty()) {
        m_sizeWhenShown = size;
        setAccessibleName(m_text);
        return;
    }
    m_sizeWhenShown.reset();
    drawText(size);
}

void ClockPanel::showEvent(QShowEvent* event)
{
    if (const std::optional<int> size = std::exchange(m_sizeWhenShown, std::nullopt))
        drawText(*size);
    Panel::showEvent(event);
}

void ClockPanel::drawText(int size)
{
    // The image is painted over while its size holds: the clock is
    // repainted every second, and a new pixmap each time is not needed.
    const QSize imageSize(std::clamp(width(), 0, kMaxImagePx), std::clamp(height(), 0, kMaxImagePx));
    QPixmap canvas = std::exchange(image(), QPixmap());
    if (canvas.size() != imageSize)
        canvas = QPixmap(imageSize);
    if (canvas.isNull()) {
        clearImage();
        setAccessibleName(QString());
        return;
    }
    canvas.fill(Qt::transparent);
    if (size <= 0) {
        setImage(canvas);
        setAccessibleName(QString());
        return;
    }
    setAccessibleName(m_text);
    QFont paintFont = font();
    paintFont.setPointSizeF(size);
    setFont(paintFont);

    QPainter p(&canvas);
    if (!m_text.isEmpty()) {
        const int b = borderWidth();
        const double innerW = width() - 2.0 * b;
        const double innerH = height() - 2.0 * b;
        const QFontMetricsF full(paintFont);
        const double shrink = std::min({1.0, innerW / full.horizontalAdvance(m_text), innerH / full.height()});
        if (shrink < 1.0 && shrink > 0.0)
            paintFont.setPointSizeF(std::max(1.0, std::floor(size * shrink * 4.0) / 4.0));
        const QFontMetricsF fm(paintFont);
        // The text cell is centred; its top, not its baseline, sits at y.
        const double x = b + (innerW - fm.horizontalAdvance(m_text)) / 2.0;
        const double y = b + (innerH - fm.height()) / 2.0;
        p.setFont(paintFont);
        p.setPen(foreColor());
        p.setRenderHint(QPainter::TextAntialiasing);
        p.drawText(QPointF(x, y + fm.ascent()), m_text);
    }
    p.end();
    setImage(canvas);
}

} // namespace orvalen
