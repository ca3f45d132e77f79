#include "controls/CEditableGrid.h"
#include "controls/GridTable.h"

#include "RecordingUi.h"
#include "common/Screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// The languages grid: row marker, two check columns, two texts, a drop-down.
void setUpLanguages(CEditableGrid &grid)
{
    grid.setHeader("\tAttivo\tCodice\tDescrizione\tValuta\tEuro\t");
    grid.setupColumn(0, 30, CEditableGrid::RowMarker);
    grid.setupColumn(1, 50, CEditableGrid::CheckBox);
    grid.setupColumn(2, 60, CEditableGrid::Editable);
    grid.setupColumn(3, 150, CEditableGrid::Editable);
    grid.setupColumn(4, 110, CEditableGrid::DropDown);
    grid.setupColumn(5, 50, CEditableGrid::CheckBox);
    grid.setColumnColour(2, QColor(255, 255, 200));
    grid.setColumnColour(4, QColor(255, 255, 200));
    grid.addDropDownItem(4, "Euro", 1);
    grid.addDropDownItem(4, "Dollaro USA", 2);
    grid.addDropDownItem(4, "Sterlina", 3);
    grid.addRow("\t1\tIT\tItaliano\tEuro\t0", 1);
    grid.addRow("\t0\tEN\tInglese\tSterlina\t1", 2);
    grid.addRow("\t1\tDE\tTedesco\tEuro\t0", 3);
}

void show(CEditableGrid &grid)
{
    grid.resize(560, 200);
    grid.show();
    QApplication::processEvents();
}

QLineEdit *openLineEditor(const CEditableGrid &grid)
{
    auto *table = static_cast<GridTable *>(grid.table());
    return qobject_cast<QLineEdit *>(table->openEditor());
}

void click(const CEditableGrid &grid, int row, int column)
{
    QTableWidget *t = grid.table();
    const QPoint p = t->visualRect(t->model()->index(row - 1, column)).center();
    const QPoint g = t->viewport()->mapToGlobal(p);
    QMouseEvent press(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(t->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(t->viewport(), &release);
    QApplication::processEvents();
}

void key(QWidget *w, int k)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, k == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(w, &press);
    QApplication::processEvents();
}

} // namespace

TEST(EditableGrid, RowsCellsAndTypedAccess)
{
    CEditableGrid grid;
    setUpLanguages(grid);

    EXPECT_EQ(grid.rowCount(), 4) << "header plus three rows";
    EXPECT_EQ(grid.columnCount(), 6);
    EXPECT_EQ(grid.cellText(0, 2), "Codice");
    EXPECT_EQ(grid.cellText(0, 0), "") << "a leading tab leaves column 0 without caption";
    EXPECT_EQ(grid.cellKind(0, 2), CEditableGrid::ReadOnly);

    EXPECT_EQ(grid.rowData(2), 2);
    EXPECT_EQ(grid.cellText(2, 3), "Inglese");
    EXPECT_TRUE(grid.cellCheck(1, 1));
    EXPECT_FALSE(grid.cellCheck(2, 1));
    EXPECT_TRUE(grid.cellCheck(2, 5));
    EXPECT_EQ(grid.cellItemValue(2, 4), 3);
    EXPECT_EQ(grid.cellItemValue(1, 4), 1);

    EXPECT_TRUE(grid.setCellItemValue(3, 4, 2));
    EXPECT_EQ(grid.cellText(3, 4), "Dollaro USA");
    EXPECT_EQ(grid.cellItemValue(3, 4), 2);
    EXPECT_FALSE(grid.setCellItemValue(3, 4, 99));
    EXPECT_EQ(grid.cellItemValue(3, 4), 2);

    grid.setCellDouble(1, 3, 1.2345);
    EXPECT_EQ(grid.cellText(1, 3), "1,2345");
    EXPECT_DOUBLE_EQ(grid.cellDouble(1, 3), 1.2345);
    EXPECT_FLOAT_EQ(grid.cellFloat(1, 3), 1.2345f);
    EXPECT_EQ(grid.cellInt(1, 3), 1);
    grid.setCellDouble(1, 3, 2.5, 2);
    EXPECT_EQ(grid.cellText(1, 3), "2,50");
    grid.setCellInt(1, 3, -42);
    EXPECT_EQ(grid.cellInt(1, 3), -42);
    grid.setCellText(1, 3, "abc");
    EXPECT_EQ(grid.cellInt(1, 3), 0);
    EXPECT_DOUBLE_EQ(grid.cellDouble(1, 3), 0.0);

    grid.setRowData(2, 77);
    EXPECT_EQ(grid.rowData(2), 77);

    // A new row not yet stored.
    const int added = grid.addRow("\t\t\t\t\t", -1);
    EXPECT_EQ(added, 4);
    EXPECT_EQ(grid.rowData(4), -1);
    EXPECT_EQ(grid.cellItemValue(4, 4), -1) << "nothing chosen yet";
    EXPECT_FALSE(grid.cellCheck(4, 1));

    grid.deleteRow(2);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cellText(2, 2), "DE");
    EXPECT_EQ(grid.rowData(2), 3);
    grid.deleteRow(0); // the header stays
    grid.deleteRow(9);
    EXPECT_EQ(grid.rowCount(), 4);

    grid.removeAllRows();
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cellText(0, 3), "Descrizione");
}

TEST(EditableGrid, ColumnColourAndCellKind)
{
    CEditableGrid grid;
    setUpLanguages(grid);
    const QTableWidgetItem *codice = grid.table()->item(0, 2);
    EXPECT_EQ(codice->background().color(), QColor(255, 255, 200));
    EXPECT_TRUE(codice->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.table()->item(0, 0)->flags() & Qt::ItemIsEditable);

    // One cell made read-only by the owner; its neighbours keep the column's kind.
    grid.setCellKind(1, 2, CEditableGrid::ReadOnly);
    EXPECT_EQ(grid.cellKind(1, 2), CEditableGrid::ReadOnly);
    EXPECT_EQ(grid.cellKind(2, 2), CEditableGrid::Editable);
    show(grid);
    grid.setCurrentCell(1, 2);
    EXPECT_EQ(openLineEditor(grid), nullptr);
    grid.setCurrentCell(2, 2);
    ASSERT_NE(openLineEditor(grid), nullptr) << "setting the current cell starts editing";
    EXPECT_EQ(openLineEditor(grid)->text(), "EN");

    // A length limits typing but never cuts a stored longer text.
    grid.setColumnFormat(3, {CEditableGrid::InputFormat::Text, 5, 0});
    grid.setCurrentCell(1, 3);
    ASSERT_NE(openLineEditor(grid), nullptr);
    EXPECT_EQ(openLineEditor(grid)->text(), "Italiano");
    grid.setCurrentCell(2, 3);
    EXPECT_EQ(grid.cellText(1, 3), "Italiano");
    openLineEditor(grid)->clear();
    for (QChar c : QString("Portoghese")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(openLineEditor(grid), &press);
    }
    EXPECT_EQ(openLineEditor(grid)->text(), "Portogh") << "within the 7 of \"Inglese\"";

    // A cell turned into a check box and back.
    grid.setCellKind(3, 3, CEditableGrid::CheckBox);
    EXPECT_FALSE(grid.cellCheck(3, 3));
    grid.setCellCheck(3, 3, true);
    EXPECT_TRUE(grid.cellCheck(3, 3));
    grid.setCellKind(3, 3, CEditableGrid::Editable);
    EXPECT_FALSE(grid.table()->item(2, 3)->data(Qt::CheckStateRole).isValid());
}

TEST(EditableGrid, RowLeaveRefusalResumesAtTheGivenColumn)
{
    CEditableGrid grid;
    setUpLanguages(grid);
    show(grid);

    std::vector<std::tuple<int, int, int>> asked;
    bool refuse = true;
    grid.setRowLeaveHandler([&](int oldRow, int newRow, int column, int *resume) {
        asked.emplace_back(oldRow, newRow, column);
        if (!refuse)
            return 0;
        *resume = 3;
        return -1;
    });
    std::vector<std::pair<int, int>> selected;
    QObject::connect(&grid, &CEditableGrid::cellSelected,
                     [&](int r, int c) { selected.emplace_back(r, c); });

    grid.setCurrentCell(1, 2);
    EXPECT_TRUE(asked.empty()) << "the owner's own moves are not questioned";
    ASSERT_NE(openLineEditor(grid), nullptr);
    openLineEditor(grid)->setText("FR");

    EXPECT_FALSE(grid.requestMove(2, 2));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_tuple(1, 2, 2));
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 3);
    EXPECT_EQ(grid.cellText(1, 2), "FR") << "typing was stored before the owner was asked";
    ASSERT_NE(openLineEditor(grid), nullptr) << "editing resumes";
    EXPECT_EQ(openLineEditor(grid)->text(), "Italiano");
    EXPECT_EQ(selected.back(), std::make_pair(1, 3));

    // Moves inside the row are not questioned.
    asked.clear();
    EXPECT_TRUE(grid.requestMove(1, 2));
    EXPECT_TRUE(asked.empty());

    // The mouse and the keyboard go through the same question.
    click(grid, 3, 3);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_tuple(1, 3, 3));
    EXPECT_EQ(grid.currentRow(), 1);

    asked.clear();
    grid.setCurrentCell(1, 1); // a check cell: no editor, keys go to the table
    key(grid.table(), Qt::Key_Down);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_tuple(1, 2, 1));
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 3);

    refuse = false;
    asked.clear();
    EXPECT_TRUE(grid.requestMove(3, 2));
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_EQ(grid.currentColumn(), 2);
    click(grid, 2, 3);
    EXPECT_EQ(grid.currentRow(), 2);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], std::make_tuple(3, 2, 3));

    grid.setCurrentCell(-1, -1);
    EXPECT_EQ(grid.currentRow(), -1);
    EXPECT_EQ(grid.currentColumn(), -1);
}

TEST(EditableGrid, CheckToggledOnlyForTheUser)
{
    CEditableGrid grid;
    setUpLanguages(grid);
    show(grid);
    std::vector<std::pair<int, int>> toggled;
    QObject::connect(&grid, &CEditableGrid::checkToggled,
                     [&](int r, int c) { toggled.emplace_back(r, c); });

    grid.setCellCheck(2, 1, true);
    grid.setCellText(3, 5, "1");
    grid.addRow("\t1\tES\tSpagnolo\tEuro\t1", 4);
    EXPECT_TRUE(toggled.empty());

    click(grid, 2, 5);
    ASSERT_EQ(toggled.size(), 1u);
    EXPECT_EQ(toggled[0], std::make_pair(2, 5));
    EXPECT_FALSE(grid.cellCheck(2, 5));

    key(grid.table(), Qt::Key_Space);
    ASSERT_EQ(toggled.size(), 2u);
    EXPECT_TRUE(grid.cellCheck(2, 5));

    // A click whose move is refused toggles nothing.
    grid.setRowLeaveHandler([](int, int, int, int *) { return -1; });
    click(grid, 1, 5);
    EXPECT_EQ(toggled.size(), 2u);
    EXPECT_FALSE(grid.cellCheck(1, 5));
}

TEST(EditableGrid, DropDownChoiceStoresTextAndValue)
{
    CEditableGrid grid;
    setUpLanguages(grid);
    show(grid);
    grid.setCurrentCell(1, 4);
    auto *table = static_cast<GridTable *>(grid.table());
    auto *combo = qobject_cast<QComboBox *>(table->openEditor());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), "Euro");
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(grid.cellText(1, 4), "Sterlina");
    EXPECT_EQ(grid.cellItemValue(1, 4), 3);
}

TEST(EditableGrid, DateTimeAndTaxCodeCellsRefuseWrongValues)
{
    ScopedRecordingUi ui;
    CEditableGrid grid;
    grid.setHeader("Data\tOra\tCodice fiscale\tNote\t");
    for (int c = 0; c < 4; ++c)
        grid.setupColumn(c, 120, CEditableGrid::Editable);
    grid.setColumnFormat(0, {CEditableGrid::InputFormat::Date, -1, 0});
    grid.setColumnFormat(1, {CEditableGrid::InputFormat::Time, -1, 0});
    grid.setColumnFormat(2, {CEditableGrid::InputFormat::TaxCode, 16, 0});
    grid.addRow("\t\t\t", 1);
    grid.addRow("\t\t\t", 2);
    show(grid);

    grid.setCurrentCell(1, 0);
    ASSERT_NE(openLineEditor(grid), nullptr);
    openLineEditor(grid)->setText("31022024");
    EXPECT_FALSE(grid.requestMove(1, 1));
    EXPECT_EQ(grid.cellText(1, 0), "Error");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].title, "Validazione campi");
    EXPECT_EQ(ui->messages[0].text, "Data non corretta!");
    EXPECT_EQ(ui->messages[0].icon, UiPort::Icon::Stop);
    EXPECT_EQ(grid.currentColumn(), 0);
    ASSERT_NE(openLineEditor(grid), nullptr) << "editing stays in the refused cell";

    openLineEditor(grid)->setText("25122024");
    EXPECT_TRUE(grid.requestMove(1, 1));
    EXPECT_EQ(grid.cellText(1, 0), "25/12/2024");

    openLineEditor(grid)->setText("2460");
    EXPECT_FALSE(grid.requestMove(2, 1));
    EXPECT_EQ(ui->messages.back().text, "Ora non corretta!");
    openLineEditor(grid)->setText("0930");
    EXPECT_TRUE(grid.requestMove(1, 2));
    EXPECT_EQ(grid.cellText(1, 1), "09:30");

    openLineEditor(grid)->setText("rssmra85t10a562t");
    EXPECT_FALSE(grid.commitPendingEdit());
    EXPECT_EQ(ui->messages.back().text, "Codice fiscale non corretto!");
    EXPECT_EQ(grid.cellText(1, 2), "RSSMRA85T10A562T");
    openLineEditor(grid)->setText("rssmra85t10a562s");
    EXPECT_TRUE(grid.commitPendingEdit());
    EXPECT_EQ(grid.cellText(1, 2), "RSSMRA85T10A562S");

    // The open-date marker is kept; a free text column is not checked.
    grid.setCurrentCell(2, 0);
    openLineEditor(grid)->setText("99999999");
    EXPECT_TRUE(grid.requestMove(2, 3));
    EXPECT_EQ(grid.cellText(2, 0), "99/99/9999");
    openLineEditor(grid)->setText("anything");
    const size_t before = ui->messages.size();
    EXPECT_TRUE(grid.requestMove(1, 3));
    EXPECT_EQ(ui->messages.size(), before);
}

TEST(EditableGrid, TabOutOfAnEditorIsCheckedAndQuestioned)
{
    ScopedRecordingUi ui;
    CEditableGrid grid;
    grid.setHeader("Data\tNote\t");
    grid.setupColumn(0, 120, CEditableGrid::Editable);
    grid.setupColumn(1, 120, CEditableGrid::Editable);
    grid.setColumnFormat(0, {CEditableGrid::InputFormat::Date, -1, 0});
    grid.addRow("\t", 1);
    grid.addRow("\t", 2);
    show(grid);
    std::vector<std::tuple<int, int, int>> asked;
    grid.setRowLeaveHandler([&](int oldRow, int newRow, int column, int *resume) {
        asked.emplace_back(oldRow, newRow, column);
        *resume = 0;
        return -1;
    });

    grid.setCurrentCell(1, 0);
    openLineEditor(grid)->setText("32132024");
    key(openLineEditor(grid), Qt::Key_Tab);
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(grid.currentColumn(), 0);
    ASSERT_NE(openLineEditor(grid), nullptr);

    openLineEditor(grid)->setText("01012025");
    key(openLineEditor(grid), Qt::Key_Tab);
    EXPECT_EQ(grid.cellText(1, 0), "01/01/2025");
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 1);
    EXPECT_TRUE(asked.empty());

    // Tab from the last column goes to the next row: the owner is asked.
    ASSERT_NE(openLineEditor(grid), nullptr);
    key(openLineEditor(grid), Qt::Key_Tab);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_tuple(1, 2, 0));
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_NE(openLineEditor(grid), nullptr);
}

TEST(EditableGrid, TypedValuesCanBeRefusedAndRowsColoured)
{
    // The order lines: a shipped quantity above the ordered one is refused.
    CEditableGrid grid;
    grid.setHeader("Articolo\tOrdinata\tEvasa\t");
    grid.setupColumn(0, 150, CEditableGrid::ReadOnly);
    grid.setupColumn(1, 60, CEditableGrid::ReadOnly);
    grid.setupColumn(2, 60, CEditableGrid::Editable);
    grid.setColumnFormat(2, {CEditableGrid::InputFormat::Integer, 6, 0});
    grid.addRow("Camicia\t3\t0", 11);
    show(grid);
    std::vector<QString> offered;
    std::vector<std::pair<int, int>> edited;
    grid.setCellEditHandler([&](int row, int column, const QString &text) {
        offered.push_back(text);
        return column == 2 && text.toInt() <= grid.cellInt(row, 1);
    });
    QObject::connect(&grid, &CEditableGrid::cellEdited,
                     [&](int r, int c) { edited.emplace_back(r, c); });

    grid.setCurrentCell(1, 2);
    openLineEditor(grid)->setText("5");
    EXPECT_TRUE(grid.commitPendingEdit());
    EXPECT_EQ(grid.cellText(1, 2), "0");
    EXPECT_TRUE(edited.empty());

    grid.setCurrentCell(1, 2);
    openLineEditor(grid)->setText("3");
    grid.commitPendingEdit();
    EXPECT_EQ(grid.cellInt(1, 2), 3);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], std::make_pair(1, 2));
    EXPECT_EQ(offered, (std::vector<QString>{"5", "3"}));

    grid.setCellText(1, 2, "1"); // the owner's own writes are not offered
    EXPECT_EQ(offered.size(), 2u);

    grid.setRowTextColour(1, QColor(0, 0, 255));
    EXPECT_EQ(grid.cellTextColour(1, 0), QColor(0, 0, 255));
    EXPECT_EQ(grid.cellTextColour(1, 2), QColor(0, 0, 255));
    grid.setCellTextColour(1, 2, Qt::black);
    EXPECT_EQ(grid.cellTextColour(1, 2), QColor(Qt::black));
}

TEST(EditableGrid, ScreenshotOfTypedRows)
{
    CEditableGrid grid;
    setUpLanguages(grid);
    grid.addRow("\t1\tFR\tFrancese\tEuro\t1", 4);
    show(grid);
    grid.setCurrentCell(2, 3);
    openLineEditor(grid)->setText("Inglese (UK)");
    grid.requestMove(2, 2);
    QApplication::processEvents();
    ASSERT_TRUE(saveScreenshot(grid, QStringLiteral("griglia.png")));
    EXPECT_EQ(grid.cellText(2, 3), "Inglese (UK)");
}
