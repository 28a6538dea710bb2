#pragma once
#include <QString>
#include <QVariant>

namespace orvalen {

// The one dispatcher over the INI file TimeData.db, with the verbs
// "readpart", "readall", "write", "delpart" and "delall" (compared exactly).
// readpart/readall return the value argument when the stored text is empty;
// write/delpart/delall return the platform result (non-zero = success) as int;
// any other verb returns an invalid QVariant and touches nothing.
QVariant ini_access(const QString& verb, const QString& file, const QString& section,
                    const QString& key, const QString& value);

// Turns a section buffer of NUL-separated key=value entries into one
// comma-separated line.
QString section_to_list(const QString& buffer);

// Convenience over ini_access bound to one file (normally
// ProgramFolder::file("TimeData.db")).
class IniStore {
public:
    IniStore() = default;
    explicit IniStore(QString file) : m_file(std::move(file)) {}
    QString file() const { return m_file; }
    // "readpart": the stored text, or fallback when absent or empty.
    QString read(const QString& section, const QString& key, const QString& fallback) const;
    // "write": true on success.
    bool write(const QString& section, const QString& key, const QString& value) const;
    // "delpart": removes the key; a missing file is not created.
    bool remove(const QString& section, const QString& key) const;
    // "readall": the section as "k=v,k2=v2", or fallback when it is empty.
    QString readAll(const QString& section, const QString& fallback) const;
    // "delall": removes the whole section.
    bool removeSection(const QString& section) const;

private:
    QString m_file;
};

} // namespace orvalen
