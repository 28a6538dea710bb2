#include "stores/plan_switches.h"

namespace orvalen {
namespace {

// Where a switch stands: its value, the flag text it was read from and its
// place in that text.
struct SwitchPlace {
    bool on;
    const std::optional<QString>& flags;
    qsizetype index;
};

SwitchPlace placeOf(const ClockPlan& p, DisplaySwitch which)
{
    const auto& three = p.stored.checkthree;
    const auto& four = p.stored.checkfour;
    switch (which) {
    case DisplaySwitch::StageLooks: return {p.stageLooks, three, 0};
    case DisplaySwitch::Weekday: return {p.showsWeekday, three, 1};
    case DisplaySwitch::ScrollingText: return {p.showsScrollingText, three, 2};
    case DisplaySwitch::CentredTitle: return {p.centresTitle, three, 3};
    case DisplaySwitch::CentredSubtitle: return {p.centresSubtitle, three, 4};
    case DisplaySwitch::CentredThird: return {p.centresThird, three, 5};
    case DisplaySwitch::OvertimeClock: return {p.wantsOvertimeClock, four, 0};
    case DisplaySwitch::EndTextOnClock: return {p.endTextOnClock, four, 1};
    case DisplaySwitch::RestartAfterDelay: return {p.restartsAfterDelay, four, 2};
    }
    return {false, three, -1};
}

} // namespace

SwitchState switchState(const ClockPlan& plan, DisplaySwitch which)
{
    const SwitchPlace place = placeOf(plan, which);
    if (place.on)
        return SwitchState::On;
    // A switch stored as 2 was a greyed box; the plan holds it off.
    const bool greyed = place.flags && place.index >= 0 && place.index < place.flags->size()
                        && place.flags->at(place.index) == u'2';
    return greyed ? SwitchState::Greyed : SwitchState::Off;
}

} // namespace orvalen
