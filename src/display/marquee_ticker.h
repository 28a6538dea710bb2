#pragma once
#include "display/ticker.h"

#include <functional>
#include <optional>

namespace orvalen {

class IniStore;

// The scrolling text's tick ("scrollTick"): its mode, panel width and speed
// from [Marquee], and where the line goes at each step. The display moves
// the line; `step` runs at every tick.
class MarqueeTicker final : public Ticker {
public:
    MarqueeTicker(TimerFactory& timers, std::function<void()> step);

    // 0 runs to the right, 1 to the left, 2 stands centred.
    int mode() const { return m_mode; }
    // False for the line that stands still (mode 2): it is drawn to fit the screen.
    bool lineMoves() const { return m_mode != 2; }
    int width() const { return m_width; } // twips
    int speed() const { return m_speed; } // steps a second
    // Reads the mode, the panel width and the speed of [Marquee]; a value
    // that does not convert leaves its field as it was.
    void readSettings(const IniStore& ini);

    void tick() override { m_step(); }
    // A speed out of range (zero, below, over 50) becomes 5 steps a second;
    // the tick follows the speed.
    void keepPace();
    // The line's first left edge in its panel, and the next one after
    // `left`, moving by `step`; none for a mode that does not move it.
    std::optional<double> startLeft(double lineWidth, double panelWidth) const;
    std::optional<double> nextLeft(double left, double lineWidth, double panelWidth, double step) const;

private:
    std::function<void()> m_step;
    int m_mode = 2;
    int m_width = 1000;
    int m_speed = 1;
};

} // namespace orvalen
