#include "platform/registry_store.h"

#include "platform/save_file.h"
#include "platform/settings_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvalen {

namespace {

const QString kHeader = QStringLiteral("REGEDIT4");
const QString kKey = QStringLiteral("[HKEY_CURRENT_USER\\Vantoria]");

struct Entry {
    QString name;
    RegistryStore::Value value;
    QString rawText; // the file text of a value of another type, kept as it is
};

bool is_hex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QString escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (u == u'"') {
            out += QStringLiteral("\\\"");
        } else if (u == u'\n') {
            out += QStringLiteral("\\n");
        } else if (u == u'\r') {
            out += QStringLiteral("\\r");
        } else if (u == u'\t') {
            out += QStringLiteral("\\t");
        } else if (u < 0x20 || u == 0x7F || (c.isHighSurrogate() && !(i + 1 < text.size() && text.at(i + 1).isLowSurrogate()))
                   || (c.isLowSurrogate() && !(i > 0 && text.at(i - 1).isHighSurrogate()))) {
            // control characters and lone surrogate halves (not valid UTF-8)
            out += QStringLiteral("\\x") + QString::number(u, 16).rightJustified(4, u'0');
        } else {
            out += c;
        }
    }
    out += u'"';
    return out;
}

// Reads a quoted text starting at line[pos] == '"'; pos ends after the
// closing quote. False when the quote is not closed.
bool unescape(const QString& line, qsizetype& pos, QString* out)
{
    out->clear();
    ++pos;
    while (pos < line.size()) {
        const QChar c = line.at(pos);
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c == u'\\' && pos + 1 < line.size()) {
            const QChar e = line.at(pos + 1);
            pos += 2;
            switch (e.unicode()) {
            case u'\\': *out += u'\\'; break;
            case u'"': *out += u'"'; break;
            case u'n': *out += u'\n'; break;
            case u'r': *out += u'\r'; break;
            case u't': *out += u'\t'; break;
            case u'0': *out += QChar(u'\0'); break;
            case u'x':
                if (pos + 4 <= line.size() && is_hex(line.at(pos)) && is_hex(line.at(pos + 1))
                    && is_hex(line.at(pos + 2)) && is_hex(line.at(pos + 3))) {
                    *out += QChar(char16_t(line.mid(pos, 4).toUShort(nullptr, 16)));
                    pos += 4;
                } else {
                    *out += u'\\';
                    *out += e;
                }
                break;
            default: // an unknown escape is read as it stands
                *out += u'\\';
                *out += e;
            }
            continue;
        }
        *out += c;
        ++pos;
    }
    return false;
}

qsizetype find_entry(const std::vector<Entry>& entries, const QString& name)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return qsizetype(i);
    }
    return -1;
}

void put(std::vector<Entry>& entries, Entry entry)
{
    const qsizetype at = find_entry(entries, entry.name);
    if (at < 0) {
        entries.push_back(std::move(entry));
    } else {
        entry.name = entries[size_t(at)].name; // the stored spelling stays
        entries[size_t(at)] = std::move(entry);
    }
}

void drop(std::vector<Entry>& entries, const QString& name)
{
    const qsizetype at = find_entry(entries, name);
    if (at >= 0)
        entries.erase(entries.begin() + at);
}

bool parse(const QString& text, std::vector<Entry>* entries)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    bool seenContent = false;
    bool inKey = false;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (!seenContent) {
            seenContent = true;
            if (line.compare(kHeader, Qt::CaseInsensitive) == 0
                || line.compare(QLatin1String("Windows Registry Editor Version 5.00"), Qt::CaseInsensitive) == 0)
                continue;
        }
        if (line.startsWith(u'[')) {
            if (line.compare(kKey, Qt::CaseInsensitive) != 0)
                return false;
            inKey = true;
            continue;
        }
        if (!inKey)
            return false;
        // "name"=... or @=...
        Entry entry;
        qsizetype pos = 0;
        if (line.startsWith(u'@')) {
            pos = 1;
        } else if (line.startsWith(u'"')) {
            if (!unescape(line, pos, &entry.name))
                return false;
        } else {
            return false;
        }
        while (pos < line.size() && line.at(pos).isSpace())
            ++pos;
        if (pos >= line.size() || line.at(pos) != u'=')
            return false;
        ++pos;
        while (pos < line.size() && line.at(pos).isSpace())
            ++pos;
        const QString rest = line.mid(pos);
        if (rest.startsWith(u'"')) {
            qsizetype vpos = pos;
            if (!unescape(line, vpos, &entry.value.text) || !line.mid(vpos).trimmed().isEmpty())
                return false;
            entry.value.type = RegistryStore::Type::String;
        } else if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            const QString hex = rest.mid(6).trimmed();
            bool ok = hex.size() >= 1 && hex.size() <= 8;
            for (QChar c : hex)
                ok = ok && is_hex(c);
            if (!ok)
                return false;
            entry.value.type = RegistryStore::Type::Dword;
            entry.value.dword = qint32(quint32(hex.toUInt(nullptr, 16)));
        } else if (rest == QLatin1String("-")) {
            drop(*entries, entry.name); // a deletion line
            continue;
        } else if (rest.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
            // raw bytes or another typed value: kept, read as another type
            entry.value.type = RegistryStore::Type::Other;
            entry.rawText = lines.at(n).trimmed();
            while (entry.rawText.endsWith(u'\\')) {
                if (n + 1 >= lines.size() || lines.at(n + 1).trimmed().isEmpty())
                    return false; // cut off in the middle
                entry.rawText += u'\n' + lines.at(++n);
            }
        } else {
            return false;
        }
        put(*entries, std::move(entry));
    }
    return true;
}

QByteArray serialize(const std::vector<Entry>& entries)
{
    QString text = kHeader + QStringLiteral("\n\n") + kKey + u'\n';
    for (const Entry& e : entries) {
        switch (e.value.type) {
        case RegistryStore::Type::String:
            text += escape(e.name) + u'=' + escape(e.value.text) + u'\n';
            break;
        case RegistryStore::Type::Dword:
            text += escape(e.name) + QStringLiteral("=dword:")
                + QString::number(quint32(e.value.dword), 16).rightJustified(8, u'0') + u'\n';
            break;
        case RegistryStore::Type::Other:
            text += e.rawText + u'\n';
            break;
        }
    }
    return text.toUtf8();
}

} // namespace

struct RegistryStore::State {
    bool loaded = false;
    bool exists = false;
    QByteArray bytes; // the file as last read or written
    std::vector<Entry> entries;
    // The file is there but could not be read or moved aside: it must not be
    // overwritten, so writes fail.
    bool blocked = false;
    QString setAside;
};

RegistryStore::RegistryStore(QString filePath)
    : m_path(std::move(filePath)), m_state(std::make_unique<State>()) {}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::defaultPath()
{
    const QString overridePath = qEnvironmentVariable("ORVALEN_REGISTRY");
    if (!overridePath.isEmpty())
        return overridePath;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/Vantoria/registry.reg");
}

const RegistryStore::State& RegistryStore::current() const
{
    // The file is small: it is read on every access, and parsed again only
    // when its bytes changed, so several stores on one file always agree.
    State& s = *m_state;
    QFile file(m_path);
    const bool exists = file.exists();
    QByteArray bytes;
    bool readOk = true;
    if (exists) {
        readOk = file.open(QIODevice::ReadOnly);
        if (readOk) {
            bytes = file.readAll();
            readOk = file.error() == QFileDevice::NoError;
        }
    }
    if (s.loaded && readOk && exists == s.exists && bytes == s.bytes)
        return s;
    const QString setAside = s.setAside;
    s = State{};
    s.loaded = true;
    s.setAside = setAside;
    s.exists = exists;
    s.bytes = bytes;
    if (!exists)
        return s;
    if (!readOk) {
        // Never replace what could not be read.
        s.loaded = false;
        s.blocked = true;
        return s;
    }
    bool clean = false;
    const QString text = decode_settings_text(bytes, &clean);
    if (clean && parse(text, &s.entries))
        return s;
    s.entries.clear();
    const QString moved = keep_aside_as_bad(m_path);
    if (moved.isEmpty()) {
        s.blocked = true;
        return s;
    }
    s.setAside = moved;
    s.exists = false;
    s.bytes.clear();
    return s;
}

bool RegistryStore::commit(State next)
{
    const QFileInfo info(m_path);
    const QByteArray bytes = serialize(next.entries);
    if (!QDir().mkpath(info.absolutePath()) || !save_file(m_path, bytes)) {
        m_state->loaded = false; // read the file again next time
        return false;
    }
    next.loaded = true;
    next.blocked = false;
    next.exists = true;
    next.bytes = bytes;
    *m_state = std::move(next);
    return true;
}

std::optional<RegistryStore::Value> RegistryStore::read(const QString& name) const
{
    const State& s = current();
    const qsizetype at = find_entry(s.entries, name);
    if (at < 0)
        return std::nullopt;
    return s.entries[size_t(at)].value;
}

std::optional<QString> RegistryStore::readText(const QString& name) const
{
    const auto v = read(name);
    if (!v || v->type != Type::String)
        return std::nullopt;
    return v->text;
}

std::optional<qint32> RegistryStore::readDword(const QString& name) const
{
    const auto v = read(name);
    if (!v || v->type != Type::Dword)
        return std::nullopt;
    return v->dword;
}

QStringList RegistryStore::names() const
{
    QStringList out;
    for (const Entry& e : current().entries)
        out << e.name;
    return out;
}

bool RegistryStore::writeText(const QString& name, const QString& text)
{
    return writeValues({{name, Value::ofText(text)}});
}

bool RegistryStore::writeDword(const QString& name, qint32 value)
{
    return writeValues({{name, Value::ofDword(value)}});
}

bool RegistryStore::write(const QString& name, int type, const QString& text)
{
    if (type == int(Type::String))
        return writeText(name, text);
    if (type == int(Type::Dword)) {
        bool ok = false;
        const qint64 v = text.trimmed().toLongLong(&ok);
        if (!ok || v < qint64(INT32_MIN) || v > qint64(UINT32_MAX))
            return false;
        return writeDword(name, qint32(quint32(v)));
    }
    return false; // a type the store cannot write is a failure, not success
}

bool RegistryStore::writeValues(const std::vector<std::pair<QString, Value>>& values)
{
    const State& s = current();
    if (s.blocked)
        return false;
    State next = s;
    for (const auto& [name, value] : values) {
        if (value.type == Type::Other)
            return false;
        put(next.entries, Entry{name, value, QString()});
    }
    return commit(std::move(next));
}

bool RegistryStore::remove(const QString& name)
{
    return removeValues({name});
}

bool RegistryStore::removeValues(const QStringList& names)
{
    const State& s = current();
    if (s.blocked)
        return false;
    State next = s;
    const size_t before = next.entries.size();
    for (const QString& name : names)
        drop(next.entries, name);
    if (next.entries.size() == before)
        return true; // nothing to remove: the file stays as it is
    return commit(std::move(next));
}

QString RegistryStore::setAsideFile() const
{
    return current().setAside;
}

} // namespace orvalen
