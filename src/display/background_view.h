#pragma once
#include "display/display_element.h"

#include <QColor>
#include <QPixmap>
#include <QString>

namespace orvalen {

// The display's background as the background window sees it: a colour (no
// picture), or a picture with the clocks in their own colour. Showing
// either lays the display out again.
class BackgroundView {
public:
    virtual ~BackgroundView() = default;
    virtual void showBackgroundColour(const QColor& colour) = 0;
    virtual void showBackgroundPicture(const QPixmap& picture, const QColor& clockColour, const QString& name) = 0;
    // The picture at its own size.
    virtual const QPixmap& backgroundPicture() const = 0;
    virtual bool backgroundIsPicture() const = 0;
    // Its plain colour, and the name in picture/ of the picture over it
    // ("" when there is none).
    virtual QColor backgroundColour() const = 0;
    virtual QString backgroundPictureName() const = 0;
    virtual QColor elementColour(DisplayElement e) const = 0;
};

} // namespace orvalen
