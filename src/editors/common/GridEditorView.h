#pragma once

#include "EditorContract.h"
#include "records/GridRecords.h"

#include "controls/CEditableGrid.h"

#include <QColor>
#include <QHash>
#include <QWidget>

#include <memory>

class EditorHost;
class QPushButton;

// The window of a grid editor: the editable grid holding one record per
// row, with a last empty row for a new record, and a delete button. A row
// is validated and stored when the user leaves it; a refused row keeps
// the user in it, at the cell to fix. The close rule of the child window
// uses the same checks through EditorContract.
class GridEditorView : public QWidget, public EditorContract {
    Q_OBJECT
public:
    struct Column {
        enum class Value { Bool, Text, Double, Item };
        int width = 80;
        int kind = CEditableGrid::Editable;
        Value value = Value::Text;
        CEditableGrid::ColumnFormat format = {};
        QColor colour = {};
    };

    GridEditorView(EditorHost &host, std::unique_ptr<GridRecords> records, QString header,
                   QList<Column> columns, QWidget *parent = nullptr);

    CEditableGrid *grid() const { return m_grid; }
    QPushButton *deleteButton() const { return m_delete; }
    GridRecords &records() { return *m_records; }

    // The grid row as values, and values into a grid row. A cell that
    // still shows what was loaded into it gives the loaded value, not the
    // value of its text: a number stored with more decimals than the
    // column shows is never rounded by reading it back.
    GridRow readRow(int row) const;
    void writeRow(int row, const GridRow &values);
    // Reloads every record into the grid.
    void reload();
    // The delete button: the selected row's record after confirmation.
    void deleteSelected();

    // EditorContract
    bool hasUnsavedChanges() override;
    bool saveChanges() override;
    bool hasPendingNewRow() const override;
    bool validatePendingNewRow() override;
    GridCell resumeCell() const override { return m_resume; }
    void resumeEditing() override;

protected:
    // Called once by the subclass's constructor after its own set-up:
    // fills the drop-downs and loads the rows.
    void initialise();
    virtual void fillDropDowns() {}

private:
    int onRowLeave(int oldRow, int newRow, int column, int *resumeColumn);
    // Stores the grid row; false (with m_resume set) when refused.
    bool storeRow(int row);
    void ensureBlankLastRow();
    bool isNewRow(int row) const { return m_grid->rowData(row) <= 0; }
    // The cells' values as their texts, choices and ticks give them.
    GridRow readCells(int row) const;

    // For each stored record shown: the values loaded and the cells as
    // they read right after loading.
    struct Loaded {
        GridRow values;
        GridRow shown;
    };
    QHash<int, Loaded> m_loaded;

    EditorHost &m_host;
    std::unique_ptr<GridRecords> m_records;
    QList<Column> m_columns;
    CEditableGrid *m_grid = nullptr;
    QPushButton *m_delete = nullptr;
    GridCell m_resume;
};
