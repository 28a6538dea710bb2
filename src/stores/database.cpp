#include "stores/database.h"

#include "platform/program_folder.h"
#include "platform/save_file.h"
#include "stores/cipher_key_cache.h"
#include "stores/sqlcipher_library.h"

#include <QDebug>
#include <QFileInfo>
#include <QUrl>
#include <memory>

namespace orvalen {

namespace {

// How long a checkpoint waits for another program reading the file.
constexpr int kCheckpointWaitMs = 50;

// SQLCipher's functions. Only called where a connection or statement exists,
// so the library has loaded: Database::open loads it before anything else.
const SqlcipherLibrary& sqlcipher()
{
    return *sqlcipherLibrary();
}

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlcipher().errmsg(db)) : QString();
}

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlcipher().close(db); }
};
// A connection that closes itself unless it is released to a Database.
using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;

// The file's salt, read through the connection's own descriptor (the file is
// open once sqlite3_open_v2 returns); empty when the file is shorter (new).
// No second descriptor is ever opened on the database file: closing one would
// drop the locks of every connection of this process, and another program
// could then checkpoint and delete the write-ahead log this one writes to.
QByteArray file_salt(sqlite3* db)
{
    sqlite3_file* file = nullptr;
    if (sqlcipher().fileControl(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods)
        return {};
    QByteArray salt(kCipherSaltBytes, '\0');
    if (file->pMethods->xRead(file, salt.data(), kCipherSaltBytes, 0) != SQLITE_OK)
        return {};
    return salt;
}

// Opens the file and keys it: with the raw key derived before for this
// file's salt when there is one, else (or when SQLCipher refuses it) with the
// passphrase. The key is proved by reading the schema (SQLCipher checks it
// lazily: the first read tells). `path` is what SQLite opens (the file or a
// URI naming it). `db` holds the connection even on failure, for its message.
int open_keyed(const QString& path, const QString& key, int flags, DatabaseHandle& db)
{
    const QByteArray passphrase = key.toUtf8();
    bool rawKeyRefused = false;
    for (;;) {
        sqlite3* opened = nullptr;
        int rc = sqlcipher().openV2(path.toUtf8().constData(), &opened, flags, nullptr);
        db.reset(opened);
        if (rc != SQLITE_OK)
            return rc;
        const QByteArray salt = rawKeyRefused ? QByteArray() : file_salt(db.get());
        QByteArray attempt = cachedRawKey(salt, passphrase);
        if (attempt.isEmpty())
            attempt = passphrase;
        rc = sqlcipher().key(db.get(), attempt.constData(), int(attempt.size()));
        if (rc == SQLITE_OK)
            rc = sqlcipher().exec(db.get(), "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
        if (rc != SQLITE_NOTADB || attempt == passphrase)
            return rc;
        forgetRawKey(salt, passphrase);
        rawKeyRefused = true;
        db.reset();
    }
}

QString folderHint(const QString& path)
{
    const QFileInfo dir(QFileInfo(path).absolutePath());
    return dir.isWritable() ? QString() : QStringLiteral("（程序文件夹不可写）");
}

} // namespace

QString databasePassword()
{
    return QStringLiteral("372QM618");
}

// ---------------------------------------------------------------- Database

Database::~Database()
{
    close();
}

Database::Database(Database&& other) noexcept
    : m_db(other.m_db), m_path(std::move(other.m_path)), m_error(std::move(other.m_error)),
      m_errorCode(other.m_errorCode), m_readOnly(other.m_readOnly)
{
    other.m_db = nullptr;
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        m_db = other.m_db;
        m_path = std::move(other.m_path);
        m_error = std::move(other.m_error);
        m_errorCode = other.m_errorCode;
        m_readOnly = other.m_readOnly;
        other.m_db = nullptr;
    }
    return *this;
}

bool Database::open(const QString& path, const QString& key, Mode mode)
{
    close();
    m_path = path;
    clearError();
    m_readOnly = false;
    if (key.isEmpty()) {
        m_error = QStringLiteral("数据库密码不能为空：%1").arg(path);
        return false;
    }
    const QFileInfo info(path);
    if (mode == Mode::ExistingOnly) {
        if (!info.exists()) {
            m_error = QStringLiteral("找不到数据库文件：%1").arg(path);
            return false;
        }
        if (!info.isFile() || info.size() == 0) {
            m_error = QStringLiteral("数据库文件已损坏或不是本程序的数据库：%1").arg(path);
            return false;
        }
    }

    QString unavailable;
    if (!sqlcipherLibrary(&unavailable)) {
        m_error = QStringLiteral("无法读取数据库文件 %1：%2").arg(path, unavailable);
        return false;
    }

    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
    DatabaseHandle db;
    int rc = open_keyed(path, key, flags, db);
    const int primary = rc & 0xff;
    if (mode == Mode::ExistingOnly
        && (primary == SQLITE_CANTOPEN || primary == SQLITE_READONLY || primary == SQLITE_IOERR || primary == SQLITE_PERM)) {
        // A folder that cannot be written keeps the write-ahead log from
        // opening: the plans are still read, without writing.
        DatabaseHandle readOnly;
        int rrc = open_keyed(path, key, SQLITE_OPEN_READONLY, readOnly);
        if (rrc != SQLITE_OK) {
            readOnly.reset();
            const QByteArray uri = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded() + "?immutable=1";
            rrc = open_keyed(QString::fromUtf8(uri), key, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, readOnly);
        }
        if (rrc == SQLITE_OK) {
            db.reset();
            db = std::move(readOnly);
            rc = SQLITE_OK;
            m_readOnly = true;
        }
    }
    if (rc != SQLITE_OK) {
        if (rc == SQLITE_NOTADB)
            m_error = QStringLiteral("数据库文件无法读取（密码不符，或不是本程序的数据库）：%1").arg(path);
        else
            m_error = QStringLiteral("无法读取数据库文件 %1：%2%3").arg(path, sqliteMessage(db.get()), folderHint(path));
        return false;
    }
    sqlcipher().busyTimeout(db.get(), kBusyTimeoutMs);
    sqlcipher().exec(db.get(), "PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    m_db = db.release();
    return true;
}

void Database::close()
{
    if (m_db) {
        sqlcipher().closeV2(m_db);
        m_db = nullptr;
    }
}

bool Database::exec(const QString& sql)
{
    if (!m_db) {
        m_error = QStringLiteral("数据库未打开");
        return false;
    }
    char* message = nullptr;
    const int rc = sqlcipher().exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        setError(message ? QString::fromUtf8(message) : sqliteMessage(m_db), rc);
        sqlcipher().free(message);
        return false;
    }
    return true;
}

bool Database::checkpoint()
{
    if (!m_db || m_readOnly)
        return false;
    sqlcipher().busyTimeout(m_db, kCheckpointWaitMs);
    int logFrames = 0;
    int copiedFrames = 0;
    const int rc = sqlcipher().walCheckpointV2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, &logFrames, &copiedFrames);
    sqlcipher().busyTimeout(m_db, kBusyTimeoutMs);
    if (rc == SQLITE_OK)
        return true;
    setError(sqliteMessage(m_db), rc);
    qWarning().noquote() << m_path << "keeps changes in its write-ahead log (" << copiedFrames << "of" << logFrames
                         << "pages copied):" << m_error;
    return false;
}

WriteRefusal Database::writeRefusal() const
{
    const int primary = m_errorCode & 0xff;
    if (primary == SQLITE_FULL)
        return WriteRefusal::DiskFull;
    const bool readOnly = m_readOnly || (m_db && sqlcipher().dbReadonly(m_db, "main") == 1) || primary == SQLITE_READONLY;
    // A full disk keeps the write-ahead log from opening as it keeps a page
    // from being written: the connection then falls back to reading only.
    bool diskFull = false;
    if ((readOnly || primary == SQLITE_IOERR) && !m_path.isEmpty())
        folderWriteProblem(QFileInfo(m_path).absolutePath(), &diskFull);
    if (diskFull)
        return WriteRefusal::DiskFull;
    if (readOnly)
        return WriteRefusal::ReadOnly;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return WriteRefusal::Locked;
    return WriteRefusal::None;
}

QString Database::damage()
{
    if (!m_db)
        return QStringLiteral("数据库未打开");
    QString found;
    char* message = nullptr;
    const int rc = sqlcipher().exec(m_db, "PRAGMA quick_check;", [](void* out, int columns, char** values, char**) {
        auto* text = static_cast<QString*>(out);
        if (columns > 0 && values[0] && qstrcmp(values[0], "ok") != 0)
            *text += (text->isEmpty() ? QString() : QStringLiteral("；")) + QString::fromUtf8(values[0]);
        return 0;
    }, &found, &message);
    if (rc != SQLITE_OK) {
        found = message ? QString::fromUtf8(message) : sqliteMessage(m_db);
        sqlcipher().free(message);
    }
    return found;
}

void Database::setBusyTimeout(int milliseconds)
{
    if (m_db)
        sqlcipher().busyTimeout(m_db, milliseconds);
}

qint64 Database::lastInsertRowId() const
{
    return m_db ? sqlcipher().lastInsertRowid(m_db) : 0;
}

int Database::changes() const
{
    return m_db ? sqlcipher().changes(m_db) : 0;
}

// --------------------------------------------------------------- Statement

Statement::Statement(Database& db, const QString& sql) : m_db(db)
{
    if (!db.handle()) {
        m_error = QStringLiteral("数据库未打开");
        return;
    }
    const QByteArray text = sql.toUtf8();
    const int rc = sqlcipher().prepareV2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        m_error = sqliteMessage(db.handle());
        sqlcipher().finalize(m_stmt);
        m_stmt = nullptr;
        db.setError(m_error, rc);
        return;
    }
    const int count = sqlcipher().columnCount(m_stmt);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlcipher().columnName(m_stmt, i)).toLower();
        if (!m_columns.contains(name))
            m_columns.insert(name, i);
    }
}

Statement::~Statement()
{
    if (m_stmt)
        sqlcipher().finalize(m_stmt);
}

bool Statement::checkBind(int rc)
{
    if (rc == SQLITE_OK)
        return true;
    m_error = sqliteMessage(m_db.handle());
    return false;
}

bool Statement::bindText(int index, const QString& value)
{
    if (!m_stmt)
        return false;
    const QByteArray utf8 = value.toUtf8();
    return checkBind(sqlcipher().bindText(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
}

bool Statement::bindInt(int index, qint64 value)
{
    return m_stmt && checkBind(sqlcipher().bindInt64(m_stmt, index, value));
}

bool Statement::bindNull(int index)
{
    return m_stmt && checkBind(sqlcipher().bindNull(m_stmt, index));
}

Statement::Step Statement::step()
{
    if (!m_stmt) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("语句无效");
        return Step::Error;
    }
    const int rc = sqlcipher().step(m_stmt);
    if (rc == SQLITE_ROW)
        return Step::Row;
    if (rc == SQLITE_DONE)
        return Step::Done;
    m_error = sqliteMessage(m_db.handle());
    m_db.setError(m_error, rc);
    return Step::Error;
}

bool Statement::run()
{
    Step s;
    while ((s = step()) == Step::Row) {
    }
    return s == Step::Done;
}

void Statement::reset()
{
    if (m_stmt)
        sqlcipher().reset(m_stmt);
}

int Statement::columnIndex(const QString& name) const
{
    return m_columns.value(name.toLower(), -1);
}

QString Statement::text(const QString& name) const
{
    const int i = columnIndex(name);
    if (i < 0 || !m_stmt || sqlcipher().columnType(m_stmt, i) == SQLITE_NULL)
        return QString();
    const auto* data = reinterpret_cast<const char*>(sqlcipher().columnText(m_stmt, i));
    const int bytes = sqlcipher().columnBytes(m_stmt, i);
    return data ? QString::fromUtf8(data, bytes) : QString(QLatin1String(""));
}

qint64 Statement::integer(const QString& name, qint64 fallback) const
{
    const int i = columnIndex(name);
    if (i < 0 || !m_stmt || sqlcipher().columnType(m_stmt, i) == SQLITE_NULL)
        return fallback;
    return sqlcipher().columnInt64(m_stmt, i);
}

bool Statement::isNull(const QString& name) const
{
    const int i = columnIndex(name);
    return i < 0 || !m_stmt || sqlcipher().columnType(m_stmt, i) == SQLITE_NULL;
}

// ------------------------------------------------------------- Transaction

Transaction::Transaction(Database& db) : m_db(db)
{
    m_active = db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_active)
        m_db.exec(QStringLiteral("ROLLBACK"));
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    if (!m_db.exec(QStringLiteral("COMMIT")))
        return false; // still active: the destructor rolls back
    m_active = false;
    return true;
}

// ------------------------------------------------------------------ helper

QByteArray deskDataSalt(const ProgramFolder& folder)
{
    const QString path = folder.resolve(QStringLiteral("DeskData.db"));
    if (path.isEmpty() || !sqlcipherLibrary())
        return {};
    sqlite3* opened = nullptr;
    const int rc = sqlcipher().openV2(path.toUtf8().constData(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const DatabaseHandle db(opened);
    return rc == SQLITE_OK ? file_salt(db.get()) : QByteArray();
}

Database openDeskData(const ProgramFolder& folder, QString* error)
{
    Database db;
    if (folder.path().isEmpty()) {
        db.setError(QStringLiteral("程序文件夹未知，无法打开 DeskData.db"));
        if (error)
            *error = db.lastError();
        return db;
    }
    QString path = folder.resolve(QStringLiteral("DeskData.db"));
    if (path.isEmpty())
        path = folder.file(QStringLiteral("DeskData.db"));
    if (!db.open(path, databasePassword()) && error)
        *error = db.lastError();
    return db;
}

} // namespace orvalen
