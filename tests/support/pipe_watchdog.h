#pragma once
#include <QFile>
#include <QString>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <unistd.h>

namespace orvalen::test {

// Runs `check` on another thread and waits a bounded time for it. A check
// still running then is waiting on the named pipe `fifo`: a writer end is
// opened and closed so that it ends, and `hung` says so; the test fails
// instead of hanging.
template <typename Check>
auto runBesidePipe(const QString& fifo, Check check, bool* hung)
{
    auto result = std::async(std::launch::async, check);
    *hung = result.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
    if (*hung) {
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return result.get();
}

} // namespace orvalen::test
