#include "stores/desk_data_key.h"

#include "platform/worker_call.h"
#include "stores/cipher_key_cache.h"
#include "stores/database.h"
#include "stores/sqlcipher_library.h"

namespace orvalen {

DeskDataKey::DeskDataKey(ProgramFolder folder, QObject* parent) : QObject(parent), m_folder(std::move(folder))
{
    connect(&m_library, &QFutureWatcher<void>::finished, this, &DeskDataKey::deriveFromSalt);
    connect(&m_key, &QFutureWatcher<QByteArray>::finished, this, &DeskDataKey::ready);
}

void DeskDataKey::prepare()
{
    if (std::exchange(m_started, true))
        return;
    m_library.setFuture(onWorkerThread([] { sqlcipherLibrary(); }));
}

void DeskDataKey::deriveFromSalt()
{
    m_key.setFuture(deriveRawKeyAhead(deskDataSalt(m_folder), databasePassword().toUtf8()));
}

} // namespace orvalen
