#pragma once

#include "controls/CEditableGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

// Mouse and keyboard on an editable grid, as the user works it. The grid's
// window must be shown.
namespace GridInput {

// Clicks a cell (grid row numbering: 1 is the first data row).
inline void click(CEditableGrid *grid, int row, int column)
{
    QTableWidget *table = grid->table();
    const QRect cell = table->visualRect(table->model()->index(row - 1, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

// Clicks a cell, replaces its text by typing, and stores it with Enter.
inline void type(CEditableGrid *grid, int row, int column, const QString &text)
{
    click(grid, row, column);
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

} // namespace GridInput
