#pragma once
#include <QFuture>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <type_traits>

namespace orvalen {

// Runs `work` on a thread of the global thread pool and returns the future
// of its result; a QFutureWatcher on it tells the caller's event loop when it
// is done. The application object waits for the pool when it goes, so no
// work outlives it.
template <typename Work>
QFuture<std::invoke_result_t<Work>> onWorkerThread(Work work)
{
    using Result = std::invoke_result_t<Work>;
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        if constexpr (std::is_void_v<Result>)
            work();
        else
            promise->addResult(work());
        promise->finish();
    });
    return future;
}

} // namespace orvalen
