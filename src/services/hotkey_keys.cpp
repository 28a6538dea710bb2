#include "services/hotkey_keys.h"

#include "platform/text_path.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <QFileInfo>
#include <QStringList>
#include <vector>

namespace orvalen {
namespace {

const QString kNoHotkey = QStringLiteral("无");

// The sixty key codes of the table.
const std::vector<int> kKeyCodes = [] {
    std::vector<int> codes{13, 32};
    for (int c = 48; c <= 57; ++c)
        codes.push_back(c);
    for (int c = 65; c <= 90; ++c)
        codes.push_back(c);
    for (int c = 96; c <= 105; ++c)
        codes.push_back(c);
    for (int c = 112; c <= 123; ++c)
        codes.push_back(c);
    return codes;
}();

// The numeric value of one character of a flag text: a digit counts its
// value, anything else (or nothing) 0.
int digit_value(const QString& text, int index)
{
    if (index >= text.size())
        return 0;
    const QChar c = text.at(index);
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
}

QString read_hotkey_setting(const IniStore& ini, const QString& key, const QString& fallback, bool* exists)
{
    *exists = QFileInfo::exists(ini.file());
    if (!*exists)
        return QString();
    return ini.read(time_data::kHotkey, key, fallback);
}

} // namespace

int hotkeyModifiers(const QString& text)
{
    QStringList parts = text.split(QLatin1Char('+'));
    parts.removeLast();
    const QString mods = parts.join(QLatin1Char('+'));
    static const QStringList table{QString(), "Alt", "Ctrl", "Ctrl+Alt", "Shift", "Shift+Alt",
                                   "Shift+Ctrl", "Shift+Ctrl+Alt"};
    for (int mask = 1; mask < table.size(); ++mask) {
        if (mods == table.at(mask))
            return mask;
    }
    return 0;
}

int hotkeyKeyCode(const QString& text)
{
    const QString name = text.split(QLatin1Char('+')).last();
    for (int code : kKeyCodes) {
        if (name == hotkeyKeyName(code))
            return code;
    }
    return 0;
}

QString hotkeyKeyName(int code)
{
    if (code == 13)
        return QStringLiteral("Enter");
    if (code == 32)
        return QStringLiteral("Space");
    if ((code >= 48 && code <= 57) || (code >= 65 && code <= 90))
        return QString(QChar(code));
    if (code >= 96 && code <= 105)
        return QStringLiteral("Num ") + QChar('0' + (code - 96));
    if (code >= 112 && code <= 123)
        return QStringLiteral("F") + QString::number(code - 111);
    return QString();
}

HotkeyText parseHotkeyText(const QString& text)
{
    const QString t = text.trimmed();
    HotkeyText out;
    if (t.isEmpty() || t == kNoHotkey)
        return out;
    out.kind = HotkeyText::Kind::Invalid;
    const int code = hotkeyKeyCode(t);
    if (code == 0)
        return out;
    const int mask = hotkeyModifiers(t);
    const bool hasModifierPart = t.contains(QLatin1Char('+'));
    if (mask == 0 && hasModifierPart)
        return out;
    out.kind = HotkeyText::Kind::Valid;
    out.modifiers = mask;
    out.keyCode = code;
    return out;
}

short startKeyAlsoStops(const IniStore& ini)
{
    bool exists = false;
    const QString v = read_hotkey_setting(ini, time_data::kOpenTogetherStop, time_data::kOpenTogetherStopDefault, &exists);
    return exists && leadingNumber(v) != 0 ? 1 : 0;
}

bool planHotkeysEnabled(const IniStore& ini)
{
    bool exists = false;
    const QString v = read_hotkey_setting(ini, time_data::kOften, time_data::kOftenDefault, &exists);
    return exists && digit_value(v, 0) + digit_value(v, 1) > 0;
}

QString planHotkeyPrefix(const IniStore& ini)
{
    bool exists = false;
    const QString v = read_hotkey_setting(ini, time_data::kOften, time_data::kOftenDefault, &exists);
    if (!exists)
        return QString();
    QString prefix;
    if (digit_value(v, 0) == 1)
        prefix = QStringLiteral("Ctrl");
    if (digit_value(v, 1) == 1)
        prefix = prefix.isEmpty() ? QStringLiteral("Alt") : prefix + QStringLiteral("+Alt");
    return prefix.isEmpty() ? prefix : prefix + QLatin1Char('+');
}

} // namespace orvalen
