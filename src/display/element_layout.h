#pragma once
#include <QHash>
#include <QRectF>

class QWidget;

namespace orvalen {

// Where each control of the display stands, in pixels of its container.
// Fractions are kept, so steps and sizes given in twips add up exactly and
// a control lands on the pixel its twips round to. Twips only come in and
// go out where places are stored and where the windows and menus ask for
// an element's place (twipsRect, setTwipsLeft/Top).
class ElementLayout {
public:
    // Twips per pixel of the screen (15 at 96 dpi); a value that is not
    // positive counts as 15. A change keeps every control's place in twips.
    void setTwipsPerPixel(double x, double y);
    double tppX() const { return m_tppX; }
    double tppY() const { return m_tppY; }
    double pxX(double twips) const { return twips / m_tppX; }
    double pxY(double twips) const { return twips / m_tppY; }

    // The control's place and size in pixels. A control never placed here
    // starts from its widget geometry.
    QRectF rect(const QWidget* w) const;
    double left(const QWidget* w) const { return rect(w).left(); }
    double top(const QWidget* w) const { return rect(w).top(); }
    double width(const QWidget* w) const { return rect(w).width(); }
    double height(const QWidget* w) const { return rect(w).height(); }
    // Values that are not finite (and sizes below zero) are refused; the
    // widget's geometry follows at once, rounded to whole pixels.
    void setLeft(QWidget* w, double left);
    void setTop(QWidget* w, double top);
    void setWidth(QWidget* w, double width);
    void setHeight(QWidget* w, double height);
    void setGeometry(QWidget* w, double left, double top, double width, double height);

    // The same place in twips.
    QRectF twipsRect(const QWidget* w) const;
    void setTwipsLeft(QWidget* w, double left) { setLeft(w, pxX(left)); }
    void setTwipsTop(QWidget* w, double top) { setTop(w, pxY(top)); }
    void setTwipsGeometry(QWidget* w, double left, double top, double width, double height)
    {
        setGeometry(w, pxX(left), pxY(top), pxX(width), pxY(height));
    }

private:
    QRectF& entry(const QWidget* w) const;
    void apply(QWidget* w) const;

    double m_tppX = 15.0;
    double m_tppY = 15.0;
    mutable QHash<const QWidget*, QRectF> m_rects;
};

} // namespace orvalen
