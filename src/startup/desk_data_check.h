#pragma once
#include <QList>
#include <QString>

namespace orvalen {

struct AppContext;
class ProgramFolder;

// What keeps DeskData.db of the folder from being used, as one message that
// names the file and the cause; empty when it can be read and written.
QString deskDataProblem(const ProgramFolder& folder);

// A save that failed while the program started, held back until the check
// below.
struct FailedSave {
    QString path;
    QString error;
};

// Run once after the display's first frame (the key derivation of the
// database is slow): shows the message above and the saves that failed while
// starting together in one notice (a full disk under the program folder is
// named once for all of them), then writes the statistics rows that waited
// for the database (or plans a retry).
void checkDeskData(AppContext& context, const QList<FailedSave>& failedSaves = {});

} // namespace orvalen
