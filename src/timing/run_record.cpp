#include "timing/run_record.h"

#include "platform/clock.h"
#include "services/app_context.h"
#include "stores/registry_values.h"
#include "stores/run_state.h"
#include "timing/pending_runs.h"

#include <QDebug>
#include <QTime>
#include <cmath>

namespace orvalen {

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

RunRow timesum_row(RunRecord& record, const QDateTime& now)
{
    RunRow row;
    row.setTime = record.setTime.toString(QStringLiteral("hh:mm:ss"));
    row.useTime = duration_text(record.countedDownMs);
    row.outTime = duration_text(record.countedUpMs);
    row.pauseTime = duration_text(record.pausedMs);
    if (record.label.isEmpty())
        record.label = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    row.filename = record.label;
    return row;
}

RecordResult record_run(AppContext& ctx, RunRecord& record, QString* error)
{
    if (!ctx.registry || !registry_values::time_record(*ctx.registry))
        return RecordResult::Off;
    const QDateTime now = ctx.clock ? ctx.clock->now() : QDateTime::currentDateTime();
    const RunRow row = timesum_row(record, now);
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
