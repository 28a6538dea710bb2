#include "stores/plan_store.h"

#include "platform/registry_store.h"
#include "support/temp_program.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(PlanStore, emptyStore_loadsWholeDefaultPlanWithToday)
{
    test::TempProgram program;
    ClockPlan plan;
    plan.firsttext = "something else";
    load_plan(program.registry, plan, QDate(2026, 12, 8));
    EXPECT_EQ(plan, ClockPlan::defaults(QDate(2026, 12, 8)));
}
