#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace orvalen {

class ProgramFolder;

// The fixed key of DeskData.db.
QString databasePassword();

// How long a statement waits for another process's lock by default.
constexpr int kBusyTimeoutMs = 2000;

// Why the file refused a write, where the operator can do something about it.
enum class WriteRefusal {
    None,     // another cause (or no refusal)
    ReadOnly, // the file or its folder cannot be written
    Locked,   // another program holds the file locked
    DiskFull  // the disk of the file has no space left
};

// One connection to a SQLCipher database file, closed when the object goes.
// Every statement that takes values binds them (Statement); no value is ever
// pasted into SQL text.
class Database {
public:
    enum class Mode {
        ExistingOnly, // the program: a missing file is an error, never created
        CreateIfMissing // build tools and test fixtures only
    };

    Database() = default;
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file with the key and proves the key at once by reading the
    // schema. An empty key is refused (it would make a plaintext file). A
    // wrong key or a file that is not such a database gives a clear error
    // text; the file is left as it was.
    bool open(const QString& path, const QString& key, Mode mode = Mode::ExistingOnly);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // True when the file could only be opened for reading (its folder
    // cannot be written): reads work, every write fails.
    bool isReadOnly() const { return m_readOnly; }

    // Runs SQL without values (schema, pragmas). Returns false and keeps the
    // message in lastError() on failure.
    bool exec(const QString& sql);

    // How long a statement waits for another process's lock before it fails
    // with "database is locked" (kBusyTimeoutMs after open).
    void setBusyTimeout(int milliseconds);

    // What a quick check of the whole file finds wrong; empty when it is
    // whole.
    QString damage();

    // Copies the write-ahead log into the file and empties the log, so the
    // file alone holds every change committed so far. Waits only briefly
    // for other programs; false (logged, lastError() set) when the log could
    // not be emptied.
    bool checkpoint();

    // Why the last failed statement was refused (read-only, locked, a full
    // disk), as far as that is known. A connection that opened read-only or
    // failed to write asks the file's folder whether its disk is full.
    WriteRefusal writeRefusal() const;

    QString lastError() const { return m_error; }
    QString path() const { return m_path; }
    qint64 lastInsertRowId() const;
    int changes() const;

    sqlite3* handle() { return m_db; }
    // The message and SQLite result code of the last failure.
    void setError(const QString& error, int code = 0)
    {
        m_error = error;
        m_errorCode = code;
    }
    void clearError() { setError(QString()); }

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    QString m_error;
    int m_errorCode = 0;
    bool m_readOnly = false;
};

// A prepared statement. Values are bound by 1-based index; columns of the
// current row are read by name (without regard to letter case).
class Statement {
public:
    enum class Step { Row, Done, Error };

    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    QString error() const { return m_error; }

    // A null text is bound as the empty text.
    bool bindText(int index, const QString& value);
    bool bindInt(int index, qint64 value);
    bool bindNull(int index);

    Step step();
    // true while there is a row; false at the end or on an error (see error()).
    bool next() { return step() == Step::Row; }
    // Runs the statement to its end; true when it finished without error.
    bool run();
    // Rewinds the statement; bindings stay.
    void reset();

    // The column's text; a null text for SQL NULL or a column not in the row.
    QString text(const QString& name) const;
    // The column's integer value; fallback for SQL NULL or an unknown column.
    qint64 integer(const QString& name, qint64 fallback = 0) const;
    bool isNull(const QString& name) const;

private:
    int columnIndex(const QString& name) const;
    bool checkBind(int rc);

    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_error;
    QHash<QString, int> m_columns; // lower-case name -> index
};

// Begins a transaction; it is rolled back unless commit() succeeds.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    Database& m_db;
    bool m_active = false;
};

// The salt of DeskData.db of the program folder (found without regard to
// letter case), read through a read-only connection without a key that
// SQLite opens and closes here; empty when there is none (no file, a new
// file, no SQLCipher). Loads SQLCipher first.
QByteArray deskDataSalt(const ProgramFolder& folder);

// Opens DeskData.db of the program folder (found without regard to letter
// case) with the database password. On failure the returned connection is
// closed and *error (when given) holds a message for the operator.
Database openDeskData(const ProgramFolder& folder, QString* error = nullptr);

} // namespace orvalen
