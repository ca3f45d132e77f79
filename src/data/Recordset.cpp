#include "data/Recordset.h"
#include "data/RecordsetImpl.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <sqlite3.h>

#include <iterator>

using namespace recordsetdetail;

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
