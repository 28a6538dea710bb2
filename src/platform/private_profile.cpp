#include "platform/private_profile.h"

#include "platform/save_file.h"
#include "platform/settings_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace orvalen::profile {

namespace {

// One INI file as lines, kept exactly as they were so that a rewrite changes
// only the line it means to change.
struct ProfileText {
    bool exists = false;
    bool readable = true;   // false: the file is there but could not be read
    bool hadBom = false;
    bool cleanText = true;  // false: the bytes were neither UTF-8 nor GB18030
    QString newline = QStringLiteral("\n");
    QStringList lines;      // without their line ends
};

ProfileText load(const QString& path)
{
    ProfileText p;
    QFile file(path);
    if (!file.exists()) {
        p.exists = false;
        return p;
    }
    p.exists = true;
    if (!file.open(QIODevice::ReadOnly)) {
        p.readable = false;
        return p;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        p.readable = false;
        return p;
    }
    const QString text = decode_settings_text(bytes, &p.cleanText, &p.hadBom);
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

bool store(const QString& path, const ProfileText& p)
{
    QString text;
    for (const QString& line : p.lines) {
        text += line;
        text += p.newline;
    }
    QByteArray bytes = text.toUtf8();
    if (p.hadBom)
        bytes.prepend("\xEF\xBB\xBF");
    // Keep an undecodable original aside before replacing it.
    if (p.exists && !p.cleanText && copy_aside_as_bad(path).isEmpty())
        return false;
    return save_file(path, bytes);
}

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

// Line range of the first section with this name: [header, end).
bool find_section(const QStringList& lines, const QString& section, qsizetype* header, qsizetype* end)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = section_name(lines.at(i));
        if (name.isNull() || name.compare(section.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        qsizetype j = i + 1;
        while (j < lines.size() && section_name(lines.at(j)).isNull())
            ++j;
        *header = i;
        *end = j;
        return true;
    }
    return false;
}

qsizetype find_key(const QStringList& lines, qsizetype from, qsizetype to, const QString& key)
{
    const QString wanted = key.trimmed();
    for (qsizetype i = from; i < to; ++i) {
        QString k, v;
        if (split_entry(lines.at(i), &k, &v) && k.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool has_line_break(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

QString getString(const QString& file, const QString& section, const QString& key,
                  const QString& fallback, int bufferChars)
{
    const ProfileText p = load(file);
    qsizetype header = 0, end = 0;
    if (!p.exists || !p.readable || !find_section(p.lines, section, &header, &end))
        return fallback;
    const qsizetype at = find_key(p.lines, header + 1, end, key);
    if (at < 0)
        return fallback;
    QString k, v;
    split_entry(p.lines.at(at), &k, &v);
    if (bufferChars > 0 && v.size() > bufferChars - 1)
        v.truncate(qMax(0, bufferChars - 1));
    return v;
}

int getSection(const QString& file, const QString& section, QString* buffer, int bufferChars)
{
    QString out;
    const ProfileText p = load(file);
    qsizetype header = 0, end = 0;
    if (p.exists && p.readable && find_section(p.lines, section, &header, &end)) {
        for (qsizetype i = header + 1; i < end; ++i) {
            QString k, v;
            if (!split_entry(p.lines.at(i), &k, &v))
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

bool writeString(const QString& file, const QString& section, const QString& key, const QString& value)
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty() || has_line_break(section)
        || section.contains(u']') || has_line_break(key) || key.contains(u'=')
        || has_line_break(value))
        return false; // would break the file's structure
    ProfileText p = load(file);
    if (!p.readable)
        return false; // never replace a file we could not read
    const bool deleting = value.isNull();
    qsizetype header = 0, end = 0;
    const bool haveSection = p.exists && find_section(p.lines, section, &header, &end);
    if (deleting) {
        if (!haveSection)
            return true;
        const qsizetype at = find_key(p.lines, header + 1, end, key);
        if (at < 0)
            return true;
        p.lines.removeAt(at);
        return store(file, p);
    }
    const QString entry = key.trimmed() + u'=' + value;
    if (!haveSection) {
        p.lines << u'[' + section.trimmed() + u']' << entry;
        return store(file, p);
    }
    const qsizetype at = find_key(p.lines, header + 1, end, key);
    if (at >= 0) {
        QString k, v;
        split_entry(p.lines.at(at), &k, &v);
        const QString line = k + u'=' + value;
        if (line == p.lines.at(at))
            return true;
        p.lines[at] = line;
        return store(file, p);
    }
    // After the section's last non-blank line, before any blank lines.
    qsizetype insertAt = end;
    while (insertAt > header + 1 && p.lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    p.lines.insert(insertAt, entry);
    return store(file, p);
}

bool deleteSection(const QString& file, const QString& section)
{
    ProfileText p = load(file);
    if (!p.exists)
        return true;
    if (!p.readable)
        return false;
    qsizetype header = 0, end = 0;
    if (!find_section(p.lines, section, &header, &end))
        return true;
    p.lines.erase(p.lines.begin() + header, p.lines.begin() + end);
    return store(file, p);
}

} // namespace orvalen::profile
