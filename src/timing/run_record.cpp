#include "timing/run_record.h"

#include "platform/clock.h"
#include "services/app_context.h"
#include "stores/pending_runs.h"
#include "stores/registry_values.h"
#include "timing/count_session.h"

#include <QDebug>
#include <QTime>
#include <cmath>

namespace orvalen {

QString durationText(qint64 milliseconds)
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

RunRow timesumRow(RunRecord& record, const QDateTime& now)
{
    RunRow row;
    row.setTime = record.setTime.toString(QStringLiteral("hh:mm:ss"));
    row.useTime = durationText(record.countedDownMs);
    row.outTime = durationText(record.countedUpMs);
    row.pauseTime = durationText(record.pausedMs);
    if (record.label.isEmpty())
        record.label = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    row.filename = record.label;
    return row;
}

RecordResult recordRun(AppContext& ctx, RunRecord& record, QString* error)
{
    if (!registry_values::timeRecord(ctx.registry))
        return RecordResult::Off;
    const QDateTime now = ctx.clock.now();
    const RunRow row = timesumRow(record, now);
    QString why;
    if (writePendingRuns(ctx.folder, {row}, &why))
        return RecordResult::Written;
    qWarning().noquote() << "Run record: the statistics row cannot be stored now:" << why;
    QString queueError;
    const QueuedIn queued = queuePendingRun(ctx.folder, row, &queueError);
    if (queued == QueuedIn::Memory)
        why += QStringLiteral("；") + queueError;
    if (error)
        *error = why;
    return queued == QueuedIn::File ? RecordResult::Pending : RecordResult::Held;
}

} // namespace orvalen
