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
    ProgramFolder folder;
    IniStore* ini = nullptr;           // TimeData.db of the folder
    RegistryStore* registry = nullptr; // the per-user value store
    Notifier* notifier = nullptr;
    Clock* clock = nullptr;
    TimerFactory* timers = nullptr;
    SoundPlayer* sound = nullptr;      // stage sounds
};

} // namespace orvalen
