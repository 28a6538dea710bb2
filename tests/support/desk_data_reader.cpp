// Another program reading DeskData.db, as a backup or sync tool would: it
// opens the file, prints the plan names one per line and closes it again
// (being the last connection it knows of, SQLite then checkpoints and
// removes the write-ahead log unless another process holds its lock).
#include "stores/database.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: desk_data_reader DeskData.db\n");
        return 2;
    }
    orvalen::Database db;
    if (!db.open(QString::fromLocal8Bit(argv[1]), orvalen::databasePassword())) {
        std::fprintf(stderr, "%s\n", db.lastError().toLocal8Bit().constData());
        return 1;
    }
    orvalen::Statement names(db, QStringLiteral("SELECT clockname FROM deskclock ORDER BY ID"));
    while (names.next())
        std::printf("%s\n", names.text(QStringLiteral("clockname")).toUtf8().constData());
    return names.error().isEmpty() ? 0 : 1;
}
