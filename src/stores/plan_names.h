#pragma once
#include <QString>

namespace orvalen {

class Database;
class ProgramFolder;

// What a plan-name lookup found. A database that cannot be read is an error
// of its own: it never passes for "taken" or "free". NoLibrary: SQLCipher
// cannot be loaded, and the error names the library.
enum class NameLookup { Free, Taken, DatabaseError, NoLibrary };

// Whether no deskclock row has this clockname (letter case ignored, as the
// column compares). On DatabaseError *error (when given) says why.
NameLookup clockNameIsFree(Database& db, const QString& name, QString* error = nullptr);
// The same on DeskData.db of the program folder, opened for this one lookup.
NameLookup clockNameIsFree(const ProgramFolder& folder, const QString& name, QString* error = nullptr);

} // namespace orvalen
