#include "GridTable.h"

#include <QMouseEvent>

GridTable::GridTable(QWidget *parent)
    : QTableWidget(parent)
{
}

bool GridTable::approve(const QModelIndex &target)
{
    if (!target.isValid() || target == currentIndex() || !m_guard)
        return true;
    return m_guard(target.row(), target.column());
}

void GridTable::commitOpenEditor()
{
    if (QWidget *editor = m_editor) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        m_editor = nullptr;
    }
}

void GridTable::discardOpenEditor()
{
    if (QWidget *editor = m_editor) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        m_editor = nullptr;
    }
}

QModelIndex GridTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex proposed = QTableWidget::moveCursor(action, modifiers);
    if (approve(proposed))
        return proposed;
    // Refused: the guard has already placed the current cell.
    return currentIndex();
}

void GridTable::mousePressEvent(QMouseEvent *event)
{
    m_swallowRelease = false;
    const QModelIndex target = indexAt(event->position().toPoint());
    if (!approve(target)) {
        m_swallowRelease = true;
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void GridTable::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_swallowRelease) {
        m_swallowRelease = false;
        event->accept();
        return;
    }
    QTableWidget::mouseReleaseEvent(event);
}

void GridTable::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex target = indexAt(event->position().toPoint());
    if (!approve(target)) {
        m_swallowRelease = true;
        event->accept();
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
}
