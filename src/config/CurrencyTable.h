#pragma once

#include "records/GridRecords.h"

#include <array>

// The currencies of the site (table Valute) as the currencies grid edits
// them: columns 1 "Valuta" (name), 2 "Cambio", 3 "Simbolo", 4 "Arrot."
// (rounding unit, a drop-down whose item values are 1 to 9). The currency
// with ID 1 is the Euro and cannot be deleted, nor can the currency of the
// price list (the configuration's IDValutaListino).
class CurrencyTable : public GridRecords {
public:
    enum Column { Nome = 1, Cambio = 2, Simbolo = 3, Arrotondamento = 4, ColumnCount = 5 };

    static inline const QString Header = QStringLiteral("\tValuta\tCambio\tSimbolo\tArrot.\t");
    static constexpr int EuroId = 1;
    static inline const QString PriceListNotDeletedText =
        QStringLiteral("La valuta del listino non si può cancellare.");

    struct Rounding {
        const char *text;
        int item;
        double unit;
    };
    static const std::array<Rounding, 9> &roundings();
    // The item of a rounding unit (-1 when the unit is not one of them).
    static int roundingItem(double unit);
    // The unit of an item (0 when the item is unknown).
    static double roundingUnit(int item);

    using GridRecords::GridRecords;

    QString title() const override { return QStringLiteral("Valute"); }
    int columnCount() const override { return ColumnCount; }
    QList<GridRow> load() const override;
    GridRow blankRow() const override;
    bool isBlank(const GridRow &row) const override;
    bool differs(const GridRow &row) const override;
    QString deleteTitle() const override { return QStringLiteral("Cancellazione valuta"); }
    bool mayDelete(int id) const override;
    // Deletes the currency; the languages shown in it move to the Euro.
    void remove(int id) override;

protected:
    int missingMandatory(const GridRow &row) const override;
    void insertRow(GridRow &row) override;
    void updateRow(const GridRow &row) override;

private:
    void copyFields(class Recordset &set, const GridRow &row, double storedUnit) const;
};
