#pragma once
#include "stores/run_log.h"

#include <vector>

namespace orvalen {

class ProgramFolder;

// Statistics rows that could not be written when their run ended (the
// database missing, locked by another program, or the disk full) wait in
// PendingRuns.json in the program folder, written whole through the save
// helper, until the database can take them.

QString pendingRunsPath(const ProgramFolder& folder);
// The waiting rows in the order of their runs, each with its key. A damaged
// queue file is kept aside as .bad (logged) and reads as empty; entries
// without valid times (another type, a field missing, an empty object) are
// left out, the file as it was copied aside as .bad and the queue rewritten
// without them.
std::vector<RunRow> readPendingRuns(const ProgramFolder& folder);
// Adds one row to the queue, under a new key. False with *error when the queue cannot be saved.
bool queuePendingRun(const ProgramFolder& folder, const RunRow& row, QString* error);
// Writes the waiting rows, and `extra` after them, to timesum in one
// transaction, then empties the queue. False with *error (nothing written)
// when the database cannot take them now. The database remembers the keys of
// the waiting rows it took, so a queue that cannot be removed is reported
// once and never written again.
bool writePendingRuns(const ProgramFolder& folder, const std::vector<RunRow>& extra, QString* error);

} // namespace orvalen
