#include "data/Database.h"

#include "data/BooleanColumns.h"
#include "data/JetFunctions.h"
#include "data/JetSql.h"
#include "data/JetText.h"
#include "data/Recordset.h"
#include "data/SqliteValue.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace {
constexpr int kBusyTimeoutMs = 5000;

int pragmaInt(sqlite3 *h, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    int value = 0;
    if (sqlite3_prepare_v2(h, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}
} // namespace

ColumnKind columnKindFromDeclaredType(const QString &declaredType)
{
    QString t = declaredType.trimmed().toUpper();
    const int paren = t.indexOf(QLatin1Char('('));
    if (paren >= 0)
        t = t.left(paren).trimmed();
    const int space = t.indexOf(QLatin1Char(' '));
    const QString first = space >= 0 ? t.left(space) : t;
    if (t.isEmpty())
        return ColumnKind::Dynamic;
    if (first == QLatin1String("BOOLEAN") || first == QLatin1String("BOOL") || first == QLatin1String("BIT")
        || first == QLatin1String("YESNO") || first == QLatin1String("LOGICAL"))
        return ColumnKind::Bool;
    if (first == QLatin1String("DATETIME") || first == QLatin1String("DATE") || first == QLatin1String("TIME")
        || first == QLatin1String("TIMESTAMP"))
        return ColumnKind::DateTime;
    if (first == QLatin1String("REAL") || first == QLatin1String("DOUBLE") || first == QLatin1String("FLOAT")
        || first == QLatin1String("SINGLE") || first == QLatin1String("CURRENCY") || first == QLatin1String("MONEY")
        || first == QLatin1String("NUMERIC") || first == QLatin1String("DECIMAL"))
        return ColumnKind::Real;
    if (first.contains(QLatin1String("INT")) || first == QLatin1String("LONG") || first == QLatin1String("BYTE")
        || first == QLatin1String("COUNTER") || first == QLatin1String("AUTOINCREMENT"))
        return ColumnKind::Integer;
    if (first.contains(QLatin1String("CHAR")) || first.contains(QLatin1String("TEXT"))
        || first == QLatin1String("MEMO") || first == QLatin1String("CLOB") || first == QLatin1String("STRING"))
        return ColumnKind::Text;
    if (first == QLatin1String("BLOB") || first == QLatin1String("BINARY") || first == QLatin1String("OLEOBJECT")
        || first == QLatin1String("LONGBINARY"))
        return ColumnKind::Blob;
    return ColumnKind::Dynamic;
}

Database::Database() = default;

Database::Database(const QString &path, OpenMode mode)
{
    open(path, mode);
}

Database::~Database()
{
    try {
        close();
    } catch (...) {
    }
}

void Database::open(const QString &path, OpenMode mode)
{
    close();
    int flags = SQLite::OPEN_READWRITE;
    if (mode == OpenMode::ReadWriteCreate)
        flags |= SQLite::OPEN_CREATE;
    else if (mode == OpenMode::ReadOnly)
        flags = SQLite::OPEN_READONLY;
    // A connection belongs to the thread that opened it (other threads open
    // their own), so SQLite need not lock it around every call: reading a
    // column would otherwise take and release a mutex each time.
    flags |= SQLITE_OPEN_NOMUTEX;
    if (mode != OpenMode::ReadWriteCreate && !QFileInfo::exists(path))
        throw DataError(QStringLiteral("Il database non esiste"), path);
    try {
        m_db = std::make_unique<SQLite::Database>(path.toStdString(), flags, kBusyTimeoutMs);
        m_path = path;
        configureConnection();
        m_workingCopy = mode == OpenMode::WorkingCopy;
        if (m_workingCopy)
            m_db->exec("PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF");
        else if (mode != OpenMode::ReadOnly)
            m_db->exec("PRAGMA journal_mode=WAL");
    } catch (const SQLite::Exception &e) {
        m_db.reset();
        m_path.clear();
        throw DataError(QStringLiteral("Impossibile aprire il database: %1").arg(QString::fromUtf8(e.what())), path);
    }
    prepareForWrites();
}

bool Database::isWritable() const
{
    return m_db && sqlite3_db_readonly(m_db->getHandle(), "main") == 0;
}

void Database::prepareForWrites()
{
    if (!isWritable())
        return;
    sqlite3 *h = m_db->getHandle();
    if (pragmaInt(h, "PRAGMA user_version") < kFileLevel) {
        // Indexes on NOCASE text were ordered by SQLite's own NOCASE, which
        // folds A-Z only: put them in the order of ours. A file whose text
        // cannot be indexed so (two keys of a unique index that now compare
        // equal) keeps its level and is tried again at the next opening.
        const QByteArray sql =
            QByteArrayLiteral("BEGIN IMMEDIATE; REINDEX NOCASE; PRAGMA user_version=") + QByteArray::number(kFileLevel)
            + QByteArrayLiteral("; COMMIT");
        const int rc = sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK && !sqlite3_get_autocommit(h))
            sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    try {
        BooleanColumns::install(*this);
    } catch (const DataError &) {
        // Another connection holding the file for longer than the busy
        // timeout only delays this to the next connection.
        const int rc = sqlite3_errcode(m_db->getHandle()) & 0xff;
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            throw;
    }
}

void Database::configureConnection()
{
    sqlite3 *h = m_db->getHandle();
    // Before anything reads the schema: text compares as Jet compares it.
    jettext::registerCollation(h);
    // Double-quoted text is never taken as a string where a name is meant.
    sqlite3_db_config(h, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(h, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    m_db->exec("PRAGMA foreign_keys=OFF");
    m_db->exec("PRAGMA synchronous=NORMAL");
    // Record sets read rows by key: keep the pages in memory rather than
    // asking the file system again for each one.
    m_db->exec("PRAGMA cache_size=-65536");
    m_db->exec("PRAGMA mmap_size=268435456");
    jetfunctions::registerAll(h);
    setInterruptCheck(m_interruptCheck);
}

namespace {

constexpr int kInterruptCheckSteps = 10000;  // SQL engine steps between two checks

int callInterruptCheck(void *context)
{
    const auto *check = static_cast<const std::function<bool()> *>(context);
    return (*check)() ? 1 : 0;
}

} // namespace

void Database::setInterruptCheck(std::function<bool()> check)
{
    m_interruptCheck = std::move(check);
    if (!m_db)
        return;
    if (m_interruptCheck)
        sqlite3_progress_handler(m_db->getHandle(), kInterruptCheckSteps, callInterruptCheck, &m_interruptCheck);
    else
        sqlite3_progress_handler(m_db->getHandle(), 0, nullptr, nullptr);
}

void Database::dropCaches()
{
    for (sqlite3_stmt *s : std::as_const(m_statements))
        sqlite3_finalize(s);
    m_statements.clear();
    m_columnCache.clear();
    m_columnCacheSchemaVersion = -1;
}

void Database::close()
{
    if (!m_db)
        return;
    const auto sets = m_recordsets;
    for (Recordset *rs : sets)
        rs->detachFromDatabase();
    m_recordsets.clear();
    dropCaches();
    if (m_transactionDepth > 0) {
        sqlite3_exec(m_db->getHandle(), "ROLLBACK", nullptr, nullptr, nullptr);
        m_transactionDepth = 0;
    }
    // A working copy leaves as the project's files are: in WAL mode.
    if (m_workingCopy)
        sqlite3_exec(m_db->getHandle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    m_workingCopy = false;
    m_db.reset();
    m_path.clear();
}

bool Database::isOpen() const
{
    return m_db != nullptr;
}

QString Database::path() const
{
    return m_path;
}

SQLite::Database &Database::native()
{
    if (!m_db)
        throw DataError(QStringLiteral("Database non aperto"), QString());
    return *m_db;
}

sqlite3 *Database::handle() const
{
    if (!m_db)
        throw DataError(QStringLiteral("Database non aperto"), QString());
    return m_db->getHandle();
}

void Database::check(int rc, const QString &statement) const
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    const QString msg = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db->getHandle())) : QString::fromUtf8(sqlite3_errstr(rc));
    throw DataError(QStringLiteral("Errore del database: %1").arg(msg), statement);
}

sqlite3_stmt *Database::cachedStatement(const QString &sqliteSql)
{
    auto it = m_statements.constFind(sqliteSql);
    if (it != m_statements.constEnd()) {
        sqlite3_reset(it.value());
        sqlite3_clear_bindings(it.value());
        return it.value();
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sqliteSql.toUtf8();
    const int rc = sqlite3_prepare_v3(handle(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                                      nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        check(rc, sqliteSql);
    }
    // Keep the cache bounded: statements built from ad-hoc text are dropped
    // in bulk when it grows large.
    if (m_statements.size() >= 512) {
        for (sqlite3_stmt *s : std::as_const(m_statements))
            sqlite3_finalize(s);
        m_statements.clear();
    }
    m_statements.insert(sqliteSql, stmt);
    return stmt;
}

int Database::execute(const QString &jetSql)
{
    const QString sql = JetSql::statement(jetSql);
    sqlite3_stmt *stmt = nullptr;
    try {
        stmt = cachedStatement(sql);
    } catch (const DataError &e) {
        throw DataError(e.message(), jetSql);
    }
    const bool writes = !sqlite3_stmt_readonly(stmt);
    if (writes)
        aboutToWrite();
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_reset(stmt);
    if (writes)
        noteWrite();
    if (rc != SQLITE_DONE)
        check(rc, jetSql);
    return writes ? sqlite3_changes(handle()) : 0;
}

void Database::executeNative(const QString &sqliteSql)
{
    aboutToWrite(true);
    char *err = nullptr;
    const int rc = sqlite3_exec(handle(), sqliteSql.toUtf8().constData(), nullptr, nullptr, &err);
    noteWrite();
    // Statements prepared against the old schema re-prepare themselves, but
    // cached column information must be read again.
    m_columnCache.clear();
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(err);
        throw DataError(QStringLiteral("Errore del database: %1").arg(msg), sqliteSql);
    }
    // The script may have made tables with BOOLEAN columns.
    if (isWritable())
        BooleanColumns::install(*this);
}

QList<QVariantList> Database::queryRows(const QString &jetSql, QStringList *columnNames)
{
    const QString sql = JetSql::statement(jetSql);
    sqlite3_stmt *stmt = nullptr;
    try {
        stmt = cachedStatement(sql);
    } catch (const DataError &e) {
        throw DataError(e.message(), jetSql);
    }
    const bool writes = !sqlite3_stmt_readonly(stmt);
    if (writes)
        aboutToWrite();
    const int n = sqlite3_column_count(stmt);
    QVector<ColumnKind> kinds(n);
    for (int c = 0; c < n; ++c) {
        kinds[c] = columnKindFromDeclaredType(QString::fromUtf8(sqlite3_column_decltype(stmt, c)));
        if (columnNames && c >= columnNames->size())
            columnNames->append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
    }
    QList<QVariantList> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(n);
        for (int c = 0; c < n; ++c)
            row << sqlitevalue::read(stmt, c, kinds[c]);
        rows << row;
    }
    sqlite3_reset(stmt);
    if (writes)
        noteWrite();
    if (rc != SQLITE_DONE)
        check(rc, jetSql);
    return rows;
}

QVariant Database::scalar(const QString &jetSql)
{
    const QList<QVariantList> rows = queryRows(jetSql);
    if (rows.isEmpty() || rows.first().isEmpty())
        return QVariant();
    return rows.first().first();
}

QStringList Database::tableNames() const
{
    QStringList names;
    sqlite3_stmt *stmt = nullptr;
    const char *sql = "SELECT name FROM sqlite_master WHERE type='table' AND substr(name,1,7)<>'sqlite_' ORDER BY rowid";
    check(sqlite3_prepare_v2(handle(), sql, -1, &stmt, nullptr), QString::fromUtf8(sql));
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return names;
}

bool Database::tableExists(const QString &table) const
{
    return tableNames().contains(table, Qt::CaseSensitive);
}

QList<ColumnInfo> Database::columns(const QString &table) const
{
    QList<ColumnInfo> cols;
    sqlite3_stmt *stmt = nullptr;
    QString escaped = table;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    const QString sql = QStringLiteral("PRAGMA table_info(\"%1\")").arg(escaped);
    check(sqlite3_prepare_v2(handle(), sql.toUtf8().constData(), -1, &stmt, nullptr), sql);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ColumnInfo c;
        c.name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)));
        c.declaredType = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2)));
        c.kind = columnKindFromDeclaredType(c.declaredType);
        c.notNull = sqlite3_column_int(stmt, 3) != 0;
        if (sqlite3_column_type(stmt, 4) != SQLITE_NULL)
            c.defaultSql = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 4)));
        c.primaryKey = sqlite3_column_int(stmt, 5) != 0;
        cols << c;
    }
    sqlite3_finalize(stmt);
    return cols;
}

const QList<ColumnInfo> &Database::cachedColumns(const QString &table) const
{
    int schemaVersion = -1;
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(handle(), "PRAGMA schema_version", -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            schemaVersion = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
    }
    if (schemaVersion != m_columnCacheSchemaVersion) {
        m_columnCache.clear();
        m_columnCacheSchemaVersion = schemaVersion;
    }
    const QString key = table.toLower();
    auto it = m_columnCache.find(key);
    if (it == m_columnCache.end())
        it = m_columnCache.insert(key, columns(table));
    return it.value();
}

void Database::beginTransaction()
{
    if (m_transactionDepth == 0)
        check(sqlite3_exec(handle(), "BEGIN", nullptr, nullptr, nullptr), QStringLiteral("BEGIN"));
    else {
        const QString sp = QStringLiteral("SAVEPOINT zf_sp%1").arg(m_transactionDepth);
        check(sqlite3_exec(handle(), sp.toUtf8().constData(), nullptr, nullptr, nullptr), sp);
    }
    ++m_transactionDepth;
}

void Database::commit()
{
    if (m_transactionDepth == 0)
        throw DataError(QStringLiteral("Nessuna transazione aperta"), QStringLiteral("COMMIT"));
    const QString sql = m_transactionDepth == 1 ? QStringLiteral("COMMIT")
                                                : QStringLiteral("RELEASE zf_sp%1").arg(m_transactionDepth - 1);
    check(sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr), sql);
    --m_transactionDepth;
}

void Database::rollback()
{
    if (m_transactionDepth == 0)
        throw DataError(QStringLiteral("Nessuna transazione aperta"), QStringLiteral("ROLLBACK"));
    aboutToWrite();
    QString sql;
    if (m_transactionDepth == 1)
        sql = QStringLiteral("ROLLBACK");
    else
        sql = QStringLiteral("ROLLBACK TO zf_sp%1; RELEASE zf_sp%1").arg(m_transactionDepth - 1);
    const int rc = sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    --m_transactionDepth;
    noteWrite();
    check(rc, sql);
    const auto sets = m_recordsets;
    for (Recordset *rs : sets)
        rs->afterRollback();
}

bool Database::inTransaction() const
{
    return m_transactionDepth > 0;
}

void Database::aboutToWrite(bool schemaChange)
{
    const auto sets = m_recordsets;
    for (Recordset *rs : sets) {
        if (schemaChange)
            rs->releaseStatements();
        else
            rs->completeKeyset();
    }
}

void Database::registerRecordset(Recordset *rs)
{
    if (std::find(m_recordsets.begin(), m_recordsets.end(), rs) == m_recordsets.end())
        m_recordsets.push_back(rs);
}

void Database::unregisterRecordset(Recordset *rs)
{
    m_recordsets.erase(std::remove(m_recordsets.begin(), m_recordsets.end(), rs), m_recordsets.end());
}

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.beginTransaction();
}

Transaction::~Transaction()
{
    if (m_active) {
        try {
            m_db.rollback();
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    if (!m_active)
        throw DataError(QStringLiteral("Transazione già chiusa"), QStringLiteral("COMMIT"));
    m_active = false;
    m_db.commit();
}

void Transaction::rollback()
{
    if (!m_active)
        throw DataError(QStringLiteral("Transazione già chiusa"), QStringLiteral("ROLLBACK"));
    m_active = false;
    m_db.rollback();
}
