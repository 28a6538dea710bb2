#include "stores/deskclock_rows.h"

#include "stores/database.h"
#include "stores/desk_data_schema.h"

namespace orvalen {

namespace {
const QDate kNoTargetDate(2000, 1, 1);
}

QString deskclock_select_list()
{
    return deskclock_columns().join(QStringLiteral(", "));
}

std::optional<ClockPlan> read_deskclock_plan(const Statement& row, const ClockPlan& base, QString* movetext,
                                             QString* error)
{
    ClockPlan plan = base;
    const QStringList& fields = ClockPlan::fieldNames();
    for (int i = 0; i < ClockPlan::kFieldCount; ++i) {
        const QString& field = fields[i];
        if (row.isNull(field)) {
            *error = QStringLiteral("column %1 is empty (NULL)").arg(field);
            return std::nullopt;
        }
        const QString text = row.text(field);
        if (!plan.setFieldText(i, text)) {
            *error = QStringLiteral("column %1 holds \"%2\", which is no valid value").arg(field, text.left(40));
            return std::nullopt;
        }
    }
    if (plan.time_date < kNoTargetDate)
        plan.time_date = kNoTargetDate;
    if (row.isNull(QStringLiteral("movetext"))) {
        *error = QStringLiteral("column movetext is empty (NULL)");
        return std::nullopt;
    }
    *movetext = row.text(QStringLiteral("movetext"));
    return plan;
}

} // namespace orvalen
