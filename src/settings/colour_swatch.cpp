#include "settings/colour_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace orvalen {

ColourSwatch::ColourSwatch(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setToolTip(QStringLiteral("点击更改"));
    setColour(PlanColour::fromColour(Qt::black));
}

void ColourSwatch::setColour(const PlanColour& colour)
{
    m_colour = colour.asWholeValue();
    const QColor c = m_colour.colour(palette().color(QPalette::Base));
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Text, c.lightness() < 128 ? Qt::white : Qt::black);
    setPalette(p);
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
