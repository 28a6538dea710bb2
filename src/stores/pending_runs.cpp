#include "stores/pending_runs.h"

#include "platform/program_folder.h"
#include "platform/save_file.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QUuid>

#include <optional>

namespace orvalen {

namespace {

const QString kQueueName = QStringLiteral("PendingRuns.json");

QJsonObject toJson(const RunRow& row)
{
    return QJsonObject{{QStringLiteral("set_time"), row.setTime},
                       {QStringLiteral("use_time"), row.useTime},
                       {QStringLiteral("out_time"), row.outTime},
                       {QStringLiteral("pause_time"), row.pauseTime},
                       {QStringLiteral("filename"), row.filename},
                       {QStringLiteral("key"), row.queueKey}};
}

// "hh:mm:ss", the hours not wrapped at 24.
bool isTimeText(const QJsonValue& value)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{2,}:[0-5]\\d:[0-5]\\d$"));
    return value.isString() && pattern.match(value.toString()).hasMatch();
}

// The row of the queue's entry at `index`; nothing when the entry has no
// valid times or label (another type, a field missing). A row queued before
// rows had keys gets one from its place and content, the same at every read.
std::optional<RunRow> fromJson(const QJsonValue& entry, qsizetype index)
{
    const QJsonObject o = entry.toObject();
    for (const char* field : {"set_time", "use_time", "out_time", "pause_time"}) {
        if (!isTimeText(o.value(QLatin1String(field))))
            return std::nullopt;
    }
    const QJsonValue filename = o.value(QStringLiteral("filename"));
    const QJsonValue key = o.value(QStringLiteral("key"));
    if (!filename.isString() || !(key.isUndefined() || key.isString()))
        return std::nullopt;
    RunRow row;
    row.setTime = o.value(QStringLiteral("set_time")).toString();
    row.useTime = o.value(QStringLiteral("use_time")).toString();
    row.outTime = o.value(QStringLiteral("out_time")).toString();
    row.pauseTime = o.value(QStringLiteral("pause_time")).toString();
    row.filename = filename.toString();
    row.queueKey = key.toString();
    if (row.queueKey.isEmpty())
        row.queueKey = QString::fromLatin1(
            QCryptographicHash::hash(QByteArray::number(index) + ' ' + QJsonDocument(o).toJson(QJsonDocument::Compact),
                                     QCryptographicHash::Sha1)
                .toHex());
    return row;
}

bool saveQueue(const QString& path, const std::vector<RunRow>& rows, QString* error,
               SaveReport report = SaveReport::Once)
{
    if (rows.empty()) {
        if (!QFile::exists(path) || QFile::remove(path))
            return true;
        if (error)
            *error = QStringLiteral("%1 无法删除").arg(path);
        return false;
    }
    QJsonArray array;
    for (const RunRow& row : rows)
        array.append(toJson(row));
    return saveFile(path, QJsonDocument(array).toJson(QJsonDocument::Indented), error, report);
}

// The rows that neither the database nor the queue could take, by the path
// of their queue.
QHash<QString, std::vector<RunRow>> g_held;

std::vector<RunRow> heldRows(const QString& path)
{
    return g_held.value(path);
}

void hold(const QString& path, const RunRow& row)
{
    g_held[path].push_back(row);
}

// Forgets the held rows that are stored now; rows held meanwhile stay.
void release(const QString& path, const std::vector<RunRow>& stored)
{
    if (stored.empty())
        return;
    QSet<QString> keys;
    for (const RunRow& row : stored)
        keys.insert(row.queueKey);
    std::vector<RunRow>& held = g_held[path];
    std::erase_if(held, [&keys](const RunRow& row) { return keys.contains(row.queueKey); });
    if (held.empty())
        g_held.remove(path);
}

// Entries without valid times never reach timesum: the file as it was is
// copied aside as .bad and the queue keeps only the good rows.
void setBadEntriesAside(const QString& path, const std::vector<RunRow>& good, qsizetype bad)
{
    const QString copy = copyAsideAsBad(path);
    if (copy.isEmpty()) {
        qWarning().noquote() << path << "holds" << bad << "entries without valid times; they cannot be copied aside";
        return;
    }
    QString why;
    if (!saveQueue(path, good, &why))
        qWarning().noquote() << path << "keeps its entries without valid times:" << why;
    qWarning().noquote() << path << "held" << bad << "entries without valid times; the file as it was is kept as"
                         << copy;
}

} // namespace

QString pendingRunsPath(const ProgramFolder& folder)
{
    return folder.file(kQueueName);
}

std::vector<RunRow> readPendingRuns(const ProgramFolder& folder)
{
    std::vector<RunRow> rows;
    const QString path = pendingRunsPath(folder);
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
                             << keepAsideAsBad(path);
        return rows;
    }
    const QJsonArray entries = doc.array();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (std::optional<RunRow> row = fromJson(entries.at(i), i))
            rows.push_back(*row);
    }
    if (qsizetype(rows.size()) < entries.size())
        setBadEntriesAside(path, rows, entries.size() - qsizetype(rows.size()));
    return rows;
}

namespace {

// Saves the queue with the rows held in memory (and `added`) behind its own;
// the held rows it took are no longer held. The caller tells a failure.
bool queueWithHeldRows(const ProgramFolder& folder, const std::vector<RunRow>& added, QString* error)
{
    const QString path = pendingRunsPath(folder);
    const std::vector<RunRow> held = heldRows(path);
    std::vector<RunRow> rows = readPendingRuns(folder);
    rows.insert(rows.end(), held.begin(), held.end());
    rows.insert(rows.end(), added.begin(), added.end());
    if (!saveQueue(path, rows, error, SaveReport::ByCaller))
        return false;
    release(path, held);
    return true;
}

} // namespace

QueuedIn queuePendingRun(const ProgramFolder& folder, const RunRow& row, QString* error)
{
    RunRow queued = row;
    if (queued.queueKey.isEmpty())
        queued.queueKey = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (queueWithHeldRows(folder, {queued}, error))
        return QueuedIn::File;
    hold(pendingRunsPath(folder), queued);
    return QueuedIn::Memory;
}

bool hasPendingRuns(const ProgramFolder& folder)
{
    return !heldRows(pendingRunsPath(folder)).empty() || !readPendingRuns(folder).empty();
}

void storeHeldRuns(const ProgramFolder& folder)
{
    const QString path = pendingRunsPath(folder);
    if (heldRows(path).empty())
        return;
    QString why;
    if (writePendingRuns(folder, {}, &why))
        return;
    const std::vector<RunRow> lost = heldRows(path);
    for (const RunRow& row : lost)
        qWarning().noquote() << "The statistics row of" << row.filename << "(" << row.setTime << row.useTime
                             << row.outTime << row.pauseTime << ") is lost:" << why;
    release(path, lost);
}

bool writePendingRuns(const ProgramFolder& folder, const std::vector<RunRow>& extra, QString* error)
{
    const QString path = pendingRunsPath(folder);
    std::vector<RunRow> rows = readPendingRuns(folder);
    const bool hadQueue = !rows.empty();
    const std::vector<RunRow> held = heldRows(path);
    rows.insert(rows.end(), held.begin(), held.end());
    rows.insert(rows.end(), extra.begin(), extra.end());
    if (rows.empty())
        return true;
    int queuedWritten = 0;
    if (!RunLog(folder).append(rows, error, &queuedWritten)) {
        QString why;
        if (!held.empty() && !queueWithHeldRows(folder, {}, &why))
            qWarning().noquote() << held.size() << "statistics rows stay in memory:" << why;
        return false;
    }
    release(path, held);
    // The database remembers the queued rows' keys: a queue that stays is
    // never written again. It is told when its rows were written, not again
    // at each later start that finds it still there.
    QString why;
    if (hadQueue && !saveQueue(path, {}, &why)) {
        if (queuedWritten > 0)
            reportSaveFailure(path, why + QStringLiteral("（其中的统计记录已写入 DeskData.db，不会重复写入）"));
        else
            qWarning().noquote() << path << "was written before and still cannot be removed:" << why;
    }
    return true;
}

} // namespace orvalen
