#include "catalogue/SizeTables.h"

#include "data/Database.h"
#include "data/DeletedRecords.h"
#include "data/NextId.h"
#include "data/sets/CValoriTaglieSet.h"
#include "support/ValidationTexts.h"

SizeTables::SizeTables(Database &db) : m_db(db) {}

QList<QPair<int, QString>> SizeTables::tables()
{
    QList<QPair<int, QString>> list;
    for (const QVariantList &row :
         m_db.queryRows(QStringLiteral("SELECT ID, Nome FROM ValoriTaglie ORDER BY Nome, ID")))
        list.append({row.value(0).toInt(), row.value(1).toString()});
    return list;
}

QStringList SizeTables::sizes(int tableId)
{
    const QString text =
        m_db.scalar(QStringLiteral("SELECT Taglie FROM ValoriTaglie WHERE ID=%1").arg(tableId)).toString();
    QStringList list;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString size = line.trimmed();
        if (!size.isEmpty())
            list << size;
    }
    return list;
}

QString SizeTables::checkText(const QString &text)
{
    return text.trimmed().isEmpty() ? ValidationTexts::Mandatory : QString();
}

int SizeTables::addTable(const QString &name)
{
    CValoriTaglieSet set(m_db);
    set.setFilter(QStringLiteral("ID=0"));
    set.open();
    set.addNew();
    const int id = nextId(set);
    set.setID(id);
    set.setNome(name.trimmed());
    set.setTaglie(QString());
    set.setModificato(true);
    set.update();
    return id;
}

void SizeTables::renameTable(int tableId, const QString &name)
{
    CValoriTaglieSet set(m_db);
    set.setFilter(QStringLiteral("ID=%1").arg(tableId));
    set.open();
    if (set.isEOF())
        return;
    set.edit();
    set.setNome(name.trimmed());
    set.setModificato(true);
    set.update();
}

void SizeTables::setSizes(int tableId, const QStringList &sizes)
{
    CValoriTaglieSet set(m_db);
    set.setFilter(QStringLiteral("ID=%1").arg(tableId));
    set.open();
    if (set.isEOF())
        return;
    QStringList clean;
    for (const QString &size : sizes) {
        // A line break inside a size would split it in two on reading.
        const QString one = QString(size).replace(QLatin1Char('\r'), QLatin1Char(' '))
                                .replace(QLatin1Char('\n'), QLatin1Char(' '))
                                .trimmed();
        if (!one.isEmpty())
            clean << one;
    }
    set.edit();
    set.setTaglie(clean.join(QLatin1Char('\n')));
    set.setModificato(true);
    set.update();
}

void SizeTables::deleteTable(int tableId)
{
    Transaction tx(m_db);
    if (!m_db.scalar(QStringLiteral("SELECT ID FROM ValoriTaglie WHERE ID=%1").arg(tableId)).isNull()) {
        logDeletedRecord(m_db, QStringLiteral("ValoriTaglie"), tableId);
        m_db.execute(QStringLiteral("DELETE FROM ValoriTaglie WHERE ID=%1").arg(tableId));
        m_db.execute(QStringLiteral("UPDATE Prodotti SET IDTabellaTaglie=0, TagliaDa=-1, TagliaA=-1, "
                                    "Modificato=TRUE WHERE IDTabellaTaglie=%1")
                         .arg(tableId));
    }
    tx.commit();
}
