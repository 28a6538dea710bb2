#include "plans/plan_table.h"

#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/deskclock_rows.h"
#include "stores/plan_codec.h"
#include "stores/plan_names.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <functional>
#include <limits>
#include <sys/stat.h>

namespace orvalen {

const QString kMissingDeskDataText = QStringLiteral("DeskData.db文件不存在，请保存程序的完整性");

namespace {

const QString kDeskData = QStringLiteral("DeskData.db");
const QDate kNoTargetDate(2000, 1, 1);

PlanTableResult failed(const QString& error)
{
    return {PlanTableStatus::Failed, error};
}

// A plan as it stands in the table.
struct StoredRow {
    qint64 rowKey = 0; // rowid
    PlanListEntry entry;
};

// NULL where the list holds no value, so a damaged row is still found.
bool bind_key(Statement& s, int nameIndex, const QString& name, int idIndex, const std::optional<qint64>& id)
{
    const bool nameBound = name.isNull() ? s.bindNull(nameIndex) : s.bindText(nameIndex, name);
    const bool idBound = id ? s.bindInt(idIndex, *id) : s.bindNull(idIndex);
    return nameBound && idBound;
}

// Runs `onRow` for every row of the statement; false (with *error) when a
// step fails or `onRow` refuses a row.
bool each_row(Statement& select, const std::function<bool(QString* error)>& onRow, QString* error)
{
    for (;;) {
        switch (select.step()) {
        case Statement::Step::Row:
            if (!onRow(error))
                return false;
            break;
        case Statement::Step::Done:
            return true;
        case Statement::Step::Error:
            *error = QStringLiteral("reading the plans failed: %1").arg(select.error());
            return false;
        }
    }
}

// Every plan in order.
bool read_rows(Database& db, QList<StoredRow>* rows, QString* error)
{
    Statement select(db, QStringLiteral("SELECT rowid AS row_key, ID, clockname, movetext FROM deskclock "
                                        "ORDER BY ID, rowid"));
    return each_row(select, [&](QString*) {
        StoredRow row;
        row.rowKey = select.integer(QStringLiteral("row_key"));
        if (!select.isNull(QStringLiteral("ID")))
            row.entry.id = select.integer(QStringLiteral("ID"));
        row.entry.name = select.text(QStringLiteral("clockname"));
        row.entry.movingText = select.text(QStringLiteral("movetext"));
        rows->append(row);
        return true;
    }, error);
}

// Whether ID is the table's INTEGER PRIMARY KEY, so that changing it moves
// the row to another rowid.
bool id_is_rowid(Database& db)
{
    Statement info(db, QStringLiteral("PRAGMA table_info(deskclock)"));
    int keys = 0;
    bool idIsKey = false;
    while (info.next()) {
        if (info.integer(QStringLiteral("pk")) == 0)
            continue;
        ++keys;
        idIsKey = info.text(QStringLiteral("name")).compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0
            && info.text(QStringLiteral("type")).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
    }
    return keys == 1 && idIsKey;
}

// Gives the rows IDs 1..n in the order given. Only rows whose ID changes are
// written, each straight to its new ID once no row holds that ID any more;
// where the rows wait on each other in a ring, one steps aside to an unused
// ID first. So no two rows share an ID on the way (ID may be the rowid), and
// a delete moves each following row once.
bool renumber(Database& db, const QList<StoredRow>& order, QString* error)
{
    struct Change {
        qint64 rowKey;
        std::optional<qint64> id;
        qint64 target;
    };
    QHash<qint64, int> held; // ID -> rows holding it
    qint64 spare = order.size();
    QList<Change> pending;
    for (int k = 0; k < order.size(); ++k) {
        const StoredRow& row = order[k];
        if (row.entry.id) {
            ++held[*row.entry.id];
            spare = std::max(spare, *row.entry.id);
        }
        if (!(row.entry.id && *row.entry.id == k + 1))
            pending.append({row.rowKey, row.entry.id, k + 1});
    }
    if (spare == std::numeric_limits<qint64>::max()) {
        *error = QStringLiteral("an ID of %1 leaves no room to renumber").arg(spare);
        return false;
    }
    const bool rowKeyFollowsId = id_is_rowid(db);
    Statement set(db, QStringLiteral("UPDATE deskclock SET ID = ?1 WHERE rowid = ?2"));
    auto write = [&](Change& change, qint64 id) {
        set.reset();
        if (!set.bindInt(1, id) || !set.bindInt(2, change.rowKey) || !set.run() || db.changes() != 1) {
            *error = QStringLiteral("renumbering failed: %1").arg(set.error());
            return false;
        }
        if (change.id && --held[*change.id] == 0)
            held.remove(*change.id);
        ++held[id];
        change.id = id;
        if (rowKeyFollowsId)
            change.rowKey = id;
        return true;
    };
    while (!pending.isEmpty()) {
        bool placed = false;
        for (int i = 0; i < pending.size();) {
            if (held.contains(pending[i].target)) {
                ++i;
                continue;
            }
            if (!write(pending[i], pending[i].target))
                return false;
            pending.removeAt(i);
            placed = true;
        }
        if (!placed && !write(pending.first(), ++spare))
            return false;
    }
    return true;
}

bool same_plan(const StoredRow& row, const PlanListEntry& entry)
{
    return row.entry.id == entry.id && row.entry.name == entry.name;
}

// The file's identity, to notice a DeskData.db replaced under an open
// connection.
std::pair<quint64, quint64> file_identity(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {0, 0};
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

} // namespace

PlanTable::PlanTable(ProgramFolder folder) : m_folder(std::move(folder)) {}
PlanTable::~PlanTable() = default;

bool PlanTable::fileExists() const
{
    return m_folder.exists(kDeskData);
}

PlanTableResult PlanTable::use(const std::function<PlanTableResult(Database&)>& work, bool inTransaction) const
{
    const QString path = m_folder.resolve(kDeskData);
    if (path.isEmpty()) {
        m_db.close();
        return {PlanTableStatus::MissingFile, QStringLiteral("no DeskData.db in %1").arg(m_folder.path())};
    }
    if (m_db.isOpen() && (m_db.path() != path || file_identity(path) != m_fileIdentity))
        m_db.close();
    if (!m_db.isOpen()) {
        QString error;
        m_db = open_desk_data(m_folder, &error);
        if (!m_db.isOpen())
            return failed(error);
        m_fileIdentity = file_identity(path);
    }
    PlanTableResult result;
    {
        std::optional<Transaction> transaction;
        if (inTransaction) {
            transaction.emplace(m_db);
            if (!transaction->isActive())
                result = failed(QStringLiteral("no transaction: %1").arg(m_db.lastError()));
        }
        if (result.ok())
            result = work(m_db);
        if (result.ok() && transaction && !transaction->commit())
            result = failed(QStringLiteral("the change cannot be stored: %1").arg(m_db.lastError()));
    }
    // A connection that failed is opened afresh next time.
    if (result.status == PlanTableStatus::Failed)
        m_db.close();
    return result;
}

PlanTableResult PlanTable::list(QList<PlanListEntry>* entries) const
{
    return use([&](Database& db) -> PlanTableResult {
        QList<StoredRow> rows;
        QString error;
        if (!read_rows(db, &rows, &error))
            return failed(error);
        for (const StoredRow& row : std::as_const(rows))
            entries->append(row.entry);
        return {};
    }, false);
}

PlanTableResult PlanTable::save(const QString& name, const QString& movingText, const ClockPlan& plan, qint64* newId)
{
    return use([&](Database& db) -> PlanTableResult {
        QString error;
        switch (clock_name_is_free(db, name, &error)) {
        case NameLookup::Free:
            break;
        case NameLookup::Taken:
            return {PlanTableStatus::NameTaken, QStringLiteral("%1 is taken").arg(name)};
        case NameLookup::DatabaseError:
            return failed(error);
        }

        Statement next(db, QStringLiteral("SELECT COALESCE(MAX(ID), 0) + 1 AS next_id FROM deskclock"));
        if (next.step() != Statement::Step::Row)
            return failed(QStringLiteral("the next ID cannot be read: %1").arg(next.error()));
        const qint64 id = next.integer(QStringLiteral("next_id"));

        ClockPlan row = plan;
        if (!row.longTerm)
            row.time_date = kNoTargetDate;
        // A time or date that is not one would be stored as a value no load
        // could read back.
        for (int i = 0; i < plan_codec::kFieldCount; ++i) {
            if (!plan_codec::isTextField(i) && plan_codec::fieldText(row, i).isEmpty())
                return failed(QStringLiteral("%1 holds no valid value").arg(plan_codec::fieldNames()[i]));
        }
        const QStringList& columns = deskclock_columns();
        QStringList marks;
        for (int i = 1; i <= columns.size(); ++i)
            marks << QStringLiteral("?%1").arg(i);
        Statement insert(db, QStringLiteral("INSERT INTO deskclock (%1) VALUES (%2)")
                                 .arg(deskclockSelectList(), marks.join(QStringLiteral(", "))));
        bool bound = insert.bindInt(1, id) && insert.bindText(2, name) && insert.bindText(3, movingText);
        const int tixingtime = plan_codec::fieldIndex(QStringLiteral("tixingtime"));
        for (int i = 0; i < plan_codec::kFieldCount && bound; ++i)
            bound = i == tixingtime ? insert.bindInt(i + 4, row.tixingtime) : insert.bindText(i + 4, plan_codec::fieldText(row, i));
        if (!bound || !insert.run())
            return failed(QStringLiteral("the plan cannot be stored: %1").arg(insert.error()));
        if (newId)
            *newId = id;
        return {};
    }, true);
}

PlanTableResult PlanTable::move(const PlanListEntry& entry, int step)
{
    return use([&](Database& db) -> PlanTableResult {
        QList<StoredRow> order;
        QString error;
        if (!read_rows(db, &order, &error))
            return failed(error);
        const auto it = std::find_if(order.begin(), order.end(), [&](const StoredRow& r) { return same_plan(r, entry); });
        if (it == order.end())
            return {PlanTableStatus::NotFound, QStringLiteral("%1 is no longer in the table").arg(entry.name)};
        const int from = int(it - order.begin());
        const int to = from + (step < 0 ? -1 : 1);
        if (to < 0 || to >= order.size())
            return {};
        order.swapItemsAt(from, to);
        if (!renumber(db, order, &error))
            return failed(error);
        return {};
    }, true);
}

PlanTableResult PlanTable::remove(const QList<PlanListEntry>& entries)
{
    return use([&](Database& db) -> PlanTableResult {
        Statement remove(db, QStringLiteral("DELETE FROM deskclock WHERE clockname IS ?1 COLLATE BINARY AND ID IS ?2"));
        for (const PlanListEntry& entry : entries) {
            remove.reset();
            if (!bind_key(remove, 1, entry.name, 2, entry.id) || !remove.run())
                return failed(QStringLiteral("deleting %1 failed: %2").arg(entry.name, remove.error()));
            if (db.changes() == 0)
                return {PlanTableStatus::NotFound, QStringLiteral("%1 is no longer in the table").arg(entry.name)};
        }
        QList<StoredRow> order;
        QString error;
        if (!read_rows(db, &order, &error) || !renumber(db, order, &error))
            return failed(error);
        return {};
    }, true);
}

PlanTableResult PlanTable::read(const QString& name, SavedPlan* saved) const
{
    return use([&](Database& db) -> PlanTableResult {
        Statement row(db, QStringLiteral("SELECT %1 FROM deskclock WHERE clockname IS ?1 COLLATE BINARY "
                                         "ORDER BY ID, rowid LIMIT 1")
                              .arg(deskclockSelectList()));
        if (!row.isValid()) {
            const bool columnMissing = row.error().contains(QLatin1String("no such column"));
            return {columnMissing ? PlanTableStatus::Incomplete : PlanTableStatus::Failed, row.error()};
        }
        if (!(name.isNull() ? row.bindNull(1) : row.bindText(1, name)))
            return failed(row.error());
        switch (row.step()) {
        case Statement::Step::Done:
            return {PlanTableStatus::NotFound, QStringLiteral("no plan named %1").arg(name)};
        case Statement::Step::Error:
            return failed(row.error());
        case Statement::Step::Row:
            break;
        }
        QString error;
        const std::optional<ClockPlan> plan = readDeskclockPlan(row, ClockPlan{}, &saved->movingText, &error);
        if (!plan)
            return failed(QStringLiteral("plan %1: %2").arg(name, error));
        saved->id = int(row.integer(QStringLiteral("ID")));
        saved->name = row.text(QStringLiteral("clockname"));
        saved->plan = *plan;
        return {};
    }, false);
}

PlanTableResult PlanTable::exportRows(QList<QStringList>* rows) const
{
    return use([&](Database& db) -> PlanTableResult {
        const QStringList columns{QStringLiteral("ID"), QStringLiteral("clockname"), QStringLiteral("movetext"),
                                  QStringLiteral("Time_all"), QStringLiteral("time_date")};
        Statement select(db, QStringLiteral("SELECT %1 FROM deskclock ORDER BY ID, rowid")
                                 .arg(columns.join(QStringLiteral(", "))));
        QString error;
        const bool read = each_row(select, [&](QString* error) {
            QStringList cells;
            for (const QString& column : columns) {
                if (select.isNull(column)) {
                    *error = QStringLiteral("a plan has no value in column %1").arg(column);
                    return false;
                }
                cells << select.text(column);
            }
            const QDate target = QDate::fromString(cells[4], QStringLiteral("yyyy-MM-dd"));
            if (target.isValid() && target <= kNoTargetDate)
                cells[4].clear();
            rows->append(cells);
            return true;
        }, &error);
        return read ? PlanTableResult{} : failed(error);
    }, false);
}

} // namespace orvalen
