#include "CDragTreeCtrl.h"

#include "TreeDropRules.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>

CDragTreeCtrl::CDragTreeCtrl(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QTreeWidgetItem *CDragTreeCtrl::clickedItem() const
{
    return m_clicked.isValid() ? itemFromIndex(m_clicked) : nullptr;
}

int CDragTreeCtrl::showCommandMenu(QWidget *parent, const QPoint &globalPos)
{
    QMenu menu(parent);
    menu.addAction(QStringLiteral("Copia"))->setData(int(Copia));
    menu.addAction(QStringLiteral("Sposta"))->setData(int(Sposta));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Annulla"))->setData(int(Annulla));
    const QAction *chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : int(Annulla);
}

bool CDragTreeCtrl::completeDrop(QTreeWidgetItem *dragged, QTreeWidgetItem *target, int command)
{
    if (command != Copia && command != Sposta)
        return false;
    if (!TreeDropRules::isAllowed(dragged, target, m_topLevelAllowed)) {
        QApplication::beep();
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit dropRequested(dragged, target, command == Copia ? DropAction::Copy : DropAction::Move);
    QApplication::restoreOverrideCursor();
    return true;
}

bool CDragTreeCtrl::finishDrop(QTreeWidgetItem *dragged, QTreeWidgetItem *target,
                               const QPoint &globalPos)
{
    const int command = m_chooser ? m_chooser(globalPos) : showCommandMenu(this, globalPos);
    return completeDrop(dragged, target, command);
}

void CDragTreeCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_clicked = QPersistentModelIndex(indexAt(event->position().toPoint()));
    QTreeWidget::mousePressEvent(event);
}

void CDragTreeCtrl::setDropHighlight(QTreeWidgetItem *item)
{
    const QModelIndex wanted = item ? indexFromItem(item) : QModelIndex();
    if (QModelIndex(m_highlight) == wanted)
        return;
    if (QTreeWidgetItem *old = m_highlight.isValid() ? itemFromIndex(m_highlight) : nullptr)
        old->setBackground(0, m_highlightSaved);
    m_highlight = QPersistentModelIndex(wanted);
    if (item) {
        m_highlightSaved = item->background(0);
        item->setBackground(0, palette().highlight());
    }
}

void CDragTreeCtrl::startDrag(Qt::DropActions)
{
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    m_dragged = QPersistentModelIndex(indexFromItem(item));
    m_dropPending = false;
    // Copy only: the items stay where they are whatever the drop does; the
    // owner rebuilds the tree after the database work.
    QTreeWidget::startDrag(Qt::CopyAction);
    setDropHighlight(nullptr);

    if (m_dropPending) {
        m_dropPending = false;
        QTreeWidgetItem *dragged = m_dragged.isValid() ? itemFromIndex(m_dragged) : nullptr;
        QTreeWidgetItem *target = m_dropTarget.isValid() ? itemFromIndex(m_dropTarget) : nullptr;
        // A target that vanished meanwhile is not the top level.
        if (dragged && (target || m_dropOnNothing))
            finishDrop(dragged, target, m_dropPos);
    }
    m_dragged = QPersistentModelIndex();
}

void CDragTreeCtrl::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CDragTreeCtrl::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dragMoveEvent(event); // scrolls near the edges
    setDropHighlight(itemAt(event->position().toPoint()));
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CDragTreeCtrl::dragLeaveEvent(QDragLeaveEvent *event)
{
    setDropHighlight(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void CDragTreeCtrl::dropEvent(QDropEvent *event)
{
    setDropHighlight(nullptr);
    if (event->source() != this) {
        event->ignore();
        return;
    }
    // The command popup waits until the drag has ended (startDrag).
    QTreeWidgetItem *target = itemAt(event->position().toPoint());
    m_dropTarget = target ? QPersistentModelIndex(indexFromItem(target)) : QPersistentModelIndex();
    m_dropOnNothing = target == nullptr;
    m_dropPos = mapToGlobal(event->position().toPoint());
    m_dropPending = true;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
