#include "catalogue/ProductTable.h"

#include <QPushButton>

#include "../EditorTestProject.h"
#include "common/Screenshots.h"

#include <gtest/gtest.h>

namespace {

struct ProductTableFixture : ::testing::Test {
    EditorTestProject project;
    ProductTable table{project.db(), project};

    void SetUp() override
    {
        // 30 products in category 5, two more outside it.
        for (int id = 1; id <= 32; ++id) {
            project.db().execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice) "
                                                "VALUES (%1, %1, 0, 'P%1')")
                                     .arg(id));
            project.db().execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, "
                                                "Nome, DescrizioneBreve, Prezzo1, Prezzo2) VALUES "
                                                "(%1, %1, 'it', 'Prodotto %1', 'Breve %1', %1, 2)")
                                     .arg(id));
            if (id <= 30)
                project.db().execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, "
                                                    "IDProdotto) VALUES (%1, 5, %1)")
                                         .arg(id));
        }
        table.setCategory(5);
    }
    QList<int> ids() const
    {
        QList<int> out;
        for (const auto &row : table.rows())
            out << row.id;
        return out;
    }
    static QList<int> range(int from, int to)
    {
        QList<int> out;
        for (int i = from; i <= to; ++i)
            out << i;
        return out;
    }
};

} // namespace

TEST_F(ProductTableFixture, PagingThroughThirtyProducts)
{
    EXPECT_EQ(table.recordCount(), 30);
    EXPECT_EQ(ids(), range(1, 12));
    EXPECT_EQ(table.rows()[0].code, "P1");
    EXPECT_EQ(table.rows()[0].description, "Prodotto 1");

    EXPECT_EQ(table.pageDown(), 12);
    EXPECT_EQ(ids(), range(13, 24));
    EXPECT_EQ(table.pageDown(), 18);
    EXPECT_EQ(ids(), range(19, 30));
    EXPECT_EQ(table.lineDown(), 0); // at the end nothing moves
    EXPECT_EQ(ids(), range(19, 30));

    EXPECT_EQ(table.lineUp(), 18);
    EXPECT_EQ(ids(), range(18, 29));
    EXPECT_EQ(table.pageUp(), 6);
    EXPECT_EQ(ids(), range(6, 17));
    EXPECT_EQ(table.pageUp(), 1);
    EXPECT_EQ(ids(), range(1, 12));
    EXPECT_EQ(table.lineUp(), 0);
    EXPECT_EQ(ids(), range(1, 12));
    EXPECT_EQ(table.lineDown(), 1);
    EXPECT_EQ(ids(), range(2, 13));
}

TEST_F(ProductTableFixture, ThumbKeepsTheWindowWhole)
{
    EXPECT_EQ(table.thumb(10), 9);
    EXPECT_EQ(ids(), range(10, 21));
    EXPECT_EQ(table.thumb(26), 18);
    EXPECT_EQ(ids(), range(19, 30));

    table.setCategory(0);
    EXPECT_EQ(table.recordCount(), 32);
    table.setCategory(99);
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_TRUE(table.rows().isEmpty());
    EXPECT_EQ(table.pageDown(), 0);
}

TEST_F(ProductTableFixture, DescriptionChoiceAndLanguageFallback)
{
    table.setDescription(ProductTable::Description::Short);
    EXPECT_EQ(table.rows()[1].description, "Breve 2");
    project.db().execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, DescrizioneBreve, "
                         "Prezzo1) VALUES (100, 3, 'en', 'Product 3', 'Short 3', 9)");
    project.current = "en";
    table.setCategory(5);
    EXPECT_EQ(table.rows()[1].description, "Breve 2");
    EXPECT_EQ(table.rows()[2].description, "Short 3");
    EXPECT_DOUBLE_EQ(*table.rows()[2].prices[0], 9.0);
}

TEST_F(ProductTableFixture, PricesWrittenToTheCurrentOrDefaultLanguageRow)
{
    project.db().execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, Prezzo1) "
                         "VALUES (100, 3, 'en', 'Product 3', 9)");
    project.db().execute("UPDATE ProdottiLingue SET Modificato=FALSE");
    project.current = "en";
    table.setCategory(5);

    using Edit = ProductTable::PriceEdit;
    using Result = ProductTable::WriteResult;
    const ProductTable::Row stored = table.readRow(4);
    const Edit same[4] = {{true, stored.prices[0]}, {true, stored.prices[1]}, {}, {}};
    EXPECT_EQ(table.writePrices(4, same), Result::Unchanged);
    EXPECT_EQ(project.db().scalar("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE").toInt(), 0);

    // Product 4 has no English row: its Italian row takes the new price.
    const Edit changed[4] = {{}, {true, 7.5}, {}, {}};
    EXPECT_EQ(table.writePrices(4, changed), Result::Written);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=4").toDouble(), 7.5);
    EXPECT_EQ(project.count("SELECT Modificato FROM ProdottiLingue WHERE ID=4"), 1);
    EXPECT_DOUBLE_EQ(*table.rows()[3].prices[1], 7.5);

    // Product 3 has one: the Italian row stays as it was.
    const Edit english[4] = {{}, {true, 3.0}, {}, {}};
    EXPECT_EQ(table.writePrices(3, english), Result::Written);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=100").toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=3").toDouble(), 2.0);
}

#include "editors/catalogue/CTabellaProdottiView.h"
#include "common/ScriptedUiPort.h"
#include "controls/CEditableGrid.h"
#include "../GridInput.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>


TEST_F(ProductTableFixture, ViewScrollsAndWritesBackTheLeftRow)
{
    ScopedScriptedUi ui;
    project.db().execute("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) VALUES (5, 5, 0, '')");
    project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 5, 'it', 'Sedie')");
    CTabellaProdottiView view(project);
    view.resize(900, 420);
    // "Tutte le categorie" is chosen at the start.
    EXPECT_EQ(view.table().recordCount(), 32);
    ASSERT_EQ(view.tree()->topLevelItem(0)->text(0), "Tutte le categorie");
    view.tree()->setCurrentItem(view.tree()->topLevelItem(0)->child(0));
    EXPECT_EQ(view.table().recordCount(), 30);
    EXPECT_EQ(view.grid()->rowCount(), 13);
    EXPECT_EQ(view.scrollBar()->maximum(), 18);

    view.grid()->setCurrentCell(2, 3);
    view.grid()->setCellText(2, 3, "8.25");
    EXPECT_TRUE(view.hasUnsavedChanges());
    view.scroll(CTabellaProdottiView::Step::PageDown);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=2").toDouble(), 8.25);
    EXPECT_EQ(view.grid()->rowData(1), 13);
    EXPECT_EQ(view.scrollBar()->value(), 12);
    view.scrollTo(30);
    EXPECT_EQ(view.grid()->rowData(1), 19);
    EXPECT_EQ(view.grid()->rowData(12), 30);
}

TEST_F(ProductTableFixture, AnUntouchedRowIsNotWrittenAndAFailedWriteKeepsTheRow)
{
    ScopedScriptedUi ui;
    project.db().execute("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) VALUES (5, 5, 0, '')");
    project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 5, 'it', 'Sedie')");
    // Shown rounded to the grid's decimals; stored with more.
    project.db().execute("UPDATE ProdottiLingue SET Prezzo2=2.34567, Modificato=FALSE WHERE ID=2");
    CTabellaProdottiView view(project);
    view.resize(900, 420);
    view.tree()->setCurrentItem(view.tree()->topLevelItem(0)->child(0));

    // Passing through a row without typing leaves it as it is.
    view.grid()->setCurrentCell(2, 3);
    view.scroll(CTabellaProdottiView::Step::PageDown);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=2").toDouble(), 2.34567);
    EXPECT_EQ(project.db().scalar("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE").toInt(), 0);
    view.scroll(CTabellaProdottiView::Step::PageUp);
    ASSERT_EQ(view.scrollBar()->value(), 0);

    // A typed price that cannot be written is told, and the view stays on
    // the row with what was typed.
    project.db().executeNative("CREATE TRIGGER Blocca BEFORE UPDATE ON ProdottiLingue "
                               "BEGIN SELECT RAISE(ABORT, 'bloccato'); END");
    ui->clearCalls();
    view.grid()->setCurrentCell(2, 3);
    view.grid()->setCellText(2, 3, "9.75");
    view.scroll(CTabellaProdottiView::Step::PageDown);
    ASSERT_FALSE(ui->messages().empty());
    EXPECT_EQ(ui->messages()[0].icon, UiPort::Icon::Stop);
    EXPECT_EQ(view.scrollBar()->value(), 0);
    EXPECT_EQ(view.grid()->rowData(1), 1);
    EXPECT_EQ(view.grid()->cellText(2, 3), "9.75");
}

TEST_F(ProductTableFixture, ScreenshotOfTheTable)
{
    ScopedScriptedUi ui;
    project.db().execute("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) VALUES (5, 5, 0, '')");
    project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 5, 'it', 'Sedie')");
    CTabellaProdottiView view(project);
    view.resize(900, 420);
    view.tree()->setCurrentItem(view.tree()->topLevelItem(0)->child(0));
    EXPECT_TRUE(saveScreenshot(view, QStringLiteral("tabella-prodotti.png")));
}

TEST_F(ProductTableFixture, RecordButtonsSaveOrUndoTheCurrentRow)
{
    ScopedScriptedUi ui;
    project.db().execute("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) VALUES (5, 5, 0, '')");
    project.db().execute("INSERT INTO CategorieLingue (ID, IDCategoria, CodiceLingua, Nome) VALUES (1, 5, 'it', 'Sedie')");
    CTabellaProdottiView view(project);
    view.tree()->setCurrentItem(view.tree()->topLevelItem(0)->child(0));
    EXPECT_FALSE(view.saveButton()->isEnabled());
    EXPECT_FALSE(view.undoButton()->isEnabled());

    // A changed price enables both; "Annulla modifiche" puts the stored one back.
    view.grid()->setCurrentCell(2, 3);
    view.grid()->setCellText(2, 3, "7.50");
    emit view.grid()->cellEdited(2, 3);
    EXPECT_TRUE(view.saveButton()->isEnabled());
    EXPECT_TRUE(view.undoButton()->isEnabled());
    view.undoButton()->click();
    EXPECT_EQ(view.grid()->cellText(2, 3), "2.00");
    EXPECT_FALSE(view.saveButton()->isEnabled());
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=2").toDouble(), 2.0);

    // "Salva" writes the row at once.
    view.grid()->setCurrentCell(3, 2);
    view.grid()->setCellText(3, 2, "9.99");
    emit view.grid()->cellEdited(3, 2);
    view.saveButton()->click();
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo1 FROM ProdottiLingue WHERE ID=3").toDouble(), 9.99);
    EXPECT_FALSE(view.saveButton()->isEnabled());

    // Scrolling disables them.
    view.grid()->setCurrentCell(4, 2);
    view.grid()->setCellText(4, 2, "1.00");
    emit view.grid()->cellEdited(4, 2);
    ASSERT_TRUE(view.saveButton()->isEnabled());
    view.scroll(CTabellaProdottiView::Step::LineDown);
    EXPECT_FALSE(view.saveButton()->isEnabled());
    EXPECT_FALSE(view.undoButton()->isEnabled());
}

TEST_F(ProductTableFixture, OnlyTheEditedPriceIsWrittenAndAPriceWithNoRowToHoldItIsTold)
{
    ScopedScriptedUi ui;
    // Product 1 has prices with four decimals; product 2 has texts in
    // English only, which is neither the current nor the default language.
    project.db().execute("UPDATE ProdottiLingue SET Prezzo1=12.3456, Prezzo3=0.98765, Prezzo4=NULL, "
                         "Modificato=FALSE "
                         "WHERE IDProdotto=1");
    project.db().execute("UPDATE ProdottiLingue SET CodiceLingua='en', Modificato=FALSE WHERE IDProdotto=2");
    CTabellaProdottiView view(project);
    view.resize(900, 420);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.tree()->setCurrentItem(view.tree()->topLevelItem(0));
    ASSERT_EQ(view.grid()->rowData(1), 1);
    ASSERT_EQ(view.grid()->rowData(2), 2);

    // Prezzo 2 of product 1 is typed; the row is left for the next one.
    GridInput::type(view.grid(), 1, 3, "7.5");
    GridInput::click(view.grid(), 3, 3);
    EXPECT_EQ(view.grid()->currentRow(), 3);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo2 FROM ProdottiLingue WHERE IDProdotto=1").toDouble(), 7.5);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo1 FROM ProdottiLingue WHERE IDProdotto=1").toDouble(), 12.3456);
    EXPECT_DOUBLE_EQ(project.db().scalar("SELECT Prezzo3 FROM ProdottiLingue WHERE IDProdotto=1").toDouble(), 0.98765);
    EXPECT_TRUE(project.db().scalar("SELECT Prezzo4 FROM ProdottiLingue WHERE IDProdotto=1").isNull());
    EXPECT_TRUE(ui->messages().empty());

    // A row visited and left without typing writes nothing.
    GridInput::click(view.grid(), 1, 2);
    GridInput::click(view.grid(), 4, 2);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE"), 1);

    // Product 2: the typed price has no row to go to, and the user hears of it.
    GridInput::type(view.grid(), 2, 2, "5");
    GridInput::click(view.grid(), 4, 2);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().title, "Tabella prodotti");
    EXPECT_EQ(ui->lastMessage().text, "Il prodotto P2 non ha una riga nella lingua corrente né nella lingua "
                                      "predefinita: i prezzi digitati non sono stati salvati.");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Exclamation);
    EXPECT_EQ(view.grid()->cellText(2, 2), "");
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=2"), 1);
    EXPECT_FALSE(view.hasUnsavedChanges());
}
