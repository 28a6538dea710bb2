#include "startup/stop_signals.h"

#include <QDebug>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <sys/socket.h>
#include <unistd.h>

namespace orvalen {

namespace {

constexpr std::array<int, 3> kStopSignals{SIGTERM, SIGINT, SIGHUP};

// Where the signals stand: noted for a listener to come, noted for the
// listening object, or ignored once it went.
enum class Listening : sig_atomic_t { NotYet, Now, NoMore };

// The socket pair the handler writes to and the event loop reads from; it
// lives as long as the process. -1 until the signals are caught.
int g_fds[2] = {-1, -1};
volatile sig_atomic_t g_writeEnd = -1;
volatile sig_atomic_t g_listening = sig_atomic_t(Listening::NotYet);

// Async-signal-safe only: one write, errno kept for the code it interrupted.
void onStopSignal(int)
{
    const int savedErrno = errno;
    const int fd = g_writeEnd;
    if (fd >= 0 && g_listening != sig_atomic_t(Listening::NoMore)) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

void drainSignals()
{
    char bytes[16];
    while (::read(g_fds[0], bytes, sizeof bytes) > 0) {
    }
}

} // namespace

void catchStopSignals()
{
    static bool caught = false;
    if (std::exchange(caught, true))
        return;
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_fds) != 0) {
            qWarning().noquote() << "The stop signals cannot be taken over:" << std::strerror(errno);
            g_fds[0] = g_fds[1] = -1;
            return;
        }
        g_writeEnd = g_fds[1];
        struct sigaction action {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int number : kStopSignals) {
            if (::sigaction(number, &action, nullptr) != 0)
                qWarning().noquote() << "Signal" << number << "cannot be taken over:" << std::strerror(errno);
        }
    }
}

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    catchStopSignals();
    if (g_fds[0] < 0)
        return;
    g_listening = sig_atomic_t(Listening::Now);
    m_notifier = new QSocketNotifier(g_fds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignal);
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    // The handlers stay: a signal from now on is ignored instead of ending
    // the program while it closes down.
    g_listening = sig_atomic_t(Listening::NoMore);
    delete m_notifier;
    drainSignals();
}

void StopSignals::readSignal()
{
    drainSignals();
    qInfo("A stop signal came: the program closes.");
    emit stopRequested();
}

} // namespace orvalen
