#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

class GridTable;
class GridCellDelegate;
class QTableWidget;
class QTableWidgetItem;

// The editable grid of the table-like editors.
//
// Rows are numbered from 0 and row 0 is the header (its cells read-only and
// holding the column captions); data rows are 1 .. rowCount() - 1. Columns
// are numbered from 0. Every data row carries a 32-bit row data value, which
// the editors use for the record identifier.
//
// Cell kinds: 0 row marker (column 0 of grids whose first column carries no
// data; it shows which row is current), 1 read-only, 2 editable text or
// number, 3 check box (toggled by a click or the space bar; the owner is
// told through checkToggled), 4 drop-down (items are a text and a 32-bit
// value). A column's kind applies to its cells unless a cell has its own.
//
// Editable columns can be given an input format: dates are typed as eight
// digits and shown as dd/mm/yyyy, times as four digits shown as hh:mm, tax
// codes are checked by their control character. A value that is not valid
// is refused with a message ("Data non corretta!", "Ora non corretta!",
// "Codice fiscale non corretto!") when the cell is left, and editing stays
// in the cell.
//
// Before the current cell moves to another row (by the user), the row-leave
// handler is asked; it returns 0 to allow the move or -1 to refuse it, and
// when refusing it sets the column at which editing resumes in the old row.
class CEditableGrid : public QWidget {
    Q_OBJECT
public:
    enum CellKind { RowMarker = 0, ReadOnly = 1, Editable = 2, CheckBox = 3, DropDown = 4 };
    enum class InputFormat { Text, Integer, Decimal, Date, Time, TaxCode };
    struct ColumnFormat {
        InputFormat format = InputFormat::Text;
        int maxLength = -1; // -1: no limit
        int decimals = 2;   // Decimal only
    };
    using DropDownItem = QPair<QString, int>;
    using RowLeaveHandler =
        std::function<int(int oldRow, int newRow, int column, int *resumeColumn)>;
    // Asked when the user has typed a new value into a text cell (after the
    // input format has shaped it); false refuses it and the cell keeps its
    // old value.
    using CellEditHandler = std::function<bool(int row, int column, const QString &text)>;

    explicit CEditableGrid(QWidget *parent = nullptr);
    ~CEditableGrid() override;

    // --- columns
    // Row 0 from a text where every caption is followed by a tab; the number
    // of captions sets the number of columns.
    void setHeader(const QString &tabbedCaptions);
    void setupColumn(int column, int width, int kind);
    void setColumnColour(int column, const QColor &colour);
    void setColumnFormat(int column, const ColumnFormat &format);
    ColumnFormat columnFormat(int column) const;
    void addDropDownItem(int column, const QString &text, int value);
    void clearDropDownItems(int column);
    QList<DropDownItem> dropDownItems(int column) const;
    int columnCount() const;
    int columnKind(int column) const;

    // --- rows
    // Adds a data row from tab-separated cell texts (a check cell is ticked
    // by "1", "-1", "true" or "TRUE"; a drop-down cell takes the item with
    // that text). Returns the row index.
    int addRow(const QString &tabbedTexts, int rowData);
    void deleteRow(int row);
    void removeAllRows();
    int rowCount() const; // including the header row
    void setRowData(int row, int data);
    int rowData(int row) const;

    // --- cells
    void setCellKind(int row, int column, int kind);
    int cellKind(int row, int column) const;

    void setCellText(int row, int column, const QString &text);
    QString cellText(int row, int column) const;
    // decimals -1: the column's decimals for a Decimal column, else the
    // shortest text. Numbers are shown with a decimal comma.
    void setCellDouble(int row, int column, double value, int decimals = -1);
    double cellDouble(int row, int column) const; // 0 when not a number
    float cellFloat(int row, int column) const;
    void setCellInt(int row, int column, int value);
    int cellInt(int row, int column) const; // 0 when not a number
    // Text colour of one cell, or of every cell of a row.
    void setCellTextColour(int row, int column, const QColor &colour);
    void setRowTextColour(int row, const QColor &colour);
    QColor cellTextColour(int row, int column) const;
    void setCellCheck(int row, int column, bool checked);
    bool cellCheck(int row, int column) const;
    // The drop-down item whose value is given becomes the cell's choice
    // (false when the column has no such item).
    bool setCellItemValue(int row, int column, int value);
    // The value of the cell's choice; -1 when nothing is chosen.
    int cellItemValue(int row, int column) const;

    // --- current cell
    int currentRow() const;    // -1 when none
    int currentColumn() const; // -1 when none
    // Puts the current cell at (row, column) and starts editing there when
    // the cell is editable; (-1, -1) leaves no current cell. The row-leave
    // handler is not asked: the owner moves the cell itself.
    void setCurrentCell(int row, int column);
    // The user's move to (row, column): the open editor is stored, the cell
    // being left is checked, the row-leave handler asked. Returns whether
    // the move was made. Mouse and keyboard moves go through this.
    bool requestMove(int row, int column);
    // Stores what is being typed and checks the current cell; false (after
    // the message) when its value is refused.
    bool commitPendingEdit();

    void setRowLeaveHandler(RowLeaveHandler handler) { m_rowLeave = std::move(handler); }
    void setCellEditHandler(CellEditHandler handler) { m_cellEdit = std::move(handler); }

    // The table inside (for layout, painting and tests).
    QTableWidget *table() const;

    // Wide enough for every column, tall enough for about a dozen rows: the
    // window that holds the grid opens showing all its columns.
    QSize sizeHint() const override;

signals:
    // The current cell changed (row -1 and column -1 for none).
    void cellSelected(int row, int column);
    // A check cell was toggled by the user.
    void checkToggled(int row, int column);
    // The user stored a new value in a text or drop-down cell.
    void cellEdited(int row, int column);

private:
    friend class GridCellDelegate;
    QTableWidgetItem *item(int row, int column) const;
    QTableWidgetItem *makeItem(int column) const;
    void applyKind(QTableWidgetItem *item, int kind) const;
    void applyText(QTableWidgetItem *item, int column, const QString &text);
    bool guardMove(int tableRow, int tableColumn);
    bool checkCell(int row, int column);
    void resumeAt(int row, int column);
    void onItemChanged(QTableWidgetItem *item);
    void ensureColumns(int count);
    bool acceptEdit(int row, int column, const QString &text);
    void editStored(int row, int column);

    GridTable *m_table = nullptr;
    GridCellDelegate *m_delegate = nullptr;
    QVector<int> m_kinds;
    QVector<QColor> m_colours;
    QVector<ColumnFormat> m_formats;
    QVector<QList<DropDownItem>> m_items;
    RowLeaveHandler m_rowLeave;
    CellEditHandler m_cellEdit;
    int m_loading = 0;
};
