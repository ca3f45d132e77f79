#pragma once

#include "records/GridRecords.h"

// The languages of the site (table Lingue) as the languages grid edits
// them: columns 1 "Attivo", 2 "Codice", 3 "Descrizione", 4 "Valuta"
// (currency ID), 5 "Euro".
class LanguageTable : public GridRecords {
public:
    enum Column { Attivo = 1, Codice = 2, Descrizione = 3, Valuta = 4, Euro = 5, ColumnCount = 6 };

    static inline const QString Header = QStringLiteral("\tAttivo\tCodice\tDescrizione\tValuta\tEuro\t");

    using GridRecords::GridRecords;

    QString title() const override { return QStringLiteral("Lingue"); }
    int columnCount() const override { return ColumnCount; }
    QList<GridRow> load() const override;
    GridRow blankRow() const override;
    bool isBlank(const GridRow &row) const override;
    bool differs(const GridRow &row) const override;
    QString deleteTitle() const override { return QStringLiteral("Cancellazione lingua"); }
    void remove(int id) override;

    // Currencies for the drop-down: name and ID, in table order.
    QList<QPair<QString, int>> currencies() const;
    // Whether at least one language is active.
    bool anyActive() const;

protected:
    int missingMandatory(const GridRow &row) const override;
    int checkRow(const GridRow &row) const override;
    void insertRow(GridRow &row) override;
    void updateRow(const GridRow &row) override;
};
