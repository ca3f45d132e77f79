#pragma once

#include <QList>
#include <QString>

#include <optional>

class Database;
class LanguageContext;

// The record logic of the product table: the products of one category (or
// all of them) seen through a window of at most kWindowRows rows that
// scrolls over the set, reading rows as it moves, and the write-back of the
// four list prices of a row.
class ProductTable {
public:
    static constexpr int kWindowRows = 12;

    // The text shown in the "Descrizione" column.
    enum class Description { Name, Invoice, Short, Long };

    struct Row {
        int id = 0;
        QString code;
        QString description;
        std::optional<double> prices[4];
    };

    ProductTable(Database &db, LanguageContext &languages);

    // Reopens the set for a category (0: every product) and fills the
    // window with its first rows.
    void setCategory(int categoryId);
    int category() const { return m_category; }
    void setDescription(Description which);
    Description description() const { return m_description; }

    int recordCount() const { return int(m_ids.size()); }
    const QList<Row> &rows() const { return m_rows; }
    // 0-based position in the set of the window's first row.
    int firstPosition() const { return m_first; }

    // Scrolling; each returns the new scroll position as the grid's scroll
    // bar takes it (0 when nothing moved for a line step).
    int lineUp();
    int lineDown();
    int pageUp();
    int pageDown();
    // Thumb dragged to position p (1-based record position).
    int thumb(int position);

    // One list price as the user left it: whether it was edited, and the
    // value typed (none for an emptied cell).
    struct PriceEdit {
        bool edited = false;
        std::optional<double> value;
    };
    enum class WriteResult { Unchanged, Written, NoLanguageRow };

    // Writes the edited prices of a row, as typed, into the product's
    // language row in the current language, or its default-language row
    // when the product has none in the current language. Prices not edited
    // keep their stored value to the last digit. NoLanguageRow: the product
    // has neither row, and nothing was written.
    WriteResult writePrices(int productId, const PriceEdit (&prices)[4]);

    // The row of one product as the window shows it.
    Row readRow(int productId);

private:
    void fill(int first);
    int languageRowId(int productId);

    Database &m_db;
    LanguageContext &m_languages;
    int m_category = 0;
    Description m_description = Description::Name;
    QList<int> m_ids;
    QList<Row> m_rows;
    int m_first = 0;
};
