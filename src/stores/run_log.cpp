#include "stores/run_log.h"

#include "platform/save_file.h"
#include "stores/database.h"

#include <QSet>
#include <cerrno>
#include <optional>
#include <utility>

namespace orvalen {

namespace {

// How long a row waits for a database another program holds locked.
constexpr int kLockWaitMs = 100;

// The keys of the queued rows written so far live beside timesum, and are
// stored in the same transaction as the rows: a queue that stays behind (it
// could not be removed) is then never written twice. Only the keys of the
// rows queued now are kept. A file gets the table when it first takes a
// queued row; timesum itself is unchanged.
bool forgetOtherKeys(Database& db, const QSet<QString>& keys)
{
    if (!db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS queued_runs (key TEXT PRIMARY KEY)")))
        return false;
    QStringList gone;
    Statement all(db, QStringLiteral("SELECT key FROM queued_runs"));
    while (all.next()) {
        if (!keys.contains(all.text(QStringLiteral("key"))))
            gone << all.text(QStringLiteral("key"));
    }
    if (!all.error().isEmpty())
        return false;
    Statement forget(db, QStringLiteral("DELETE FROM queued_runs WHERE key = ?"));
    for (const QString& key : std::as_const(gone)) {
        if (!forget.bindText(1, key) || !forget.run())
            return false;
        forget.reset();
    }
    return true;
}

// The lock wait of one append, put back when it ends.
class ShortLockWait {
public:
    explicit ShortLockWait(Database& db) : m_db(db) { m_db.setBusyTimeout(kLockWaitMs); }
    ~ShortLockWait() { m_db.setBusyTimeout(kBusyTimeoutMs); }
    ShortLockWait(const ShortLockWait&) = delete;
    ShortLockWait& operator=(const ShortLockWait&) = delete;

private:
    Database& m_db;
};

// Appends the rows in one transaction; see RunLog::append.
bool appendRows(Database& db, const std::vector<RunRow>& rows, QString* error, int* queuedWritten)
{
    const ShortLockWait shortWait(db);
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("DeskData.db：%1").arg(why.isEmpty() ? db.lastError() : why);
        return false; // the transaction rolls back
    };
    Transaction tx(db);
    if (!tx.isActive())
        return fail(QString());
    QSet<QString> keys;
    for (const RunRow& row : rows) {
        if (!row.queueKey.isEmpty())
            keys.insert(row.queueKey);
    }
    if (!keys.isEmpty() && !forgetOtherKeys(db, keys))
        return fail(QString());
    int queuedTaken = 0;
    std::optional<Statement> remember;
    if (!keys.isEmpty())
        remember.emplace(db, QStringLiteral("INSERT OR IGNORE INTO queued_runs (key) VALUES (?)"));
    Statement insert(db, QStringLiteral("INSERT INTO timesum (set_time, use_time, out_time, pause_time, "
                                        "filename) VALUES (?, ?, ?, ?, ?)"));
    if (!insert.isValid())
        return fail(insert.error());
    for (const RunRow& row : rows) {
        if (!row.queueKey.isEmpty()) {
            const bool remembered = remember->bindText(1, row.queueKey) && remember->run();
            remember->reset();
            if (!remembered)
                return fail(remember->error());
            if (db.changes() == 0)
                continue; // written before, from a queue that stayed behind
            ++queuedTaken;
        }
        const bool ok = insert.bindText(1, row.setTime) && insert.bindText(2, row.useTime)
            && insert.bindText(3, row.outTime) && insert.bindText(4, row.pauseTime)
            && insert.bindText(5, row.filename) && insert.run();
        insert.reset();
        if (!ok)
            return fail(insert.error());
    }
    if (!tx.commit())
        return fail(QString());
    if (queuedWritten)
        *queuedWritten = queuedTaken;
    return true;
}

} // namespace

RunLog::RunLog(ProgramFolder folder) : m_connection(std::move(folder)) {}

RunLog::Listing RunLog::list(QList<RunRow>* rows, QString* error)
{
    auto fail = [&](const QString& why) {
        m_connection.close();
        if (error)
            *error = why;
        return Listing::Failed;
    };
    QString why;
    switch (m_connection.open(&why)) {
    case DeskDataConnection::State::Ready:
        break;
    case DeskDataConnection::State::MissingFile:
        return Listing::NoDatabase;
    case DeskDataConnection::State::NoLibrary:
        fail(why);
        return Listing::NoLibrary;
    case DeskDataConnection::State::Failed:
        return fail(why);
    }
    Statement select(m_connection.database(),
                     QStringLiteral("SELECT ID_auto, set_time, use_time, out_time, pause_time, filename "
                                    "FROM timesum ORDER BY ID_auto ASC"));
    if (!select.isValid())
        return fail(select.error());
    for (;;) {
        const Statement::Step step = select.step();
        if (step == Statement::Step::Done)
            return Listing::Loaded;
        if (step == Statement::Step::Error)
            return fail(select.error());
        // A NULL reads as the empty text; a row without its key cannot be deleted later.
        if (select.isNull(QStringLiteral("ID_auto")))
            return fail(QStringLiteral("a timesum row has no ID_auto"));
        RunRow row;
        row.id = select.integer(QStringLiteral("ID_auto"));
        row.setTime = select.text(QStringLiteral("set_time"));
        row.useTime = select.text(QStringLiteral("use_time"));
        row.outTime = select.text(QStringLiteral("out_time"));
        row.pauseTime = select.text(QStringLiteral("pause_time"));
        row.filename = select.text(QStringLiteral("filename"));
        rows->append(row);
    }
}

bool RunLog::append(const std::vector<RunRow>& rows, QString* error, int* queuedWritten)
{
    QString openError;
    if (m_connection.open(&openError) != DeskDataConnection::State::Ready) {
        if (error)
            *error = openError.isEmpty() ? QStringLiteral("DeskData.db 无法打开") : openError;
        return false;
    }
    Database& db = m_connection.database();
    if (appendRows(db, rows, error, queuedWritten)) {
        db.checkpoint(); // logged when it fails; the rows are stored
        return true;
    }
    // A connection that could only read because the disk is full is no
    // read-only file: the operator is told of the disk.
    if (error && db.writeRefusal() == WriteRefusal::DiskFull)
        *error = writeFailureCause(ENOSPC, db.path(), QString());
    m_connection.close();
    return false;
}

int RunLog::remove(const QList<qint64>& ids, QString* error)
{
    QString why;
    if (m_connection.open(&why) != DeskDataConnection::State::Ready) {
        if (error)
            *error = why;
        return 0;
    }
    Database& db = m_connection.database();
    Statement remove(db, QStringLiteral("DELETE FROM timesum WHERE ID_auto = ?"));
    int deleted = 0;
    for (const qint64 id : ids) {
        remove.reset();
        if (!remove.isValid() || !remove.bindInt(1, id) || !remove.run()) {
            if (error)
                *error = remove.error().isEmpty() ? db.lastError() : remove.error();
            m_connection.close();
            return deleted;
        }
        ++deleted;
    }
    if (deleted > 0)
        db.checkpoint();
    return deleted;
}

} // namespace orvalen
