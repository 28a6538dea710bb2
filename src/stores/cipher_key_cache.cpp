#include "stores/cipher_key_cache.h"

#include "platform/worker_call.h"
#include "stores/sqlcipher_library.h"

#include <QHash>
#include <QMutex>
#include <QPromise>

namespace orvalen {

namespace {

constexpr int kKeyBytes = 32;
constexpr int kRounds = 64000;

// The keys derived or under way, by salt and passphrase.
QMutex g_lock;
QHash<QByteArray, QFuture<QByteArray>>& keys()
{
    static QHash<QByteArray, QFuture<QByteArray>> cache;
    return cache;
}

// The slow part: pure computation, on any thread.
QByteArray deriveRawKey(const QByteArray& salt, const QByteArray& passphrase)
{
    const SqlcipherLibrary* library = sqlcipherLibrary();
    if (!library)
        return {};
    unsigned char key[kKeyBytes];
    if (library->pbkdf2HmacSha1(passphrase.constData(), int(passphrase.size()),
                                reinterpret_cast<const unsigned char*>(salt.constData()), kCipherSaltBytes, kRounds,
                                kKeyBytes, key) != 1)
        return {};
    return "x'" + QByteArray(reinterpret_cast<const char*>(key), kKeyBytes).toHex() + "'";
}

QFuture<QByteArray> finished(const QByteArray& key)
{
    QPromise<QByteArray> promise;
    promise.start();
    promise.addResult(key);
    promise.finish();
    return promise.future();
}

} // namespace

QByteArray cachedRawKey(const QByteArray& salt, const QByteArray& passphrase)
{
    if (salt.size() != kCipherSaltBytes)
        return {};
    const QByteArray id = salt + passphrase;
    QMutexLocker locked(&g_lock);
    const auto found = keys().constFind(id);
    if (found != keys().constEnd()) {
        const QFuture<QByteArray> key = *found;
        locked.unlock();
        return key.result(); // waits while the worker derives it
    }
    const QByteArray raw = deriveRawKey(salt, passphrase);
    if (!raw.isEmpty())
        keys().insert(id, finished(raw));
    return raw;
}

QFuture<QByteArray> deriveRawKeyAhead(const QByteArray& salt, const QByteArray& passphrase)
{
    if (salt.size() != kCipherSaltBytes)
        return finished({});
    const QByteArray id = salt + passphrase;
    QMutexLocker locked(&g_lock);
    const auto found = keys().constFind(id);
    if (found != keys().constEnd())
        return *found;
    const QFuture<QByteArray> key = onWorkerThread([salt, passphrase, id] {
        const QByteArray raw = deriveRawKey(salt, passphrase);
        if (raw.isEmpty()) {
            // Nothing to keep: the next open derives it again.
            QMutexLocker forget(&g_lock);
            keys().remove(id);
        }
        return raw;
    });
    keys().insert(id, key);
    return key;
}

void forgetRawKey(const QByteArray& salt, const QByteArray& passphrase)
{
    QMutexLocker locked(&g_lock);
    keys().remove(salt + passphrase);
}

} // namespace orvalen
