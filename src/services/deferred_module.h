#pragma once
#include "services/network_probes.h"
#include "services/sound_player.h"

#include <QtGlobal>
#include <memory>

namespace orvalen {

class TimerFactory;

// Qt Multimedia and Qt Network are not linked into the program, whose start
// would load them, and the sound, codec and Kerberos libraries under them,
// before the first frame: they come with the deferred module next to the
// executable, loaded after the first frame or on first use.
// Loads the module (once); false, logged once, when it cannot be loaded.
bool load_deferred_module();
// One of the module's functions; nullptr when the module or the function
// is missing.
QFunctionPointer deferred_function(const char* name);

// The module's sound backend, made on the first sound. Without the module
// the sounds are silent and the run goes on.
class DeferredSoundBackend final : public SoundBackend {
public:
    DeferredSoundBackend();
    ~DeferredSoundBackend() override;

    void playTrack(const QString& path) override;
    void stopTrack(const QString& path) override;
    void playWave(const QString& path) override;
    void playWaveLoop(const QString& path) override;
    void stopWave() override;

private:
    SoundBackend* backend();

    std::unique_ptr<SoundBackend> m_backend;
    bool m_tried = false;
};

// The module's network probes (QtNetworkProbes), made on the first probe.
// Without the module every probe answers "not reached" / no date, on the
// event loop like the real ones.
class DeferredNetworkProbes final : public NetworkProbes {
public:
    explicit DeferredNetworkProbes(TimerFactory& timers);
    ~DeferredNetworkProbes() override;
    void ping_host(const QString& hosts, std::function<void(bool)> done) override;
    void fetch_web_date(const QUrl& address, std::function<void(WebDate)> done) override;

private:
    NetworkProbes* probes();

    TimerFactory& m_timers;
    std::unique_ptr<NetworkProbes> m_probes;
    bool m_tried = false;
};

} // namespace orvalen
