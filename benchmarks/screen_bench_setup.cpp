// Prepares a copy of the program folder and a registry file for the screen
// benchmarks: the start hotkey Ctrl+Alt+S and, as the current plan, either
// the live clock (a long-term plan whose target is 2000-01-01) or a
// ten-minute count-down.
//
//   screen_bench_setup PROGRAM_FOLDER REGISTRY_FILE live|count
#include "platform/registry_store.h"
#include "stores/clock_plan.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

using namespace orvalen;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[3] != QLatin1String("live") && args[3] != QLatin1String("count"))) {
        std::fprintf(stderr, "usage: screen_bench_setup PROGRAM_FOLDER REGISTRY_FILE live|count\n");
        return 2;
    }
    IniStore ini(args[1] + QStringLiteral("/TimeData.db"));
    ini.write(QStringLiteral("Hotkey"), QStringLiteral("start"), QStringLiteral("Ctrl+Alt+S"));

    RegistryStore registry(args[2]);
    // The settings of this version: the start-up keeps the plan.
    registry.writeText(QStringLiteral("vision"), QStringLiteral("%1.%2").arg(ORVALEN_VERSION_MAJOR).arg(ORVALEN_VERSION_MINOR).remove(QStringLiteral(".0")));
    ClockPlan plan = ClockPlan::defaults(QDate::currentDate());
    if (args[3] == QLatin1String("live")) {
        plan.longTerm = true;
        plan.time_date = QDate(2000, 1, 1);
        plan.Time_all = QTime(0, 0);
        plan.timeFormat = TimeFormat::DaysClock; // hh:mm:ss
        plan.overtimeAction = OvertimeAction::Stop;
    } else {
        plan.Time_all = QTime(0, 10, 0);
    }
    if (!savePlan(registry, plan)) {
        std::fprintf(stderr, "screen_bench_setup: the plan could not be stored\n");
        return 1;
    }
    return 0;
}
