#include "stores/plan_names.h"

#include "stores/database.h"

namespace orvalen {

NameLookup clockNameIsFree(Database& db, const QString& name, QString* error)
{
    Statement query(db, QStringLiteral("SELECT clockname FROM deskclock WHERE clockname = ?1 LIMIT 1"));
    query.bindText(1, name);
    switch (query.step()) {
    case Statement::Step::Row:
        return NameLookup::Taken;
    case Statement::Step::Done:
        return NameLookup::Free;
    case Statement::Step::Error:
        break;
    }
    if (error)
        *error = QStringLiteral("数据库错误：%1").arg(query.error());
    return NameLookup::DatabaseError;
}

NameLookup clockNameIsFree(const ProgramFolder& folder, const QString& name, QString* error)
{
    QString openError;
    Database db = openDeskData(folder, &openError);
    if (!db.isOpen()) {
        if (error)
            *error = openError;
        return NameLookup::DatabaseError;
    }
    return clockNameIsFree(db, name, error);
}

} // namespace orvalen
