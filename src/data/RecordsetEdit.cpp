#include "data/Recordset.h"
#include "data/RecordsetImpl.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <sqlite3.h>

using namespace recordsetdetail;

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
