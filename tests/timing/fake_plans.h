#pragma once
#include "timing/run_commands.h"

#include <QList>

namespace orvalen::test {

// A plan menu of `count` plans with plan `checked` checked (-1: none), its
// list not read yet while `waiting`; keeps the plans it is asked to select.
struct FakePlans final : PlanSequence {
    int planCount() override { return count; }
    int checkedPlan() override { return checked; }
    void selectPlan(int index) override { selected << index; }
    bool planListWaiting() const override { return waiting; }
    int count = 0;
    bool waiting = false;
    int checked = -1;
    QList<int> selected;
};

} // namespace orvalen::test
