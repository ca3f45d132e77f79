#include "editors/config/CLingueView.h"
#include "editors/config/CValuteView.h"
#include "config/CurrencyTable.h"
#include "config/LanguageTable.h"

#include "EditorTestProject.h"
#include "common/ScriptedUiPort.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct ConfigFixture : ::testing::Test {
    ScopedScriptedUi ui;
    EditorTestProject project;
    int rows(const QString &sql) { return project.count(sql); }
};

GridRow language(int id, bool active, const QString &code, const QString &name, int currency = 1)
{
    return GridRow{id, {QVariant(), active, code, name, currency, false}};
}

GridRow currency(int id, const QString &name, double rate, const QString &symbol, int roundingItem)
{
    return GridRow{id, {QVariant(), name, rate, symbol, roundingItem}};
}

int findRow(CEditableGrid *grid, int id)
{
    for (int r = 1; r < grid->rowCount(); ++r)
        if (grid->rowData(r) == id)
            return r;
    return -1;
}

} // namespace

TEST_F(ConfigFixture, LanguageRowsAreValidatedInOrderAndCodesStayUnique)
{
    LanguageTable table(project.db());
    GridRow row = language(0, true, "", "");
    EXPECT_EQ(table.store(row), LanguageTable::Codice);
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    EXPECT_EQ(ui->lastMessage().title, "Validazione campi");
    row = language(0, true, "de", "");
    EXPECT_EQ(table.store(row), LanguageTable::Descrizione);

    row = language(0, true, "EN", "English");
    EXPECT_EQ(table.store(row), LanguageTable::Codice);
    EXPECT_EQ(ui->lastMessage().text, "Codice già presente!");
    EXPECT_EQ(row.id, 0);

    row = language(0, true, "de", "Tedesco", 0); // no currency chosen: Euro
    EXPECT_EQ(table.store(row), -1);
    EXPECT_EQ(row.id, 3);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE ID=3 AND Codice='de' AND Attivo=TRUE "
                   "AND IDValuta=1 AND Modificato=TRUE"), 1);

    // Renaming a code onto another language's code is refused as well.
    row = language(3, true, "it", "Tedesco");
    EXPECT_EQ(table.store(row), LanguageTable::Codice);
    row = language(3, false, "de", "Deutsch");
    EXPECT_TRUE(table.differs(row));
    EXPECT_EQ(table.store(row), -1);
    EXPECT_FALSE(table.differs(row));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE ID=3 AND Descrizione='Deutsch' AND Attivo=FALSE"), 1);
}

TEST_F(ConfigFixture, CurrencyRoundingAndEuroRules)
{
    EXPECT_EQ(CurrencyTable::roundingItem(0.01), 6);
    EXPECT_EQ(QString::fromLatin1(CurrencyTable::roundings()[5].text), "Centesimi");
    EXPECT_EQ(CurrencyTable::roundingItem(1000), 1);
    EXPECT_EQ(CurrencyTable::roundingItem(0.00001), 9);
    EXPECT_EQ(CurrencyTable::roundingItem(0.05), -1);

    CurrencyTable table(project.db());
    GridRow dollar = currency(0, "Dollaro", 1.08, "$", 6);
    ASSERT_EQ(table.store(dollar), -1);
    GridRow pound = currency(0, "", 0.85, "£", 4);
    EXPECT_EQ(table.store(pound), CurrencyTable::Nome);
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");

    // Two languages shown in dollars move to the Euro when it goes.
    project.db().execute(QStringLiteral("UPDATE Lingue SET IDValuta=%1, Modificato=FALSE").arg(dollar.id));
    EXPECT_FALSE(table.mayDelete(CurrencyTable::EuroId));
    EXPECT_EQ(ui->lastMessage().text, "La valuta Euro non si può cancellare.");
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione valuta");
    table.remove(CurrencyTable::EuroId);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute WHERE ID=1"), 1);

    ASSERT_TRUE(table.mayDelete(dollar.id));
    table.remove(dollar.id);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE IDValuta=1 AND Modificato=TRUE"), 2);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Valute' "
                                  "AND IDRecord=%1").arg(dollar.id)), 1);
}

TEST_F(ConfigFixture, CurrencyGridShowsRoundingAndDeletesOnlyWhatIsAllowed)
{
    CValuteView view(project);
    CEditableGrid *grid = view.grid();
    ASSERT_EQ(grid->rowCount(), 3); // header, Euro, empty new row
    EXPECT_EQ(grid->cellText(1, CurrencyTable::Nome), "Euro");
    EXPECT_EQ(grid->cellText(1, CurrencyTable::Arrotondamento), "Centesimi");

    ui->clearCalls();
    grid->setCurrentCell(-1, -1);
    view.deleteSelected();
    EXPECT_EQ(ui->lastMessage().text, "Selezionare la riga da cancellare.");
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione valuta");

    grid->setCurrentCell(1, 1);
    view.deleteSelected();
    EXPECT_EQ(ui->lastMessage().text, "La valuta Euro non si può cancellare.");
    EXPECT_EQ(grid->rowCount(), 3);

    // A new currency typed in the last row is stored when the row is left.
    grid->setCellText(2, CurrencyTable::Nome, "Franco svizzero");
    grid->setCellText(2, CurrencyTable::Simbolo, "CHF");
    grid->setCellDouble(2, CurrencyTable::Cambio, 0.95);
    EXPECT_TRUE(view.hasPendingNewRow());
    ASSERT_TRUE(view.validatePendingNewRow());
    EXPECT_FALSE(view.hasPendingNewRow());
    EXPECT_EQ(grid->rowData(2), 2);
    EXPECT_EQ(grid->rowCount(), 4); // a fresh empty row follows
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute WHERE ID=2 AND Simbolo='CHF' AND Arrotondamento=0.01"), 1);

    grid->setCurrentCell(2, 1);
    ui->queueAnswer(UiPort::Answer::Yes);
    view.deleteSelected();
    EXPECT_EQ(ui->lastMessage().text, "Confermi ?");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute"), 1);
    EXPECT_EQ(grid->rowCount(), 3);
}

TEST_F(ConfigFixture, LanguageGridRefusesARowAndResumesAtTheCell)
{
    CLingueView view(project);
    CEditableGrid *grid = view.grid();
    ASSERT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->dropDownItems(LanguageTable::Valuta).size(), 1);

    const int newRow = 3;
    grid->setCellText(newRow, LanguageTable::Codice, "en");
    grid->setCellText(newRow, LanguageTable::Descrizione, "English");
    grid->setCurrentCell(newRow, LanguageTable::Descrizione);
    EXPECT_FALSE(grid->requestMove(1, LanguageTable::Codice));
    EXPECT_EQ(ui->lastMessage().text, "Codice già presente!");
    EXPECT_EQ(grid->currentRow(), newRow);
    EXPECT_EQ(grid->currentColumn(), int(LanguageTable::Codice));
    EXPECT_EQ((view.resumeCell()), (GridCell{newRow, LanguageTable::Codice}));

    // The close rule asks the same question and gets the same answer.
    EXPECT_TRUE(view.hasPendingNewRow());
    EXPECT_FALSE(view.validatePendingNewRow());

    grid->setCellText(newRow, LanguageTable::Codice, "fr");
    EXPECT_TRUE(grid->requestMove(1, LanguageTable::Codice));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE Codice='fr'"), 1);

    // An unchanged stored row is not validated again when left, even if an
    // older version of the program left it incomplete.
    project.db().execute("UPDATE Lingue SET Descrizione='' WHERE ID=2");
    view.reload();
    const int english = findRow(grid, 2);
    grid->setCurrentCell(english, LanguageTable::Codice);
    ui->clearCalls();
    EXPECT_TRUE(grid->requestMove(1, LanguageTable::Codice));
    EXPECT_TRUE(ui->messages().empty());

    // A change to a stored row is an unsaved change until saved.
    const int italian = findRow(grid, 1);
    grid->setCellCheck(italian, LanguageTable::Attivo, false);
    EXPECT_TRUE(view.hasUnsavedChanges());
    EXPECT_TRUE(view.saveChanges());
    EXPECT_FALSE(view.hasUnsavedChanges());
    EXPECT_FALSE(LanguageTable(project.db()).anyActive());

    view.resize(700, 260);
    view.show();
    const QString folder = QStringLiteral(ZANFIRA_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(view.grab().save(folder + QStringLiteral("/lingue.png")));
}
