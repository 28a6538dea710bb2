#include "startup/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QWindow>

namespace orvalen {

namespace {

// From the event loop: waits until the window system has drawn what was
// painted so far (one round trip), then queues `then` behind the events that
// came meanwhile.
void whenDrawn(std::function<void()> then)
{
    QMetaObject::invokeMethod(qApp, [then = std::move(then)]() mutable {
        QGuiApplication::sync();
        QMetaObject::invokeMethod(qApp, std::move(then), Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

// Lives on the window until its first exposure, then hands the call on and
// goes.
class FirstExposure final : public QObject {
public:
    FirstExposure(QWindow* window, std::function<void()> then) : QObject(window), m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            // The exposure paints the window after this filter, before the
            // queued call runs.
            whenDrawn(std::move(m_then));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void afterFirstFrame(QWindow* window, std::function<void()> then)
{
    if (window && !window->isExposed())
        new FirstExposure(window, std::move(then));
    else
        whenDrawn(std::move(then));
}

} // namespace orvalen
