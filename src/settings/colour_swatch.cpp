#include "settings/colour_swatch.h"

#include "display/colour.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace orvalen {

ColourSwatch::ColourSwatch(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setToolTip(QStringLiteral("点击更改"));
    setValue(0);
}

void ColourSwatch::setValue(qint64 value)
{
    m_value = qint32(value);
    const QColor c = colour_from_value(m_value, palette().color(QPalette::Base));
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Text, c.lightness() < 128 ? Qt::white : Qt::black);
    setPalette(p);
}

void ColourSwatch::setValueText(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    int end = 0;
    while (end < t.size() && (t[end].isDigit() || (end == 0 && t[end] == QLatin1Char('-'))))
        ++end;
    const qint64 v = t.left(end).toLongLong(&ok);
    setValue(ok ? v : 0);
}

void ColourSwatch::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton)
        emit clicked();
}

void ColourSwatch::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

} // namespace orvalen
