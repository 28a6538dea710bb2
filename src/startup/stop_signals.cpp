#include "startup/stop_signals.h"

#include <QDebug>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace orvalen {

namespace {

constexpr std::array<int, 3> kStopSignals{SIGTERM, SIGINT, SIGHUP};

// The end of the socket pair the handler writes to; -1 while no object lives.
volatile sig_atomic_t g_writeEnd = -1;

// Async-signal-safe only: one write, errno kept for the code it interrupted.
void onStopSignal(int)
{
    const int savedErrno = errno;
    const int fd = g_writeEnd;
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_fds) != 0) {
        qWarning().noquote() << "The stop signals cannot be taken over:" << std::strerror(errno);
        m_fds[0] = m_fds[1] = -1;
        return;
    }
    g_writeEnd = m_fds[1];
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kStopSignals) {
        if (::sigaction(number, &action, nullptr) != 0)
            qWarning().noquote() << "Signal" << number << "cannot be taken over:" << std::strerror(errno);
    }
    m_notifier = new QSocketNotifier(m_fds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignal);
}

StopSignals::~StopSignals()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : kStopSignals)
        ::sigaction(number, &action, nullptr);
    g_writeEnd = -1;
    delete m_notifier;
    for (const int fd : m_fds) {
        if (fd >= 0)
            ::close(fd);
    }
}

void StopSignals::readSignal()
{
    char bytes[16];
    while (::read(m_fds[0], bytes, sizeof bytes) > 0) {
    }
    qInfo("A stop signal came: the program closes.");
    emit stopRequested();
}

} // namespace orvalen
