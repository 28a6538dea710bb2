#pragma once
#include <QString>
#include <QStringList>

namespace orvalen {

class Database;

// The 54 columns of a deskclock row in order: ID, clockname, movetext, then
// the 51 plan fields named as plan_codec::fieldNames().
const QStringList& deskclockColumns();
// The columns of timesum in order.
const QStringList& timesumColumns();

// The first of the tables deskclock and timesum that cannot be read through
// `db`, with the cause in *error; empty when both can.
QString unreadableDeskDataTable(Database& db, QString* error);

// Creates a new DeskData.db at path, keyed with the database password, with
// the empty tables deskclock and timesum (write-ahead log, full sync). An
// existing file is never touched: the call then fails. Used by the build tool
// and by test fixtures; the program itself never creates the file.
bool createDeskData(const QString& path, QString* error = nullptr);

} // namespace orvalen
