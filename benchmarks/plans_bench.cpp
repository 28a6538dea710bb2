// Figures for the saved plans with many plans stored: opening the plan panel,
// saving one more plan, moving one, deleting one, and opening the plan
// submenu (its rebuild after a change, and showing it). Each command is timed as the operator meets it (database,
// list, submenu rebuild); prints "name n median_ms max_ms" per figure.
//   plans_bench PLANS RUNS
#include "bench_support.h"
#include "display/display_window.h"
#include "menus/plan_menu.h"
#include "plans/fake_plan_editor.h"
#include "plans/plan_panel.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/deskclock_rows.h"
#include "stores/plan_repository.h"
#include "stores/plan_codec.h"
#include "state/run_state.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"
#include "support/recording_notifier.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTableView>
#include <cstdio>
#include <functional>

using namespace orvalen;
using namespace orvalen::bench;

namespace {

bool fill(const QString& path, int plans)
{
    QString error;
    if (!createDeskData(path, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    Database db;
    if (!db.open(path, databasePassword()))
        return false;
    const ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 9));
    QStringList marks;
    for (int i = 1; i <= deskclockColumns().size(); ++i)
        marks << QStringLiteral("?%1").arg(i);
    Transaction transaction(db);
    Statement insert(db, QStringLiteral("INSERT INTO deskclock (%1) VALUES (%2)")
                             .arg(deskclockSelectList(), marks.join(QStringLiteral(", "))));
    for (int id = 1; id <= plans; ++id) {
        insert.reset();
        insert.bindInt(1, id);
        insert.bindText(2, QStringLiteral("第%1位发言人").arg(id));
        insert.bindText(3, QStringLiteral("欢迎第%1位发言人").arg(id));
        for (int i = 0; i < plan_codec::kFieldCount; ++i)
            insert.bindText(i + 4, plan_codec::fieldText(plan, i));
        if (!insert.run())
            return false;
    }
    return transaction.commit();
}

void measure(const char* name, int runs, const std::function<void(int)>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run(i);
        QCoreApplication::processEvents();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("%s n=%d median_ms=%.1f max_ms=%.1f\n", name, runs, median(ms), *std::max_element(ms.begin(), ms.end()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int plans = argc > 1 ? std::max(2, atoi(argv[1])) : 2000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 20;

    SystemClock clock;
    QtTimerFactory timers;
    BenchProgram program(clock, timers);
    const test::RecordingNotifier& notifier = program.notifier; // answers Yes to the delete question
    if (!fill(program.folder() + QStringLiteral("DeskData.db"), plans))
        return 1;

    HostState host;
    CurrentPlan currentPlan;
    QuietHost displayHost;
    DisplayWindow display(program.context, host, currentPlan, displayHost);
    CountSession session;
    EngineTimers engineTimers(program.context.timers);
    RunCommands commands(EngineContext{program.context, host, currentPlan, session, display.countView(), engineTimers});
    QMenu submenu;
    PlanRepository savedPlans(program.context.folder);
    PlanMenu menu(program.context, savedPlans, host, currentPlan, commands, display.elementView(), &submenu);
    test::FakePlanEditor editor;
    PlanPanel panel(program.context, savedPlans, editor, currentPlan, nullptr);
    panel.resize(700, 400);
    panel.show();

    auto selectOnly = [&](int row) { panel.table()->selectRow(row); };
    measure("open_panel", runs, [&](int) { panel.reload(); });
    measure("save", runs, [&](int i) {
        editor.name = QStringLiteral("新增计划%1").arg(i);
        panel.save();
    });
    measure("move", runs, [&](int i) {
        selectOnly(plans / 2 + i);
        panel.moveUp();
    });
    measure("delete", runs, [&](int) {
        selectOnly(panel.rowCount() / 2);
        panel.deleteSelected();
    });
    measure("plan_submenu_rebuild", runs, [&](int) { emit savedPlans.changed(); });
    measure("plan_submenu_open", runs, [&](int) {
        submenu.popup(QPoint(0, 0));
        QCoreApplication::processEvents();
        submenu.hide();
    });
    return notifier.shown.empty() ? 0 : (std::fprintf(stderr, "unexpected message: %s\n",
                                                       qPrintable(notifier.shown.front().text)), 2);
}
