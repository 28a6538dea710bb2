#include "timing/pending_runs_retry.h"

#include "platform/program_folder.h"
#include "stores/pending_runs.h"

#include <QDebug>
#include <QPointer>
#include <QTimer>

namespace orvalen {

namespace {

// The owner of the one planned retry; null when none is planned (or its owner went).
QPointer<QObject> g_retryOwner;

} // namespace

void retryPendingRunsLater(QObject* owner, const ProgramFolder& folder, int delayMs)
{
    if (g_retryOwner || !owner)
        return;
    g_retryOwner = owner;
    QTimer::singleShot(delayMs, owner, [owner, folder, delayMs] {
        g_retryOwner = nullptr;
        if (!hasPendingRuns(folder))
            return;
        QString error;
        if (writePendingRuns(folder, {}, &error))
            qInfo("The waiting statistics rows are written now.");
        else
            retryPendingRunsLater(owner, folder, delayMs);
    });
}

} // namespace orvalen
