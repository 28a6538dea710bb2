#pragma once
#include "stores/enum_array.h"

#include <QString>
#include <array>
#include <cstddef>

namespace orvalen {

// The stages of a run, in the order a count passes them. A plan keeps a cue
// and a look per stage in this order, and its stored forms list them so.
enum class Stage : int {
    Start = 0,            // "开始": the count has started
    Alarm1 = 1,           // "报警1"
    Alarm2 = 2,           // "报警2"
    Alarm3 = 3,           // "报警3"
    SecondsCountDown = 4, // "读秒": the final seconds before zero
    Overtime = 5,         // "超时": the count goes on past zero
    End = 6,              // "结束"
};
inline constexpr int kStageCount = 7;

// The stage's name as the settings list it.
inline QString stageName(Stage stage)
{
    switch (stage) {
    case Stage::Start: return QStringLiteral("开始");
    case Stage::Alarm1: return QStringLiteral("报警1");
    case Stage::Alarm2: return QStringLiteral("报警2");
    case Stage::Alarm3: return QStringLiteral("报警3");
    case Stage::SecondsCountDown: return QStringLiteral("读秒");
    case Stage::Overtime: return QStringLiteral("超时");
    case Stage::End: return QStringLiteral("结束");
    }
    return {};
}

// The position of a stage in the stage order (and in every per-stage list).
constexpr std::size_t stageIndex(Stage stage) { return static_cast<std::size_t>(stage); }
// The stage at a position of the stage order (0 .. kStageCount - 1).
constexpr Stage stageAt(std::size_t index) { return static_cast<Stage>(index); }

// The stage before another (the start for the start itself).
constexpr Stage previousStage(Stage stage) { return stage == Stage::Start ? stage : stageAt(stageIndex(stage) - 1); }

// Every stage, in order.
inline constexpr std::array<Stage, kStageCount> kStages{Stage::Start,  Stage::Alarm1,           Stage::Alarm2,
                                                        Stage::Alarm3, Stage::SecondsCountDown, Stage::Overtime,
                                                        Stage::End};

// The stages a count-down tick reaches before zero: the three alarms and the
// seconds count-down. Each has a time before the end.
constexpr bool isAlarm(Stage stage) { return stage >= Stage::Alarm1 && stage <= Stage::SecondsCountDown; }
inline constexpr std::array<Stage, 4> kAlarmStages{Stage::Alarm1, Stage::Alarm2, Stage::Alarm3,
                                                   Stage::SecondsCountDown};

// The stages with a time and a switch of their own: the alarms and overtime
// (whose time is its limit past zero). The start and the end are always on.
constexpr bool isTimed(Stage stage) { return isAlarm(stage) || stage == Stage::Overtime; }
inline constexpr std::array<Stage, 5> kTimedStages{Stage::Alarm1, Stage::Alarm2, Stage::Alarm3,
                                                   Stage::SecondsCountDown, Stage::Overtime};

// One value per stage, in the stage order.
template <class T>
using PerStage = EnumArray<Stage, T, kStageCount>;

} // namespace orvalen
