#pragma once
#include <QString>

namespace orvalen {

// Turns a section buffer of NUL-separated key=value entries into one
// comma-separated line.
QString section_to_list(const QString& buffer);

// One INI file, normally ProgramFolder::file("TimeData.db"). Reads give the
// caller's fallback when the stored text is empty or absent.
class IniStore {
public:
    IniStore() = default;
    explicit IniStore(QString file) : m_file(std::move(file)) {}
    QString file() const { return m_file; }
    // The stored text, or fallback when absent or empty.
    QString read(const QString& section, const QString& key, const QString& fallback) const;
    // True on success.
    bool write(const QString& section, const QString& key, const QString& value);
    // Removes the key; a missing file is not created.
    bool remove(const QString& section, const QString& key);
    // The section as "k=v,k2=v2", or fallback when it is empty.
    QString readAll(const QString& section, const QString& fallback) const;
    // Removes the whole section.
    bool removeSection(const QString& section);

private:
    QString m_file;
};

} // namespace orvalen
