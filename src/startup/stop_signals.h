#pragma once
#include <QObject>

class QSocketNotifier;

namespace orvalen {

// Takes SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, a kill, Ctrl+C)
// over for the rest of the process; called first thing in main, so that no
// such signal ends the program the system's way, neither before the program
// listens for them nor while it closes down. A signal that comes before a
// StopSignals object lives is announced once one does; one that comes
// after the object went is ignored (the program closes already). Once is
// enough; later calls do nothing.
void catchStopSignals();

// SIGTERM, SIGINT and SIGHUP while the object lives: each is announced by
// stopRequested() from the event loop, so that the program can end its run
// and close down. The handler only writes one byte to a socket pair; the
// event loop reads it. One object at a time.
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

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace orvalen
