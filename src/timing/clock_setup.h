#pragma once
#include <QString>
#include <functional>

namespace orvalen {

class Clock;
class DisplayWindow;
class LogoVideoFactory;
class LongTermTargetReader;

// The set-up of the long-term display (the one shot clockSetup): for a plan
// whose long-term flag (digit 7 of checkone) is set, it works out where the
// target stands, writes the first texts of the date line and of both
// clocks, styles every element from the plan, reads the scrolling-text and
// logo settings and, unless the display is only being prepared, puts the
// menus into their running state and starts the long-term tick (longTermTick).
// A target that has already passed starts the tick even then, so the
// display shows the end at once.
class ClockSetup {
public:
    ClockSetup(DisplayWindow& display, const Clock& clock, LongTermTargetReader& targets,
               LogoVideoFactory* videos = nullptr);

    void setUpClock();

    // Called at the end of every set-up (the long-term tick repaints then).
    void setOnDone(std::function<void()> done) { m_onDone = std::move(done); }

private:
    void styleElements(const QString& clockText);
    void styleDateLine();
    void stylePromptAndScroll();
    void readMarquee();
    void loadLogo();
    void writeRunningState();

    DisplayWindow& m_display;
    const Clock& m_clock;
    LongTermTargetReader& m_targets;
    LogoVideoFactory* m_videos;
    std::function<void()> m_onDone;
};

} // namespace orvalen
