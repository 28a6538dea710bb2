#pragma once
#include "stores/run_log.h"

#include <QDateTime>
#include <QString>

namespace orvalen {

struct AppContext;
struct RunRecord;

// "hh:mm:ss" of a millisecond count: the count divided by 1000 and rounded
// to whole seconds (halves to the even second). Hours are not wrapped at 24:
// a run of 25 hours reads "25:00:00". A negative count reads as 0.
QString durationText(qint64 milliseconds);

// The row for the run described by `record`. An empty run label is replaced
// by `now` as "yyyy-MM-dd hh:mm:ss", which is also written back into the
// record so that later runs carry the same label.
RunRow timesumRow(RunRecord& record, const QDateTime& now);

enum class RecordResult {
    Off,     // statistics are switched off: nothing touched
    Written, // the row (and any rows that waited) appended
    Pending, // the database cannot take it now (*error says why): the row
             // waits in the queue of the program folder
    Held,    // neither the database nor the queue can take it now (the disk
             // is full; *error says why): the row is held in memory until
             // one of them can
};

// The whole statistics record of a finished run: reads the switch
// (registry value Time_Record), builds the row from the record and appends
// it after the rows that waited for the database. Never throws.
RecordResult recordRun(AppContext& ctx, RunRecord& record, QString* error);

} // namespace orvalen
