#pragma once
// What the benchmark programs share: a display host that does nothing, a
// temporary program folder with its stores, and a few figures.
#include "display/display_host.h"
#include "support/quiet_display_host.h"
#include "support/recording_notifier.h"
#include "platform/clock.h"
#include "platform/engine_timer.h"
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "stores/ini_store.h"

#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace orvalen::bench {

using QuietHost = test::QuietDisplayHost;

// A program folder in a temporary directory (with sounds/, picture/ and an
// empty TimeData.db), its ini and registry stores, a notifier that keeps the
// messages and answers Yes, and a context on them with the given clock and
// timers (its sounds are silent).
struct BenchProgram {
    BenchProgram(Clock& clock, TimerFactory& timers);
    QString folder() const { return dir.path() + QStringLiteral("/program/"); }

    QTemporaryDir dir;
    std::unique_ptr<IniStore> ini;
    std::unique_ptr<RegistryStore> registry;
    test::RecordingNotifier notifier;
    AppContext context;
};

// CPU seconds this process has used, user and system.
double cpu_seconds();

// The median of `values` (0 when empty).
double median(std::vector<double> values);

} // namespace orvalen::bench
