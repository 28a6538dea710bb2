#pragma once

class QObject;

namespace orvalen {

class ProgramFolder;

// Tries the waiting statistics rows (stores/pending_runs.h) again after
// delayMs, and again and again while the database cannot take them; at most
// one retry is planned at a time. The retry stops when `owner` goes.
void retryPendingRunsLater(QObject* owner, const ProgramFolder& folder, int delayMs = 30000);

} // namespace orvalen
