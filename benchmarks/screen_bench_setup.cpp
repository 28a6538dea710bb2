// Prepares a copy of the program folder and a registry file for the screen
// benchmarks: the start hotkey Ctrl+Alt+S and, as the current plan, either
// the live clock (a long-term plan whose target is 2000-01-01) or a
// ten-minute count-down. `scroll` keeps the count-down and saves it as a
// plan with a scrolling text (right to left, Width=5000, ten steps a
// second) that Ctrl+Alt and the digit it prints selects. `planhotkeys` keeps
// the count-down, saves three plans and switches the plan hotkeys on
// (Ctrl+Alt and a digit).
//
//   screen_bench_setup PROGRAM_FOLDER REGISTRY_FILE live|count|scroll|planhotkeys
#include "platform/registry_store.h"
#include "stores/clock_plan.h"
#include "stores/ini_store.h"
#include "stores/plan_repository.h"
#include "stores/plan_store.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

using namespace orvalen;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList modes{QStringLiteral("live"), QStringLiteral("count"), QStringLiteral("scroll"),
                            QStringLiteral("planhotkeys")};
    if (args.size() != 4 || !modes.contains(args[3])) {
        std::fprintf(stderr, "usage: screen_bench_setup PROGRAM_FOLDER REGISTRY_FILE live|count|scroll|planhotkeys\n");
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
    if (args[3] == QLatin1String("scroll")) {
        ini.write(QStringLiteral("Hotkey"), QStringLiteral("often"), QStringLiteral("11"));
        ini.write(QStringLiteral("Marquee"), QStringLiteral("Mode"), QStringLiteral("1"));
        ini.write(QStringLiteral("Marquee"), QStringLiteral("Width"), QStringLiteral("5000"));
        ini.write(QStringLiteral("Marquee"), QStringLiteral("MarQueespeed"), QStringLiteral("10"));
        PlanRepository plans{ProgramFolder(args[1])};
        qint64 id = 0;
        const QString text = QStringLiteral("欢迎各位参加年终述职考评会，请将手机调至静音");
        const PlanResult saved = plans.save(QStringLiteral("滚动文字"), text, plan, &id);
        if (!saved.ok() || id < 1 || id > 9) {
            std::fprintf(stderr, "screen_bench_setup: the scrolling plan could not be saved as plan 1..9: %s\n",
                         qPrintable(saved.error));
            return 1;
        }
        std::printf("%lld\n", id);
    }
    if (args[3] == QLatin1String("planhotkeys")) {
        ini.write(QStringLiteral("Hotkey"), QStringLiteral("often"), QStringLiteral("11"));
        PlanRepository plans{ProgramFolder(args[1])};
        for (const QString& name : {QStringLiteral("开场"), QStringLiteral("主讲"), QStringLiteral("问答")}) {
            const PlanResult saved = plans.save(name, QString(), plan);
            if (!saved.ok()) {
                std::fprintf(stderr, "screen_bench_setup: plan %s could not be saved: %s\n", qPrintable(name),
                             qPrintable(saved.error));
                return 1;
            }
        }
    }
    return 0;
}
