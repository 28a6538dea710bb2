#pragma once
#include <QString>
#include <optional>

#include <openssl/evp.h>
#include <sqlcipher/sqlite3.h>

namespace orvalen {

// The SQLCipher functions the stores call, and libcrypto's PBKDF2 for the key
// cache. The libraries are loaded when the first database opens, not when the
// process starts: the first frame does not wait for them.
struct SqlcipherLibrary {
    decltype(&sqlite3_open_v2) openV2 = nullptr;
    decltype(&sqlite3_key) key = nullptr;
    decltype(&sqlite3_close) close = nullptr;
    decltype(&sqlite3_close_v2) closeV2 = nullptr;
    decltype(&sqlite3_errmsg) errmsg = nullptr;
    decltype(&sqlite3_exec) exec = nullptr;
    decltype(&sqlite3_free) free = nullptr;
    decltype(&sqlite3_file_control) fileControl = nullptr;
    decltype(&sqlite3_busy_timeout) busyTimeout = nullptr;
    decltype(&sqlite3_wal_checkpoint_v2) walCheckpointV2 = nullptr;
    decltype(&sqlite3_db_readonly) dbReadonly = nullptr;
    decltype(&sqlite3_last_insert_rowid) lastInsertRowid = nullptr;
    decltype(&sqlite3_changes) changes = nullptr;
    decltype(&sqlite3_prepare_v2) prepareV2 = nullptr;
    decltype(&sqlite3_finalize) finalize = nullptr;
    decltype(&sqlite3_reset) reset = nullptr;
    decltype(&sqlite3_step) step = nullptr;
    decltype(&sqlite3_bind_text) bindText = nullptr;
    decltype(&sqlite3_bind_int64) bindInt64 = nullptr;
    decltype(&sqlite3_bind_null) bindNull = nullptr;
    decltype(&sqlite3_column_count) columnCount = nullptr;
    decltype(&sqlite3_column_name) columnName = nullptr;
    decltype(&sqlite3_column_type) columnType = nullptr;
    decltype(&sqlite3_column_text) columnText = nullptr;
    decltype(&sqlite3_column_bytes) columnBytes = nullptr;
    decltype(&sqlite3_column_int64) columnInt64 = nullptr;
    decltype(&PKCS5_PBKDF2_HMAC_SHA1) pbkdf2HmacSha1 = nullptr;
};

// Loads the two files and resolves every function; they stay loaded. On
// failure the result is empty and *error names the library or symbol that is
// missing.
std::optional<SqlcipherLibrary> loadSqlcipherLibrary(const QString& sqlcipherFile, const QString& cryptoFile,
                                                     QString* error);

// The libraries the program was built against, loaded on the first call
// (once, from any thread). Null when they cannot be loaded; the reason is
// logged once and given in *error on every call.
const SqlcipherLibrary* sqlcipherLibrary(QString* error = nullptr);

} // namespace orvalen
