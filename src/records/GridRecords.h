#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

class Database;

// One row of a grid editor: the record ID (0 for a row not stored yet) and
// the values of the grid columns, indexed by column (column 0, the row
// marker, is unused). Check boxes are bool, texts QString, numbers double
// (null when the cell is empty), drop-downs the chosen item value (int,
// -1 when nothing is chosen).
struct GridRow {
    int id = 0;
    QVariantList cells;

    QVariant cell(int column) const { return cells.value(column); }
    QString text(int column) const { return cells.value(column).toString(); }
};

// The record logic of a grid editor (languages, currencies, shipping
// costs, ...), with no widgets: loading the rows, validating and storing a
// new or changed row, and deleting a record. The window base
// (GridEditorView) maps grid cells to GridRow and back.
class GridRecords {
public:
    explicit GridRecords(Database &db) : m_db(db) {}
    virtual ~GridRecords() = default;

    Database &database() const { return m_db; }

    // Title of the editor window, used when a database failure is reported.
    virtual QString title() const = 0;
    virtual int columnCount() const = 0;
    // Every record in table order.
    virtual QList<GridRow> load() const = 0;
    // The values of the empty row offered for a new record.
    virtual GridRow blankRow() const = 0;
    // A new row the user has not typed anything into.
    virtual bool isBlank(const GridRow &row) const = 0;
    // Whether any cell differs from the stored record.
    virtual bool differs(const GridRow &row) const = 0;

    // Validates and stores a new (id 0, which receives the new ID) or
    // changed row. Returns -1 on success, otherwise the column at which
    // editing resumes (the user has been told why).
    int store(GridRow &row);

    // Title of the delete messages ("Cancellazione lingua" ...).
    virtual QString deleteTitle() const = 0;
    // Whether the record may be deleted; tells the user when not.
    virtual bool mayDelete(int id) const;
    // Deletes the record and what depends on it.
    virtual void remove(int id) = 0;

protected:
    // The first empty mandatory cell, or -1.
    virtual int missingMandatory(const GridRow &row) const = 0;
    // Further checks after the mandatory cells; -1 when fine (tells the
    // user otherwise).
    virtual int checkRow(const GridRow &row) const;
    virtual void insertRow(GridRow &row) = 0;
    virtual void updateRow(const GridRow &row) = 0;

private:
    Database &m_db;
};
