#pragma once
#include <QFont>
#include <QStringList>

namespace orvalen {

// Every caption an on-screen button shows: the five it starts with, left to
// right, then " 清零 " (start, after a run) and " 继续 " (pause, while paused).
const QStringList& screenButtonCaptions();

// The row of on-screen buttons at `font`, in whole pixels: each button is as
// wide as the longest caption plus padding, and neighbours keep a gap, so no
// two buttons touch and a click lands on the caption under the pointer.
struct ButtonRow {
    int width = 0;
    int height = 0;
    int gap = 0;
};
ButtonRow screenButtonRow(const QFont& font);

} // namespace orvalen
