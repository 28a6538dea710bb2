#include "stores/cipher_key_cache.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <openssl/evp.h>

namespace orvalen {

namespace {

constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
constexpr int kRounds = 64000;

QMutex g_lock;
QHash<QByteArray, QByteArray>& keys()
{
    static QHash<QByteArray, QByteArray> cache;
    return cache;
}

// The salt followed by the passphrase; empty when the file has no salt.
QByteArray cache_id(const QString& path, const QByteArray& passphrase)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray salt = file.read(kSaltBytes);
    return salt.size() == kSaltBytes ? salt + passphrase : QByteArray();
}

} // namespace

QByteArray cached_raw_key(const QString& path, const QByteArray& passphrase)
{
    const QByteArray id = cache_id(path, passphrase);
    if (id.isEmpty())
        return {};
    QMutexLocker locked(&g_lock);
    const auto found = keys().constFind(id);
    if (found != keys().constEnd())
        return *found;
    unsigned char key[kKeyBytes];
    if (PKCS5_PBKDF2_HMAC_SHA1(passphrase.constData(), int(passphrase.size()),
                               reinterpret_cast<const unsigned char*>(id.constData()), kSaltBytes, kRounds,
                               kKeyBytes, key) != 1)
        return {};
    const QByteArray raw = "x'" + QByteArray(reinterpret_cast<const char*>(key), kKeyBytes).toHex() + "'";
    keys().insert(id, raw);
    return raw;
}

void forget_raw_key(const QString& path, const QByteArray& passphrase)
{
    const QByteArray id = cache_id(path, passphrase);
    QMutexLocker locked(&g_lock);
    keys().remove(id);
}

} // namespace orvalen
