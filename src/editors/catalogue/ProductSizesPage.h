#pragma once

#include <QWidget>

class Database;
class ProductRecords;
struct ProductFields;
class QCheckBox;
class QComboBox;

// The page "Taglie" of the product editor: sizes on or off, the size table
// and the two sizes chosen from it, and the button that opens the size
// tables dialog.
class ProductSizesPage : public QWidget {
    Q_OBJECT
public:
    ProductSizesPage(ProductRecords &records, Database &db, QString guardTitle, QWidget *parent = nullptr);

    // Shows the choice stored in fields; the page is loaded from then on.
    void load(const ProductFields &fields);
    // The page no longer shows the displayed record's choice.
    void unload() { m_loaded = false; }
    bool isLoaded() const { return m_loaded; }
    // Writes the page's choice into fields (table 0 and -1, -1 when sizes
    // are off); only while loaded.
    void readChoice(ProductFields &fields) const;

    QCheckBox *sizesBox() const { return m_sizesOn; }
    QComboBox *sizeTableChooser() const { return m_table; }
    QComboBox *sizeFromChooser() const { return m_from; }
    QComboBox *sizeToChooser() const { return m_to; }
    // "Gestione Tabelle Taglie": the dialog of size tables, then
    // sizeTablesEdited().
    void manageSizeTables();
    // After the size tables were edited: the tables are read again; the
    // page keeps its choice (table and sizes) unless that table was deleted,
    // which leaves no table (0, -1, -1). A size beyond the table's new end
    // is no longer chosen.
    void sizeTablesEdited();

private:
    void fillTables();
    void fillSizeSelector(int tableId, int from, int to);

    ProductRecords &m_records;
    Database &m_db;
    QString m_guardTitle;
    bool m_loaded = false;
    QCheckBox *m_sizesOn = nullptr;
    QComboBox *m_table = nullptr;
    QComboBox *m_from = nullptr;
    QComboBox *m_to = nullptr;
};
