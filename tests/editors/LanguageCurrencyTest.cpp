#include "editors/config/CLingueView.h"
#include "editors/config/CValuteView.h"
#include "config/CurrencyTable.h"
#include "config/LanguageTable.h"

#include "EditorTestProject.h"
#include "GridInput.h"
#include "common/ScriptedUiPort.h"
#include "common/Screenshots.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

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

// The close rule of a grid editor's window: a pending new row is validated,
// then unsaved changes are saved. True when the window may close.
bool closeGridEditor(GridEditorView &view)
{
    if (view.hasPendingNewRow() && !view.validatePendingNewRow())
        return false;
    return !(view.hasUnsavedChanges() && !view.saveChanges());
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

    // A change to a stored row is an unsaved change until saved (here with
    // no default language configured, which could not be deactivated).
    project.db().execute("UPDATE Configurazione SET IDLinguaPredefinita=0");
    const int italian = findRow(grid, 1);
    grid->setCellCheck(italian, LanguageTable::Attivo, false);
    EXPECT_TRUE(view.hasUnsavedChanges());
    EXPECT_TRUE(view.saveChanges());
    EXPECT_FALSE(view.hasUnsavedChanges());
    EXPECT_FALSE(LanguageTable(project.db()).anyActive());
}

TEST_F(ConfigFixture, ScreenshotOfTheLanguages)
{
    CLingueView view(project);
    view.resize(700, 260);
    EXPECT_TRUE(saveScreenshot(view, QStringLiteral("lingue.png")));
}

TEST_F(ConfigFixture, OpeningAndClosingTheCurrenciesRewritesNothing)
{
    // Rates with more decimals than the grid shows, and a rounding unit
    // that the drop-down does not offer.
    project.db().execute("INSERT INTO Valute (ID, Nome, Cambio, Simbolo, Arrotondamento) "
                         "VALUES (2, 'Dollaro', 1.0823456789, '$', 0.01)");
    project.db().execute("INSERT INTO Valute (ID, Nome, Cambio, Simbolo, Arrotondamento) "
                         "VALUES (3, 'Yen', 161.123456, 'Y', 0.05)");
    project.db().execute("UPDATE Valute SET Modificato=FALSE");
    const auto stored = [&](const char *column, int id) {
        return project.db().scalar(QStringLiteral("SELECT %1 FROM Valute WHERE ID=%2").arg(column).arg(id)).toDouble();
    };
    {
        CValuteView view(project);
        view.resize(700, 260);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        CEditableGrid *grid = view.grid();
        EXPECT_EQ(grid->cellText(findRow(grid, 2), CurrencyTable::Cambio), "1,08235");
        // The user walks through every row with the mouse and closes.
        for (int row = 1; row < grid->rowCount(); ++row)
            GridInput::click(grid, row, CurrencyTable::Cambio);
        GridInput::click(grid, 1, CurrencyTable::Nome);
        EXPECT_FALSE(view.hasUnsavedChanges());
        EXPECT_TRUE(closeGridEditor(view));
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute WHERE Modificato=TRUE"), 0);
    EXPECT_DOUBLE_EQ(stored("Cambio", 2), 1.0823456789);
    EXPECT_DOUBLE_EQ(stored("Cambio", 3), 161.123456);
    EXPECT_DOUBLE_EQ(stored("Arrotondamento", 3), 0.05);

    // Changing the symbol writes the row; the rate keeps all its digits.
    {
        CValuteView view(project);
        view.resize(700, 260);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        CEditableGrid *grid = view.grid();
        GridInput::type(grid, findRow(grid, 2), CurrencyTable::Simbolo, "US$");
        GridInput::click(grid, findRow(grid, 3), CurrencyTable::Nome);
        EXPECT_TRUE(closeGridEditor(view));
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute WHERE Modificato=TRUE AND ID=2 AND Simbolo='US$'"), 1);
    EXPECT_DOUBLE_EQ(stored("Cambio", 2), 1.0823456789);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute WHERE Modificato=TRUE"), 1);
    EXPECT_TRUE(ui->messages().empty());
}

TEST_F(ConfigFixture, TheDefaultLanguageAndThePriceListCurrencyStay)
{
    CLingueView view(project);
    view.resize(700, 260);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    CEditableGrid *grid = view.grid();
    const int italian = findRow(grid, 1); // the configured default language
    const int english = findRow(grid, 2);

    // Unticking "Attivo" of the default language is refused when the row is left.
    GridInput::click(grid, italian, LanguageTable::Attivo);
    ASSERT_FALSE(grid->cellCheck(italian, LanguageTable::Attivo));
    GridInput::click(grid, english, LanguageTable::Descrizione);
    EXPECT_EQ(ui->lastMessage().title, "Validazione campi");
    EXPECT_EQ(ui->lastMessage().text, "La lingua predefinita del sito non si può disattivare.");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Stop);
    EXPECT_EQ(grid->currentRow(), italian);
    EXPECT_EQ(grid->currentColumn(), int(LanguageTable::Attivo));
    EXPECT_EQ(rows("SELECT Attivo FROM Lingue WHERE ID=1"), 1);
    GridInput::click(grid, italian, LanguageTable::Attivo);
    ASSERT_TRUE(grid->cellCheck(italian, LanguageTable::Attivo));
    GridInput::click(grid, english, LanguageTable::Descrizione);
    EXPECT_EQ(grid->currentRow(), english);

    // Nor can it be deleted.
    ui->clearCalls();
    GridInput::click(grid, italian, LanguageTable::Descrizione);
    QTest::mouseClick(view.deleteButton(), Qt::LeftButton);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione lingua");
    EXPECT_EQ(ui->lastMessage().text, "La lingua predefinita del sito non si può cancellare.");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE ID=1"), 1);

    // The price-list currency cannot be deleted either.
    project.db().execute("INSERT INTO Valute (ID, Nome, Cambio, Simbolo, Arrotondamento) VALUES (2, 'Dollaro', 1.08, '$', 0.01)");
    project.db().execute("UPDATE Configurazione SET IDValutaListino=2");
    CValuteView currencies(project);
    currencies.resize(700, 260);
    currencies.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&currencies));
    GridInput::click(currencies.grid(), findRow(currencies.grid(), 2), CurrencyTable::Simbolo);
    QTest::mouseClick(currencies.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(ui->lastMessage().title, "Cancellazione valuta");
    EXPECT_EQ(ui->lastMessage().text, "La valuta del listino non si può cancellare.");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Valute WHERE ID=2"), 1);
}

TEST_F(ConfigFixture, ANewLanguageCodeIsCarriedToEveryLanguageRow)
{
    project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 1, 'en', 'Chairs')");
    project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (2, 1, 'it', 'Sedie')");
    project.db().execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome) VALUES (1, 1, 'en', 'Chair')");
    project.db().execute("INSERT INTO Clienti (ID, Nome, CodiceLingua) VALUES (7, 'Smith', 'en')");
    project.db().execute("UPDATE CategorieLingue SET Modificato=FALSE");
    project.db().execute("UPDATE ProdottiLingue SET Modificato=FALSE");
    const QString images = project.file("website/images/categorie/en");
    ASSERT_TRUE(QDir().mkpath(images));

    CLingueView view(project);
    view.resize(700, 260);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    CEditableGrid *grid = view.grid();
    const int english = findRow(grid, 2);

    // Asked, and refused: nothing changes and editing resumes at the code.
    GridInput::type(grid, english, LanguageTable::Codice, "gb");
    ui->queueAnswer(UiPort::Answer::No);
    GridInput::click(grid, findRow(grid, 1), LanguageTable::Descrizione);
    EXPECT_EQ(ui->lastMessage().title, "Modifica codice lingua");
    EXPECT_EQ(ui->lastMessage().text, "Il codice della lingua cambia da \"en\" a \"gb\": tutti i testi, le righe e "
                                      "i riferimenti in questa lingua passano al nuovo codice.\n\nConfermi ?");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Question);
    EXPECT_EQ(grid->currentRow(), english);
    EXPECT_EQ(grid->currentColumn(), int(LanguageTable::Codice));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE Codice='en'"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM CategorieLingue WHERE CodiceLingua='en'"), 1);

    // Confirmed: the language and every row in it take the new code.
    ui->queueAnswer(UiPort::Answer::Yes);
    GridInput::click(grid, findRow(grid, 1), LanguageTable::Descrizione);
    EXPECT_EQ(grid->currentRow(), findRow(grid, 1));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Lingue WHERE ID=2 AND Codice='gb'"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM CategorieLingue WHERE CodiceLingua='gb' AND Nome='Chairs' AND Modificato=TRUE"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM CategorieLingue WHERE CodiceLingua='it' AND Modificato=FALSE"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ProdottiLingue WHERE CodiceLingua='gb' AND Modificato=TRUE"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Clienti WHERE CodiceLingua='gb'"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM CategorieLingue WHERE CodiceLingua='en'"), 0);
    EXPECT_FALSE(QDir(images).exists());
    EXPECT_TRUE(QDir(project.file("website/images/categorie/gb")).exists());
}
