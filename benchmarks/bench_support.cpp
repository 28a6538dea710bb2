#include "bench_support.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <sys/resource.h>

namespace orvalen::bench {

namespace {

QString make_folder(const QTemporaryDir& dir)
{
    const QString folder = dir.path() + QStringLiteral("/program/");
    QDir().mkpath(folder + QStringLiteral("sounds"));
    QDir().mkpath(folder + QStringLiteral("picture"));
    QFile(folder + QStringLiteral("TimeData.db")).open(QIODevice::WriteOnly);
    return folder;
}

} // namespace

BenchProgram::BenchProgram(Clock& clock, TimerFactory& timers)
    : ini(std::make_unique<IniStore>(make_folder(dir) + QStringLiteral("TimeData.db"))),
      registry(std::make_unique<RegistryStore>(dir.path() + QStringLiteral("/registry.reg"))),
      context(ProgramFolder(folder()), *ini, *registry, notifier, clock, timers)
{
}

double cpu_seconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return (values[(n - 1) / 2] + values[n / 2]) / 2;
}

} // namespace orvalen::bench
