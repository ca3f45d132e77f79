#pragma once

#include "data/DataError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace SQLite {
class Database;
}
struct sqlite3;
struct sqlite3_stmt;

class Recordset;

// How a column's stored value is read back. Derived from the declared type
// of the column in the schema:
//   BOOLEAN, BOOL, BIT, YESNO                     -> Bool     (stored 0/1, read as bool)
//   DATETIME, DATE, TIME, TIMESTAMP               -> DateTime (stored "YYYY-MM-DD HH:MM:SS", read as QDateTime)
//   REAL, DOUBLE, FLOAT, SINGLE, CURRENCY, MONEY,
//   NUMERIC, DECIMAL                              -> Real     (read as double)
//   INTEGER, INT, LONG, SMALLINT, BYTE, COUNTER,
//   TINYINT, BIGINT                               -> Integer  (read as int, or qlonglong past 32 bits)
//   TEXT, VARCHAR, CHAR, MEMO, CLOB, STRING       -> Text     (read as QString)
//   BLOB, BINARY, OLEOBJECT                       -> Blob     (read as QByteArray)
//   anything else, and computed columns           -> Dynamic  (by the stored value's own type)
enum class ColumnKind { Dynamic, Integer, Real, Text, Bool, DateTime, Blob };

ColumnKind columnKindFromDeclaredType(const QString &declaredType);

struct ColumnInfo {
    QString name;
    QString declaredType;  // as written in CREATE TABLE, e.g. "TEXT(50) COLLATE NOCASE" gives "TEXT(50)"
    ColumnKind kind = ColumnKind::Dynamic;
    bool notNull = false;
    bool primaryKey = false;
    QString defaultSql;    // default value as SQL text, empty when none
};

// One SQLite connection on one database file, the counterpart of a DAO
// database object. Journal mode WAL, foreign keys off, a busy timeout.
// Statements given to execute()/query() are Jet SQL and are translated by
// JetSql; executeNative() takes SQLite SQL as it stands (schema scripts).
// Every failure throws DataError naming the statement.
//
// Text columns declared COLLATE NOCASE compare without regard to case for
// every letter (see JetText), which replaces SQLite's NOCASE on every
// connection. PRAGMA user_version holds the level of these conventions a
// file follows (kFileLevel): a file below it, made by SQLite alone, has its
// NOCASE indexes rebuilt the first time a writable connection opens it.
class Database {
public:
    static constexpr int kFileLevel = 1;

    enum class OpenMode {
        ReadWrite,       // the file must exist
        ReadWriteCreate, // created empty when missing
        ReadOnly,
        // A working copy (see DatabaseFiles::workingCopy) that either
        // replaces the original through DatabaseFiles::replace, which puts
        // it on disk, or is thrown away: no journal file, no syncs.
        WorkingCopy
    };

    Database();
    explicit Database(const QString &path, OpenMode mode = OpenMode::ReadWrite);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void open(const QString &path, OpenMode mode = OpenMode::ReadWrite);
    // Closes the connection. Record sets still open on it are closed first.
    void close();
    bool isOpen() const;
    QString path() const;
    // False for a read-only connection or a file that cannot be written.
    bool isWritable() const;

    // Runs one Jet SQL statement (INSERT/UPDATE/DELETE/DDL, or a SELECT whose
    // rows are discarded). Returns the number of rows changed.
    int execute(const QString &jetSql);
    // Runs SQLite SQL without translation; may hold several statements
    // separated by ';' (schema and seed scripts).
    void executeNative(const QString &sqliteSql);
    // Runs a Jet SELECT and returns the first column of the first row
    // (a null QVariant when there is no row).
    QVariant scalar(const QString &jetSql);
    // Runs a Jet SELECT and returns every row (small results only; use a
    // Recordset for anything large). Values are converted as in Recordset.
    QList<QVariantList> queryRows(const QString &jetSql, QStringList *columnNames = nullptr);

    // Structure, as the structure check and the upgrade need it.
    // Tables in creation order, SQLite's internal tables (sqlite_*) left out;
    // MSysTables and other user tables included.
    QStringList tableNames() const;
    // Exact (case-sensitive) name test, as the upgrade compares names.
    bool tableExists(const QString &table) const;
    // Columns in table order; empty when the table does not exist.
    QList<ColumnInfo> columns(const QString &table) const;

    // Transactions. Nested begin() calls become savepoints.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

    // Statements that run too long: while one runs, check is called every
    // few thousand steps of the SQL engine, and when it returns true the
    // statement ends with a DataError (SQLite's "interrupted"). The check
    // stays with the object across close() and open(); an empty function
    // removes it.
    void setInterruptCheck(std::function<bool()> check);

    // --- for the record-set layer ----------------------------------------
    SQLite::Database &native();
    sqlite3 *handle() const;
    // A prepared statement kept for reuse, keyed by its SQLite text; owned
    // by the Database. It is reset and its bindings cleared before it is
    // handed out. Throws DataError (naming the SQL) when it cannot be prepared.
    sqlite3_stmt *cachedStatement(const QString &sqliteSql);
    // Throws DataError for an SQLite result code other than OK/ROW/DONE.
    void check(int rc, const QString &statement) const;
    // Column information cached per table, refreshed when the schema changes.
    const QList<ColumnInfo> &cachedColumns(const QString &table) const;
    // Called before any statement that changes data: open record sets that
    // are still reading their keyset complete it first, so that a write never
    // changes which rows a dynaset holds.
    // With schemaChange, record sets also let go of every statement.
    void aboutToWrite(bool schemaChange = false);
    // Increases with every write made through this object; record sets use
    // it to know when rows they hold in memory may be stale.
    std::uint64_t writeCounter() const { return m_writeCounter; }
    void noteWrite() { ++m_writeCounter; }
    void registerRecordset(Recordset *rs);
    void unregisterRecordset(Recordset *rs);

private:
    void configureConnection();
    // What every writable connection makes sure of as it opens (see
    // BooleanColumns).
    void prepareForWrites();
    void dropCaches();

    std::unique_ptr<SQLite::Database> m_db;
    QString m_path;
    int m_transactionDepth = 0;
    bool m_workingCopy = false;
    std::uint64_t m_writeCounter = 0;
    std::vector<Recordset *> m_recordsets;
    std::function<bool()> m_interruptCheck;
    QHash<QString, sqlite3_stmt *> m_statements;
    mutable QHash<QString, QList<ColumnInfo>> m_columnCache;
    mutable int m_columnCacheSchemaVersion = -1;
};

// A transaction for the lifetime of a scope: commit() makes it permanent,
// leaving the scope without commit() rolls it back. Nests as a savepoint
// when a transaction is already open.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();
    void rollback();
    bool isActive() const { return m_active; }

private:
    Database &m_db;
    bool m_active = true;
};
