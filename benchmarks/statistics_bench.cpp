// Figures for the statistics window with 10,000 recorded runs: opening it
// (reading timesum, filling and showing the table) and exporting its lines to
// xlsx and to CSV. Prints min, median and max in ms over the given runs.
//   statistics_bench [runs]
#include "bench_support.h"
#include "services/help_links.h"
#include "services/table_export.h"
#include "statistics/statistics_window.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <algorithm>
#include <cstdio>

using namespace orvalen;
using namespace orvalen::bench;

namespace {

class NoLauncher final : public Launcher {
public:
    bool openWithDesktop(const QString&) override { return true; }
    bool startDetached(const QString&, const QStringList&) override { return true; }
};

bool fill(const QString& path, int rows)
{
    if (!createDeskData(path))
        return false;
    Database db;
    if (!db.open(path, databasePassword()))
        return false;
    Transaction tx(db);
    Statement insert(db, QStringLiteral("INSERT INTO timesum (set_time, use_time, out_time, pause_time, filename) "
                                        "VALUES (?, ?, ?, ?, ?)"));
    for (int i = 0; i < rows; ++i) {
        insert.reset();
        insert.bindText(1, QStringLiteral("00:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')));
        insert.bindText(2, QStringLiteral("00:04:%1").arg(i % 60, 2, 10, QLatin1Char('0')));
        insert.bindText(3, QStringLiteral("00:00:12"));
        insert.bindText(4, QStringLiteral("00:01:00"));
        insert.bindText(5, QStringLiteral("第%1位发言人 2026-12-09 10:00:00").arg(i + 1));
        if (!insert.run())
            return false;
    }
    return tx.commit();
}

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms (%zu runs)\n", what, ms.front(), median(ms), ms.back(),
                ms.size());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    SystemClock clock;
    QtTimerFactory timers;
    BenchProgram program(clock, timers);
    NoLauncher launcher;
    if (!fill(program.folder() + QStringLiteral("DeskData.db"), 10000)) {
        std::fprintf(stderr, "could not fill DeskData.db\n");
        return 1;
    }

    // In the program the display window is up before this window opens, so
    // Qt's fonts and the X connection are ready; a first window sets them up here.
    {
        QListWidget warmUp;
        warmUp.addItem(QStringLiteral("统计 001 03:00:00"));
        warmUp.show();
        QCoreApplication::processEvents();
    }

    std::vector<double> open, xlsx, csv;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        StatisticsWindow window(program.context, launcher);
        window.show();
        QCoreApplication::processEvents();
        open.push_back(t.nsecsElapsed() / 1e6);
        if (window.lines().size() != 10000) {
            std::fprintf(stderr, "the window lists %d lines\n", int(window.lines().size()));
            return 1;
        }

        t.restart();
        const ExportTable table = window.model().exportTable();
        if (!writeXlsx(program.folder() + QStringLiteral("sheet1.xlsx"), table, nullptr))
            return 1;
        xlsx.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        if (!writeCsv(program.folder() + QStringLiteral("sheet1.csv"), window.model().exportTable(), nullptr))
            return 1;
        csv.push_back(t.nsecsElapsed() / 1e6);
    }
    report("open the statistics window with 10,000 runs", open);
    report("export 10,000 lines to xlsx", xlsx);
    report("export 10,000 lines to CSV", csv);
    return 0;
}
