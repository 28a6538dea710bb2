#pragma once
#include "display/count_view.h"
#include "display/display_window.h"

#include <QSize>

namespace orvalen::test {

// The screen the display and engine tests lay out for, whatever screen the
// offscreen platform has: 1920 x 1080 pixels at 96 dpi (15 twips per pixel).
inline constexpr QSize kTestScreenSize{1920, 1080};

// A whole screen of `size` pixels at 96 dpi.
inline ScreenMetrics testScreenMetrics(QSize size = kTestScreenSize)
{
    ScreenMetrics m;
    m.tppX = m.tppY = 15;
    m.fullWidthPx = m.screenWidthPx = size.width();
    m.fullHeightPx = size.height();
    return m;
}

// Lays `window` out for a screen of `size` pixels at 96 dpi.
inline void putOnTestScreen(DisplayWindow& window, QSize size = kTestScreenSize)
{
    window.setScreenMetrics(testScreenMetrics(size));
}

} // namespace orvalen::test
