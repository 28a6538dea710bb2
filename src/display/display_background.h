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

private:
    DisplayWindow& m_w;
};

} // namespace orvalen
