#include "services/app_context.h"

#include "services/sound_player.h"

#include <utility>

namespace orvalen {
namespace {

class SilentBackend final : public SoundBackend {
public:
    void playTrack(const QString&) override {}
    void stopTrack(const QString&) override {}
    void playWave(const QString&) override {}
    void playWaveLoop(const QString&) override {}
    void stopWave() override {}
};

SoundPlayer& silent_player()
{
    static SilentBackend backend;
    static SoundPlayer player(backend);
    return player;
}

} // namespace

AppContext::AppContext(ProgramFolder folder, IniStore& ini, RegistryStore& registry, Notifier& notifier, Clock& clock,
                       TimerFactory& timers)
    : folder(std::move(folder)), ini(ini), registry(registry), notifier(notifier), clock(clock), timers(timers),
      m_sound(&silent_player())
{
}

void AppContext::silenceSound()
{
    m_sound = &silent_player();
}

} // namespace orvalen
