#pragma once
#include "services/table_export.h"
#include "stores/run_log.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace orvalen {

// One line of the statistics table: its number as shown (lines are not
// renumbered after a delete) and the stored row.
struct RunLine {
    int number = 0;
    RunRow row;
};

// A stored time "h:mm:ss" as the table shows it: hours with two digits
// ("hh:mm:ss") or as few as needed ("h:mm:ss"). Hours of 24 and more stay
// as they are. A text that is not such a time is shown as it is stored.
QString runTimeText(const QString& stored, bool twoDigitHours);

// The recorded runs as the statistics window shows them: 序号 (three
// digits), 设置时间 and 实用时间 (two-digit hours), 超时时间 and 暂停时间
// (hours as needed) and 阶段 (the label whole). Each line keeps its stored
// row, so deletes bind its ID_auto and the export takes its values.
class RunTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Appends the rows, numbered on from the last line.
    void appendRows(const QList<RunRow>& rows);
    void removeLine(int row);
    const QList<RunLine>& lines() const { return m_lines; }

    // The worksheet "sheet1": the column titles, then one row per line as
    // shown, the number as a plain number.
    ExportTable exportTable() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<RunLine> m_lines;
};

} // namespace orvalen
