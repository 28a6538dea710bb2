#pragma once
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

namespace orvalen::test {

// A small PNG of one colour, as the bytes of a file.
inline QByteArray png(const QColor& colour = Qt::red, QSize size = QSize(8, 6))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace orvalen::test
