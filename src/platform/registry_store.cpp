#include "platform/registry_store.h"

#include "platform/file_stamp.h"
#include "platform/save_file.h"
#include "platform/settings_text.h"

#include <QDir>
#include <QFile>
#include <QDebug>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

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

// The values in file order, with a hash of their folded names.
struct Entries {
    std::vector<Entry> list;
    QHash<QString, size_t> index;

    qsizetype find(const QString& name) const
    {
        const auto it = index.constFind(name.toCaseFolded());
        return it == index.constEnd() ? -1 : qsizetype(it.value());
    }
    void put(Entry entry)
    {
        const qsizetype at = find(entry.name);
        if (at < 0) {
            index.insert(entry.name.toCaseFolded(), list.size());
            list.push_back(std::move(entry));
        } else {
            entry.name = list[size_t(at)].name; // the stored spelling stays
            list[size_t(at)] = std::move(entry);
        }
    }
    bool drop(const QString& name)
    {
        const qsizetype at = find(name);
        if (at < 0)
            return false;
        list.erase(list.begin() + at);
        index.remove(name.toCaseFolded());
        for (auto it = index.begin(); it != index.end(); ++it) {
            if (it.value() > size_t(at))
                --it.value();
        }
        return true;
    }
};

// The lines of the file. Each line is read as UTF-8 or, when it is not, as
// GB18030 (a line written on a Chinese Windows system), so that a damaged
// byte costs only its own line: a line that is neither comes back null. A
// UTF-16 file (as the Windows registry editor exports) is read whole.
QStringList split_lines(const QByteArray& bytes)
{
    QStringList lines;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        bool clean = false;
        lines = decodeSettingsText(bytes, &clean).split(u'\n');
        for (QString& line : lines) {
            if (line.isNull())
                line = QStringLiteral("");
        }
    } else {
        qsizetype from = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        while (from <= bytes.size()) {
            qsizetype to = bytes.indexOf('\n', from);
            if (to < 0)
                to = bytes.size();
            const QByteArray raw = bytes.mid(from, to - from);
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString line = utf8.decode(raw);
            if (utf8.hasError()) {
                QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
                line = gb.isValid() ? gb.decode(raw) : QString();
                if (!gb.isValid() || gb.hasError())
                    line = QString();
            }
            lines << (raw.isEmpty() ? QStringLiteral("") : line);
            from = to + 1;
        }
    }
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// What one line inside the program's key holds.
enum class LineKind { Value, Deletion, Unreadable };
struct ValueLine {
    LineKind kind = LineKind::Unreadable;
    const char* why = "";
};

// The typed value after "=" at `pos` of line `n`; raw bytes may run on over
// the next lines, and `n` moves to the last line they take.
ValueLine readValue(const QStringList& lines, qsizetype& n, const QString& line, qsizetype pos, Entry* entry)
{
    const QString rest = line.mid(pos);
    if (rest.startsWith(u'"')) {
        qsizetype vpos = pos;
        if (!unescape(line, vpos, &entry->value.text) || !line.mid(vpos).trimmed().isEmpty())
            return {LineKind::Unreadable, "a text that is not closed"};
        entry->value.type = RegistryStore::Type::String;
        return {LineKind::Value};
    }
    if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString hex = rest.mid(6).trimmed();
        bool ok = hex.size() >= 1 && hex.size() <= 8;
        for (QChar c : hex)
            ok = ok && is_hex(c);
        if (!ok)
            return {LineKind::Unreadable, "not a 32-bit value"};
        entry->value.type = RegistryStore::Type::Dword;
        entry->value.dword = qint32(quint32(hex.toUInt(nullptr, 16)));
        return {LineKind::Value};
    }
    if (rest == QLatin1String("-"))
        return {LineKind::Deletion};
    if (!rest.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return {LineKind::Unreadable, "a value of unknown form"};
    // raw bytes or another typed value: kept, read as another type
    entry->value.type = RegistryStore::Type::Other;
    entry->rawText = lines.at(n).trimmed();
    while (entry->rawText.endsWith(u'\\')) {
        if (n + 1 >= lines.size() || lines.at(n + 1).trimmed().isEmpty())
            return {LineKind::Unreadable, "raw bytes cut off"};
        entry->rawText += u'\n' + lines.at(++n);
    }
    return {LineKind::Value};
}

// A `"name"=value` or `@=value` line (trimmed) of line `n`.
ValueLine readValueLine(const QStringList& lines, qsizetype& n, const QString& line, Entry* entry)
{
    qsizetype pos = 0;
    if (line.startsWith(u'@'))
        pos = 1;
    else if (!line.startsWith(u'"') || !unescape(line, pos, &entry->name))
        return {LineKind::Unreadable, "no quoted value name"};
    while (pos < line.size() && line.at(pos).isSpace())
        ++pos;
    if (pos >= line.size() || line.at(pos) != u'=')
        return {LineKind::Unreadable, "no \"=\" after the name"};
    ++pos;
    while (pos < line.size() && line.at(pos).isSpace())
        ++pos;
    return readValue(lines, n, line, pos, entry);
}

// Reads every value it can; a line it cannot read is skipped and counted.
int parse(const QByteArray& bytes, Entries* entries, const QString& path)
{
    const QStringList lines = split_lines(bytes);
    int skipped = 0;
    const auto skip = [&](qsizetype n, const char* why) {
        if (++skipped <= 10)
            qWarning().noquote() << path << "line" << n + 1 << "is skipped:" << why << lines.at(n).left(40);
    };
    bool seenContent = false;
    bool inKey = false;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (lines.at(n).isNull()) {
            skip(n, "not UTF-8 text");
            continue;
        }
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (!seenContent) {
            seenContent = true;
            if (line.compare(kHeader, Qt::CaseInsensitive) == 0
                || line.compare(QLatin1String("Windows Registry Editor Version 5.00"), Qt::CaseInsensitive) == 0)
                continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inKey = line.compare(kKey, Qt::CaseInsensitive) == 0;
            if (!inKey)
                skip(n, "a key this program does not use");
            continue;
        }
        if (!inKey) {
            skip(n, "outside the program's key");
            continue;
        }
        Entry entry;
        const qsizetype first = n;
        const ValueLine read = readValueLine(lines, n, line, &entry);
        if (read.kind == LineKind::Unreadable)
            skip(first, read.why);
        else if (read.kind == LineKind::Deletion)
            entries->drop(entry.name);
        else
            entries->put(std::move(entry));
    }
    return skipped;
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
    FileStamp stamp; // the file as last read or written
    Entries entries;
    // The file is there but could not be read: it must not be overwritten,
    // so writes fail.
    bool blocked = false;
    // Lines of the file that could not be read; the first write keeps the
    // file aside before it replaces it.
    int skippedLines = 0;
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
    // Read once and kept; read again only when the file changed on disk, so
    // several stores on one file always agree.
    State& s = *m_state;
    const FileStamp stamp = FileStamp::of(m_path);
    if (s.loaded && stamp == s.stamp)
        return s;
    const QString setAside = s.setAside;
    s = State{};
    s.setAside = setAside;
    s.stamp = stamp;
    if (!stamp.exists) {
        s.loaded = true;
        return s;
    }
    QFile file(m_path);
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly) || (bytes = file.readAll(), file.error() != QFileDevice::NoError)) {
        s.blocked = true; // never replace what could not be read; try again next time
        return s;
    }
    s.loaded = true;
    s.skippedLines = parse(bytes, &s.entries, m_path);
    return s;
}

bool RegistryStore::commit(State next, QString* error, SaveReport report)
{
    const QFileInfo info(m_path);
    if (next.skippedLines > 0 && next.stamp.exists) {
        // The new file leaves out the lines that could not be read: the
        // file as it was is kept aside first, once.
        const QString copy = copyAsideAsBad(m_path);
        if (copy.isEmpty()) {
            reportSaveFailure(m_path, QStringLiteral("%1 无法另存备份，未改写").arg(m_path));
            return false;
        }
        m_state->setAside = copy;
        m_state->skippedLines = 0;
        next.setAside = copy;
    }
    const QByteArray bytes = serialize(next.entries.list);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("无法创建文件夹 %1").arg(info.absolutePath());
        m_state->loaded = false;
        return false;
    }
    if (!saveFile(m_path, bytes, error, report)) {
        m_state->loaded = false; // read the file again next time
        return false;
    }
    next.loaded = true;
    next.blocked = false;
    next.skippedLines = 0;
    next.stamp = FileStamp::of(m_path);
    *m_state = std::move(next);
    return true;
}

std::optional<RegistryStore::Value> RegistryStore::read(const QString& name) const
{
    const State& s = current();
    const qsizetype at = s.entries.find(name);
    if (at < 0)
        return std::nullopt;
    return s.entries.list[size_t(at)].value;
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
    for (const Entry& e : current().entries.list)
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

bool RegistryStore::writeValues(const std::vector<std::pair<QString, Value>>& values, QString* error,
                                SaveReport report)
{
    const State& s = current();
    if (s.blocked) {
        if (error)
            *error = QStringLiteral("%1 无法读取，未改写").arg(m_path);
        return false;
    }
    State next = s;
    for (const auto& [name, value] : values) {
        if (value.type == Type::Other)
            return false;
        next.entries.put(Entry{name, value, QString()});
    }
    return commit(std::move(next), error, report);
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
    bool removed = false;
    for (const QString& name : names)
        removed = next.entries.drop(name) || removed;
    if (!removed)
        return true; // nothing to remove: the file stays as it is
    return commit(std::move(next));
}

QString RegistryStore::setAsideFile() const
{
    return current().setAside;
}

} // namespace orvalen
