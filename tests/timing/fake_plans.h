#pragma once
#include "timing/run_commands.h"

#include <QList>

namespace orvalen::test {

// A plan menu of `count` plans with plan `checked` checked (-1: none); keeps
// the plans it is asked to select.
struct FakePlans final : PlanSequence {
    int planCount() override { return count; }
    int checkedPlan() override { return checked; }
    void selectPlan(int index) override { selected << index; }
    int count = 0;
    int checked = -1;
    QList<int> selected;
};

} // namespace orvalen::test
