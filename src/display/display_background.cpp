// The display's background as the background window sees it.
#include "display/display_background.h"

#include "display/clock_panel.h"
#include "display/display_controls.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/element_view.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "stores/plan_colour.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPalette>

namespace orvalen {

DisplayBackground::DisplayBackground(DisplayWindow& window, DisplayControls& controls, PanelPainter& painter,
                                     AppContext& ctx, const CurrentPlan& currentPlan)
    : m_window(window), m_controls(controls), m_painter(painter), m_ctx(ctx), m_currentPlan(currentPlan)
{
}

void DisplayBackground::showBackgroundColour(const QColor& colour)
{
    setBackgroundPicture(QPixmap());
    setBackgroundColour(colour);
    m_painter.repaintClock();
    // The text panels keep what was painted on them until they are laid out again.
    m_window.relayout();
}

void DisplayBackground::showBackgroundPicture(const QPixmap& picture, const QColor& clockColour, const QString& name)
{
    setClockColour(clockColour);
    setBackgroundPicture(picture);
    m_backgroundPictureName = picture.isNull() ? QString() : name;
    m_window.relayout();
}

const QPixmap& DisplayBackground::backgroundPicture() const { return m_controls.backgroundBox->picture(); }

bool DisplayBackground::backgroundIsPicture() const { return m_controls.backgroundBox->hasPicture(); }

QColor DisplayBackground::backgroundColour() const
{
    return m_controls.backgroundBox->backColor();
}

QString DisplayBackground::backgroundPictureName() const { return m_backgroundPictureName; }

QColor DisplayBackground::elementColour(DisplayElement e) const { return m_window.elementView().elementColour(e); }

void DisplayBackground::setBackgroundColour(const QColor& colour)
{
    if (!colour.isValid())
        return;
    QPalette pal = m_window.palette();
    pal.setColor(QPalette::Window, colour);
    m_window.setPalette(pal);
    m_controls.backgroundBox->setBackColor(colour);
    m_controls.clock->setBackColor(colour);
    m_controls.overtimeClock->setBackColor(colour);
    for (std::size_t i = 1; i <= 4; ++i)
        m_controls.textPanels[i]->setBackColor(colour);
}

void DisplayBackground::setClockColour(const QColor& colour)
{
    setForeColour(m_controls.clock, colour);
    setForeColour(m_controls.overtimeClock, colour);
}

void DisplayBackground::setBackgroundPicture(const QPixmap& picture)
{
    m_controls.backgroundBox->setPicture(picture);
    m_backgroundPictureName.clear();
}

void DisplayBackground::applyBackground(const PlanColour& clockColour, const PlanColour& backColour,
                                        const QString& pictureName)
{
    setClockColour(clockColour.colour());
    setBackgroundPicture(QPixmap());

    // Only a bare name inside picture/ is looked at; a file that does not
    // decode counts as no picture, and the colour applies.
    QPixmap picture;
    if (isBareFileName(pictureName)) {
        const QString path = m_ctx.folder.resolve(QStringLiteral("picture/") + pictureName);
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            QImageReader reader(path);
            reader.setAutoTransform(true);
            const QImage image = reader.read();
            if (!image.isNull())
                picture = QPixmap::fromImage(image);
        }
    }
    if (!picture.isNull()) {
        setBackgroundPicture(picture);
        m_backgroundPictureName = pictureName;
    } else {
        setBackgroundColour(backColour.colour());
    }
}

void DisplayBackground::applyStageBackground(Stage stage)
{
    const ClockPlan& plan = m_currentPlan.plan();
    if (!isOn(plan.stageLooks)) {
        applyBackground(plan.clockcolour, plan.backgroundColour, plan.backgroundPicture);
    } else {
        const StageLook& look = plan.stages[stage].look;
        applyBackground(look.timeColour, look.backgroundColour, look.backgroundPicture);
    }
    m_window.relayout();
}

} // namespace orvalen
