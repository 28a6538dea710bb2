#include "platform/private_profile.h"

#include "platform/file_stamp.h"
#include "platform/save_file.h"
#include "platform/settings_text.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <memory>

namespace orvalen::profile {

namespace {

// One INI file as lines, kept exactly as they were so that a rewrite changes
// only the line it means to change.
struct ProfileText {
    bool exists = false;
    bool readable = true;   // false: the file is there but could not be read
    bool hadBom = false;
    bool cleanText = true;  // false: some bytes could not be decoded
    QString newline = QStringLiteral("\n");
    QStringList lines;      // without their line ends
};

// The section name of a "[name]" line, or a null text for other lines.
QString section_name(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return QString();
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

bool is_comment(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(u';');
}

// Key and value of a "key=value" line; false for other lines.
bool split_entry(const QString& line, QString* key, QString* value)
{
    if (is_comment(line))
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty() || key->startsWith(u'['))
        return false;
    QString v = line.mid(eq + 1).trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    *value = v;
    return true;
}


struct Section {
    qsizetype header = 0;
    qsizetype end = 0;
    QHash<QString, qsizetype> keys; // folded key name -> line of its first entry
};

// A file as read, with its first sections and their first keys hashed by
// their folded names (names match without regard to case).
struct Profile {
    FileStamp stamp;
    ProfileText text;
    QHash<QString, Section> sections;

    const Section* section(const QString& name) const
    {
        const auto it = sections.constFind(name.trimmed().toCaseFolded());
        return it == sections.constEnd() ? nullptr : &it.value();
    }
    qsizetype key(const Section& s, const QString& name) const
    {
        return s.keys.value(name.trimmed().toCaseFolded(), -1);
    }
};

using ProfilePtr = std::shared_ptr<const Profile>;

std::shared_ptr<Profile> indexed(ProfileText text, const FileStamp& stamp)
{
    auto p = std::make_shared<Profile>();
    p->stamp = stamp;
    p->text = std::move(text);
    const QStringList& lines = p->text.lines;
    Section* current = nullptr; // null inside a repeated section: only the first counts
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = section_name(lines.at(i));
        if (!name.isNull()) {
            if (current)
                current->end = i;
            const QString folded = name.toCaseFolded();
            if (p->sections.contains(folded)) {
                current = nullptr;
            } else {
                current = &p->sections[folded];
                current->header = i;
            }
            continue;
        }
        QString k, v;
        if (current && split_entry(lines.at(i), &k, &v)) {
            const QString folded = k.toCaseFolded();
            if (!current->keys.contains(folded))
                current->keys.insert(folded, i);
        }
    }
    if (current)
        current->end = lines.size();
    return p;
}

ProfileText decode(const QByteArray& bytes)
{
    ProfileText p;
    p.exists = true;
    const QString text = decodeSettingsText(bytes, &p.cleanText, &p.hadBom);
    const qsizetype firstLf = text.indexOf(u'\n');
    if (firstLf > 0 && text.at(firstLf - 1) == u'\r')
        p.newline = QStringLiteral("\r\n");
    p.lines = text.split(u'\n');
    if (text.isEmpty() || text.endsWith(u'\n'))
        p.lines.removeLast(); // the empty text after the final line end
    for (QString& line : p.lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return p;
}

// Every file is read once and kept; it is read again only when its stamp
// shows that it changed on disk.
QMutex g_cacheMutex;
QHash<QString, ProfilePtr> g_cache;

void remember(const QString& path, ProfilePtr profile)
{
    QMutexLocker lock(&g_cacheMutex);
    if (!profile) {
        g_cache.remove(path);
        return;
    }
    if (g_cache.size() >= 64 && !g_cache.contains(path))
        g_cache.clear(); // a bound for processes that touch many files (tests)
    g_cache.insert(path, std::move(profile));
}

ProfilePtr load(const QString& path)
{
    const FileStamp stamp = FileStamp::of(path);
    {
        QMutexLocker lock(&g_cacheMutex);
        const auto it = g_cache.constFind(path);
        if (it != g_cache.constEnd() && it.value()->stamp == stamp)
            return it.value();
    }
    ProfileText text;
    if (stamp.exists) {
        QFile file(path);
        QByteArray bytes;
        const bool ok = file.open(QIODevice::ReadOnly) && (bytes = file.readAll(), file.error() == QFileDevice::NoError);
        if (ok) {
            text = decode(bytes);
            if (!text.cleanText)
                qWarning().noquote() << path << "holds bytes that are not text: they read as \uFFFD, "
                                                "and the file is not written back";
        } else {
            text.exists = true;
            text.readable = false;
        }
    }
    ProfilePtr profile = indexed(std::move(text), stamp);
    // An unreadable file is tried again at the next access.
    if (profile->text.readable)
        remember(path, profile);
    return profile;
}

bool store(const QString& path, ProfileText text, QString* error, SaveReport report)
{
    if (text.exists && !text.cleanText) {
        const QString why = QStringLiteral("%1 含有无法识别的字节，为免损坏不予改写").arg(path);
        if (error)
            *error = why;
        if (report == SaveReport::Once)
            reportSaveFailure(path, why);
        return false;
    }
    QString all;
    for (const QString& line : text.lines) {
        all += line;
        all += text.newline;
    }
    QByteArray bytes = all.toUtf8();
    if (text.hadBom)
        bytes.prepend("\xEF\xBB\xBF");
    if (!saveFile(path, bytes, error, report)) {
        remember(path, nullptr);
        return false;
    }
    text.exists = true;
    remember(path, indexed(std::move(text), FileStamp::of(path)));
    return true;
}

bool has_line_break(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

QString getString(const QString& file, const QString& section, const QString& key,
                  const QString& fallback, int bufferChars)
{
    const ProfilePtr p = load(file);
    const Section* s = p->text.readable ? p->section(section) : nullptr;
    const qsizetype at = s ? p->key(*s, key) : -1;
    if (at < 0)
        return fallback;
    QString k, v;
    split_entry(p->text.lines.at(at), &k, &v);
    if (bufferChars > 0 && v.size() > bufferChars - 1)
        v.truncate(qMax(0, bufferChars - 1));
    return v;
}

int getSection(const QString& file, const QString& section, QString* buffer, int bufferChars)
{
    QString out;
    const ProfilePtr p = load(file);
    if (const Section* s = p->text.readable ? p->section(section) : nullptr) {
        for (qsizetype i = s->header + 1; i < s->end; ++i) {
            QString k, v;
            if (!split_entry(p->text.lines.at(i), &k, &v))
                continue;
            out += k + u'=' + v + QChar(u'\0');
        }
    }
    // The buffer keeps room for the terminator of the list.
    const int room = qMax(0, bufferChars - 2);
    if (out.size() > room)
        out.truncate(room);
    if (buffer)
        *buffer = out;
    return int(out.size());
}

namespace {

bool breaks_structure(const Change& c)
{
    return c.section.trimmed().isEmpty() || c.key.trimmed().isEmpty() || has_line_break(c.section)
        || c.section.contains(u']') || has_line_break(c.key) || c.key.contains(u'=')
        || has_line_break(c.value);
}

// Applies one change to `p`; a line added or removed indexes the text again.
// `undo` (optional) gets the change that puts back what was there.
void apply(std::shared_ptr<Profile>& p, const Change& c, bool* changed, QList<Change>* undo)
{
    const bool deleting = c.value.isNull();
    const Section* s = p->section(c.section);
    const qsizetype at = s ? p->key(*s, c.key) : -1;
    QString k, old;
    if (at >= 0)
        split_entry(p->text.lines.at(at), &k, &old);
    if (deleting && at < 0)
        return;
    if (undo)
        undo->prepend({c.section, c.key, at < 0 ? QString() : (old.isNull() ? QStringLiteral("") : old)});
    ProfileText& text = p->text;
    if (at >= 0 && !deleting) {
        const QString line = k + u'=' + c.value;
        if (line == text.lines.at(at))
            return;
        text.lines[at] = line; // the same lines: the index stays right
        *changed = true;
        return;
    }
    *changed = true;
    if (deleting) {
        text.lines.removeAt(at);
    } else if (!s) {
        text.lines << u'[' + c.section.trimmed() + u']' << c.key.trimmed() + u'=' + c.value;
    } else {
        // After the section's last non-blank line, before any blank lines.
        qsizetype insertAt = s->end;
        while (insertAt > s->header + 1 && text.lines.at(insertAt - 1).trimmed().isEmpty())
            --insertAt;
        text.lines.insert(insertAt, c.key.trimmed() + u'=' + c.value);
    }
    p = indexed(std::move(text), p->stamp);
}

} // namespace

namespace {

bool write_changes(const QString& file, const QList<Change>& changes, QString* error, QList<Change>* undo,
                   SaveReport report)
{
    if (undo)
        undo->clear();
    for (const Change& c : changes) {
        if (breaks_structure(c)) {
            if (error)
                *error = QStringLiteral("“%1”不能写入 %2").arg(c.value, file);
            return false; // would break the file's structure
        }
    }
    const ProfilePtr loaded = load(file);
    if (!loaded->text.readable) {
        if (error)
            *error = QStringLiteral("%1 无法读取").arg(file);
        return false; // never replace a file we could not read
    }
    auto edited = std::make_shared<Profile>(*loaded);
    bool changed = false;
    for (const Change& c : changes)
        apply(edited, c, &changed, undo);
    if (!changed)
        return true;
    return store(file, std::move(edited->text), error, report);
}

} // namespace

bool writeStrings(const QString& file, const QList<Change>& changes, QString* error, QList<Change>* undo)
{
    return write_changes(file, changes, error, undo, SaveReport::ByCaller);
}

bool writeString(const QString& file, const QString& section, const QString& key, const QString& value)
{
    return write_changes(file, {{section, key, value}}, nullptr, nullptr, SaveReport::Once);
}

bool deleteSection(const QString& file, const QString& section)
{
    const ProfilePtr p = load(file);
    if (!p->text.exists)
        return true;
    if (!p->text.readable)
        return false;
    const Section* s = p->section(section);
    if (!s)
        return true;
    ProfileText text = p->text;
    text.lines.erase(text.lines.begin() + s->header, text.lines.begin() + s->end);
    return store(file, std::move(text), nullptr, SaveReport::Once);
}

} // namespace orvalen::profile
