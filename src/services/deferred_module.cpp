#include "services/deferred_module.h"

#include "platform/logged_call.h"
#include "services/deferred_parts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>
#include <QPluginLoader>
#include <utility>

namespace orvalen {

DeferredParts* deferredParts()
{
    static DeferredParts* const parts = [] () -> DeferredParts* {
        // Stays loaded until the program ends.
        auto* loader = new QPluginLoader(QCoreApplication::applicationDirPath()
                                         + QStringLiteral("/liborvalen_deferred.so"));
        QObject* root = loader->instance();
        if (!root) {
            qWarning().noquote() << "No sounds, logo video or network time: the deferred module did not load:"
                                 << loader->errorString();
            return nullptr;
        }
        // Loaded from the sound thread when a sound comes first: the root
        // object lives on with the program, on its main thread.
        if (QCoreApplication::instance() && root->thread() != QCoreApplication::instance()->thread())
            root->moveToThread(QCoreApplication::instance()->thread());
        auto* found = qobject_cast<DeferredParts*>(root);
        if (!found)
            qWarning().noquote() << "No sounds, logo video or network time:" << loader->fileName()
                                 << "is not the program's deferred module";
        return found;
    }();
    return parts;
}

bool loadDeferredModule()
{
    return deferredParts() != nullptr;
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
        } else if (DeferredParts* parts = deferredParts()) {
            m_backend = parts->makeSoundBackend();
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
            runLogged("sound", [&] { call(*b); });
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
        if (DeferredParts* parts = deferredParts())
            m_probes = parts->makeNetworkProbes(m_timers);
    }
    return m_probes.get();
}

void DeferredNetworkProbes::pingHost(const QString& hosts, std::function<void(bool)> done)
{
    if (NetworkProbes* p = probes()) {
        p->pingHost(hosts, std::move(done));
        return;
    }
    QMetaObject::invokeMethod(qApp, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
}

void DeferredNetworkProbes::fetchWebDate(const QUrl& address, std::function<void(WebDate)> done)
{
    if (NetworkProbes* p = probes()) {
        p->fetchWebDate(address, std::move(done));
        return;
    }
    QMetaObject::invokeMethod(qApp, [done = std::move(done)] {
        done({QDateTime(), QStringLiteral("the deferred module did not load")});
    }, Qt::QueuedConnection);
}

} // namespace orvalen
