#include "stores/sqlcipher_library.h"

#include "platform/runtime_library.h"


namespace orvalen {

namespace {

bool resolveSqlcipher(RuntimeLibrary& library, SqlcipherLibrary& f)
{
    return library.resolve("sqlite3_open_v2", f.openV2) && library.resolve("sqlite3_key", f.key)
        && library.resolve("sqlite3_close", f.close) && library.resolve("sqlite3_close_v2", f.closeV2)
        && library.resolve("sqlite3_errmsg", f.errmsg) && library.resolve("sqlite3_exec", f.exec)
        && library.resolve("sqlite3_free", f.free) && library.resolve("sqlite3_file_control", f.fileControl)
        && library.resolve("sqlite3_busy_timeout", f.busyTimeout)
        && library.resolve("sqlite3_wal_checkpoint_v2", f.walCheckpointV2)
        && library.resolve("sqlite3_db_readonly", f.dbReadonly)
        && library.resolve("sqlite3_last_insert_rowid", f.lastInsertRowid)
        && library.resolve("sqlite3_changes", f.changes) && library.resolve("sqlite3_prepare_v2", f.prepareV2)
        && library.resolve("sqlite3_finalize", f.finalize) && library.resolve("sqlite3_reset", f.reset)
        && library.resolve("sqlite3_step", f.step) && library.resolve("sqlite3_bind_text", f.bindText)
        && library.resolve("sqlite3_bind_int64", f.bindInt64) && library.resolve("sqlite3_bind_null", f.bindNull)
        && library.resolve("sqlite3_column_count", f.columnCount)
        && library.resolve("sqlite3_column_name", f.columnName)
        && library.resolve("sqlite3_column_type", f.columnType)
        && library.resolve("sqlite3_column_text", f.columnText)
        && library.resolve("sqlite3_column_bytes", f.columnBytes)
        && library.resolve("sqlite3_column_int64", f.columnInt64);
}

} // namespace

std::optional<SqlcipherLibrary> loadSqlcipherLibrary(const QString& sqlcipherFile, const QString& cryptoFile,
                                                     QString* error)
{
    SqlcipherLibrary functions;
    RuntimeLibrary sqlcipher(sqlcipherFile);
    RuntimeLibrary crypto(cryptoFile);
    QString why;
    if (!resolveSqlcipher(sqlcipher, functions))
        why = sqlcipher.error();
    else if (!crypto.resolve("PKCS5_PBKDF2_HMAC_SHA1", functions.pbkdf2HmacSha1))
        why = crypto.error();
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    // The functions stay valid after the handles go: the libraries stay.
    sqlcipher.keep();
    crypto.keep();
    return functions;
}

const SqlcipherLibrary* sqlcipherLibrary(QString* error)
{
    return loadedOnce<SqlcipherLibrary>(
        "database: SQLCipher is not available:",
        [](QString* why) {
            return loadSqlcipherLibrary(QStringLiteral(ORVALEN_SQLCIPHER_LIBRARY),
                                        QStringLiteral(ORVALEN_CRYPTO_LIBRARY), why);
        },
        error);
}

} // namespace orvalen
