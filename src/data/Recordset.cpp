#include "data/Recordset.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <QHash>

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <set>
#include <unordered_map>

namespace {

// Criteria translations a set keeps.
constexpr int kCriteriaCache = 64;

// True for "Name=n" (or "[Name] = n") on the column `name`, an integer n.
bool keyCriterion(const QString &criteria, const QString &name, qint64 &key)
{
    QStringView c = QStringView(criteria).trimmed();
    const bool bracketed = c.startsWith(QLatin1Char('['));
    if (bracketed)
        c = c.mid(1);
    if (!c.startsWith(name, Qt::CaseInsensitive))
        return false;
    c = c.mid(name.size());
    if (bracketed) {
        if (!c.startsWith(QLatin1Char(']')))
            return false;
        c = c.mid(1);
    }
    c = c.trimmed();
    if (!c.startsWith(QLatin1Char('=')))
        return false;
    c = c.mid(1).trimmed();
    if (c.isEmpty() || !(c[0].isDigit() || (c[0] == QLatin1Char('-') && c.size() > 1)))
        return false;
    for (qsizetype i = 1; i < c.size(); ++i) {
        if (c[i] < QLatin1Char('0') || c[i] > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    key = c.toLongLong(&ok);
    return ok;
}

// How many matches a find collects from one query before it falls back to
// testing rows one by one in set order (dense criteria find a match close by).
constexpr int kFindQueryLimit = 256;
// Rows read ahead in one statement when a set is read in order by key.
constexpr int kReadAhead = 64;

QString noCurrentRecord() { return QStringLiteral("Nessun record corrente"); }

// Renumbers the anonymous '?' placeholders of translated criteria so that
// they start at `first`. Translated criteria hold no quoted text that could
// contain '?': every literal is a parameter.
QString renumberParams(const QString &sql, int first)
{
    QString out;
    out.reserve(sql.size() + 8);
    int n = first;
    for (const QChar c : sql) {
        if (c == QLatin1Char('?'))
            out += QLatin1Char('?') + QString::number(n++);
        else
            out += c;
    }
    return out;
}

QString bracket(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

} // namespace

struct Recordset::Impl {
    struct Column {
        QString name;
        ColumnKind kind = ColumnKind::Dynamic;
        QString defaultSql;
    };

    // --- shape of the open set ---
    bool tableSet = false;   // editable set over one table, rows by rowid
    QString table;
    QString cursorSql;       // the statement that gives the keyset
    QVector<Column> columns;
    QHash<QString, int> columnIndex;  // lower-case name -> index
    // Names as spelt by the columns -> index, for the usual lookup in the
    // column's own spelling without building a lower-case copy. Holds a name
    // only where it agrees with columnIndex.
    QHash<QString, int> exactIndex;
    QString columnList;               // "[a], [b], ..." for table sets
    QString whereSql;                 // condition of the set (statement and filter)
    QString orderSql;                 // order of the set, ending with rowid

    // --- keyset ---
    std::vector<qint64> keys;         // rowids (table set) or row numbers (query set)
    bool keysetComplete = false;
    sqlite3_stmt *cursor = nullptr;   // pending keyset statement, owned
    // A sorted or filtered set's cursor gives the keys alone: sorting whole
    // rows costs far more than sorting keys and reading each row by key when
    // it is visited. A whole table in key order streams whole rows.
    bool narrowCursor = false;
    int addedFrom = -1;               // first position of rows added through the set
    std::set<int> deleted;            // positions of rows deleted through the set or found missing
    std::unordered_map<qint64, int> positionOf;  // key -> position, built on demand
    bool positionIndexBuilt = false;

    // --- query sets keep their rows ---
    std::vector<QVector<QVariant>> rows;

    // --- position and current row ---
    int pos = -1;                     // -1 BOF; keys.size() EOF (once complete)
    bool noCurrent = false;           // the current row was deleted
    // Where the current row's values are: not read yet, in the pending
    // cursor, in the fetch statement (stepped onto the row), or in `current`.
    enum class Source { None, Cursor, Fetch, Window, Buffer } source = Source::None;
    QVector<QVariant> current;        // values when source == Buffer
    sqlite3_stmt *fetch = nullptr;    // "SELECT columns WHERE rowid=?", owned
    int lastFetchPos = -2;
    // A set read in order, once its cursor no longer gives the rows, walks
    // the next rows in one statement, "(VALUES (?1), ...) CROSS JOIN table",
    // stepping once per row so that values are converted only when asked
    // for. Valid while the database's write counter equals windowStamp; an
    // update of the current row alone, through this set, keeps it valid. A
    // window is started only when nothing else was written since the
    // previous row was read.
    sqlite3_stmt *window = nullptr;   // owned
    bool windowActive = false;
    std::uint64_t lastFetchStamp = ~std::uint64_t(0);
    std::uint64_t windowStamp = 0;
    std::vector<int> windowPositions;  // positions bound, in order
    size_t windowNext = 0;             // index of the next row it gives
    // INSERT and UPDATE statements by changed-column mask, owned.
    QHash<QByteArray, sqlite3_stmt *> insertStatements;
    QHash<QByteArray, sqlite3_stmt *> updateStatements;
    // Criteria translated, by their Jet text.
    QHash<QString, SqlWithParams> criteria;
    int rowidColumn = -1;             // the column that is the rowid (INTEGER PRIMARY KEY)
    std::uint64_t knownWrites = 0;    // Database::writeCounter() as last seen

    // --- edit buffer ---
    QVector<QVariant> buffer;
    QVector<bool> dirty;
    QVector<QVariant> defaults;       // evaluated column defaults (table sets)
    bool defaultsLoaded = false;

    Impl() = default;
    Impl(const Impl &) = delete;
    Impl &operator=(const Impl &) = delete;
    ~Impl()
    {
        finalizeCursor();
        if (fetch)
            sqlite3_finalize(fetch);
        for (sqlite3_stmt *stmt : std::as_const(insertStatements))
            sqlite3_finalize(stmt);
        for (sqlite3_stmt *stmt : std::as_const(updateStatements))
            sqlite3_finalize(stmt);
        if (window)
            sqlite3_finalize(window);
    }

    void stopWindow()
    {
        if (windowActive) {
            sqlite3_reset(window);
            windowActive = false;
        }
    }

    void finalizeCursor()
    {
        if (cursor) {
            sqlite3_finalize(cursor);
            cursor = nullptr;
        }
    }

    int liveCount() const { return int(keys.size()) - int(deleted.size()); }
};

Recordset::Recordset(Database &db) : d(std::make_unique<Impl>()), m_db(&db) {}

Recordset::Recordset(Database &db, const QString &table)
    : d(std::make_unique<Impl>()), m_db(&db), m_defaultTable(table)
{
}

Recordset::~Recordset()
{
    // A set detached by Database::close() is no longer registered, and its
    // Database may already be gone.
    if (m_db && m_open)
        m_db->unregisterRecordset(this);
}

QString Recordset::tableName() const
{
    return m_open && d->tableSet ? d->table : QString();
}

// --- opening -------------------------------------------------------------

void Recordset::open()
{
    if (m_defaultTable.isEmpty())
        throw DataError(QStringLiteral("Nessuna tabella per il recordset"), QString());
    open(m_defaultTable);
}

void Recordset::open(const QString &tableOrSelect)
{
    if (!m_db || !m_db->isOpen())
        throw DataError(QStringLiteral("Database non aperto"), tableOrSelect);
    close();
    m_source = tableOrSelect.trimmed();
    openSource();
}

void Recordset::openSource()
{
    d = std::make_unique<Impl>();
    Impl &x = *d;
    Database &db = *m_db;
    QString text = m_source;
    const bool isSelect = text.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)
                          && (text.size() == 6 || !text[6].isLetterOrNumber());
    QString table, where, order, querySql;
    if (isSelect) {
        const SelectShape shape = JetSql::select(text);
        if (shape.singleTable) {
            table = shape.table;
            where = shape.whereSql;
            order = shape.orderBySql;
        } else {
            querySql = shape.sql;
        }
    } else {
        table = text;
        if (table.startsWith(QLatin1Char('[')) && table.endsWith(QLatin1Char(']')))
            table = table.mid(1, table.size() - 2);
    }
    const QString filterSql = JetSql::condition(m_filter);
    const QString sortSql = JetSql::orderBy(m_sort);
    if (!sortSql.isEmpty())
        order = sortSql;

    if (!table.isEmpty()) {
        const QList<ColumnInfo> &cols = db.cachedColumns(table);
        if (cols.isEmpty())
            throw DataError(QStringLiteral("Tabella inesistente: %1").arg(table), m_source);
        x.tableSet = true;
        x.table = table;
        QStringList names;
        int keyColumns = 0;
        for (const ColumnInfo &c : cols) {
            if (c.primaryKey) {
                ++keyColumns;
                if (c.declaredType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                    x.rowidColumn = int(x.columns.size());
            }
            x.columnIndex.insert(c.name.toLower(), int(x.columns.size()));
            x.columns.push_back({c.name, c.kind, c.defaultSql});
            names << bracket(c.name);
        }
        if (keyColumns != 1)
            x.rowidColumn = -1;
        for (int c = 0; c < x.columns.size(); ++c) {
            if (x.columnIndex.value(x.columns[c].name.toLower()) == c)
                x.exactIndex.insert(x.columns[c].name, c);
        }
        x.columnList = names.join(QStringLiteral(", "));
        QStringList conds;
        if (!where.isEmpty())
            conds << where;
        if (!filterSql.isEmpty())
            conds << filterSql;
        x.whereSql = conds.join(QStringLiteral(" AND "));
        // Rows stream from one statement as the set is read. Rows with equal
        // sort keys come in key order, so the order never depends on the plan
        // SQLite picks (and a narrow query can complete the keyset exactly).
        x.orderSql = order.isEmpty() ? QStringLiteral("rowid") : order + QStringLiteral(", rowid");
        // Only a whole table in key order is read straight from the table:
        // with a condition SQLite may walk an index and sort whole rows.
        x.narrowCursor = x.orderSql != QLatin1String("rowid") || !x.whereSql.isEmpty();
        QString sql = x.narrowCursor ? QStringLiteral("SELECT rowid FROM %1").arg(bracket(table))
                                     : QStringLiteral("SELECT rowid, %1 FROM %2").arg(x.columnList, bracket(table));
        if (!x.whereSql.isEmpty())
            sql += QStringLiteral(" WHERE ") + x.whereSql;
        sql += QStringLiteral(" ORDER BY ") + x.orderSql;
        x.cursorSql = sql;
        const QByteArray utf8 = sql.toUtf8();
        int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &x.cursor, nullptr);
        if (rc == SQLITE_OK) {
            const QByteArray fetchSql =
                QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(x.columnList, bracket(table)).toUtf8();
            rc = sqlite3_prepare_v3(db.handle(), fetchSql.constData(), int(fetchSql.size()), SQLITE_PREPARE_PERSISTENT,
                                    &x.fetch, nullptr);
        }
        if (rc != SQLITE_OK) {
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db.handle()));
            d = std::make_unique<Impl>();
            throw DataError(QStringLiteral("Errore del database: %1 (%2)").arg(msg, sql), m_source);
        }
    } else {
        // A read-only set: the rows are read once, in full.
        QString sql = querySql;
        if (!filterSql.isEmpty() || !order.isEmpty()) {
            sql = QStringLiteral("SELECT * FROM (%1)").arg(querySql);
            if (!filterSql.isEmpty())
                sql += QStringLiteral(" WHERE ") + filterSql;
            if (!order.isEmpty())
                sql += QStringLiteral(" ORDER BY ") + order;
        }
        x.cursorSql = sql;
        sqlite3_stmt *stmt = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &stmt, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(stmt);
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db.handle()));
            throw DataError(QStringLiteral("Errore del database: %1 (%2)").arg(msg, sql), m_source);
        }
        const int n = sqlite3_column_count(stmt);
        for (int c = 0; c < n; ++c) {
            Impl::Column col;
            col.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
            col.kind = columnKindFromDeclaredType(QString::fromUtf8(sqlite3_column_decltype(stmt, c)));
            if (!x.columnIndex.contains(col.name.toLower()))
                x.columnIndex.insert(col.name.toLower(), c);
            x.columns.push_back(col);
        }
        for (int c = 0; c < n; ++c) {
            if (x.columnIndex.value(x.columns[c].name.toLower()) == c)
                x.exactIndex.insert(x.columns[c].name, c);
        }
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QVector<QVariant> row(n);
            for (int c = 0; c < n; ++c)
                row[c] = sqlitevalue::read(stmt, c, x.columns[c].kind);
            x.keys.push_back(qint64(x.rows.size()));
            x.rows.push_back(std::move(row));
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) {
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db.handle()));
            throw DataError(QStringLiteral("Errore del database: %1").arg(msg), m_source);
        }
        x.keysetComplete = true;
    }
    m_open = true;
    m_editMode = EditMode::None;
    m_lastModified = Bookmark();
    x.knownWrites = db.writeCounter();
    db.registerRecordset(this);
    // The first row, if any, becomes current.
    x.pos = -1;
    if (ensureKey(0))
        goTo(0);
    else
        x.pos = 0;  // empty: EOF and BOF together
}

void Recordset::requery()
{
    if (!m_open)
        throw DataError(QStringLiteral("Recordset non aperto"), m_filter);
    m_db->unregisterRecordset(this);
    m_open = false;
    openSource();
}

void Recordset::close()
{
    if (m_db)
        m_db->unregisterRecordset(this);
    d = std::make_unique<Impl>();
    m_open = false;
    m_editMode = EditMode::None;
}

void Recordset::detachFromDatabase()
{
    d = std::make_unique<Impl>();
    m_open = false;
    m_editMode = EditMode::None;
}

void Recordset::afterRollback()
{
    Impl &x = *d;
    if (!m_open || !x.tableSet)
        return;
    dropCurrent();
    if (x.addedFrom < 0)
        return;
    const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE rowid=?").arg(bracket(x.table));
    sqlite3_stmt *stmt = m_db->cachedStatement(sql);
    for (int p = x.addedFrom; p < int(x.keys.size()); ++p) {
        if (x.deleted.count(p))
            continue;
        sqlite3_reset(stmt);
        sqlite3_bind_int64(stmt, 1, x.keys[size_t(p)]);
        if (sqlite3_step(stmt) != SQLITE_ROW)
            x.deleted.insert(p);
    }
    sqlite3_reset(stmt);
}

// --- keyset --------------------------------------------------------------

void Recordset::requireOpen() const
{
    if (!m_open)
        throw DataError(QStringLiteral("Recordset non aperto"), m_source);
}

// Copies the current row out of the statement that holds it (the pending
// cursor or the fetch statement), so that the statement can move on.
void Recordset::detachCurrentFromCursor()
{
    Impl &x = *d;
    if (x.source != Impl::Source::Cursor && x.source != Impl::Source::Fetch && x.source != Impl::Source::Window)
        return;
    sqlite3_stmt *stmt = x.source == Impl::Source::Cursor ? x.cursor
                         : x.source == Impl::Source::Window ? x.window
                                                             : x.fetch;
    const int offset = x.source == Impl::Source::Fetch ? 0 : 1;
    const int n = x.columns.size();
    x.current.resize(n);
    for (int c = 0; c < n; ++c)
        x.current[c] = sqlitevalue::read(stmt, c + offset, x.columns[c].kind);
    if (x.source == Impl::Source::Fetch)
        sqlite3_reset(x.fetch);
    x.source = Impl::Source::Buffer;
}

bool Recordset::stepCursor(bool keepRow)
{
    Impl &x = *d;
    if (x.source == Impl::Source::Cursor)
        detachCurrentFromCursor();
    const int rc = sqlite3_step(x.cursor);
    if (rc == SQLITE_ROW) {
        const qint64 key = sqlite3_column_int64(x.cursor, 0);
        x.keys.push_back(key);
        if (x.positionIndexBuilt)
            x.positionOf.emplace(key, int(x.keys.size()) - 1);
        (void)keepRow;
        return true;
    }
    x.finalizeCursor();
    x.keysetComplete = true;
    if (rc != SQLITE_DONE)
        m_db->check(rc, x.cursorSql);
    return false;
}

bool Recordset::ensureKey(int position)
{
    Impl &x = *d;
    while (int(x.keys.size()) <= position) {
        if (x.keysetComplete)
            return false;
        if (!stepCursor(true))
            return false;
    }
    return true;
}

void Recordset::completeKeyset()
{
    Impl &x = *d;
    if (!m_open || x.keysetComplete)
        return;
    // The rest of the keyset comes from a narrow query of the keys alone in
    // the same total order, rather than from the wide cursor: in key order
    // it starts after the last key read, otherwise it skips the keys read.
    if (x.source == Impl::Source::Cursor)
        detachCurrentFromCursor();
    if (x.narrowCursor) {
        // The keys alone come from the cursor: read them to the end.
        while (x.cursor && stepCursor(true)) {
        }
        return;
    }
    x.finalizeCursor();
    const bool keyOrder = x.orderSql == QLatin1String("rowid");
    QString sql = QStringLiteral("SELECT rowid FROM %1").arg(bracket(x.table));
    QStringList conds;
    if (!x.whereSql.isEmpty())
        conds << QStringLiteral("(") + x.whereSql + QStringLiteral(")");
    if (keyOrder)
        conds << QStringLiteral("rowid > ?1");
    if (!conds.isEmpty())
        sql += QStringLiteral(" WHERE ") + conds.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + x.orderSql;
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    int rc = sqlite3_prepare_v2(m_db->handle(), utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc == SQLITE_OK) {
        size_t skip = 0;
        if (keyOrder)
            sqlite3_bind_int64(stmt, 1, x.keys.empty() ? std::numeric_limits<qint64>::min() : x.keys.back());
        else
            skip = x.keys.size();
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (skip > 0) {
                --skip;
                continue;
            }
            const qint64 key = sqlite3_column_int64(stmt, 0);
            x.keys.push_back(key);
            if (x.positionIndexBuilt)
                x.positionOf.emplace(key, int(x.keys.size()) - 1);
        }
    }
    sqlite3_finalize(stmt);
    x.keysetComplete = true;
    if (rc != SQLITE_DONE && rc != SQLITE_OK)
        m_db->check(rc, sql);
}

void Recordset::releaseStatements()
{
    if (!m_open)
        return;
    completeKeyset();
    detachCurrentFromCursor();
    d->stopWindow();
}

void Recordset::buildPositionIndex()
{
    Impl &x = *d;
    completeKeyset();
    if (x.positionIndexBuilt)
        return;
    x.positionOf.clear();
    x.positionOf.reserve(x.keys.size() * 2);
    for (int i = 0; i < int(x.keys.size()); ++i)
        x.positionOf.emplace(x.keys[i], i);
    x.positionIndexBuilt = true;
}

// Makes `position` (a valid keyset position) the current row.
void Recordset::goTo(int position)
{
    Impl &x = *d;
    dropCurrent();
    x.pos = position;
    x.noCurrent = false;
    if (!x.tableSet) {
        x.source = Impl::Source::Buffer;
        x.current = x.rows[size_t(position)];
        return;
    }
    // The row just read by the pending cursor is used as it stands; any
    // other row is read when a value is first asked for.
    if (x.cursor && !x.narrowCursor && position == int(x.keys.size()) - 1)
        x.source = Impl::Source::Cursor;
}

// Reads the row at the current position from the database. Returns false
// when the row no longer exists.
bool Recordset::fetchCurrent() const
{
    Impl &x = *d;
    if (x.source != Impl::Source::None)
        return true;
    const bool inOrder = x.pos == x.lastFetchPos + 1;
    x.lastFetchPos = x.pos;
    const bool quiet = x.lastFetchStamp == m_db->writeCounter();
    x.lastFetchStamp = m_db->writeCounter();
    if (x.windowActive
        && (x.windowStamp != m_db->writeCounter() || !inOrder || x.windowNext >= x.windowPositions.size()
            || x.windowPositions[x.windowNext] != x.pos))
        x.stopWindow();
    if (inOrder && (x.windowActive || quiet) && stepWindow())
        return true;
    // The fetch statement stays on the row; values are converted only when
    // asked for (SQLite keeps the row's values once stepped).
    sqlite3_reset(x.fetch);
    sqlite3_bind_int64(x.fetch, 1, x.keys[size_t(x.pos)]);
    const int rc = sqlite3_step(x.fetch);
    if (rc == SQLITE_ROW) {
        x.source = Impl::Source::Fetch;
        return true;
    }
    sqlite3_reset(x.fetch);
    if (rc != SQLITE_DONE)
        m_db->check(rc, x.table);
    return false;
}

// Makes the next row of the window the current row, starting a window at
// the current position when none is active. Returns false (window stopped)
// when the row is not the one expected, e.g. because it no longer exists.
bool Recordset::stepWindow() const
{
    Impl &x = *d;
    if (!x.windowActive) {
        if (!x.window) {
            QStringList rows, cols;
            for (int i = 1; i <= kReadAhead; ++i)
                rows << QStringLiteral("(?%1)").arg(i);
            for (const Impl::Column &c : std::as_const(x.columns))
                cols << QStringLiteral("t.") + bracket(c.name);
            const QByteArray sql = QStringLiteral("SELECT t.rowid, %1 FROM (VALUES %2) AS k CROSS JOIN %3 AS t "
                                                  "ON t.rowid = k.column1")
                                       .arg(cols.join(QStringLiteral(", ")), rows.join(QLatin1Char(',')),
                                            bracket(x.table))
                                       .toUtf8();
            m_db->check(sqlite3_prepare_v3(m_db->handle(), sql.constData(), int(sql.size()),
                                           SQLITE_PREPARE_PERSISTENT, &x.window, nullptr),
                        QString::fromUtf8(sql));
        }
        Recordset *self = const_cast<Recordset *>(this);
        self->ensureKey(x.pos + kReadAhead - 1);
        sqlite3_clear_bindings(x.window);
        x.windowPositions.clear();
        for (int p = x.pos; p < int(x.keys.size()) && int(x.windowPositions.size()) < kReadAhead; ++p) {
            if (!x.deleted.count(p)) {
                x.windowPositions.push_back(p);
                sqlite3_bind_int64(x.window, int(x.windowPositions.size()), x.keys[size_t(p)]);
            }
        }
        x.windowNext = 0;
        x.windowStamp = m_db->writeCounter();
        x.windowActive = true;
        if (x.windowPositions.empty() || x.windowPositions[0] != x.pos) {
            x.stopWindow();
            return false;
        }
    }
    const int rc = sqlite3_step(x.window);
    if (rc != SQLITE_ROW || sqlite3_column_int64(x.window, 0) != x.keys[size_t(x.pos)]) {
        x.stopWindow();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            m_db->check(rc, x.table);
        return false;
    }
    ++x.windowNext;
    x.source = Impl::Source::Window;
    return true;
}

// True when a row at `position` is there to be made current: not deleted
// through this set and, if the database was written by anyone else since
// we last looked, still present.
bool Recordset::usable(int position)
{
    Impl &x = *d;
    if (x.deleted.count(position))
        return false;
    if (!x.tableSet || m_db->writeCounter() == x.knownWrites)
        return true;
    if (x.cursor && !x.narrowCursor && position == int(x.keys.size()) - 1)
        return true;
    const int saved = x.pos;
    const bool savedNoCurrent = x.noCurrent;
    goTo(position);
    if (fetchCurrent())
        return true;
    // Deleted behind our back: it leaves the set.
    completeKeyset();
    x.deleted.insert(position);
    dropCurrent();
    x.pos = saved;
    x.noCurrent = savedNoCurrent;
    return false;
}

// --- positions -----------------------------------------------------------

bool Recordset::isEOF() const
{
    requireOpen();
    Recordset *self = const_cast<Recordset *>(this);
    if (d->liveCount() == 0 && d->keysetComplete)
        return true;
    if (d->pos < 0)
        return !self->ensureKey(0);
    return !self->ensureKey(d->pos);
}

bool Recordset::isBOF() const
{
    requireOpen();
    Recordset *self = const_cast<Recordset *>(this);
    if (d->pos < 0)
        return true;
    if (d->keys.empty() && !self->ensureKey(0))
        return true;
    return d->liveCount() == 0 && d->keysetComplete;
}

void Recordset::dropCurrent()
{
    if (d->source == Impl::Source::Fetch)
        sqlite3_reset(d->fetch);
    d->source = d->tableSet ? Impl::Source::None : Impl::Source::Buffer;
    if (d->tableSet)
        d->current.clear();
}

void Recordset::leaveRow()
{
    if (m_editMode != EditMode::None) {
        m_editMode = EditMode::None;
        // Emptied in place: the next edit reuses the storage.
        d->buffer.fill(QVariant());
    }
}

void Recordset::moveFirst()
{
    requireOpen();
    leaveRow();
    dropCurrent();
    for (int p = 0; ensureKey(p); ++p) {
        if (usable(p)) {
            goTo(p);
            return;
        }
    }
    d->pos = int(d->keys.size());  // empty: EOF
    d->noCurrent = false;
}

void Recordset::moveLast()
{
    requireOpen();
    leaveRow();
    dropCurrent();
    completeKeyset();
    for (int p = int(d->keys.size()) - 1; p >= 0; --p) {
        if (usable(p)) {
            goTo(p);
            return;
        }
    }
    d->pos = int(d->keys.size());
    d->noCurrent = false;
}

void Recordset::moveNext()
{
    requireOpen();
    if (!d->noCurrent && isEOF())
        throw DataError(QStringLiteral("Nessun record corrente: fine del recordset già raggiunta"), m_source);
    leaveRow();
    dropCurrent();
    int p = d->pos + 1;
    for (; ensureKey(p); ++p) {
        if (usable(p)) {
            goTo(p);
            return;
        }
    }
    d->source = Impl::Source::None;
    d->pos = int(d->keys.size());
    d->noCurrent = false;
}

void Recordset::movePrev()
{
    requireOpen();
    if (d->pos < 0)
        throw DataError(QStringLiteral("Nessun record corrente: inizio del recordset già raggiunto"), m_source);
    leaveRow();
    dropCurrent();
    for (int p = qMin(d->pos - 1, int(d->keys.size()) - 1); p >= 0; --p) {
        if (usable(p)) {
            goTo(p);
            return;
        }
    }
    d->source = Impl::Source::None;
    d->pos = -1;
    d->noCurrent = false;
}

int Recordset::recordCount()
{
    requireOpen();
    completeKeyset();
    return d->liveCount();
}

bool Recordset::hasCurrent() const
{
    return m_open && !d->noCurrent && d->pos >= 0 && d->pos < int(d->keys.size()) && !d->deleted.count(d->pos);
}

int Recordset::absolutePosition()
{
    requireOpen();
    if (!hasCurrent())
        return -1;
    const auto before = std::distance(d->deleted.begin(), d->deleted.lower_bound(d->pos));
    return d->pos - int(before);
}

void Recordset::setAbsolutePosition(int position)
{
    requireOpen();
    if (position < 0)
        throw DataError(QStringLiteral("Posizione non valida: %1").arg(position), m_source);
    leaveRow();
    dropCurrent();
    int live = -1;
    for (int p = 0; ensureKey(p); ++p) {
        if (d->deleted.count(p))
            continue;
        if (++live == position) {
            if (!usable(p))
                break;
            goTo(p);
            return;
        }
    }
    throw DataError(QStringLiteral("Posizione non valida: %1").arg(position), m_source);
}

// --- bookmarks -----------------------------------------------------------

Bookmark Recordset::bookmark() const
{
    requireOpen();
    if (!hasCurrent())
        throw DataError(noCurrentRecord(), m_source);
    return Bookmark(d->keys[size_t(d->pos)]);
}

void Recordset::setBookmark(const Bookmark &bookmark)
{
    requireOpen();
    if (!bookmark.isValid())
        throw DataError(QStringLiteral("Segnalibro non valido"), m_source);
    buildPositionIndex();
    auto it = d->positionOf.find(bookmark.m_key);
    if (it == d->positionOf.end() || d->deleted.count(it->second) || !usable(it->second))
        throw DataError(QStringLiteral("Segnalibro non valido: il record non fa parte del recordset"), m_source);
    leaveRow();
    goTo(it->second);
}

// --- find ----------------------------------------------------------------

namespace {
enum class FindKind { First, Next, Prev, Last };
}

bool Recordset::find(int kind, const QString &criteria)
{
    requireOpen();
    const FindKind k = FindKind(kind);
    Impl &x = *d;
    qint64 key = 0;
    const bool byKey = x.tableSet && x.rowidColumn >= 0 && keyCriterion(criteria, x.columns[x.rowidColumn].name, key);
    auto cached = x.criteria.constFind(criteria);
    if (!byKey && cached == x.criteria.constEnd()) {
        if (x.criteria.size() >= kCriteriaCache)
            x.criteria.clear();
        cached = x.criteria.insert(criteria, JetSql::conditionWithParams(criteria));
    }
    const SqlWithParams &crit = byKey ? SqlWithParams() : cached.value();
    if (!byKey && crit.sql.isEmpty())
        throw DataError(QStringLiteral("Criterio di ricerca vuoto"), criteria);
    completeKeyset();
    const int n = int(x.keys.size());
    int from = 0, to = 0, step = 1;  // positions to consider, in order
    switch (k) {
    case FindKind::First: from = 0; to = n; step = 1; break;
    case FindKind::Last: from = n - 1; to = -1; step = -1; break;
    case FindKind::Next: from = qMax(0, x.pos + 1); to = n; step = 1; break;
    case FindKind::Prev: from = qMin(n - 1, x.pos - 1); to = -1; step = -1; break;
    }
    auto accept = [&](int p) {
        leaveRow();
        goTo(p);
        return true;
    };
    auto inRange = [&](int p) { return step > 0 ? (p >= from && p < to) : (p <= from && p > to); };

    if (byKey) {
        // "ID=n" on the rowid: at most one row, found through the keyset.
        buildPositionIndex();
        const auto it = x.positionOf.find(key);
        if (it == x.positionOf.end() || !inRange(it->second) || x.deleted.count(it->second) || !usable(it->second))
            return false;
        return accept(it->second);
    }

    if (x.tableSet) {
        // One query gives the matching rows; the set's order picks among them.
        const QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(bracket(x.table), crit.sql);
        sqlite3_stmt *stmt = nullptr;
        try {
            stmt = m_db->cachedStatement(sql);
        } catch (const DataError &e) {
            throw DataError(e.message(), criteria);
        }
        for (int i = 0; i < crit.params.size(); ++i)
            sqlitevalue::bind(stmt, i + 1, crit.params[i], ColumnKind::Dynamic);
        buildPositionIndex();
        int best = -1;
        int found = 0;
        bool overflow = false;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (++found > kFindQueryLimit) {
                overflow = true;
                break;
            }
            auto it = x.positionOf.find(sqlite3_column_int64(stmt, 0));
            if (it == x.positionOf.end())
                continue;
            const int p = it->second;
            if (!inRange(p) || x.deleted.count(p))
                continue;
            if (best < 0 || (step > 0 ? p < best : p > best))
                best = p;
        }
        sqlite3_reset(stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            m_db->check(rc, criteria);
        if (!overflow) {
            if (best < 0)
                return false;
            return accept(best);
        }
        // Many rows match: test rows one by one in set order.
        const QString probeSql = QStringLiteral("SELECT 1 FROM %1 WHERE rowid=?1 AND (%2)")
                                     .arg(bracket(x.table), renumberParams(crit.sql, 2));
        sqlite3_stmt *probe = m_db->cachedStatement(probeSql);
        for (int p = from; inRange(p); p += step) {
            if (x.deleted.count(p))
                continue;
            sqlite3_reset(probe);
            sqlite3_bind_int64(probe, 1, x.keys[size_t(p)]);
            for (int i = 0; i < crit.params.size(); ++i)
                sqlitevalue::bind(probe, i + 2, crit.params[i], ColumnKind::Dynamic);
            rc = sqlite3_step(probe);
            sqlite3_reset(probe);
            if (rc == SQLITE_ROW)
                return accept(p);
            if (rc != SQLITE_DONE)
                m_db->check(rc, criteria);
        }
        return false;
    }

    // Read-only sets: each row's values are tested by SQLite itself.
    QStringList cols;
    const int nc = x.columns.size();
    for (int c = 0; c < nc; ++c)
        cols << QStringLiteral("?%1 AS %2").arg(c + 1).arg(bracket(x.columns[c].name));
    const QString sql = QStringLiteral("SELECT 1 FROM (SELECT %1) WHERE %2")
                            .arg(cols.join(QStringLiteral(", ")), renumberParams(crit.sql, nc + 1));
    sqlite3_stmt *stmt = nullptr;
    try {
        stmt = m_db->cachedStatement(sql);
    } catch (const DataError &e) {
        throw DataError(e.message(), criteria);
    }
    for (int p = from; inRange(p); p += step) {
        if (x.deleted.count(p))
            continue;
        sqlite3_reset(stmt);
        const QVector<QVariant> &row = x.rows[size_t(p)];
        for (int c = 0; c < nc; ++c)
            sqlitevalue::bind(stmt, c + 1, row[c], ColumnKind::Dynamic);
        for (int i = 0; i < crit.params.size(); ++i)
            sqlitevalue::bind(stmt, nc + 1 + i, crit.params[i], ColumnKind::Dynamic);
        const int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        if (rc == SQLITE_ROW)
            return accept(p);
        if (rc != SQLITE_DONE)
            m_db->check(rc, criteria);
    }
    return false;
}

bool Recordset::findFirst(const QString &c) { return find(int(FindKind::First), c); }
bool Recordset::findNext(const QString &c) { return find(int(FindKind::Next), c); }
bool Recordset::findPrev(const QString &c) { return find(int(FindKind::Prev), c); }
bool Recordset::findLast(const QString &c) { return find(int(FindKind::Last), c); }

// --- editing -------------------------------------------------------------

bool Recordset::canUpdate() const
{
    return m_open && d->tableSet;
}

void Recordset::requireUpdatable() const
{
    requireOpen();
    if (!d->tableSet)
        throw DataError(QStringLiteral("Recordset di sola lettura"), m_source);
}

void Recordset::loadDefaults()
{
    Impl &x = *d;
    if (x.defaultsLoaded)
        return;
    const int n = x.columns.size();
    x.defaults = QVector<QVariant>(n);
    QStringList exprs;
    for (int c = 0; c < n; ++c)
        exprs << (x.columns[c].defaultSql.isEmpty() ? QStringLiteral("NULL") : x.columns[c].defaultSql);
    const QString sql = QStringLiteral("SELECT ") + exprs.join(QStringLiteral(", "));
    sqlite3_stmt *stmt = nullptr;
    // Defaults such as CURRENT_TIMESTAMP are evaluated at each insert by
    // SQLite; here they only serve what the buffer shows before update().
    if (sqlite3_prepare_v2(m_db->handle(), sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c)
            x.defaults[c] = sqlitevalue::read(stmt, c, x.columns[c].kind);
    }
    sqlite3_finalize(stmt);
    x.defaultsLoaded = true;
}

void Recordset::addNew()
{
    requireUpdatable();
    leaveRow();
    loadDefaults();
    d->buffer = d->defaults;
    d->dirty = QVector<bool>(d->columns.size(), false);
    m_editMode = EditMode::AddNew;
}

void Recordset::edit()
{
    requireUpdatable();
    if (!hasCurrent())
        throw DataError(noCurrentRecord(), m_source);
    if (m_editMode == EditMode::Edit)
        return;
    leaveRow();
    // The buffer starts empty: unchanged fields read through to the row.
    d->buffer.resize(d->columns.size());
    d->dirty.fill(false, d->columns.size());
    m_editMode = EditMode::Edit;
}

void Recordset::cancelUpdate()
{
    leaveRow();
}

void Recordset::update()
{
    requireUpdatable();
    Impl &x = *d;
    if (m_editMode == EditMode::None)
        throw DataError(QStringLiteral("Update senza AddNew o Edit"), m_source);
    const int n = x.columns.size();
    QVector<int> idx;
    for (int c = 0; c < n; ++c) {
        if (x.dirty[c])
            idx << c;
    }
    QByteArray mask(n, '0');
    for (int c : std::as_const(idx))
        mask[c] = '1';
    // The statement for this set of changed columns, made once.
    auto statement = [&](QHash<QByteArray, sqlite3_stmt *> &cache, auto makeSql) {
        sqlite3_stmt *&stmt = cache[mask];
        if (!stmt) {
            QStringList names;
            for (int c : std::as_const(idx))
                names << bracket(x.columns[c].name);
            const QByteArray sql = makeSql(names).toUtf8();
            const int rc = sqlite3_prepare_v3(m_db->handle(), sql.constData(), int(sql.size()),
                                              SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
            if (rc != SQLITE_OK) {
                sqlite3_finalize(stmt);
                stmt = nullptr;
                m_db->check(rc, QString::fromUtf8(sql));
            }
        }
        return stmt;
    };
    // Values in the buffer are already in their stored form (setValue).
    auto bindValues = [&](sqlite3_stmt *stmt) {
        for (int i = 0; i < idx.size(); ++i)
            m_db->check(sqlitevalue::bind(stmt, i + 1, x.buffer[idx[i]], ColumnKind::Dynamic), m_source);
    };
    const bool ownWritesOnly = m_db->writeCounter() == x.knownWrites;
    if (m_editMode == EditMode::AddNew) {
        sqlite3_stmt *stmt = statement(x.insertStatements, [&](const QStringList &names) {
            if (names.isEmpty())
                return QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(bracket(x.table));
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(bracket(x.table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        });
        m_db->aboutToWrite();
        bindValues(stmt);
        const int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        m_db->noteWrite();
        m_db->check(rc, m_source);
        const qint64 rowid = sqlite3_last_insert_rowid(m_db->handle());
        // The new row joins the set at its end until the next requery. A
        // set that was at its end stays there.
        const bool atEnd = x.pos >= int(x.keys.size());
        if (x.addedFrom < 0)
            x.addedFrom = int(x.keys.size());
        x.keys.push_back(rowid);
        if (atEnd)
            x.pos = int(x.keys.size());
        if (x.positionIndexBuilt)
            x.positionOf.emplace(rowid, int(x.keys.size()) - 1);
        m_lastModified = Bookmark(rowid);
    } else {
        if (!hasCurrent())
            throw DataError(noCurrentRecord(), m_source);
        const qint64 rowid = x.keys[size_t(x.pos)];
        if (!idx.isEmpty()) {
            sqlite3_stmt *stmt = statement(x.updateStatements, [&](const QStringList &names) {
                QStringList sets;
                for (const QString &nm : names)
                    sets << nm + QStringLiteral("=?");
                return QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                    .arg(bracket(x.table), sets.join(QStringLiteral(", ")));
            });
            const std::uint64_t before = m_db->writeCounter();
            m_db->aboutToWrite();
            sqlite3 *h = m_db->handle();
            const sqlite3_int64 changesBefore = sqlite3_total_changes64(h);
            bindValues(stmt);
            sqlite3_bind_int64(stmt, idx.size() + 1, rowid);
            const int rc = sqlite3_step(stmt);
            sqlite3_reset(stmt);
            m_db->noteWrite();
            m_db->check(rc, m_source);
            if (sqlite3_changes(h) == 0)
                throw DataError(QStringLiteral("Il record non esiste più"), m_source);
            // The row is read again, in its stored form, when next asked for.
            // When this row was all that changed (no trigger touched another
            // one), the rows ahead that the window holds are still as they
            // were.
            dropCurrent();
            if (sqlite3_total_changes64(h) - changesBefore == 1) {
                if (x.windowStamp == before)
                    x.windowStamp = m_db->writeCounter();
                if (x.lastFetchStamp == before)
                    x.lastFetchStamp = m_db->writeCounter();
            }
        }
        m_lastModified = Bookmark(rowid);
    }
    if (ownWritesOnly)
        x.knownWrites = m_db->writeCounter();
    m_editMode = EditMode::None;
    x.buffer.fill(QVariant());
}

void Recordset::deleteCurrent()
{
    requireUpdatable();
    Impl &x = *d;
    if (!hasCurrent())
        throw DataError(noCurrentRecord(), m_source);
    leaveRow();
    const bool ownWritesOnly = m_db->writeCounter() == x.knownWrites;
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(bracket(x.table));
    m_db->aboutToWrite();
    sqlite3_stmt *stmt = m_db->cachedStatement(sql);
    sqlite3_bind_int64(stmt, 1, x.keys[size_t(x.pos)]);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    m_db->noteWrite();
    m_db->check(rc, sql);
    if (ownWritesOnly)
        x.knownWrites = m_db->writeCounter();
    x.deleted.insert(x.pos);
    x.noCurrent = true;
    dropCurrent();
}

// --- fields --------------------------------------------------------------

int Recordset::fieldCount() const
{
    return d->columns.size();
}

QStringList Recordset::fieldNames() const
{
    QStringList names;
    for (const Impl::Column &c : std::as_const(d->columns))
        names << c.name;
    return names;
}

int Recordset::fieldIndex(const QString &name) const
{
    const auto it = d->exactIndex.constFind(name);
    if (it != d->exactIndex.constEnd())
        return it.value();
    return d->columnIndex.value(name.toLower(), -1);
}

int Recordset::requireField(const QString &name) const
{
    requireOpen();
    const int i = fieldIndex(name);
    if (i < 0)
        throw DataError(QStringLiteral("Campo inesistente: %1").arg(name), m_source);
    return i;
}

QVariant Recordset::value(const QString &name) const
{
    return value(requireField(name));
}

QVariant Recordset::value(int index) const
{
    requireOpen();
    Impl &x = *d;
    if (index < 0 || index >= x.columns.size())
        throw DataError(QStringLiteral("Indice di campo non valido: %1").arg(index), m_source);
    if (m_editMode == EditMode::AddNew || (m_editMode == EditMode::Edit && x.dirty[index]))
        return x.buffer[index];
    if (!hasCurrent())
        throw DataError(noCurrentRecord(), m_source);
    if (x.source == Impl::Source::None && !fetchCurrent())
        throw DataError(QStringLiteral("Il record non esiste più"), m_source);
    switch (x.source) {
    case Impl::Source::Cursor:
        return sqlitevalue::read(x.cursor, index + 1, x.columns[index].kind);
    case Impl::Source::Fetch:
        return sqlitevalue::read(x.fetch, index, x.columns[index].kind);
    case Impl::Source::Window:
        return sqlitevalue::read(x.window, index + 1, x.columns[index].kind);
    default:
        break;
    }
    QVariant &v = x.current[index];
    if (x.columns[index].kind == ColumnKind::DateTime && v.typeId() == QMetaType::QString) {
        // Date text kept from a read ahead; text that is no date stays text.
        const QDateTime dt = sqlitevalue::parseDate(v.toString());
        if (dt.isValid())
            v = dt;
    }
    return v;
}

void Recordset::setValue(const QString &name, const QVariant &value)
{
    setValue(requireField(name), value);
}

void Recordset::setValue(int index, const QVariant &value)
{
    requireOpen();
    Impl &x = *d;
    if (m_editMode == EditMode::None)
        throw DataError(QStringLiteral("Chiamare Edit o AddNew prima di modificare un campo"), m_source);
    if (index < 0 || index >= x.columns.size())
        throw DataError(QStringLiteral("Indice di campo non valido: %1").arg(index), m_source);
    x.buffer[index] = sqlitevalue::normalise(value, x.columns[index].kind);
    x.dirty[index] = true;
}

bool Recordset::isNull(const QString &name) const
{
    const QVariant v = value(name);
    return !v.isValid() || v.isNull();
}

void Recordset::setNull(const QString &name, bool null)
{
    const int i = requireField(name);
    if (null) {
        setValue(i, QVariant());
        return;
    }
    switch (d->columns[i].kind) {
    case ColumnKind::Integer: setValue(i, 0); break;
    case ColumnKind::Real: setValue(i, 0.0); break;
    case ColumnKind::Bool: setValue(i, false); break;
    default: setValue(i, QString()); break;
    }
}

bool Recordset::myGetFieldValue(const QString &name, long &out) const
{
    if (!m_open || fieldIndex(name) < 0)
        return false;
    if (m_editMode != EditMode::AddNew && !hasCurrent())
        return false;
    const QVariant v = value(name);
    if (!v.isValid() || v.isNull())
        return false;
    bool ok = false;
    const qlonglong n = v.typeId() == QMetaType::Bool ? (v.toBool() ? 1 : 0) : v.toLongLong(&ok);
    if (v.typeId() != QMetaType::Bool && !ok)
        return false;
    out = long(n);
    return true;
}

void Recordset::mySetFieldValue(const QString &name, long value)
{
    setValue(name, QVariant(qlonglong(value)));
}

int Recordset::intValue(const QString &name) const
{
    return value(name).toInt();
}

double Recordset::doubleValue(const QString &name) const
{
    return value(name).toDouble();
}

bool Recordset::boolValue(const QString &name) const
{
    return value(name).toBool();
}

QString Recordset::textValue(const QString &name) const
{
    return value(name).toString();
}

QDateTime Recordset::dateValue(const QString &name) const
{
    const QVariant v = value(name);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QString)
        return sqlitevalue::parseDate(v.toString());
    return QDateTime();
}
