#pragma once
#include <QByteArray>
#include <QString>

namespace orvalen {

// SQLCipher derives a file's page key from the passphrase and the file's salt
// (its first 16 bytes) with 64,000 rounds of PBKDF2-HMAC-SHA1 on every open,
// tens of milliseconds each time. This derives it once per salt and
// passphrase for the life of the process and returns it in SQLCipher's raw
// key form ("x'<64 hex digits>'"). Empty when the file has no salt yet (new
// or empty) or cannot be read; the caller then keys with the passphrase.
QByteArray cached_raw_key(const QString& path, const QByteArray& passphrase);

// Forgets the raw key of this salt and passphrase (SQLCipher refused it).
void forget_raw_key(const QString& path, const QByteArray& passphrase);

} // namespace orvalen
