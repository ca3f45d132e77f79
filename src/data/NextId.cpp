#include "data/NextId.h"

#include "data/Database.h"
#include "data/Recordset.h"

#include <sqlite3.h>

#include <limits>

// The rule reads the largest key straight from the table, so the record set
// that asks is neither requeried nor moved: its filter, sort and current row
// are exactly as they were.

namespace {

QString tableOf(Recordset &set)
{
    QString table = set.tableName();
    if (table.isEmpty())
        table = set.defaultTable();
    if (table.isEmpty())
        throw DataError(QStringLiteral("Numerazione: il recordset non è su una tabella"), QString());
    return table;
}

// Largest ID above `above` (or overall when above is null), or -1 when none.
qint64 largestId(Database &db, const QString &table, bool localRange)
{
    QString clean = table;
    clean.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    const QString sql = localRange
        ? QStringLiteral("SELECT MAX([ID]) FROM [%1] WHERE [ID]>%2").arg(clean).arg(kLocalIdBase)
        : QStringLiteral("SELECT MAX([ID]) FROM [%1]").arg(clean);
    sqlite3_stmt *stmt = db.cachedStatement(sql);
    const int rc = sqlite3_step(stmt);
    qint64 result = -1;
    if (rc == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL)
        result = sqlite3_column_int64(stmt, 0);
    sqlite3_reset(stmt);
    db.check(rc, sql);
    return result;
}

int checked(qint64 next, const QString &table)
{
    if (next > std::numeric_limits<qint32>::max())
        throw DataError(QStringLiteral("Numerazione esaurita per la tabella %1").arg(table), table);
    return int(next);
}

} // namespace

int nextId(Database &db, const QString &table)
{
    const qint64 top = largestId(db, table, false);
    return checked(top < 0 ? 1 : top + 1, table);
}

int nextId(Recordset &set)
{
    return nextId(set.database(), tableOf(set));
}

int NextId(Recordset &templateSet)
{
    return nextId(templateSet);
}

int nextLocalId(Database &db, const QString &table)
{
    const qint64 top = largestId(db, table, true);
    return checked(top < 0 ? qint64(kLocalIdBase) + 1 : top + 1, table);
}

int nextLocalId(Recordset &set)
{
    return nextLocalId(set.database(), tableOf(set));
}
