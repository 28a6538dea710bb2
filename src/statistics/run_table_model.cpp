#include "statistics/run_table_model.h"

#include <QRegularExpression>

namespace orvalen {

namespace {

const QStringList& columnTitles()
{
    static const QStringList titles{QStringLiteral("序号"), QStringLiteral("设置时间"), QStringLiteral("实用时间"),
                                    QStringLiteral("超时时间"), QStringLiteral("暂停时间"), QStringLiteral("阶段")};
    return titles;
}

QString cellText(const RunLine& line, int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("%1").arg(line.number, 3, 10, QLatin1Char('0'));
    case 1:
        return runTimeText(line.row.setTime, true);
    case 2:
        return runTimeText(line.row.useTime, true);
    case 3:
        return runTimeText(line.row.outTime, false);
    case 4:
        return runTimeText(line.row.pauseTime, false);
    default:
        return line.row.filename;
    }
}

} // namespace

QString runTimeText(const QString& stored, bool twoDigitHours)
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

void RunTableModel::appendRows(const QList<RunRow>& rows)
{
    if (rows.isEmpty())
        return;
    const int first = int(m_lines.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_lines.reserve(first + rows.size());
    for (const RunRow& row : rows)
        m_lines.append({int(m_lines.size()) + 1, row});
    endInsertRows();
}

void RunTableModel::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
    endRemoveRows();
}

ExportTable RunTableModel::exportTable() const
{
    ExportTable table{QStringLiteral("sheet1"), columnTitles(), {}};
    table.rows.reserve(m_lines.size());
    for (int r = 0; r < m_lines.size(); ++r) {
        QStringList cells{QString::number(m_lines[r].number)};
        for (int c = 1; c < columnCount(); ++c)
            cells << data(index(r, c)).toString();
        table.rows.append(cells);
    }
    return table;
}

int RunTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int RunTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columnTitles().size());
}

QVariant RunTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    // A label wider than its column shows whole as the tip.
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() == columnCount() - 1))
        return cellText(m_lines[index.row()], index.column());
    return {};
}

QVariant RunTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return columnTitles().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace orvalen
