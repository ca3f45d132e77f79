#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QTreeWidget>

#include <functional>

// Category tree in which an item is dragged onto another to copy or move it
// there. After the drop a popup offers "Copia", "Sposta" and "Annulla"; a
// copy or move onto the item itself, into its own subtree or onto its
// current parent is refused with a beep. Otherwise dropRequested is emitted
// (under the wait cursor) and the owner does the work, then reloads the
// tree; the control changes no items itself.
class CDragTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    // The popup's command numbers.
    enum Command { Annulla = 112, Copia = 113, Sposta = 114 };
    enum class DropAction { Copy, Move };
    // Shows the popup at a global position and returns the command chosen
    // (Annulla when the popup is dismissed).
    using CommandChooser = std::function<int(const QPoint &globalPos)>;

    explicit CDragTreeCtrl(QWidget *parent = nullptr);

    // The item under the last left-button press (null when it missed).
    QTreeWidgetItem *clickedItem() const;
    // A drop on empty space means the top level (target null in
    // dropRequested). Off by default: such a drop is refused.
    void setTopLevelDropAllowed(bool allowed) { m_topLevelAllowed = allowed; }
    void setCommandChooser(CommandChooser chooser) { m_chooser = std::move(chooser); }

    // The end of a drag: asks for the command at globalPos, then applies
    // the refusal rules. Returns whether dropRequested was emitted.
    bool finishDrop(QTreeWidgetItem *dragged, QTreeWidgetItem *target, const QPoint &globalPos);
    // Applies the rules to a chosen command (Annulla does nothing).
    bool completeDrop(QTreeWidgetItem *dragged, QTreeWidgetItem *target, int command);

    // The menu shown after a drop.
    static int showCommandMenu(QWidget *parent, const QPoint &globalPos);

signals:
    // target is null for the top level (see setTopLevelDropAllowed).
    void dropRequested(QTreeWidgetItem *dragged, QTreeWidgetItem *target,
                       CDragTreeCtrl::DropAction action);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setDropHighlight(QTreeWidgetItem *item);

    QPersistentModelIndex m_clicked;
    QPersistentModelIndex m_dragged;
    QPersistentModelIndex m_highlight;
    QBrush m_highlightSaved;
    bool m_dropPending = false;
    QPersistentModelIndex m_dropTarget;
    bool m_dropOnNothing = false;
    QPoint m_dropPos;
    bool m_topLevelAllowed = false;
    CommandChooser m_chooser;
};
