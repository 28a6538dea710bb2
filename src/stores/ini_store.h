#pragma once
#include "platform/private_profile.h"

#include <QList>
#include <QString>

namespace orvalen {

// Turns a section buffer of NUL-separated key=value entries into one
// comma-separated line.
QString sectionToList(const QString& buffer);

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

// Several writes to one INI file that are saved together, in one write of
// the file: either all of them land or, when the save fails, none (the file
// and the values read from it stay as they were).
class IniEdit {
public:
    explicit IniEdit(const IniStore& store) : m_file(store.file()) {}
    IniEdit& write(const QString& section, const QString& key, const QString& value);
    IniEdit& remove(const QString& section, const QString& key);
    // Saves the file once. False when it failed: `error` says why, and the
    // caller tells the operator (the failure is only logged here).
    bool save(QString* error = nullptr);
    // After a save, an edit that puts back what it replaced.
    IniEdit undo() const;

private:
    QString m_file;
    QList<profile::Change> m_changes;
    QList<profile::Change> m_undo;
};

} // namespace orvalen
