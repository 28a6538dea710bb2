#include "startup/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWindow>

namespace orvalen {

namespace {

// Lives on the window until its first exposure, then queues the call and
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
            // The exposure paints the window after this filter: the call
            // comes after the frame.
            QMetaObject::invokeMethod(qApp, std::move(m_then), Qt::QueuedConnection);
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
        QMetaObject::invokeMethod(qApp, std::move(then), Qt::QueuedConnection);
}

} // namespace orvalen
