#include "stores/ini_store.h"

#include "platform/private_profile.h"

namespace orvalen {

namespace {
constexpr int kBufferChars = 10000;
}

QVariant ini_access(const QString& verb, const QString& file, const QString& section,
                    const QString& key, const QString& value)
{
    if (verb == QLatin1String("readpart")) {
        const QString text = profile::getString(file, section, key, QString(), kBufferChars);
        return text.isEmpty() ? value : text;
    }
    if (verb == QLatin1String("readall")) {
        QString buffer;
        const int n = profile::getSection(file, section, &buffer, kBufferChars);
        const QString list = section_to_list(buffer.left(n));
        return list.isEmpty() ? value : list;
    }
    if (verb == QLatin1String("write"))
        return int(profile::writeString(file, section, key, value.isNull() ? QStringLiteral("") : value));
    if (verb == QLatin1String("delpart"))
        return int(profile::writeString(file, section, key, QString()));
    if (verb == QLatin1String("delall"))
        return int(profile::deleteSection(file, section));
    return QVariant();
}

QString section_to_list(const QString& buffer)
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
    // Only blanks are trimmed, as the text's own Trim does.
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
    return ini_access(QStringLiteral("readpart"), m_file, section, key, fallback).toString();
}

bool IniStore::write(const QString& section, const QString& key, const QString& value) const
{
    return ini_access(QStringLiteral("write"), m_file, section, key, value).toInt() != 0;
}

bool IniStore::remove(const QString& section, const QString& key) const
{
    return ini_access(QStringLiteral("delpart"), m_file, section, key, QString()).toInt() != 0;
}

QString IniStore::readAll(const QString& section, const QString& fallback) const
{
    return ini_access(QStringLiteral("readall"), m_file, section, QString(), fallback).toString();
}

bool IniStore::removeSection(const QString& section) const
{
    return ini_access(QStringLiteral("delall"), m_file, section, QString(), QString()).toInt() != 0;
}

} // namespace orvalen
