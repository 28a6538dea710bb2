#include "services/deferred_module.h"

#include "platform/logged_call.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>
#include <QMetaObject>
#include <utility>

namespace orvalen {

namespace {

QLibrary* deferred_library()
{
    static QLibrary* library = [] {
        auto* lib = new QLibrary(QCoreApplication::applicationDirPath() + QStringLiteral("/liborvalen_deferred.so"));
        if (!lib->load())
            qWarning().noquote() << "No sounds, logo video or network time: the deferred module did not load:"
                                 << lib->errorString();
        return lib; // stays loaded until the program ends
    }();
    return library;
}

} // namespace

bool load_deferred_module()
{
    return deferred_library()->isLoaded();
}

QFunctionPointer deferred_function(const char* name)
{
    QLibrary* library = deferred_library();
    return library->isLoaded() ? library->resolve(name) : nullptr;
}

DeferredSoundBackend::DeferredSoundBackend(MakeBackend make) : m_make(std::move(make))
{
    m_thread.setObjectName(QStringLiteral("sound"));
    m_onThread.moveToThread(&m_thread);
}

DeferredSoundBackend::~DeferredSoundBackend()
{
    if (!m_thread.isRunning())
        return;
    // The backend goes on the thread that made it; the thread ends after
    // every call queued before.
    QMetaObject::invokeMethod(&m_onThread, [this, home = QThread::currentThread()] {
        m_backend.reset();
        m_onThread.moveToThread(home);
        QThread::currentThread()->quit();
    }, Qt::QueuedConnection);
    m_thread.wait();
}

SoundBackend* DeferredSoundBackend::backend()
{
    if (!std::exchange(m_tried, true)) {
        if (m_make) {
            m_backend = m_make();
        } else {
            using Make = SoundBackend* (*)();
            if (const auto make = reinterpret_cast<Make>(deferred_function("orvalen_make_sound_backend")))
                m_backend.reset(make());
        }
    }
    return m_backend.get();
}

void DeferredSoundBackend::post(std::function<void(SoundBackend&)> call)
{
    if (!m_thread.isRunning())
        m_thread.start();
    QMetaObject::invokeMethod(&m_onThread, [this, call = std::move(call)] {
        if (SoundBackend* b = backend())
            run_logged("sound", [&] { call(*b); });
    }, Qt::QueuedConnection);
}

void DeferredSoundBackend::warm()
{
    post([](SoundBackend& b) { b.warm(); });
}

void DeferredSoundBackend::playTrack(const QString& path)
{
    post([path](SoundBackend& b) { b.playTrack(path); });
}

// Nothing plays before the first sound: a stop loads nothing.
void DeferredSoundBackend::stopTrack(const QString& path)
{
    if (m_thread.isRunning())
        post([path](SoundBackend& b) { b.stopTrack(path); });
}

void DeferredSoundBackend::playWave(const QString& path)
{
    post([path](SoundBackend& b) { b.playWave(path); });
}

void DeferredSoundBackend::playWaveLoop(const QString& path)
{
    post([path](SoundBackend& b) { b.playWaveLoop(path); });
}

void DeferredSoundBackend::stopWave()
{
    if (m_thread.isRunning())
        post([](SoundBackend& b) { b.stopWave(); });
}

DeferredNetworkProbes::DeferredNetworkProbes(TimerFactory& timers) : m_timers(timers) {}
DeferredNetworkProbes::~DeferredNetworkProbes() = default;

NetworkProbes* DeferredNetworkProbes::probes()
{
    if (!std::exchange(m_tried, true)) {
        using Make = NetworkProbes* (*)(TimerFactory&);
        if (const auto make = reinterpret_cast<Make>(deferred_function("orvalen_make_network_probes")))
            m_probes.reset(make(m_timers));
    }
    return m_probes.get();
}

void DeferredNetworkProbes::ping_host(const QString& hosts, std::function<void(bool)> done)
{
    if (NetworkProbes* p = probes()) {
        p->ping_host(hosts, std::move(done));
        return;
    }
    QMetaObject::invokeMethod(qApp, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
}

void DeferredNetworkProbes::fetch_web_date(const QUrl& address, std::function<void(WebDate)> done)
{
    if (NetworkProbes* p = probes()) {
        p->fetch_web_date(address, std::move(done));
        return;
    }
    QMetaObject::invokeMethod(qApp, [done = std::move(done)] {
        done({QDateTime(), QStringLiteral("the deferred module did not load")});
    }, Qt::QueuedConnection);
}

} // namespace orvalen
