#pragma once
#include "stores/clock_plan.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_repository.h"
#include "support/temp_program.h"

#include <QTime>
#include <initializer_list>
#include <utility>

namespace orvalen::test {

// Saves default plans of the given names and lengths (seconds) in the
// program folder's DeskData.db, made first when it is missing; false when
// any of it fails.
inline bool savePlans(const TempProgram& program, std::initializer_list<std::pair<QString, int>> plans)
{
    if (!program.context.folder.exists("DeskData.db") && !createDeskData(program.file("DeskData.db")))
        return false;
    PlanRepository saved(program.context.folder);
    for (const auto& [name, seconds] : plans) {
        ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 10));
        plan.Time_all = QTime(0, 0).addSecs(seconds);
        if (!saved.save(name, QString(), plan).ok())
            return false;
    }
    return true;
}

} // namespace orvalen::test
