#pragma once
#include "stores/plan_colour.h"

#include <QLineEdit>

namespace orvalen {

// A colour swatch: a read-only field painted with a plan colour (system
// colours included), held in the form the editor writes it back
// (PlanColour::asWholeValue), so that an untouched swatch stores the same
// text. Its text is a picture name where the swatch stands for a
// background. A click or the space key asks for a new choice.
class ColourSwatch : public QLineEdit {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    const PlanColour& colour() const { return m_colour; }
    void setColour(const PlanColour& colour);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    PlanColour m_colour;
};

// System colour 5, the window background.
inline const PlanColour kWindowColour = PlanColour::fromSystemIndex(5);

} // namespace orvalen
