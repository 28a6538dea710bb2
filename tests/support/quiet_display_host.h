#pragma once
#include "display/display_host.h"

namespace orvalen::test {

// A display host that ignores every request of the display window.
class QuietDisplayHost final : public DisplayHost {
public:
    void runDesktopItem(DesktopItem) override {}
    void showReady() override {}
    void popupDesktopMenu(const QPoint&) override {}
    void popupElementMenu(const QPoint&, DisplayElement, const ElementMenuItems&) override {}
    void stopRunOnClose() override {}
    void registerHotkeys() override {}
    void releaseHotkeys() override {}
};

} // namespace orvalen::test
