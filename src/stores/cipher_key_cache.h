#pragma once
#include <QByteArray>
#include <QFuture>

namespace orvalen {

// SQLCipher derives a file's page key from the passphrase and the file's salt
// (its first 16 bytes) with 64,000 rounds of PBKDF2-HMAC-SHA1 on every open,
// tens of milliseconds each time. This derives it once per salt and
// passphrase for the life of the process and returns it in SQLCipher's raw
// key form ("x'<64 hex digits>'"). Empty when the salt is not 16 bytes long
// (a new or empty file); the caller then keys with the passphrase. While
// deriveRawKeyAhead derives the same key, this waits for it instead of
// deriving it again.
//
// The salt is handed in, never read here: the caller reads it through the
// connection's own descriptor. Opening the database file a second time and
// closing that descriptor would drop every lock the process holds on it.
QByteArray cachedRawKey(const QByteArray& salt, const QByteArray& passphrase);

// Derives the raw key on a worker thread, so that a later cachedRawKey finds
// it; the future finishes with it (empty as above). A key known or under way
// already is not derived again.
QFuture<QByteArray> deriveRawKeyAhead(const QByteArray& salt, const QByteArray& passphrase);

// Forgets the raw key of this salt and passphrase (SQLCipher refused it).
void forgetRawKey(const QByteArray& salt, const QByteArray& passphrase);

// How many bytes of salt start an SQLCipher file.
constexpr int kCipherSaltBytes = 16;

} // namespace orvalen
