#pragma once
#include "startup/desk_data_check.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

namespace orvalen {

struct AppContext;
class Notifier;
class ProgramWindows;

// Who tells the operator of a failed save (a full disk, a read-only file)
// while it lives: each failure once per file, after whatever was running has
// returned. While the program starts, failures wait for the check after the
// first frame, which tells them with its own findings in one notice (a full
// disk once for all of them).
class StartNotices {
public:
    explicit StartNotices(Notifier& notifier);
    ~StartNotices();
    StartNotices(const StartNotices&) = delete;
    StartNotices& operator=(const StartNotices&) = delete;

    // Once the key of DeskData.db is there: `windows` reads the saved plans,
    // then DeskData.db is checked and told with every save that failed until
    // then; `then` follows.
    void deskDataReady(AppContext& context, ProgramWindows* windows, std::function<void()> then);

private:
    Notifier& m_notifier;
    std::optional<QList<FailedSave>> m_startFailures = QList<FailedSave>();
    QObject m_receiver; // context of the queued calls
};

} // namespace orvalen
