#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

namespace orvalen {

struct AppContext;
struct RunRecord;
class ProgramFolder;

// One statistics row of table timesum, as texts.
struct TimesumRow {
    QString set_time;   // plan length (a long-term run: the time of day of its set-up)
    QString use_time;   // count-down time
    QString out_time;   // count-up or overtime time
    QString pause_time; // time spent paused
    QString filename;   // run label
    // Set for a row that waited in the queue: the database remembers it, so
    // the row is written once even when the queue stays behind.
    QString key;
};

// "hh:mm:ss" of a millisecond count: the count divided by 1000 and rounded
// to whole seconds (halves to the even second). Hours are not wrapped at 24:
// a run of 25 hours reads "25:00:00". A negative count reads as 0.
QString duration_text(qint64 milliseconds);

// The row for the run described by `record`. An empty run label is replaced
// by `now` as "yyyy-MM-dd hh:mm:ss", which is also written back into the
// record so that later runs carry the same label.
TimesumRow timesum_row(RunRecord& record, const QDateTime& now);

// Appends the rows to timesum of DeskData.db in the program folder, in one
// transaction with bound values: all of them or none. False with a message
// for the operator in *error when the database cannot be opened or the rows
// cannot be stored. A database locked by another program is waited for only
// briefly, so the display never hangs.
bool append_timesum_rows(const ProgramFolder& folder, const std::vector<TimesumRow>& rows, QString* error);

enum class RecordResult {
    Off,     // statistics are switched off: nothing touched
    Written, // the row (and any rows that waited) appended
    Pending, // the database cannot take it now (*error says why): the row
             // waits in the queue of the program folder
    Failed,  // neither the database nor the queue could keep it: see *error
};

// The whole statistics record of a finished run: reads the switch
// (registry value Time_Record), builds the row from the record and appends
// it after the rows that waited for the database. Never throws.
RecordResult record_run(AppContext& ctx, RunRecord& record, QString* error);

} // namespace orvalen
