#pragma once

#include <QStyledItemDelegate>

class CEditableGrid;
class GridTable;

// Draws and edits the cells of CEditableGrid by their kind: a line edit
// filtered by the column's input format, a drop-down of the column's items,
// check cells toggled anywhere in the cell, and the row marker.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum Role {
        KindRole = Qt::UserRole + 1,  // a cell's own kind (absent: the column's)
        ValueRole,                    // item value of a drop-down choice
        RowDataRole,                  // row data, kept on the row's first cell
        KnownCheckRole,               // last check state the owner was told of
    };

    GridCellDelegate(CEditableGrid *grid, GridTable *table);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    int kindOf(const QModelIndex &index) const;

    CEditableGrid *m_grid;
    GridTable *m_table;
};
