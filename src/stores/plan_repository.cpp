#include "stores/plan_repository.h"

#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/deskclock_rows.h"
#include "stores/plan_codec.h"

#include <QHash>
#include <algorithm>
#include <functional>
#include <limits>

namespace orvalen {

namespace {

const QDate kNoTargetDate(2000, 1, 1);

PlanResult failed(const QString& error)
{
    return {PlanStatus::Failed, error};
}

// A plan as it stands in the table.
struct StoredRow {
    qint64 rowKey = 0; // rowid
    PlanListEntry entry;
};

// NULL where the list holds no value, so a damaged row is still found.
bool bindKey(Statement& s, int nameIndex, const QString& name, int idIndex, const std::optional<qint64>& id)
{
    const bool nameBound = name.isNull() ? s.bindNull(nameIndex) : s.bindText(nameIndex, name);
    const bool idBound = id ? s.bindInt(idIndex, *id) : s.bindNull(idIndex);
    return nameBound && idBound;
}

// Runs `onRow` for every row of the statement; false (with *error) when a
// step fails or `onRow` refuses a row.
bool eachRow(Statement& select, const std::function<bool(QString* error)>& onRow, QString* error)
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

// Every plan in order; on failure *rows keeps the plans read before it.
bool readRows(Database& db, QList<StoredRow>* rows, QString* error)
{
    Statement select(db, QStringLiteral("SELECT rowid AS row_key, ID, clockname, movetext FROM deskclock "
                                        "ORDER BY ID, rowid"));
    return eachRow(select, [&](QString*) {
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
bool idIsRowid(Database& db)
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
    const bool rowKeyFollowsId = idIsRowid(db);
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

bool samePlan(const StoredRow& row, const PlanListEntry& entry)
{
    return row.entry.id == entry.id && row.entry.name == entry.name;
}

} // namespace

PlanRepository::PlanRepository(ProgramFolder folder, QObject* parent)
    : QObject(parent), m_connection(std::move(folder))
{
}

PlanRepository::~PlanRepository() = default;

bool PlanRepository::fileExists() const
{
    return m_connection.fileExists();
}

PlanResult PlanRepository::use(const std::function<PlanResult(Database&)>& work, bool inTransaction) const
{
    QString error;
    switch (m_connection.open(&error)) {
    case DeskDataConnection::State::Ready:
        break;
    case DeskDataConnection::State::MissingFile:
        return {PlanStatus::MissingFile, error};
    case DeskDataConnection::State::NoLibrary:
        return {PlanStatus::NoLibrary, error};
    case DeskDataConnection::State::Failed:
        return failed(error);
    }
    Database& db = m_connection.database();
    db.clearError();
    PlanResult result;
    {
        std::optional<Transaction> transaction;
        if (inTransaction) {
            transaction.emplace(db);
            if (!transaction->isActive())
                result = failed(QStringLiteral("no transaction: %1").arg(db.lastError()));
        }
        if (result.ok())
            result = work(db);
        if (result.ok() && transaction && !transaction->commit())
            result = failed(QStringLiteral("the change cannot be stored: %1").arg(db.lastError()));
    }
    if (inTransaction && result.ok())
        db.checkpoint(); // logged when it fails; the change itself is stored
    // A connection that failed is opened afresh next time.
    if (result.status == PlanStatus::Failed) {
        result.refusal = db.writeRefusal();
        m_connection.close();
    }
    return result;
}

PlanResult PlanRepository::list(QList<PlanListEntry>* entries) const
{
    return use([&](Database& db) -> PlanResult {
        QList<StoredRow> rows;
        QString error;
        const bool read = readRows(db, &rows, &error);
        for (const StoredRow& row : std::as_const(rows))
            entries->append(row.entry);
        return read ? PlanResult{} : failed(error);
    }, false);
}

NameLookup PlanRepository::nameLookup(const QString& name, QString* error) const
{
    NameLookup found = NameLookup::DatabaseError;
    const PlanResult result = use([&](Database& db) -> PlanResult {
        QString why;
        found = clockNameIsFree(db, name, &why);
        return found == NameLookup::DatabaseError ? failed(why) : PlanResult{};
    }, false);
    if (result.ok())
        return found;
    if (error)
        *error = result.error;
    return result.status == PlanStatus::NoLibrary ? NameLookup::NoLibrary : NameLookup::DatabaseError;
}

PlanResult PlanRepository::announced(const PlanResult& result)
{
    if (result.ok() || result.status == PlanStatus::NotFound)
        emit changed();
    return result;
}

PlanResult PlanRepository::save(const QString& name, const QString& movingText, const ClockPlan& plan, qint64* newId)
{
    return announced(use([&](Database& db) -> PlanResult {
        QString error;
        switch (clockNameIsFree(db, name, &error)) {
        case NameLookup::Free:
            break;
        case NameLookup::Taken:
            return {PlanStatus::NameTaken, QStringLiteral("%1 is taken").arg(name)};
        case NameLookup::DatabaseError:
        case NameLookup::NoLibrary:
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
        const QStringList& columns = deskclockColumns();
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
    }, true));
}

PlanResult PlanRepository::move(const PlanListEntry& entry, int step)
{
    return announced(use([&](Database& db) -> PlanResult {
        QList<StoredRow> order;
        QString error;
        if (!readRows(db, &order, &error))
            return failed(error);
        const auto it = std::find_if(order.begin(), order.end(), [&](const StoredRow& r) { return samePlan(r, entry); });
        if (it == order.end())
            return {PlanStatus::NotFound, QStringLiteral("%1 is no longer in the table").arg(entry.name)};
        const int from = int(it - order.begin());
        const int to = from + (step < 0 ? -1 : 1);
        if (to < 0 || to >= order.size())
            return {};
        order.swapItemsAt(from, to);
        if (!renumber(db, order, &error))
            return failed(error);
        return {};
    }, true));
}

PlanResult PlanRepository::remove(const QList<PlanListEntry>& entries)
{
    return announced(use([&](Database& db) -> PlanResult {
        Statement remove(db, QStringLiteral("DELETE FROM deskclock WHERE clockname IS ?1 COLLATE BINARY AND ID IS ?2"));
        for (const PlanListEntry& entry : entries) {
            remove.reset();
            if (!bindKey(remove, 1, entry.name, 2, entry.id) || !remove.run())
                return failed(QStringLiteral("deleting %1 failed: %2").arg(entry.name, remove.error()));
            if (db.changes() == 0)
                return {PlanStatus::NotFound, QStringLiteral("%1 is no longer in the table").arg(entry.name)};
        }
        QList<StoredRow> order;
        QString error;
        if (!readRows(db, &order, &error) || !renumber(db, order, &error))
            return failed(error);
        return {};
    }, true));
}

PlanResult PlanRepository::read(const QString& name, const ClockPlan& base, PlanRow* saved) const
{
    return use([&](Database& db) -> PlanResult {
        Statement row(db, QStringLiteral("SELECT %1 FROM deskclock WHERE clockname IS ?1 COLLATE BINARY "
                                         "ORDER BY ID, rowid LIMIT 1")
                              .arg(deskclockSelectList()));
        if (!row.isValid()) {
            const bool columnMissing = row.error().contains(QLatin1String("no such column"));
            return {columnMissing ? PlanStatus::Incomplete : PlanStatus::Failed, row.error()};
        }
        if (!(name.isNull() ? row.bindNull(1) : row.bindText(1, name)))
            return failed(row.error());
        switch (row.step()) {
        case Statement::Step::Done:
            return {PlanStatus::NotFound, QStringLiteral("no plan named %1").arg(name)};
        case Statement::Step::Error:
            return failed(row.error());
        case Statement::Step::Row:
            break;
        }
        QString error;
        const std::optional<ClockPlan> plan = readDeskclockPlan(row, base, &saved->movingText, &error);
        if (!plan)
            return failed(QStringLiteral("plan %1: %2").arg(name, error));
        saved->id = int(row.integer(QStringLiteral("ID")));
        saved->name = row.text(QStringLiteral("clockname"));
        saved->plan = *plan;
        return {};
    }, false);
}

PlanResult PlanRepository::exportRows(QList<QStringList>* rows) const
{
    return use([&](Database& db) -> PlanResult {
        const QStringList columns{QStringLiteral("ID"), QStringLiteral("clockname"), QStringLiteral("movetext"),
                                  QStringLiteral("Time_all"), QStringLiteral("time_date")};
        Statement select(db, QStringLiteral("SELECT %1 FROM deskclock ORDER BY ID, rowid")
                                 .arg(columns.join(QStringLiteral(", "))));
        QString error;
        const bool read = eachRow(select, [&](QString* error) {
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
        return read ? PlanResult{} : failed(error);
    }, false);
}

} // namespace orvalen
