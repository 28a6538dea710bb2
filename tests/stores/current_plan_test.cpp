#include "stores/current_plan.h"
#include "stores/plan_codec.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace orvalen;

TEST(CurrentPlan, replaceAndEdit_announceEachChange_anUnchangedPlanNone)
{
    CurrentPlan current;
    QSignalSpy changed(&current, &CurrentPlan::changed);
    ClockPlan plan = current.plan();
    plan.firsttext = QStringLiteral("年会");
    current.replace(plan);
    EXPECT_EQ(current.plan().firsttext, QStringLiteral("年会"));
    EXPECT_EQ(changed.count(), 1);

    current.replace(plan); // the same plan again
    current.edit([](ClockPlan&) {});
    EXPECT_EQ(changed.count(), 1);

    current.edit([](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", QStringLiteral("001101")); });
    EXPECT_EQ(plan_codec::fieldText(current.plan(), "checkthree"), QStringLiteral("001101"));
    EXPECT_EQ(current.plan().firsttext, QStringLiteral("年会"));
    EXPECT_EQ(changed.count(), 2);
}
