#include "GridRecords.h"

#include "data/Database.h"
#include "data/NextId.h"
#include "data/SqlQuote.h"
#include "support/UiPort.h"

#include <QDateTime>

int GridRecords::store(GridRow &row)
{
    const int missing = missingMandatory(row);
    if (missing >= 0) {
        ui().tell(QStringLiteral("Validazione campi"), QStringLiteral("Campo obbligatorio!"),
                  UiPort::Icon::Stop);
        return missing;
    }
    const int refused = checkRow(row);
    if (refused >= 0)
        return refused;
    if (row.id <= 0)
        insertRow(row);
    else if (differs(row))
        updateRow(row);
    return -1;
}

bool GridRecords::mayDelete(int) const
{
    return true;
}

int GridRecords::checkRow(const GridRow &) const
{
    return -1;
}

void GridRecords::logDeleted(const QString &table, int id)
{
    const int logId = nextId(m_db, QStringLiteral("RecordsEliminati"));
    m_db.execute(QStringLiteral("INSERT INTO RecordsEliminati (ID, NomeTabella, IDRecord, "
                                "DataEliminazione, Modificato) VALUES (%1, %2, %3, %4, TRUE)")
                     .arg(logId)
                     .arg(sqlQuote(table))
                     .arg(id)
                     .arg(sqlDateTime(QDateTime::currentDateTime())));
}
