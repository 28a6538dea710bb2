#include "display/cached_line_label.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

namespace orvalen {
namespace {

// A larger picture costs more memory than drawing the text each time costs
// work (at 4K a line of some 400 characters).
constexpr qint64 kMaxPictureBytes = 32LL * 1024 * 1024;
constexpr int kMaxPictureSide = 32767;

} // namespace

CachedLineLabel::CachedLineLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

bool CachedLineLabel::preparePicture()
{
    const QColor colour = palette().color(foregroundRole());
    const qreal ratio = devicePixelRatioF();
    if (!m_picture.isNull() && m_text == text() && m_font == font() && m_colour == colour && m_size == size()
        && m_picture.devicePixelRatio() == ratio)
        return true;
    m_picture = QPixmap();
    m_text = text();
    m_font = font();
    m_colour = colour;
    m_size = size();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (device.isEmpty() || device.width() > kMaxPictureSide || device.height() > kMaxPictureSide
        || qint64(device.width()) * device.height() * 4 > kMaxPictureBytes)
        return false;
    QPixmap picture(device);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setFont(font());
    // What QLabel draws for plain text, without a frame.
    style()->drawItemText(&p, contentsRect(), int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), text(), foregroundRole());
    p.end();
    m_picture = std::move(picture);
    return true;
}

void CachedLineLabel::paintEvent(QPaintEvent* event)
{
    if (frameShape() != QFrame::NoFrame || textFormat() != Qt::PlainText || !preparePicture()) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect r = event->rect();
    const qreal ratio = m_picture.devicePixelRatio();
    QPainter p(this);
    p.drawPixmap(r.topLeft(), m_picture, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
}

} // namespace orvalen
