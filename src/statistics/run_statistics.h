#pragma once
#include "services/table_export.h"

#include <QList>
#include <QString>

namespace orvalen {

class ProgramFolder;

// One recorded run of table timesum, as stored.
struct RunRow {
    qint64 id = 0; // ID_auto: the key a delete binds
    QString setTime;
    QString useTime;
    QString outTime;
    QString pauseTime;
    QString filename;
};

// What a list line of the statistics window keeps: its number as shown
// (lines are not renumbered after a delete) and the stored row.
struct RunLine {
    int number = 0;
    RunRow row;
};

enum class RunsLoad { NoDatabase, Loaded, Failed };

// Reads every row of timesum in ID_auto order. NoDatabase when DeskData.db
// is not in the folder; Failed (with the cause in *error) when the file, the
// table or a row cannot be read, keeping the rows read before.
RunsLoad load_runs(const ProgramFolder& folder, QList<RunRow>* rows, QString* error);

// Deletes the rows with these keys one by one, in the order given, and stops
// at the first failure. Returns how many were deleted; *error says why it
// stopped early.
int delete_runs(const ProgramFolder& folder, const QList<qint64>& ids, QString* error);

// A stored time "h:mm:ss" as the list shows it: hours with two digits
// ("hh:mm:ss") or as few as needed ("h:mm:ss"). Hours of 24 and more stay
// as they are. A text that is not such a time is shown as it is stored.
QString run_time_text(const QString& stored, bool twoDigitHours);

// The list line: " " + "%03d" + gap + set + gap + used + gap + overtime +
// gap + pause + gap + label.
QString run_line_text(const RunLine& line, const QString& gap);

// The smallest run of spaces (1 to 50) at which the sample line
// "001 03:00:00 03:00:00 3:00:00 3:00:00 1234.ppt" with that run between its
// fields is at least 5040/6890 of the list width; `advance` measures a text.
template <typename Measure>
QString column_gap(double listWidth, Measure advance);

// The export table "sheet1": header 序号, 设置时间, 实用时间, 超时时间,
// 暂停时间, 阶段, then one row per line from its kept values (number as a
// plain number, times as shown, the label whole).
ExportTable run_export_table(const QList<RunLine>& lines);

template <typename Measure>
QString column_gap(double listWidth, Measure advance)
{
    const QStringList sample{QStringLiteral("001"), QStringLiteral("03:00:00"), QStringLiteral("03:00:00"),
                             QStringLiteral("3:00:00"), QStringLiteral("3:00:00"), QStringLiteral("1234.ppt")};
    int spaces = 1;
    while (spaces < 50 && advance(sample.join(QString(spaces, QLatin1Char(' ')))) * 6890.0 < listWidth * 5040.0)
        ++spaces;
    return QString(spaces, QLatin1Char(' '));
}

} // namespace orvalen
