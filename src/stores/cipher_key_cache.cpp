#include "stores/cipher_key_cache.h"

#include "stores/sqlcipher_library.h"

#include <QHash>
#include <QMutex>

namespace orvalen {

namespace {

constexpr int kKeyBytes = 32;
constexpr int kRounds = 64000;

QMutex g_lock;
QHash<QByteArray, QByteArray>& keys()
{
    static QHash<QByteArray, QByteArray> cache;
    return cache;
}

} // namespace

QByteArray cachedRawKey(const QByteArray& salt, const QByteArray& passphrase)
{
    if (salt.size() != kCipherSaltBytes)
        return {};
    const QByteArray id = salt + passphrase;
    QMutexLocker locked(&g_lock);
    const auto found = keys().constFind(id);
    if (found != keys().constEnd())
        return *found;
    const SqlcipherLibrary* library = sqlcipherLibrary();
    if (!library)
        return {};
    unsigned char key[kKeyBytes];
    if (library->pbkdf2HmacSha1(passphrase.constData(), int(passphrase.size()),
                                reinterpret_cast<const unsigned char*>(salt.constData()), kCipherSaltBytes, kRounds,
                                kKeyBytes, key) != 1)
        return {};
    const QByteArray raw = "x'" + QByteArray(reinterpret_cast<const char*>(key), kKeyBytes).toHex() + "'";
    keys().insert(id, raw);
    return raw;
}

void forgetRawKey(const QByteArray& salt, const QByteArray& passphrase)
{
    QMutexLocker locked(&g_lock);
    keys().remove(salt + passphrase);
}

} // namespace orvalen
