#include "startup/start_notices.h"

#include "platform/notifier.h"
#include "platform/save_file.h"
#include "startup/open_windows.h"

#include <QMetaObject>

namespace orvalen {

StartNotices::StartNotices(Notifier& notifier) : m_notifier(notifier)
{
    setSaveFailureHandler([this](const QString& path, const QString& error) {
        QMetaObject::invokeMethod(&m_receiver, [this, path, error] {
            if (m_startFailures)
                m_startFailures->append({path, error});
            else
                m_notifier.notice(QStringLiteral("无法保存 %1：%2").arg(path, error), Notifier::Icon::Warning);
        }, Qt::QueuedConnection);
    });
}

StartNotices::~StartNotices()
{
    setSaveFailureHandler({});
}

void StartNotices::deskDataReady(AppContext& context, ProgramWindows* windows, std::function<void()> then)
{
    if (windows)
        windows->deskDataReady();
    // What the windows failed to save comes as queued calls: the check is
    // queued behind them, so they join its notice.
    QMetaObject::invokeMethod(&m_receiver, [this, &context, then = std::move(then)] {
        if (!m_startFailures)
            return;
        const QList<FailedSave> failed = std::move(*m_startFailures);
        m_startFailures.reset();
        checkDeskData(context, failed);
        if (then)
            then();
    }, Qt::QueuedConnection);
}

} // namespace orvalen
