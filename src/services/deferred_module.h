#pragma once
#include "services/network_probes.h"
#include "services/sound_player.h"

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

namespace orvalen {

class DeferredParts;
class TimerFactory;

// Qt Multimedia and Qt Network are not linked into the program, whose start
// would load them, and the sound, codec and Kerberos libraries under them,
// before the first frame: they come with the deferred module, a plugin next
// to the executable, loaded after the first frame or on first use.
// The module's parts, loaded once; nullptr, logged once, when the module
// cannot be loaded.
DeferredParts* deferredParts();
// Loads the module (once); false when it cannot be loaded.
bool loadDeferredModule();

// The module's sound backend, on a sound thread of its own: every call
// returns at once and runs there in order, so that setting up the audio
// output or a decoder (hundreds of milliseconds without a sound server)
// never holds up the display. The backend is made by warm() or on the first
// sound; a stop before any sound loads nothing. Without the module the
// sounds are silent and the run goes on.
class DeferredSoundBackend final : public SoundBackend {
public:
    using MakeBackend = std::function<std::unique_ptr<SoundBackend>()>;
    // `make` runs on the sound thread; by default it asks the module.
    explicit DeferredSoundBackend(MakeBackend make = {});
    ~DeferredSoundBackend() override;

    void playTrack(const QString& path) override;
    void stopTrack(const QString& path) override;
    void playWave(const QString& path) override;
    void playWaveLoop(const QString& path) override;
    void stopWave() override;
    void warm() override;

private:
    // Queues `call` on the sound thread (started by the first play or
    // warm()), with the backend made first when it is not there yet.
    void post(std::function<void(SoundBackend&)> call);
    SoundBackend* backend(); // on the sound thread

    MakeBackend m_make;
    QThread m_thread;
    QObject m_onThread; // lives on the sound thread; queued calls go to it
    std::unique_ptr<SoundBackend> m_backend; // used on the sound thread only
    bool m_tried = false;                    // sound thread only
};

// The module's network probes (QtNetworkProbes), made on the first probe.
// Without the module every probe answers "not reached" / no date, on the
// event loop like the real ones.
class DeferredNetworkProbes final : public NetworkProbes {
public:
    explicit DeferredNetworkProbes(TimerFactory& timers);
    ~DeferredNetworkProbes() override;
    void pingHost(const QString& hosts, std::function<void(bool)> done) override;
    void fetchWebDate(const QUrl& address, std::function<void(WebDate)> done) override;

private:
    NetworkProbes* probes();

    TimerFactory& m_timers;
    std::unique_ptr<NetworkProbes> m_probes;
    bool m_tried = false;
};

} // namespace orvalen
