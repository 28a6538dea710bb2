#pragma once
#include "platform/program_folder.h"
#include "stores/database.h"

#include <QString>
#include <utility>

namespace orvalen {

// The one connection of a store to DeskData.db of the program folder (found
// without regard to letter case). It is opened when first needed and kept;
// after a failure, when the file was replaced or removed meanwhile, or when
// it could only read, it is opened afresh.
class DeskDataConnection {
public:
    // NoLibrary: SQLCipher cannot be loaded; the error names the library.
    enum class State { Ready, MissingFile, NoLibrary, Failed };

    explicit DeskDataConnection(ProgramFolder folder);

    const ProgramFolder& folder() const { return m_folder; }
    bool fileExists() const;

    // Makes the connection ready to use; otherwise *error says why.
    State open(QString* error);
    Database& database() { return m_db; }
    // Drops a connection that failed, so the next use opens it afresh.
    void close() { m_db.close(); }

private:
    ProgramFolder m_folder;
    Database m_db;
    std::pair<quint64, quint64> m_fileIdentity{0, 0};
};

} // namespace orvalen
