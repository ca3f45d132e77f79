#include "LanguageTable.h"

#include "data/Database.h"
#include "data/NextId.h"
#include "data/Recordset.h"
#include "data/SqlQuote.h"
#include "support/UiPort.h"

namespace {

int currencyOf(const GridRow &row)
{
    // A language always has a currency: nothing chosen means the Euro.
    const int v = row.cell(LanguageTable::Valuta).isNull() ? -1 : row.cell(LanguageTable::Valuta).toInt();
    return v > 0 ? v : 1;
}

void copyFields(Recordset &set, const GridRow &row)
{
    set.setValue(QStringLiteral("Attivo"), row.cell(LanguageTable::Attivo).toBool());
    set.setValue(QStringLiteral("Codice"), row.text(LanguageTable::Codice));
    set.setValue(QStringLiteral("Descrizione"), row.text(LanguageTable::Descrizione));
    set.setValue(QStringLiteral("IDValuta"), currencyOf(row));
    set.setValue(QStringLiteral("Euro"), row.cell(LanguageTable::Euro).toBool());
    set.setValue(QStringLiteral("Modificato"), true);
}

} // namespace

QList<GridRow> LanguageTable::load() const
{
    QList<GridRow> out;
    Recordset set(database());
    set.open(QStringLiteral("Lingue"));
    for (; !set.isEOF(); set.moveNext()) {
        GridRow row;
        row.id = set.intValue(QStringLiteral("ID"));
        row.cells = {QVariant(), set.boolValue(QStringLiteral("Attivo")),
                     set.textValue(QStringLiteral("Codice")), set.textValue(QStringLiteral("Descrizione")),
                     set.intValue(QStringLiteral("IDValuta")), set.boolValue(QStringLiteral("Euro"))};
        out.append(row);
    }
    return out;
}

GridRow LanguageTable::blankRow() const
{
    return GridRow{0, {QVariant(), false, QString(), QString(), 1, false}};
}

bool LanguageTable::isBlank(const GridRow &row) const
{
    return row.text(Codice).isEmpty() && row.text(Descrizione).isEmpty();
}

bool LanguageTable::differs(const GridRow &row) const
{
    if (row.id <= 0)
        return !isBlank(row);
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=%1").arg(row.id));
    set.open(QStringLiteral("Lingue"));
    if (set.isEOF())
        return true;
    return set.boolValue(QStringLiteral("Attivo")) != row.cell(Attivo).toBool()
        || set.textValue(QStringLiteral("Codice")) != row.text(Codice)
        || set.textValue(QStringLiteral("Descrizione")) != row.text(Descrizione)
        || set.intValue(QStringLiteral("IDValuta")) != currencyOf(row)
        || set.boolValue(QStringLiteral("Euro")) != row.cell(Euro).toBool();
}

int LanguageTable::missingMandatory(const GridRow &row) const
{
    if (row.text(Codice).trimmed().isEmpty())
        return Codice;
    if (row.text(Descrizione).trimmed().isEmpty())
        return Descrizione;
    return -1;
}

int LanguageTable::checkRow(const GridRow &row) const
{
    // The code names the language rows of every multilingual table: it
    // must stay unique, for a changed row as for a new one.
    QString where = QStringLiteral("Codice=%1").arg(sqlQuote(row.text(Codice)));
    if (row.id > 0)
        where += QStringLiteral(" AND ID<>%1").arg(row.id);
    if (!database().scalar(QStringLiteral("SELECT ID FROM Lingue WHERE %1").arg(where)).isNull()) {
        ui().tell(QStringLiteral("Validazione campi"), QStringLiteral("Codice già presente!"),
                  UiPort::Icon::Stop);
        return Codice;
    }
    return -1;
}

void LanguageTable::insertRow(GridRow &row)
{
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=0"));
    set.open(QStringLiteral("Lingue"));
    const int id = nextId(database(), QStringLiteral("Lingue"));
    set.addNew();
    set.setValue(QStringLiteral("ID"), id);
    copyFields(set, row);
    set.update();
    row.id = id;
}

void LanguageTable::updateRow(const GridRow &row)
{
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=%1").arg(row.id));
    set.open(QStringLiteral("Lingue"));
    if (set.isEOF())
        return;
    set.edit();
    copyFields(set, row);
    set.update();
}

void LanguageTable::remove(int id)
{
    Transaction tx(database());
    if (database().execute(QStringLiteral("DELETE FROM Lingue WHERE ID=%1").arg(id)) > 0)
        logDeleted(QStringLiteral("Lingue"), id);
    tx.commit();
}

QList<QPair<QString, int>> LanguageTable::currencies() const
{
    QList<QPair<QString, int>> out;
    for (const QVariantList &r : database().queryRows(QStringLiteral("SELECT Nome, ID FROM Valute ORDER BY ID")))
        out.append({r.value(0).toString(), r.value(1).toInt()});
    return out;
}

bool LanguageTable::anyActive() const
{
    return !database().scalar(QStringLiteral("SELECT ID FROM Lingue WHERE Attivo=TRUE")).isNull();
}
