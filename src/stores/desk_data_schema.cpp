#include "stores/desk_data_schema.h"

#include "stores/plan_codec.h"
#include "stores/database.h"

#include <QFile>
#include <QFileInfo>

namespace orvalen {

const QStringList& deskclockColumns()
{
    static const QStringList columns = [] {
        QStringList c{QStringLiteral("ID"), QStringLiteral("clockname"), QStringLiteral("movetext")};
        c << plan_codec::fieldNames();
        return c;
    }();
    return columns;
}

const QStringList& timesumColumns()
{
    static const QStringList columns{QStringLiteral("set_time"), QStringLiteral("use_time"),
                                     QStringLiteral("out_time"), QStringLiteral("pause_time"),
                                     QStringLiteral("filename"), QStringLiteral("ID_auto")};
    return columns;
}

namespace {

QString deskclockDefinition()
{
    // Names compare without regard to letter case, as plan names always have.
    QStringList parts{QStringLiteral("\"ID\" INTEGER PRIMARY KEY"),
                      QStringLiteral("\"clockname\" TEXT UNIQUE COLLATE NOCASE"),
                      QStringLiteral("\"movetext\" TEXT")};
    for (const QString& field : plan_codec::fieldNames()) {
        const bool number = field == QLatin1String("tixingtime");
        parts << QStringLiteral("\"%1\" %2").arg(field, number ? QStringLiteral("INTEGER") : QStringLiteral("TEXT"));
    }
    return QStringLiteral("CREATE TABLE deskclock (%1)").arg(parts.join(QStringLiteral(", ")));
}

} // namespace

QString unreadableDeskDataTable(Database& db, QString* error)
{
    for (const QString& table : {QStringLiteral("deskclock"), QStringLiteral("timesum")}) {
        Statement count(db, QStringLiteral("SELECT count(*) AS n FROM %1").arg(table));
        if (!count.next()) {
            *error = count.error();
            return table;
        }
    }
    return QString();
}

bool createDeskData(const QString& path, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (QFileInfo::exists(path))
        return fail(QStringLiteral("%1 already exists; it is left as it is").arg(path));
    if (plan_codec::fieldNames().size() != plan_codec::kFieldCount)
        return fail(QStringLiteral("the plan has %1 field names, expected %2")
                        .arg(plan_codec::fieldNames().size())
                        .arg(plan_codec::kFieldCount));

    Database db;
    if (!db.open(path, databasePassword(), Database::Mode::CreateIfMissing))
        return fail(db.lastError());
    const QStringList statements{
        QStringLiteral("PRAGMA journal_mode=WAL"),
        QStringLiteral("PRAGMA synchronous=FULL"),
        deskclockDefinition(),
        QStringLiteral("CREATE TABLE timesum (set_time TEXT, use_time TEXT, out_time TEXT, pause_time TEXT, "
                       "filename TEXT, ID_auto INTEGER PRIMARY KEY AUTOINCREMENT)"),
    };
    for (const QString& sql : statements) {
        if (!db.exec(sql)) {
            const QString message = db.lastError();
            db.close();
            // Only the file made just now goes; nothing else was there.
            for (const char* suffix : {"", "-wal", "-shm", "-journal"})
                QFile::remove(path + QLatin1String(suffix));
            return fail(message);
        }
    }
    return true;
}

} // namespace orvalen
