#pragma once

#include <QPointer>
#include <QTableWidget>

#include <functional>

// The table view inside CEditableGrid. Every move of the current cell that
// the user makes (mouse, keyboard, Tab out of an editor) is first put to the
// move guard, which may refuse it; the guard itself puts the cell where
// editing is to resume.
class GridTable : public QTableWidget {
    Q_OBJECT
public:
    // Called with the proposed cell (table coordinates); false refuses.
    using MoveGuard = std::function<bool(int row, int column)>;

    explicit GridTable(QWidget *parent = nullptr);

    void setMoveGuard(MoveGuard guard) { m_guard = std::move(guard); }

    // The in-place editor open now, if any.
    QWidget *openEditor() const { return m_editor; }
    void setOpenEditor(QWidget *editor) { m_editor = editor; }
    // Stores what the open editor holds and closes it.
    void commitOpenEditor();
    // Closes the open editor and drops what it holds.
    void discardOpenEditor();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool approve(const QModelIndex &target);

    MoveGuard m_guard;
    QPointer<QWidget> m_editor;
    bool m_swallowRelease = false;
};
