#include "data/Recordset.h"
#include "data/RecordsetImpl.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <sqlite3.h>

#include <limits>

using namespace recordsetdetail;

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
