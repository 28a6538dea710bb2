// The display's background as the background window sees it.
#include "display/display_background.h"

#include "display/panel.h"
#include "display/display_element_view.h"

namespace orvalen {

DisplayBackground::DisplayBackground(DisplayWindow& window) : m_w(window) {}

void DisplayBackground::showBackgroundColour(const QColor& colour)
{
    m_w.setBackgroundPicture(QPixmap());
    m_w.setBackgroundColour(colour);
    m_w.repaintClock();
    // The text panels keep what was painted on them until they are laid out again.
    m_w.relayout();
}

void DisplayBackground::showBackgroundPicture(const QPixmap& picture, const QColor& clockColour, const QString& name)
{
    m_w.setClockColour(clockColour);
    m_w.setBackgroundPicture(picture);
    m_w.m_backgroundPictureName = picture.isNull() ? QString() : name;
    m_w.relayout();
}

const QPixmap& DisplayBackground::backgroundPicture() const { return m_w.backgroundPicture(); }

bool DisplayBackground::backgroundIsPicture() const { return m_w.backgroundIsPicture(); }

QColor DisplayBackground::backgroundColour() const
{
    return m_w.m_backgroundBox->backColor();
}

QString DisplayBackground::backgroundPictureName() const { return m_w.m_backgroundPictureName; }

QColor DisplayBackground::elementColour(DisplayElement e) const { return m_w.elementView().elementColour(e); }

} // namespace orvalen
