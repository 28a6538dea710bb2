#pragma once
#include <QObject>

class QSocketNotifier;

namespace orvalen {

// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, a kill, Ctrl+C) while
// the object lives: each is announced by stopRequested() from the event
// loop, so the program closes the way its exit item closes it. The handler
// only writes one byte to a socket pair; the event loop reads it. The
// system's own handling is back once the object goes. One object at a time.
class StopSignals final : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // False when the signals could not be taken over (logged); they then
    // end the program as the system does.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void stopRequested();

private:
    void readSignal();

    int m_fds[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace orvalen
