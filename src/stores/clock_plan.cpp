#include "stores/clock_plan.h"

#include <QRegularExpression>
#include <limits>
#include <utility>

namespace orvalen {

std::optional<double> fontSizeOfText(const QString& entry)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    const QString text = entry.trimmed();
    if (!plainNumber.match(text).hasMatch())
        return std::nullopt;
    const double v = text.toDouble();
    if (v <= 0 || v > kLargestFontSize)
        return std::nullopt;
    return v;
}

PerStage<PlanStage> ClockPlan::defaultStages()
{
    const QString prompts[kStageCount] = {"开始计时", "阶段一", "阶段二", "阶段三", "读秒", "已超时", "时间到"};
    const QString sounds[kStageCount] = {"alarm.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav",
                               "Timeout.wav", "Timeout.wav", "Stop.wav"};
    // The first four stages show the overall background; the seconds
    // count-down and overtime turn yellow, the end red.
    const StageLook calm{{"0"}, {"-2147483643"}, "1.jpg"};
    const StageLook looks[kStageCount] = {calm, calm, calm, calm, {{"0"}, {"65535"}, ""}, {{"0"}, {"65535"}, ""},
                                {{"0"}, {"255"}, ""}};
    PerStage<PlanStage> stages;
    for (size_t k = 0; k < stages.size(); ++k) {
        stages[k].prompt = prompts[k];
        stages[k].sound = sounds[k];
        stages[k].look = looks[k];
    }
    return stages;
}

ClockPlan ClockPlan::defaults(const QDate& today)
{
    ClockPlan plan;
    plan.time_date = today;
    return plan;
}

void ClockPlan::completeFontSizes()
{
    if (fontSizesComplete)
        return;
    fontSizeTexts = {{"80", "50", "100", "50", "30", "30"}};
    fontSizesComplete = true;
}

void ClockPlan::setFontSize(StyleSlot slot, double size)
{
    completeFontSizes();
    fontSizeTexts[slot] = QString::number(size, 'g', 7);
}

void ClockPlan::setTixingtime(qint64 seconds)
{
    // A stored 32-bit value beyond the 16-bit field is held at its limits
    // instead of overflowing.
    if (seconds < 0)
        seconds = 0;
    if (seconds > std::numeric_limits<qint16>::max())
        seconds = std::numeric_limits<qint16>::max();
    tixingtime = qint16(seconds);
}

bool ClockPlan::stageOn(Stage stage) const { return isTimed(stage) && stages[stage].on; }
bool ClockPlan::showsPromptAt(Stage stage) const { return stages[stage].showsPrompt; }
bool ClockPlan::playsSoundAt(Stage stage) const { return stages[stage].playsSound; }
bool ClockPlan::blinksAt(Stage stage) const { return stages[stage].blinks; }

const QTime& ClockPlan::timeOf(Stage stage) const
{
    switch (stage) {
    case Stage::Alarm1: return Time_one;
    case Stage::Alarm2: return Time_two;
    case Stage::Alarm3: return Time_three;
    case Stage::SecondsCountDown: return Time_four;
    case Stage::Overtime: return Time_five;
    case Stage::Start:
    case Stage::End: break;
    }
    return Time_all;
}

QTime& ClockPlan::timeOf(Stage stage) { return const_cast<QTime&>(std::as_const(*this).timeOf(stage)); }

bool ClockPlan::showsOvertimeClock() const
{
    return overtimeAction == OvertimeAction::CountOn && isOn(wantsOvertimeClock);
}

std::optional<double> ClockPlan::fontSize(StyleSlot slot) const { return fontSizeOfText(fontSizeTexts[slot]); }

} // namespace orvalen
