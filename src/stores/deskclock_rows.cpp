#include "stores/deskclock_rows.h"

#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_codec.h"

namespace orvalen {

namespace {
const QDate kNoTargetDate(2000, 1, 1);
}

QString deskclockSelectList()
{
    return deskclockColumns().join(QStringLiteral(", "));
}

std::optional<ClockPlan> readDeskclockPlan(const Statement& row, const ClockPlan& base, QString* movetext,
                                             QString* error)
{
    ClockPlan plan = base;
    const QStringList& fields = plan_codec::fieldNames();
    for (int i = 0; i < plan_codec::kFieldCount; ++i) {
        const QString& field = fields[i];
        if (row.isNull(field)) {
            *error = QStringLiteral("column %1 is empty (NULL)").arg(field);
            return std::nullopt;
        }
        const QString text = row.text(field);
        if (!plan_codec::setFieldText(plan, i, text)) {
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
