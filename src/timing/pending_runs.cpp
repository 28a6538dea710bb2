#include "timing/pending_runs.h"

#include "platform/program_folder.h"
#include "platform/save_file.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>

namespace orvalen {

namespace {

const QString kQueueName = QStringLiteral("PendingRuns.json");

QJsonObject to_json(const TimesumRow& row)
{
    return QJsonObject{{QStringLiteral("set_time"), row.set_time},
                       {QStringLiteral("use_time"), row.use_time},
                       {QStringLiteral("out_time"), row.out_time},
                       {QStringLiteral("pause_time"), row.pause_time},
                       {QStringLiteral("filename"), row.filename}};
}

TimesumRow from_json(const QJsonObject& o)
{
    return TimesumRow{o.value(QStringLiteral("set_time")).toString(),
                      o.value(QStringLiteral("use_time")).toString(),
                      o.value(QStringLiteral("out_time")).toString(),
                      o.value(QStringLiteral("pause_time")).toString(),
                      o.value(QStringLiteral("filename")).toString()};
}

bool save_queue(const QString& path, const std::vector<TimesumRow>& rows, QString* error)
{
    if (rows.empty()) {
        if (!QFile::exists(path) || QFile::remove(path))
            return true;
        if (error)
            *error = QStringLiteral("%1 无法删除").arg(path);
        return false;
    }
    QJsonArray array;
    for (const TimesumRow& row : rows)
        array.append(to_json(row));
    return save_file(path, QJsonDocument(array).toJson(QJsonDocument::Indented), error);
}

// The owner of the one planned retry; null when none is planned (or its owner went).
QPointer<QObject> g_retryOwner;

} // namespace

QString pending_runs_path(const ProgramFolder& folder)
{
    return folder.file(kQueueName);
}

std::vector<TimesumRow> read_pending_runs(const ProgramFolder& folder)
{
    std::vector<TimesumRow> rows;
    const QString path = pending_runs_path(folder);
    QFile file(path);
    if (!file.exists())
        return rows;
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << path << "cannot be read:" << file.errorString();
        return rows;
    }
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    file.close();
    if (!doc.isArray()) {
        qWarning().noquote() << path << "is damaged (" << parseError.errorString() << "); kept aside as"
                             << keep_aside_as_bad(path);
        return rows;
    }
    for (const QJsonValue& v : doc.array()) {
        if (v.isObject())
            rows.push_back(from_json(v.toObject()));
    }
    return rows;
}

bool queue_pending_run(const ProgramFolder& folder, const TimesumRow& row, QString* error)
{
    std::vector<TimesumRow> rows = read_pending_runs(folder);
    rows.push_back(row);
    return save_queue(pending_runs_path(folder), rows, error);
}

bool write_pending_runs(const ProgramFolder& folder, const std::vector<TimesumRow>& extra, QString* error)
{
    std::vector<TimesumRow> rows = read_pending_runs(folder);
    const bool hadQueue = !rows.empty();
    rows.insert(rows.end(), extra.begin(), extra.end());
    if (rows.empty())
        return true;
    if (!append_timesum_rows(folder, rows, error))
        return false;
    QString why;
    if (hadQueue && !save_queue(pending_runs_path(folder), {}, &why))
        qWarning().noquote() << "The waiting statistics rows were written but their queue stays:" << why;
    return true;
}

void retry_pending_runs_later(QObject* owner, const ProgramFolder& folder, int delayMs)
{
    if (g_retryOwner || !owner)
        return;
    g_retryOwner = owner;
    QTimer::singleShot(delayMs, owner, [owner, folder, delayMs] {
        g_retryOwner = nullptr;
        if (read_pending_runs(folder).empty())
            return;
        QString error;
        if (write_pending_runs(folder, {}, &error))
            qInfo("The waiting statistics rows are written now.");
        else
            retry_pending_runs_later(owner, folder, delayMs);
    });
}

} // namespace orvalen
