#pragma once
#include "display/background_view.h"
#include "display/display_window.h"

namespace orvalen {

// The display window's background as the background window sees it.
class DisplayBackground : public BackgroundView {
public:
    explicit DisplayBackground(DisplayWindow& window);

    void showBackgroundColour(const QColor& colour) override;
    void showBackgroundPicture(const QPixmap& picture, const QColor& clockColour, const QString& name) override;
    const QPixmap& backgroundPicture() const override;
    bool backgroundIsPicture() const override;
    QColor backgroundColour() const override;
    QString backgroundPictureName() const override;
    QColor elementColour(DisplayElement e) const override;

    // The clock colour, background colour and picture (a bare name in
    // picture/) of a plan or a stage; a picture that does not decode counts
    // as none, and the colour applies.
    void applyBackground(const PlanColour& clockColour, const PlanColour& backColour, const QString& pictureName);
    // The look of a stage of the current plan; the display is laid out again.
    void applyStageBackground(Stage stage);

private:
    void setBackgroundColour(const QColor& colour);
    void setBackgroundPicture(const QPixmap& picture);
    void setClockColour(const QColor& colour);

    DisplayWindow& m_w;
};

} // namespace orvalen
