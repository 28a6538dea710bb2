#include "display/panel.h"

#include <QPainter>
#include <QPaintEvent>

namespace orvalen {

Panel::Panel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::setImage(QPixmap image)
{
    m_image = std::move(image);
    update();
}

void Panel::clearImage()
{
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
    if (!c.isValid())
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

void Panel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect r = rect();
    if (!m_image.isNull()) {
        // The persistent image covers what it covers; the rest shows the back colour.
        const QRect img(QPoint(0, 0), m_image.deviceIndependentSize().toSize());
        if (!img.contains(r))
            p.fillRect(event->rect(), m_backColor);
        p.drawPixmap(0, 0, m_image);
    } else {
        p.fillRect(event->rect(), m_backColor);
    }
    if (!m_picture.isNull()) {
        const int b = borderWidth();
        p.drawPixmap(r.adjusted(b, b, -b, -b), m_picture);
    }
    if (m_borderStyle == 1) {
        p.setPen(QPen(m_foreColor, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
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
