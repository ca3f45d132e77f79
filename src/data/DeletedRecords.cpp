#include "data/DeletedRecords.h"

#include "data/Database.h"
#include "data/NextId.h"
#include "data/SqlQuote.h"

#include <QDateTime>

void logDeletedRecord(Database &db, const QString &table, int id)
{
    const int logId = nextId(db, QStringLiteral("RecordsEliminati"));
    db.execute(QStringLiteral("INSERT INTO RecordsEliminati (ID, NomeTabella, IDRecord, "
                              "DataEliminazione, Modificato) VALUES (%1, %2, %3, %4, TRUE)")
                   .arg(logId)
                   .arg(sqlQuote(table))
                   .arg(id)
                   .arg(sqlDateTime(QDateTime::currentDateTime())));
}

int deleteLogged(Database &db, const QString &table, const QString &where)
{
    const QList<QVariantList> rows =
        db.queryRows(QStringLiteral("SELECT ID FROM %1 WHERE %2 ORDER BY ID").arg(table, where));
    if (rows.isEmpty())
        return 0;
    for (const QVariantList &r : rows)
        logDeletedRecord(db, table, r.value(0).toInt());
    db.execute(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, where));
    return rows.size();
}
