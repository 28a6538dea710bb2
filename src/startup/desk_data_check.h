#pragma once
#include <QString>

namespace orvalen {

struct AppContext;
class ProgramFolder;

// What keeps DeskData.db of the folder from being used, as one message that
// names the file and the cause; empty when it can be read and written.
QString desk_data_problem(const ProgramFolder& folder);

// Run once after the display's first frame (the key derivation of the
// database is slow): shows the message above when there is one, then writes
// the statistics rows that waited for the database (or plans a retry).
void check_desk_data(AppContext& context);

} // namespace orvalen
