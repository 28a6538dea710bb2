#pragma once
#include "platform/hotkey_backend.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

namespace orvalen {

struct AppContext;
struct HostState;
class PlanSequence;
class RunCommands;

// The display window's global hotkeys: start (id 1), stop (2) and
// pause/continue (3) from section Hotkey of TimeData.db, and, when key often
// switches them on, one digit and one keypad hotkey per saved plan (at most
// nine): prefix + digit i is id 3 + i and prefix + "Num " + digit i is id
// 3 + n + i, both selecting plan i. A press runs the run command or the plan
// selection at once. While the saved plans wait to be read (program start),
// the plan hotkeys wait with them: planListRead() adds them.
class GlobalHotkeys {
public:
    GlobalHotkeys(AppContext& ctx, HostState& host, RunCommands& commands, HotkeyBackend& backend);
    ~GlobalHotkeys();
    GlobalHotkeys(const GlobalHotkeys&) = delete;
    GlobalHotkeys& operator=(const GlobalHotkeys&) = delete;

    // The plan submenu the plan hotkeys select from (may be null: no plans).
    void setPlanSequence(PlanSequence* plans) { m_plans = plans; }

    // Registers the hotkeys of start, stop and pause, and the plan hotkeys if
    // the saved plans have been read (while the plans wait to be read, the
    // plan hotkeys come with planListRead()), and hands the key texts of
    // start, stop and pause to the menus. Whatever
    // is registered is released first, so it may run any number of times. A
    // key another program holds gets its message; a hotkey text that names no
    // usable key registers nothing and is reported once; without global
    // hotkeys on this desktop one notice says why. The keys of one call are
    // grabbed together.
    void registerHotkeys();
    // The saved plans have been read: the plan hotkeys that waited for them
    // are registered now, together. Does nothing when none wait.
    void planListRead();
    // Releases every hotkey. Harmless when nothing is registered.
    void releaseHotkeys();

    // Runs the command or the plan selection of hotkey `id`; false when the
    // id is not one of ours.
    bool runHotkey(int id);
    // While held (the settings window is open) a press does nothing.
    void setHeld(bool held) { m_held = held; }

private:
    enum class Kind { StartStop, Pause, Plan };
    // A hotkey a registration asks for, with what its messages name.
    struct WantedKey {
        HotkeyBackend::Key key;
        QString text;
        Kind kind = Kind::StartStop;
    };
    void addCommandKeys(QVector<WantedKey>& wanted);
    void addPlanKeys(QVector<WantedKey>& wanted);
    void grabKeys(const QVector<WantedKey>& keys);
    void reportUnusableKeys();
    void conflictMessage(const QString& keyText, Kind kind);
    void toggleOr(void (RunCommands::*command)());
    bool startAlsoStops() const;

    AppContext& m_ctx;
    HostState& m_host;
    RunCommands& m_commands;
    HotkeyBackend& m_backend;
    PlanSequence* m_plans = nullptr;
    bool m_installed = false;
    bool m_held = false;
    int m_planCount = 0;
    bool m_planKeysWaiting = false;      // wanted, but the plans are not read yet
    bool m_unavailable = false;          // this registration found no global hotkeys
    bool m_unavailableShown = false;     // said once for the whole run
    QStringList m_unusable;              // keys of this registration this keyboard cannot grab
    QSet<QString> m_unusableShown;       // keys already reported
    QSet<QString> m_namesNoKeyLogged;    // "key=text" entries that name no key, logged
};

} // namespace orvalen
