#pragma once
#include <QLineEdit>

namespace orvalen {

// A colour swatch: a read-only field painted with a stored 32-bit colour
// value (system colours included), which it keeps exactly so that an
// untouched swatch writes back the same decimal text. Its text is a picture
// name where the swatch stands for a background. A click or the space key
// asks for a new choice.
class ColourSwatch : public QLineEdit {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    qint64 value() const { return m_value; }
    void setValue(qint64 value);
    // The stored colour text's leading number (not a number: 0).
    void setValueText(const QString& text);
    QString valueText() const { return QString::number(m_value); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    qint64 m_value = 0;
};

inline constexpr qint64 kWindowColour = -2147483643; // system colour 5, window background

} // namespace orvalen
