#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <QStringList>

namespace orvalen::plan_codec {

// A plan is stored as 51 fields in a fixed order: the registry values of
// the current plan and columns 3..53 of a deskclock row, under these names.
constexpr int kFieldCount = 51;
const QStringList& fieldNames();
// Index of a field name (exact spelling), or -1.
int fieldIndex(const QString& name);
// True for the fields stored as plain text (not a time, the date or
// tixingtime).
bool isTextField(int index);
// The index of tixingtime, the one field stored as a number.
constexpr int kTixingtimeField = 43;

// Field i (0..50) as its stored text: times "hh:mm:ss", the date
// "yyyy-MM-dd", tixingtime as decimal text, the flag texts, size list and
// "\"-joined looks built from the plan's values over the texts they were
// read from. An index out of range gives "".
QString fieldText(const ClockPlan& plan, int index);
QString fieldText(const ClockPlan& plan, const QString& name);
// Sets field i from its stored text. A time, date or number that does not
// convert leaves the plan unchanged and returns false; texts always take.
// A list digit beyond its list reads as 0; a size entry is taken as stored
// (ClockPlan::fontSize reads it).
bool setFieldText(ClockPlan& plan, int index, const QString& text);
bool setFieldText(ClockPlan& plan, const QString& name, const QString& text);

// Gives `into` the stored texts behind `from`'s switches and list choices
// (checkone, checkthree, checkfour, combolist), so that `into`, given the
// same switch values, is written back as `from` was stored. The texts of
// the stage cues (checktwo) stay `into`'s own.
void takeSwitchTexts(ClockPlan& into, const ClockPlan& from);

} // namespace orvalen::plan_codec
