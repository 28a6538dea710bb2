#pragma once
#include "display/display_window.h"

#include <QImage>
#include <QString>

namespace orvalen {

// Puts the plan's logo into the display window's logo box: a picture, or a
// video playing in the box.
class DisplayLogo {
public:
    explicit DisplayLogo(DisplayWindow& window);
    void load(DisplayWindow::LogoLoad when);

private:
    // Sizes the logo box by the stored logo size option: to the picture
    // (when it is one), or to the stored width and height in tens of twips;
    // sizes made for 1920 x 1080, drawn in proportion on other screens.
    void sizeBox(const QImage& image);
    void playVideo(const QString& path);

    DisplayWindow& m_w;
};

} // namespace orvalen
