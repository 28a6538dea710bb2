#pragma once
#include "display/background_view.h"
#include "display/display_element.h"
#include "stores/stage.h"

#include <QString>

namespace orvalen {

class CurrentPlan;
class DisplayWindow;
class PanelPainter;
struct PlanColour;
struct AppContext;
struct DisplayControls;

// The display window's background as the background window sees it, and
// the backgrounds of a plan and its stages. It keeps the name of the picture
// it shows.
class DisplayBackground : public BackgroundView {
public:
    DisplayBackground(DisplayWindow& window, DisplayControls& controls, PanelPainter& painter, AppContext& ctx,
                      const CurrentPlan& currentPlan);

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

    DisplayWindow& m_window;
    DisplayControls& m_controls;
    PanelPainter& m_painter;
    AppContext& m_ctx;
    const CurrentPlan& m_currentPlan;
    QString m_backgroundPictureName; // the name of the picture the background shows
};

} // namespace orvalen
