#pragma once
#include <QApplication>
#include <QTimer>
#include <functional>

namespace orvalen::test {

// Acts on the next modal window of type T once it shows, from inside its own
// event loop.
template <typename T>
void when_shown(std::function<void(T*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(window);
    });
    poll->start();
}

} // namespace orvalen::test
