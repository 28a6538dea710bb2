#include "timing/run_record.h"

#include "platform/clock.h"
#include "services/app_context.h"
#include "stores/database.h"
#include "stores/registry_values.h"
#include "stores/run_state.h"
#include "timing/pending_runs.h"

#include <QDebug>
#include <QSet>
#include <QTime>
#include <cmath>
#include <optional>
#include <utility>

namespace orvalen {

namespace {
// How long a row waits for a database another program holds locked.
constexpr int kLockWaitMs = 100;
} // namespace

QString duration_text(qint64 milliseconds)
{
    // nearbyint rounds halves to the even whole number in the default mode.
    double seconds = std::nearbyint(double(milliseconds) / 1000.0);
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 0;
    const qint64 total = static_cast<qint64>(seconds);
    const qint64 h = total / 3600;
    const qint64 m = (total % 3600) / 60;
    const qint64 s = total % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QChar(u'0'))
        .arg(m, 2, 10, QChar(u'0'))
        .arg(s, 2, 10, QChar(u'0'));
}

TimesumRow timesum_row(RunRecord& record, const QDateTime& now)
{
    TimesumRow row;
    row.set_time = record.setTime.toString(QStringLiteral("hh:mm:ss"));
    row.use_time = duration_text(record.countedDownMs);
    row.out_time = duration_text(record.countedUpMs);
    row.pause_time = duration_text(record.pausedMs);
    if (record.label.isEmpty())
        record.label = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    row.filename = record.label;
    return row;
}

namespace {

// The keys of the queued rows written so far live beside timesum, and are
// stored in the same transaction as the rows: a queue that stays behind (it
// could not be removed) is then never written twice. Only the keys of the
// rows queued now are kept. A file gets the table when it first takes a
// queued row; timesum itself is unchanged.
bool forget_other_keys(Database& db, const QSet<QString>& keys)
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

} // namespace

bool append_timesum_rows(const ProgramFolder& folder, const std::vector<TimesumRow>& rows, QString* error)
{
    QString openError;
    Database db = open_desk_data(folder, &openError);
    if (!db.isOpen()) {
        if (error)
            *error = openError.isEmpty() ? QStringLiteral("DeskData.db 无法打开") : openError;
        return false;
    }
    db.setBusyTimeout(kLockWaitMs);
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("DeskData.db：%1").arg(why.isEmpty() ? db.lastError() : why);
        return false; // the transaction rolls back
    };
    Transaction tx(db);
    if (!tx.isActive())
        return fail(QString());
    QSet<QString> keys;
    for (const TimesumRow& row : rows) {
        if (!row.key.isEmpty())
            keys.insert(row.key);
    }
    if (!keys.isEmpty() && !forget_other_keys(db, keys))
        return fail(QString());
    std::optional<Statement> remember;
    if (!keys.isEmpty())
        remember.emplace(db, QStringLiteral("INSERT OR IGNORE INTO queued_runs (key) VALUES (?)"));
    Statement insert(db, QStringLiteral("INSERT INTO timesum (set_time, use_time, out_time, pause_time, "
                                        "filename) VALUES (?, ?, ?, ?, ?)"));
    if (!insert.isValid())
        return fail(insert.error());
    for (const TimesumRow& row : rows) {
        if (!row.key.isEmpty()) {
            const bool remembered = remember->bindText(1, row.key) && remember->run();
            remember->reset();
            if (!remembered)
                return fail(remember->error());
            if (db.changes() == 0)
                continue; // written before, from a queue that stayed behind
        }
        const bool ok = insert.bindText(1, row.set_time) && insert.bindText(2, row.use_time)
            && insert.bindText(3, row.out_time) && insert.bindText(4, row.pause_time)
            && insert.bindText(5, row.filename) && insert.run();
        insert.reset();
        if (!ok)
            return fail(insert.error());
    }
    if (!tx.commit())
        return fail(QString());
    return true;
}

RecordResult record_run(AppContext& ctx, RunRecord& record, QString* error)
{
    if (!registry_values::time_record(ctx.registry))
        return RecordResult::Off;
    const QDateTime now = ctx.clock.now();
    const TimesumRow row = timesum_row(record, now);
    QString why;
    if (write_pending_runs(ctx.folder, {row}, &why))
        return RecordResult::Written;
    qWarning().noquote() << "record_run: the statistics row cannot be stored now:" << why;
    QString queueError;
    const bool queued = queue_pending_run(ctx.folder, row, &queueError);
    if (!queued)
        why += QStringLiteral("；") + queueError;
    if (error)
        *error = why;
    return queued ? RecordResult::Pending : RecordResult::Failed;
}

} // namespace orvalen
