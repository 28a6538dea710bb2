#include "timing/global_hotkeys.h"

#include "platform/hotkey_backend.h"
#include "platform/logged_call.h"
#include "platform/notifier.h"
#include "platform/private_profile.h"
#include "services/app_context.h"
#include "services/hotkey_keys.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"
#include "state/run_state.h"
#include "timing/run_commands.h"

#include <QDebug>
#include <QFileInfo>
#include <array>

namespace orvalen {
namespace {

const QString kCR = QStringLiteral("\r");
constexpr int kMaxPlanHotkeys = 9;
constexpr int kUnavailableNoticeMs = 5000;

// The hotkey text of a key of section Hotkey, trimmed; *absent when the key
// is not in the file at all (which means no hotkey, like "无").
QString readKeyText(const IniStore& ini, const QString& key, bool* absent)
{
    *absent = true;
    if (!QFileInfo::exists(ini.file()))
        return QString();
    const QString marker = QStringLiteral("\x01absent");
    *absent = profile::getString(ini.file(), time_data::kHotkey, key, marker) == marker;
    return ini.read(time_data::kHotkey, key, QString()).trimmed();
}

} // namespace

GlobalHotkeys::GlobalHotkeys(AppContext& ctx, HostState& host, RunCommands& commands, HotkeyBackend& backend)
    : m_ctx(ctx), m_host(host), m_commands(commands), m_backend(backend)
{
    m_backend.onPressed = [this](int id) { runLogged("hotkey", [this, id] { runHotkey(id); }); };
}

GlobalHotkeys::~GlobalHotkeys()
{
    m_backend.onPressed = nullptr;
    releaseHotkeys();
}

void GlobalHotkeys::registerHotkeys()
{
    // Registering over a registration would leave stale grabs behind; start
    // from nothing every time.
    releaseHotkeys();
    m_installed = true;
    m_unavailable = false;
    m_unusable.clear();
    QVector<WantedKey> keys;
    addCommandKeys(keys);
    addPlanKeys(keys);
    grabKeys(keys);
    reportUnusableKeys();
}

void GlobalHotkeys::planListRead()
{
    if (!m_installed || !m_planKeysWaiting)
        return;
    m_unavailable = false;
    m_unusable.clear();
    QVector<WantedKey> keys;
    addPlanKeys(keys);
    grabKeys(keys);
    reportUnusableKeys();
}

void GlobalHotkeys::addCommandKeys(QVector<WantedKey>& wanted)
{
    const QString* const keys[3] = {&time_data::kStart, &time_data::kStop, &time_data::kPause};
    std::array<QString, 3> shownTexts;
    for (int i = 0; i < 3; ++i) {
        bool absent = true;
        const QString text = readKeyText(m_ctx.ini, *keys[i], &absent);
        shownTexts[std::size_t(i)] = text == time_data::kHotkeyNone ? QString() : text;
        if (i == 1 && startAlsoStops())
            continue;
        const HotkeyText parsed = parseHotkeyText(text);
        if (parsed.kind == HotkeyText::Kind::Invalid || (parsed.kind == HotkeyText::Kind::None && text.isEmpty() && !absent)) {
            // A text that names no key is not a hotkey: logged (once per
            // text), with no message box holding up the display.
            const QString entry = QStringLiteral("%1=%2").arg(*keys[i], text);
            if (!m_namesNoKeyLogged.contains(entry)) {
                m_namesNoKeyLogged.insert(entry);
                qWarning().noquote() << "Hotkey" << entry << "names no key; nothing is registered for it";
            }
            continue;
        }
        if (parsed.kind == HotkeyText::Kind::Valid && parsed.keyCode > 0)
            wanted << WantedKey{{i + 1, parsed.modifiers, parsed.keyCode}, text,
                                i == 2 ? Kind::Pause : Kind::StartStop};
    }
    // The menu items of the three commands show their keys.
    m_host.menus.setHotkeyTexts(shownTexts);
}

void GlobalHotkeys::addPlanKeys(QVector<WantedKey>& wanted)
{
    m_planKeysWaiting = false;
    // Plan hotkeys need a modifier: bare digits would be taken from every
    // program on the desktop. And only plans that exist get one.
    if (!planHotkeysEnabled(m_ctx.ini))
        return;
    const QString prefix = planHotkeyPrefix(m_ctx.ini);
    if (prefix.isEmpty()) {
        qWarning() << "Plan hotkeys are switched on without Ctrl or Alt; none are registered";
        return;
    }
    if (!m_plans)
        return;
    // Asking for the plan count reads the saved plans; at program start that
    // waits for the key of DeskData.db, which is derived after the first
    // frame. The plan hotkeys come once the plans are read.
    if (m_plans->planListWaiting()) {
        m_planKeysWaiting = true;
        return;
    }
    const int plans = qBound(0, m_plans->planCount(), kMaxPlanHotkeys);
    m_planCount = plans;
    for (int keypad = 0; keypad < 2; ++keypad) {
        for (int i = 1; i <= plans; ++i) {
            const QString text = prefix + (keypad ? QStringLiteral("Num ") : QString()) + QString::number(i);
            if (const int keyCode = hotkeyKeyCode(text); keyCode > 0)
                wanted << WantedKey{{3 + keypad * plans + i, hotkeyModifiers(text), keyCode}, text, Kind::Plan};
        }
    }
}

void GlobalHotkeys::reportUnusableKeys()
{
    if (m_unavailable && !m_unavailableShown) {
        m_unavailableShown = true;
        m_ctx.notifier.notice(QStringLiteral("全局热键不可用：") + m_backend.unavailableReason() + kCR + kCR
                                  + QStringLiteral("可右键单击桌面，执行菜单相应命令"),
                              Notifier::Icon::None, kUnavailableNoticeMs);
    }
    QStringList fresh;
    for (const QString& entry : std::as_const(m_unusable)) {
        if (!m_unusableShown.contains(entry)) {
            m_unusableShown.insert(entry);
            fresh << entry;
        }
    }
    if (!fresh.isEmpty()) {
        m_ctx.notifier.notice(QStringLiteral("热键设置无法识别，未注册：") + kCR + fresh.join(kCR) + kCR + kCR
                              + QStringLiteral("要使用热键请重新设置(设置→系统热键)"));
    }
}

void GlobalHotkeys::grabKeys(const QVector<WantedKey>& keys)
{
    if (keys.isEmpty())
        return;
    QVector<HotkeyBackend::Key> asked;
    for (const WantedKey& wanted : keys)
        asked << wanted.key;
    const QVector<HotkeyBackend::Grab> outcomes = m_backend.grabKeys(asked);
    for (qsizetype i = 0; i < keys.size() && i < outcomes.size(); ++i) {
        switch (outcomes[i]) {
        case HotkeyBackend::Grab::Done:
            break;
        case HotkeyBackend::Grab::HeldElsewhere:
            conflictMessage(keys[i].text, keys[i].kind);
            break;
        case HotkeyBackend::Grab::Unavailable:
            m_unavailable = true;
            break;
        case HotkeyBackend::Grab::Failed:
            m_unusable << keys[i].text;
            break;
        }
    }
}

void GlobalHotkeys::conflictMessage(const QString& keyText, Kind kind)
{
    QString text = QStringLiteral("热键") + keyText + QStringLiteral("被其它程序占有") + kCR + kCR;
    if (kind == Kind::Plan) {
        text += QStringLiteral("请更改热键") + kCR + kCR + QStringLiteral("或右键单击调用");
    } else {
        text += QStringLiteral("请更改热键或关闭其他程序以便设置") + kCR + kCR
            + QStringLiteral("也可右键单击桌面，执行菜单相应命令");
        if (kind == Kind::Pause)
            text += kCR + kCR + QStringLiteral("要使用热键请重新设置(设置→系统热键)");
    }
    m_ctx.notifier.notice(text);
}

void GlobalHotkeys::releaseHotkeys()
{
    m_backend.releaseAll();
    m_installed = false;
    m_planCount = 0;
    m_planKeysWaiting = false;
}

bool GlobalHotkeys::startAlsoStops() const
{
    return startKeyAlsoStops(m_ctx.ini) != 0;
}

void GlobalHotkeys::toggleOr(void (RunCommands::*command)())
{
    if (!startAlsoStops()) {
        (m_commands.*command)();
        return;
    }
    // One key starts and stops: start while the start item can be chosen,
    // stop while a run is on.
    if (!m_host.run.isUnderWay())
        m_commands.startTiming();
    else
        m_commands.stopTiming();
}

bool GlobalHotkeys::runHotkey(int id)
{
    if (!m_installed)
        return false;
    if (m_held)
        return true;
    switch (id) {
    case 1:
        toggleOr(&RunCommands::startTiming);
        return true;
    case 2:
        toggleOr(&RunCommands::stopTiming);
        return true;
    case 3:
        m_commands.pauseTiming();
        return true;
    default:
        break;
    }
    const int n = m_planCount;
    for (int i = 1; i <= n; ++i) {
        if (id == 3 + i || id == 3 + n + i) {
            if (m_plans)
                m_plans->selectPlan(i - 1);
            return true;
        }
    }
    return false;
}

} // namespace orvalen
