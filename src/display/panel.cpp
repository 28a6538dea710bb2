#include "display/panel.h"

#include <QPainter>
#include <QPaintEvent>

namespace orvalen {
namespace {

// Draws the layout-editing outline of a box of the given size in `colour`.
void paintOutline(QPainter& painter, const QSize& size, const QColor& colour)
{
    if (size.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // A dashed line in the element's colour over a solid one of the
    // contrasting shade, so the outline shows on any background.
    const QColor other = colour.lightness() > 127 ? QColor(Qt::black) : QColor(Qt::white);
    const QRect r(QPoint(0, 0), size - QSize(1, 1));
    painter.setPen(QPen(other, 1, Qt::SolidLine));
    painter.drawRect(r);
    painter.setPen(QPen(colour, 1, Qt::DashLine));
    painter.drawRect(r);
    painter.restore();
}

} // namespace

Panel::Panel(QWidget* parent) : QWidget(parent) {}

void Panel::setImage(QPixmap image)
{
    m_image = std::move(image);
    update();
}

void Panel::clearImage()
{
    if (m_image.isNull())
        return;
    m_image = QPixmap();
    update();
}

void Panel::setPicture(QPixmap picture)
{
    m_picture = std::move(picture);
    update();
}

void Panel::setBackColor(const QColor& c)
{
    if (!c.isValid() || c == m_backColor)
        return;
    m_backColor = c;
    update();
}

void Panel::setBorderStyle(int style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
}

void Panel::setOutlined(bool outlined)
{
    if (outlined == m_outlined)
        return;
    m_outlined = outlined;
    update();
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    if (!m_image.isNull())
        p.drawPixmap(0, 0, m_image);
    if (!m_picture.isNull()) {
        const int b = borderWidth();
        // A logo drawn larger or smaller than its pixels is smoothed.
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(r.adjusted(b, b, -b, -b), m_picture);
    }
    if (m_borderStyle == 1) {
        p.setPen(QPen(m_foreColor, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (m_outlined)
        paintOutline(p, size(), m_foreColor);
}

BackgroundBox::BackgroundBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundBox::setBackColor(const QColor& c)
{
    if (!c.isValid())
        return;
    m_backColor = c;
    update();
}

void BackgroundBox::setPicture(QPixmap picture)
{
    m_picture = std::move(picture);
    m_stretched = QPixmap();
    update();
}

const QPixmap& BackgroundBox::stretched() const
{
    if (m_picture.isNull())
        return m_stretched;
    if (m_stretched.isNull() || m_stretched.size() != size()) {
        if (size().isEmpty())
            m_stretched = QPixmap();
        else if (m_picture.size() == size())
            m_stretched = m_picture;
        else
            m_stretched = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return m_stretched;
}

void BackgroundBox::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QPixmap& bg = stretched();
    if (bg.isNull())
        p.fillRect(event->rect(), m_backColor);
    else
        p.drawPixmap(event->rect(), bg, event->rect());
}

void BackgroundBox::resizeEvent(QResizeEvent*)
{
    m_stretched = QPixmap();
}

} // namespace orvalen
