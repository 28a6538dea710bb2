#include "startup/program_entry.h"

#include "platform/clock.h"
#include "platform/engine_timer.h"
#include "platform/notifier.h"
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "services/deferred_module.h"
#include "startup/first_frame.h"
#include "startup/open_windows.h"
#include "startup/qt_translations.h"
#include "startup/single_instance.h"
#include "startup/start_notices.h"
#include "startup/startup_gate.h"
#include "startup/stop_signals.h"
#include "stores/desk_data_key.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>
#include <cstdio>
#include <utility>

namespace orvalen {

namespace {

// TimeData.db as it is named in the folder, or its usual name when missing.
QString settingsFile(const ProgramFolder& folder)
{
    const QString found = folder.resolve(time_data::kFile);
    return found.isEmpty() ? folder.file(time_data::kFile) : found;
}

// What follows the check of DeskData.db. The deferred module (sounds, logo
// video, network time) loads after it, so that the first sound does not wait
// for it; the sound backend then gets ready on its own thread, so that the
// first sound (the start of a run) finds it set up.
void loadDeferredParts(AppContext& context)
{
    QMetaObject::invokeMethod(qApp, [&context] {
        loadDeferredModule();
        context.sound().backend().warm();
    }, Qt::QueuedConnection);
}

} // namespace

bool startProgram(AppContext& context, const std::function<void()>& openWindows)
{
    // The plan-sequence position never survives a restart. A missing file
    // stays missing, so the file check below still sees it.
    if (context.folder.exists(time_data::kFile))
        IniStore(settingsFile(context.folder)).remove(time_data::kMarquee, time_data::kCurrentRow);
    if (!startupCheck(context.registry, context.folder, context.notifier))
        return false;
    openWindows();
    return true;
}

int runProgram(QApplication& app)
{
    app.setApplicationName(QStringLiteral("Orvalen"));
    app.setApplicationVersion(QStringLiteral("%1.%2").arg(ORVALEN_VERSION_MAJOR).arg(ORVALEN_VERSION_MINOR));
    installQtTranslations(app);

    // Listened for before the program folder is locked: from then on a
    // logout, a shutdown or a kill ends a run as 停止 does (its row is
    // recorded) and closes the program as 退出 does.
    StopSignals stopSignals;

    const ProgramFolder folder = ProgramFolder::fromEnvironment(app.arguments());
    SingleInstance instance(folder.path());
    if (!instance.tryAcquire())
        return 0; // another instance runs: leave at once, silently
    if (!QFileInfo(folder.path()).isDir())
        std::fprintf(stderr, "Orvalen: the program folder %s does not exist.\n",
                     qPrintable(folder.path()));

    RegistryStore registry(RegistryStore::defaultPath());
    IniStore ini(settingsFile(folder));
    MessageBoxNotifier notifier;
    SystemClock clock;
    QtTimerFactory timers;
    AppContext context(folder, ini, registry, notifier, clock, timers);

    // Opening DeskData.db is slow (its key derivation): it is checked after
    // the first frame, with the saves that failed meanwhile.
    StartNotices notices(notifier);
    // Pictures up to 8000 x 8000 load (Qt refuses images over 256 MB).
    QImageReader::setAllocationLimit(1024);

    std::unique_ptr<ProgramWindows> windows;
    // A stop while the start-up still asks something ends that question and
    // closes the windows once they are open. Once the close-down has begun,
    // further stops change nothing. The connection goes before the windows
    // do.
    bool stopBeforeWindows = false;
    bool closingDown = false;
    QObject stopReceiver;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &stopReceiver,
                     [&windows, &stopBeforeWindows, &closingDown] {
        if (std::exchange(closingDown, true))
            return;
        if (windows) {
            windows->closeDown();
            return;
        }
        stopBeforeWindows = true;
        QCoreApplication::quit();
    });
    if (!startProgram(context, [&] { windows = openProgramWindows(context); }))
        return stopBeforeWindows ? 0 : 1;
    if (stopBeforeWindows)
        QMetaObject::invokeMethod(&app, [&windows] { windows->closeDown(); }, Qt::QueuedConnection);
    // The key of DeskData.db is slow to derive: it is derived on a worker
    // thread once the first frame is shown; when it is there, the saved plans
    // are read and DeskData.db is checked, with the saves that failed meanwhile.
    DeskDataKey deskDataKey(folder);
    QObject::connect(&deskDataKey, &DeskDataKey::ready, &deskDataKey, [&context, &notices, &windows] {
        notices.deskDataReady(context, windows.get(), [&context] { loadDeferredParts(context); });
    });
    afterFirstFrame(windows ? windows->shownWindow() : nullptr, [&windows, &deskDataKey] {
        if (windows)
            windows->firstFrameShown();
        deskDataKey.prepare();
    });
    return app.exec();
}

} // namespace orvalen
