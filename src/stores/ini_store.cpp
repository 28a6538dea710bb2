#include "stores/ini_store.h"

#include "platform/private_profile.h"

namespace orvalen {

namespace {
constexpr int kBufferChars = 10000;
}

QString sectionToList(const QString& buffer)
{
    QString out;
    // The last character ends the last entry and is not looked at.
    for (qsizetype i = 0; i + 1 < buffer.size(); ++i) {
        const QChar c = buffer.at(i);
        if (c == QChar(u'\0')) {
            if (!out.endsWith(u','))
                out += u',';
        } else {
            out += c;
        }
    }
    // Only blanks are trimmed, not tabs or line breaks.
    qsizetype from = 0, to = out.size();
    while (from < to && out.at(from) == u' ')
        ++from;
    while (to > from && out.at(to - 1) == u' ')
        --to;
    out = out.mid(from, to - from);
    if (out.endsWith(u','))
        out.chop(1);
    return out;
}

QString IniStore::read(const QString& section, const QString& key, const QString& fallback) const
{
    const QString text = profile::getString(m_file, section, key, QString(), kBufferChars);
    return text.isEmpty() ? fallback : text;
}

bool IniStore::write(const QString& section, const QString& key, const QString& value)
{
    return profile::writeString(m_file, section, key, value.isNull() ? QStringLiteral("") : value);
}

bool IniStore::remove(const QString& section, const QString& key)
{
    return profile::writeString(m_file, section, key, QString());
}

QString IniStore::readAll(const QString& section, const QString& fallback) const
{
    QString buffer;
    const int n = profile::getSection(m_file, section, &buffer, kBufferChars);
    const QString list = sectionToList(buffer.left(n));
    return list.isEmpty() ? fallback : list;
}

bool IniStore::removeSection(const QString& section)
{
    return profile::deleteSection(m_file, section);
}

IniEdit& IniEdit::write(const QString& section, const QString& key, const QString& value)
{
    m_changes.append({section, key, value.isNull() ? QStringLiteral("") : value});
    return *this;
}

IniEdit& IniEdit::remove(const QString& section, const QString& key)
{
    m_changes.append({section, key, QString()});
    return *this;
}

bool IniEdit::save(QString* error)
{
    if (profile::writeStrings(m_file, m_changes, error, &m_undo))
        return true;
    m_undo.clear();
    return false;
}

IniEdit IniEdit::undo() const
{
    IniEdit back(IniStore{m_file});
    back.m_changes = m_undo;
    return back;
}

} // namespace orvalen
