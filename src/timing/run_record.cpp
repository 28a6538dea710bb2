#include "timing/run_record.h"

#include "platform/clock.h"
#include "services/app_context.h"
#include "stores/database.h"
#include "stores/registry_values.h"
#include "stores/run_state.h"
#include "timing/pending_runs.h"

#include <QDebug>
#include <QTime>
#include <cmath>

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
    Transaction tx(db);
    if (!tx.isActive()) {
        if (error)
            *error = QStringLiteral("DeskData.db：%1").arg(db.lastError());
        return false;
    }
    Statement insert(db, QStringLiteral("INSERT INTO timesum (set_time, use_time, out_time, pause_time, "
                                        "filename) VALUES (?, ?, ?, ?, ?)"));
    bool ok = insert.isValid();
    for (const TimesumRow& row : rows) {
        ok = ok && insert.bindText(1, row.set_time) && insert.bindText(2, row.use_time)
            && insert.bindText(3, row.out_time) && insert.bindText(4, row.pause_time)
            && insert.bindText(5, row.filename);
        ok = ok && insert.run();
        insert.reset();
    }
    if (!ok) {
        if (error)
            *error = QStringLiteral("DeskData.db：%1").arg(insert.error().isEmpty() ? db.lastError() : insert.error());
        return false; // the transaction rolls back
    }
    if (!tx.commit()) {
        if (error)
            *error = QStringLiteral("DeskData.db：%1").arg(db.lastError());
        return false;
    }
    return true;
}

RecordResult record_run(AppContext& ctx, RunRecord& record, QString* error)
{
    if (!ctx.registry || !registry_values::time_record(*ctx.registry))
        return RecordResult::Off;
    const QDateTime now = ctx.clock ? ctx.clock->now() : QDateTime::currentDateTime();
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
