#pragma once
#include "platform/program_folder.h"
#include "stores/desk_data_connection.h"

#include <QList>
#include <QString>
#include <vector>

namespace orvalen {

// One recorded run of table timesum, as texts.
struct RunRow {
    qint64 id = 0;     // ID_auto, as listed: the key a delete binds
    QString setTime;   // plan length (a long-term run: the time of day of its set-up)
    QString useTime;   // count-down time
    QString outTime;   // count-up or overtime time
    QString pauseTime; // time spent paused
    QString filename;  // run label
    // Set for a row that waited in the queue: the database remembers it, so
    // the row is appended once even when the queue stays behind.
    QString queueKey;
};

// The recorded runs: table timesum of DeskData.db, through one connection,
// every value bound.
class RunLog {
public:
    enum class Listing { NoDatabase, Loaded, NoLibrary, Failed };

    explicit RunLog(ProgramFolder folder);

    bool fileExists() const { return m_connection.fileExists(); }

    // Every row in ID_auto order. NoDatabase when DeskData.db is not in the
    // folder; NoLibrary (with the library named in *error) when SQLCipher
    // cannot be loaded; Failed (with the cause in *error) when the file, the
    // table or a row cannot be read, keeping the rows read before.
    Listing list(QList<RunRow>* rows, QString* error);

    // Appends the rows in one transaction: all of them or none. The keys of
    // the queued rows taken are stored in the same transaction (table
    // queued_runs, made when first needed; only the keys of the rows given
    // now are kept), and a row whose key is there already is skipped. False
    // with a message for the operator in *error when the rows cannot be
    // stored. A database locked by another program is waited for only
    // briefly, so the display never hangs. *queuedWritten (when given) is
    // how many of the queued rows were written now. Once stored, the rows
    // are copied from the write-ahead log into DeskData.db itself.
    bool append(const std::vector<RunRow>& rows, QString* error, int* queuedWritten = nullptr);

    // Deletes the rows with these keys one by one, in the order given, and
    // stops at the first failure. Returns how many were deleted; *error says
    // why it stopped early.
    int remove(const QList<qint64>& ids, QString* error);

    // Closes the connection (a window that showed the rows is gone); the
    // next use opens it again.
    void closeConnection() { m_connection.close(); }

private:
    DeskDataConnection m_connection;
};

} // namespace orvalen
