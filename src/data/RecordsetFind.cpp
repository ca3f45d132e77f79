#include "data/Recordset.h"
#include "data/RecordsetImpl.h"

#include "data/JetSql.h"
#include "data/SqliteValue.h"

#include <sqlite3.h>

using namespace recordsetdetail;

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

} // namespace

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
