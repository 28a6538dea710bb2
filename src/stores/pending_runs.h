#pragma once
#include "stores/run_log.h"

#include <vector>

namespace orvalen {

class ProgramFolder;

// Statistics rows that could not be written when their run ended (the
// database missing, locked by another program, or the disk full) wait in
// PendingRuns.json in the program folder, written whole through the save
// helper, until the database can take them. A row that the queue cannot take
// either (the disk is full) is held in memory instead, and goes to the
// database or the queue, whichever can take it first.

QString pendingRunsPath(const ProgramFolder& folder);
// The waiting rows in the order of their runs, each with its key. A damaged
// queue file is kept aside as .bad (logged) and reads as empty; entries
// without valid times (another type, a field missing, an empty object) are
// left out, the file as it was copied aside as .bad and the queue rewritten
// without them.
std::vector<RunRow> readPendingRuns(const ProgramFolder& folder);
enum class QueuedIn {
    File,   // PendingRuns.json holds the row
    Memory, // the queue could not be saved (*error says why): the row is held
            // in memory and lost if the program ends before it is stored
};
// Adds one row to the queue, under a new key. The failed save of the queue
// is left to the caller to tell.
QueuedIn queuePendingRun(const ProgramFolder& folder, const RunRow& row, QString* error);
// Whether rows wait for the database, in the queue or in memory.
bool hasPendingRuns(const ProgramFolder& folder);
// Before the program ends: the rows held in memory go to the database or the
// queue if either can take them now; rows that still cannot are logged as
// lost. Nothing happens when no row is held.
void storeHeldRuns(const ProgramFolder& folder);
// Writes the waiting rows (the queue's, then those held in memory), and
// `extra` after them, to timesum in one transaction, then empties the queue.
// False with *error (nothing written) when the database cannot take them
// now; rows held in memory then go to the queue if it can take them. The
// database remembers the keys of the waiting rows it took, so a queue that
// cannot be removed is reported once and never written again.
bool writePendingRuns(const ProgramFolder& folder, const std::vector<RunRow>& extra, QString* error);

} // namespace orvalen
