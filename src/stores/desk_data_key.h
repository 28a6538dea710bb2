#pragma once
#include "platform/program_folder.h"

#include <QByteArray>
#include <QFutureWatcher>
#include <QObject>

namespace orvalen {

// Gets the key of DeskData.db ready without holding the event loop. SQLCipher
// loads and the key is derived (64,000 rounds of PBKDF2) on a worker thread;
// between the two, the salt it is derived from is read on this thread,
// through a connection without a key that SQLite opens and closes at once.
// ready() comes from the event loop once an open of the file finds its key,
// or once there is none to derive (no file, a new file, no SQLCipher). An
// open before then waits for the derivation under way, never makes its own.
class DeskDataKey final : public QObject {
    Q_OBJECT
public:
    explicit DeskDataKey(ProgramFolder folder, QObject* parent = nullptr);

    // Starts the preparation (once).
    void prepare();

signals:
    void ready();

private:
    void deriveFromSalt();

    ProgramFolder m_folder;
    QFutureWatcher<void> m_library;
    QFutureWatcher<QByteArray> m_key;
    bool m_started = false;
};

} // namespace orvalen
