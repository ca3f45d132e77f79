#include "CurrencyTable.h"

#include "data/DeletedRecords.h"
#include "data/Database.h"
#include "data/NextId.h"
#include "data/Recordset.h"
#include "support/UiPort.h"

#include <cmath>

const std::array<CurrencyTable::Rounding, 9> &CurrencyTable::roundings()
{
    static const std::array<Rounding, 9> list = {{
        {"Migliaia", 1, 1000},
        {"Centinaia", 2, 100},
        {"Decine", 3, 10},
        {"Unita", 4, 1},
        {"Decimi", 5, 0.1},
        {"Centesimi", 6, 0.01},
        {"Millesimi", 7, 0.001},
        {"Decimillesimi", 8, 0.0001},
        {"Centomillesimi", 9, 0.00001},
    }};
    return list;
}

int CurrencyTable::roundingItem(double unit)
{
    for (const Rounding &r : roundings())
        if (std::fabs(unit - r.unit) <= r.unit * 1e-6)
            return r.item;
    return -1;
}

double CurrencyTable::roundingUnit(int item)
{
    for (const Rounding &r : roundings())
        if (r.item == item)
            return r.unit;
    return 0;
}

QList<GridRow> CurrencyTable::load() const
{
    QList<GridRow> out;
    Recordset set(database());
    set.open(QStringLiteral("Valute"));
    for (; !set.isEOF(); set.moveNext()) {
        GridRow row;
        row.id = set.intValue(QStringLiteral("ID"));
        row.cells = {QVariant(), set.textValue(QStringLiteral("Nome")),
                     set.isNull(QStringLiteral("Cambio")) ? QVariant() : QVariant(set.doubleValue(QStringLiteral("Cambio"))),
                     set.textValue(QStringLiteral("Simbolo")),
                     roundingItem(set.doubleValue(QStringLiteral("Arrotondamento")))};
        out.append(row);
    }
    return out;
}

GridRow CurrencyTable::blankRow() const
{
    return GridRow{0, {QVariant(), QString(), QVariant(), QString(), roundingItem(0.01)}};
}

bool CurrencyTable::isBlank(const GridRow &row) const
{
    return row.text(Nome).isEmpty() && row.text(Simbolo).isEmpty() && row.cell(Cambio).isNull();
}

namespace {

double rateOf(const GridRow &row)
{
    return row.cell(CurrencyTable::Cambio).isNull() ? 0.0 : row.cell(CurrencyTable::Cambio).toDouble();
}

// Nothing chosen in the drop-down keeps the stored unit.
double unitOf(const GridRow &row, double stored)
{
    const int item = row.cell(CurrencyTable::Arrotondamento).isNull()
                         ? -1 : row.cell(CurrencyTable::Arrotondamento).toInt();
    const double unit = CurrencyTable::roundingUnit(item);
    return unit > 0 ? unit : stored;
}

} // namespace

bool CurrencyTable::differs(const GridRow &row) const
{
    if (row.id <= 0)
        return !isBlank(row);
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=%1").arg(row.id));
    set.open(QStringLiteral("Valute"));
    if (set.isEOF())
        return true;
    const double storedUnit = set.doubleValue(QStringLiteral("Arrotondamento"));
    return set.textValue(QStringLiteral("Nome")) != row.text(Nome)
        || std::fabs(set.doubleValue(QStringLiteral("Cambio")) - rateOf(row)) > 1e-9
        || set.textValue(QStringLiteral("Simbolo")) != row.text(Simbolo)
        || std::fabs(storedUnit - unitOf(row, storedUnit)) > 1e-12;
}

int CurrencyTable::missingMandatory(const GridRow &row) const
{
    return row.text(Nome).trimmed().isEmpty() ? int(Nome) : -1;
}

void CurrencyTable::copyFields(Recordset &set, const GridRow &row, double storedUnit) const
{
    set.setValue(QStringLiteral("Nome"), row.text(Nome));
    set.setValue(QStringLiteral("Cambio"), rateOf(row));
    set.setValue(QStringLiteral("Simbolo"), row.text(Simbolo));
    set.setValue(QStringLiteral("Arrotondamento"), unitOf(row, storedUnit));
    set.setValue(QStringLiteral("Modificato"), true);
}

void CurrencyTable::insertRow(GridRow &row)
{
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=0"));
    set.open(QStringLiteral("Valute"));
    const int id = nextId(database(), QStringLiteral("Valute"));
    set.addNew();
    set.setValue(QStringLiteral("ID"), id);
    copyFields(set, row, 0.01);
    set.update();
    row.id = id;
}

void CurrencyTable::updateRow(const GridRow &row)
{
    Recordset set(database());
    set.setFilter(QStringLiteral("ID=%1").arg(row.id));
    set.open(QStringLiteral("Valute"));
    if (set.isEOF())
        return;
    const double storedUnit = set.doubleValue(QStringLiteral("Arrotondamento"));
    set.edit();
    copyFields(set, row, storedUnit);
    set.update();
}

bool CurrencyTable::mayDelete(int id) const
{
    if (id == EuroId) {
        ui().tell(QStringLiteral("Cancellazione valuta"),
                  QStringLiteral("La valuta Euro non si può cancellare."), UiPort::Icon::Exclamation);
        return false;
    }
    if (id == database().scalar(QStringLiteral("SELECT IDValutaListino FROM Configurazione")).toInt()) {
        ui().tell(QStringLiteral("Cancellazione valuta"), PriceListNotDeletedText, UiPort::Icon::Exclamation);
        return false;
    }
    return true;
}

void CurrencyTable::remove(int id)
{
    if (id == EuroId)
        return;
    Transaction tx(database());
    if (database().execute(QStringLiteral("DELETE FROM Valute WHERE ID=%1").arg(id)) > 0)
        logDeletedRecord(database(), QStringLiteral("Valute"), id);
    database().execute(QStringLiteral("UPDATE Lingue SET IDValuta=%1, Modificato=TRUE WHERE IDValuta=%2")
                           .arg(EuroId)
                           .arg(id));
    tx.commit();
}
