#include "statistics/run_statistics.h"

#include "platform/program_folder.h"
#include "stores/database.h"

#include <QRegularExpression>

namespace orvalen {

RunsLoad load_runs(const ProgramFolder& folder, QList<RunRow>* rows, QString* error)
{
    if (!folder.exists(QStringLiteral("DeskData.db")))
        return RunsLoad::NoDatabase;
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return RunsLoad::Failed;
    };
    QString why;
    Database db = open_desk_data(folder, &why);
    if (!db.isOpen())
        return fail(why);
    Statement select(db, QStringLiteral("SELECT ID_auto, set_time, use_time, out_time, pause_time, filename "
                                        "FROM timesum ORDER BY ID_auto ASC"));
    if (!select.isValid())
        return fail(select.error());
    for (;;) {
        const Statement::Step step = select.step();
        if (step == Statement::Step::Done)
            return RunsLoad::Loaded;
        if (step == Statement::Step::Error)
            return fail(select.error());
        // A NULL reads as the empty text; a row without its key cannot be deleted later.
        if (select.isNull(QStringLiteral("ID_auto")))
            return fail(QStringLiteral("a timesum row has no ID_auto"));
        rows->append({select.integer(QStringLiteral("ID_auto")), select.text(QStringLiteral("set_time")),
                      select.text(QStringLiteral("use_time")), select.text(QStringLiteral("out_time")),
                      select.text(QStringLiteral("pause_time")), select.text(QStringLiteral("filename"))});
    }
}

int delete_runs(const ProgramFolder& folder, const QList<qint64>& ids, QString* error)
{
    QString why;
    Database db = open_desk_data(folder, &why);
    if (!db.isOpen()) {
        if (error)
            *error = why;
        return 0;
    }
    Statement remove(db, QStringLiteral("DELETE FROM timesum WHERE ID_auto = ?"));
    int deleted = 0;
    for (const qint64 id : ids) {
        remove.reset();
        if (!remove.isValid() || !remove.bindInt(1, id) || !remove.run()) {
            if (error)
                *error = remove.error().isEmpty() ? db.lastError() : remove.error();
            return deleted;
        }
        ++deleted;
    }
    return deleted;
}

QString run_time_text(const QString& stored, bool twoDigitHours)
{
    static const QRegularExpression time(QStringLiteral("^\\s*(\\d{1,4}):(\\d{1,2}):(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch m = time.match(stored);
    if (!m.hasMatch() || m.captured(2).toInt() > 59 || m.captured(3).toInt() > 59)
        return stored;
    const int hours = m.captured(1).toInt();
    return QStringLiteral("%1:%2:%3")
        .arg(hours, twoDigitHours ? 2 : 1, 10, QLatin1Char('0'))
        .arg(m.captured(2).toInt(), 2, 10, QLatin1Char('0'))
        .arg(m.captured(3).toInt(), 2, 10, QLatin1Char('0'));
}

namespace {
QStringList shown_fields(const RunLine& line)
{
    return {QStringLiteral("%1").arg(line.number, 3, 10, QLatin1Char('0')), run_time_text(line.row.setTime, true),
            run_time_text(line.row.useTime, true), run_time_text(line.row.outTime, false),
            run_time_text(line.row.pauseTime, false), line.row.filename};
}
} // namespace

QString run_line_text(const RunLine& line, const QString& gap)
{
    return QLatin1Char(' ') + shown_fields(line).join(gap);
}

ExportTable run_export_table(const QList<RunLine>& lines)
{
    ExportTable table{QStringLiteral("sheet1"),
                      {QStringLiteral("序号"), QStringLiteral("设置时间"), QStringLiteral("实用时间"),
                       QStringLiteral("超时时间"), QStringLiteral("暂停时间"), QStringLiteral("阶段")},
                      {}};
    table.rows.reserve(lines.size());
    for (const RunLine& line : lines) {
        QStringList fields = shown_fields(line);
        fields[0] = QString::number(line.number);
        table.rows.append(fields);
    }
    return table;
}

} // namespace orvalen
