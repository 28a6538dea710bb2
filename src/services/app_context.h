#pragma once
#include "platform/program_folder.h"

namespace orvalen {

class Clock;
class Notifier;
class RegistryStore;
class TimerFactory;
class IniStore;
class SoundPlayer;

// What every window and engine part is handed at construction instead of
// reaching for globals. The program fills it in main(); tests fill it with
// fakes and a temporary program folder.
struct AppContext {
    AppContext(ProgramFolder folder, IniStore& ini, RegistryStore& registry, Notifier& notifier, Clock& clock,
               TimerFactory& timers);

    ProgramFolder folder;
    IniStore& ini;           // TimeData.db of the folder
    RegistryStore& registry; // the per-user value store
    Notifier& notifier;
    Clock& clock;
    TimerFactory& timers;

    // The stage sounds: silent until the program sets its player.
    SoundPlayer& sound() const { return *m_sound; }
    void setSound(SoundPlayer& player) { m_sound = &player; }
    void silenceSound();

private:
    SoundPlayer* m_sound;
};

} // namespace orvalen
