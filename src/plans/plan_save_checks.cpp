#include "plans/plan_save_checks.h"

#include "platform/text_path.h"
#include "services/time_conversions.h"

#include <array>

namespace orvalen {

const QString kMissingDeskDataText = QStringLiteral("DeskData.db文件不存在，请保存程序的完整性");
const QString kSaveFailedText = QStringLiteral("受限制或操作系统是精简版本，不支持本功能");

PlanMessage saveFailedMessage()
{
    return {kSaveFailedText, 2000, QString()};
}

PlanMessage saveFailedMessage(WriteRefusal refusal)
{
    PlanMessage message = saveFailedMessage();
    switch (refusal) {
    case WriteRefusal::None:
        break;
    case WriteRefusal::ReadOnly:
        message.text += QStringLiteral("\r\rDeskData.db 是只读的（文件或程序文件夹不可写入），计划无法保存");
        break;
    case WriteRefusal::Locked:
        message.text += QStringLiteral("\r\rDeskData.db 正被其他程序锁定，计划无法保存；请关闭该程序后再试");
        break;
    case WriteRefusal::DiskFull:
        message.text += QStringLiteral("\r\r磁盘已满：DeskData.db 所在的磁盘没有剩余空间，计划无法保存；请腾出空间后再试");
        break;
    }
    return message;
}

PlanMessage namingMissingLibrary(PlanMessage message, const PlanResult& result)
{
    if (result.status == PlanStatus::NoLibrary)
        message.text += QStringLiteral("\r\r") + result.error;
    return message;
}

PlanMessage nameTakenMessage(const QString& name)
{
    return {QStringLiteral("阶段名称【") + name + QStringLiteral("】已录入"), 5000, QStringLiteral("录入提示")};
}

namespace {

const QString kControlCharacterText =
    QStringLiteral("阶段名称不能包含制表符、换行符等控制字符，请修改");

// TAB, line breaks and the other control characters; format characters (the
// joiners of emoji sequences) are allowed.
bool has_control_character(const QString& name)
{
    for (const QChar c : name) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return true;
    }
    return false;
}

const QString kCR = QStringLiteral("\r");
const std::array<QString, 5> kPointNames{QStringLiteral("计时时长"), QStringLiteral("报警1"), QStringLiteral("报警2"),
                                         QStringLiteral("报警3"), QStringLiteral("读秒")};

// The reminder checks on the length and the four alarm points.
void check_reminder_times(const ClockPlan& plan, SaveCheckResult& result)
{
    const std::array<int, 5> seconds{timeToSeconds(plan.Time_all), timeToSeconds(plan.Time_one),
                                     timeToSeconds(plan.Time_two), timeToSeconds(plan.Time_three),
                                     timeToSeconds(plan.Time_four)};
    // Equal times count whether a point is switched on or not.
    for (int i = 0; i < 5; ++i) {
        for (int j = i + 1; j < 5; ++j) {
            if (seconds[i] == seconds[j]) {
                result.messages << PlanMessage{kPointNames[i] + QStringLiteral("和") + kPointNames[j]
                                                   + QStringLiteral("提醒时间不能相同，请修改")};
                result.verdict = SaveVerdict::Refused;
                return;
            }
        }
    }

    // Point 0 is the length, where the start stands; the alarms follow in
    // stage order.
    QList<int> enabled{0};
    for (Stage alarm : kAlarmStages) {
        if (plan.stageOn(alarm))
            enabled << int(stageIndex(alarm));
    }
    const int n = plan.tixingtime;
    const QString nText = QString::number(n);
    bool tooClose = false;
    for (int k = 0; k + 1 < enabled.size(); ++k) {
        const int a = enabled[k];
        const int b = enabled[k + 1];
        if (seconds[a] < seconds[b] + n) {
            result.messages << PlanMessage{kPointNames[a] + QStringLiteral("比") + kPointNames[b] + QStringLiteral("间隔")
                                           + kCR + kCR + QStringLiteral("要超【系统→提醒持续】设定值") + nText
                                           + QStringLiteral("秒以上，请修改")};
            tooClose = true;
        }
    }
    const int last = enabled.last();
    if (enabled.size() > 1 && seconds[last] <= n) {
        result.messages << PlanMessage{kPointNames[last] + QStringLiteral("设定值，要大于【系统→提醒持续】设定值") + nText
                                       + QStringLiteral("秒，请修改")};
        tooClose = true;
    }
    if (tooClose)
        result.verdict = SaveVerdict::Refused;
}

} // namespace

SaveCheckResult checkPlanSave(const QString& name, const std::function<NameLookup(QString* error)>& lookupName,
                                const std::optional<ClockPlan>& plan, const QString& planError)
{
    SaveCheckResult result;
    // A name of blanks only is no name.
    if (name.trimmed().isEmpty()) {
        result.messages << PlanMessage{QStringLiteral("没有填写阶段名称"), 1500, QString()};
        result.verdict = SaveVerdict::RefusedFocusName;
        return result;
    }
    if (has_control_character(name)) {
        result.messages << PlanMessage{kControlCharacterText, 0, QString()};
        result.verdict = SaveVerdict::RefusedFocusName;
        return result;
    }
    if (textDisplayWidth(name) > 14)
        result.messages << PlanMessage{QStringLiteral("建议阶段名称控制在14个字符以内"), 1500, QString()};

    QString error;
    const NameLookup found = lookupName(&error);
    switch (found) {
    case NameLookup::Free:
        break;
    case NameLookup::Taken:
        result.messages << nameTakenMessage(name);
        result.verdict = SaveVerdict::RefusedFocusName;
        return result;
    case NameLookup::DatabaseError:
    case NameLookup::NoLibrary: {
        result.messages << (found == NameLookup::NoLibrary
                                ? namingMissingLibrary(saveFailedMessage(), {PlanStatus::NoLibrary, error})
                                : saveFailedMessage());
        result.verdict = SaveVerdict::Failed;
        result.error = error;
        return result;
    }
    }

    if (!plan) {
        result.messages << saveFailedMessage();
        result.verdict = SaveVerdict::Failed;
        result.error = planError;
        return result;
    }
    check_reminder_times(*plan, result);
    return result;
}

} // namespace orvalen
