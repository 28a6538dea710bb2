#pragma once
#include <QString>
#include <QStringList>

namespace orvalen {

// The folder that holds every data file of the program: TimeData.db,
// DeskData.db, help.chm, sounds/, picture/. It is the executable's folder
// unless --program-folder DIR or ORVALEN_HOME names another.
class ProgramFolder {
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString& dir);

    // Chooses the folder from the command line, then ORVALEN_HOME, then the
    // executable's folder.
    static ProgramFolder fromEnvironment(const QStringList& arguments);

    // The folder with exactly one trailing "/".
    QString path() const { return m_path; }
    // path() + name, with no lookup.
    QString file(const QString& name) const { return m_path + name; }
    // Finds a file (or a relative path such as "sounds/alarm.wav") inside the
    // folder without regard to letter case; "\" in the name counts as "/".
    // Returns the existing path, or an empty text when there is none or when
    // the name tries to leave the folder (".." or an absolute path).
    QString resolve(const QString& relativeName) const;
    bool exists(const QString& relativeName) const { return !resolve(relativeName).isEmpty(); }

private:
    QString m_path;
};

} // namespace orvalen
