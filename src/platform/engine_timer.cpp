#include "platform/engine_timer.h"

#include <QTimer>

namespace orvalen {
namespace {

class QtEngineTimer final : public EngineTimer {
public:
    QtEngineTimer()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_timer.isSingleShot()) {
                // A single shot ends; the repeating interval is what the
                // next enable starts.
                m_timer.setSingleShot(false);
                m_timer.setInterval(m_interval);
            }
            fire();
        });
    }
    void setInterval(int ms) override
    {
        m_interval = ms < 0 ? 0 : ms;
        if (!m_timer.isSingleShot())
            m_timer.setInterval(m_interval);
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool on) override
    {
        m_posted = false;
        if (!on) {
            m_timer.stop();
            m_timer.setSingleShot(false);
            m_timer.setInterval(m_interval);
        } else if (!m_timer.isActive()) {
            m_timer.setSingleShot(false);
            m_timer.start(m_interval);
        }
    }
    bool isEnabled() const override { return m_posted || m_timer.isActive(); }
    void startOnce(int delayMs) override
    {
        m_posted = false;
        m_timer.stop();
        m_timer.setSingleShot(true);
        m_timer.start(delayMs < 0 ? 0 : delayMs);
    }

    void post() override
    {
        m_timer.stop();
        m_timer.setSingleShot(false);
        m_timer.setInterval(m_interval);
        m_posted = true;
        const quint64 call = ++m_postCount;
        QMetaObject::invokeMethod(&m_timer, [this, call] {
            // A later post, enable or disable has replaced this call.
            if (!m_posted || call != m_postCount)
                return;
            m_posted = false;
            fire();
        }, Qt::QueuedConnection);
    }

private:
    QTimer m_timer;
    int m_interval = 0;
    bool m_posted = false;
    quint64 m_postCount = 0;
};

} // namespace

std::unique_ptr<EngineTimer> QtTimerFactory::create(const QString&)
{
    return std::make_unique<QtEngineTimer>();
}

} // namespace orvalen
