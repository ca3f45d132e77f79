#include "TempProject.h"
#include "data/Database.h"
#include "catalogue/pricelist/PriceListUpdate.h"

#include <gtest/gtest.h>

namespace {

// Products 1 and 2 in category 10, product 3 in categories 10 and 20,
// product 4 in category 20, product 5 in no category. Every product has an
// Italian and an English row with prices 20, 30, 40, 50 and promotional 10.
class PriceListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        db = std::make_unique<Database>(project.folder().database());
        for (int id = 1; id <= 5; ++id) {
            db->execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (%1, %1, 'P%1')").arg(id));
            for (int l = 0; l < 2; ++l)
                db->execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo1, Prezzo2, "
                                           "Prezzo3, Prezzo4, PrezzoPromozionale, Modificato) VALUES (%1, %2, '%3', 20, 30, 40, 50, 10, FALSE)")
                                .arg(id * 10 + l).arg(id).arg(l ? QStringLiteral("en") : QStringLiteral("it")));
        }
        int link = 1;
        for (auto [cat, prod] : {std::pair{10, 1}, {10, 2}, {10, 3}, {20, 3}, {20, 4}})
            db->execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (%1, %2, %3)")
                            .arg(link++).arg(cat).arg(prod));
    }
    double price(int product, const char *language, const char *column)
    {
        return db->scalar(QStringLiteral("SELECT %1 FROM ProdottiLingue WHERE IDProdotto=%2 AND CodiceLingua='%3'")
                              .arg(QLatin1String(column)).arg(product).arg(QLatin1String(language))).toDouble();
    }
    TempProject project;
    std::unique_ptr<Database> db;
};

} // namespace

TEST(PriceListFormulaTest, PercentageOfTheOldPrice)
{
    EXPECT_NEAR(PriceListUpdate::apply(20.0, 10), 22.0, 1e-9);
    EXPECT_NEAR(PriceListUpdate::apply(20.0, -10), 18.0, 1e-9);
    EXPECT_DOUBLE_EQ(PriceListUpdate::apply(19.99, 0), 19.99);
    EXPECT_DOUBLE_EQ(PriceListUpdate::apply(19.99, -100), 0.0);
}

TEST_F(PriceListFixture, OneListPriceOfOneCategoryInEveryLanguage)
{
    PriceListUpdate::Options o;
    o.categoryId = 10;
    o.percentage = 10;
    o.list = 3;
    std::vector<std::pair<int, int>> steps;
    const PriceListUpdate::Report report = PriceListUpdate::run(*db, o, [&](int pos, int n) { steps.emplace_back(pos, n); });
    EXPECT_EQ(report.rows, 6);
    EXPECT_EQ(report.prices, 6);
    EXPECT_EQ(report.products, 3);
    EXPECT_EQ(PriceListUpdate::doneText(report), "Aggiornamento completato.\nPrezzi modificati: 6 (prodotti aggiornati: 3).");
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
    for (int p : {1, 2, 3}) {
        for (const char *l : {"it", "en"}) {
            EXPECT_NEAR(price(p, l, "Prezzo3"), 44.0, 1e-9);
            EXPECT_DOUBLE_EQ(price(p, l, "Prezzo1"), 20.0);
            EXPECT_DOUBLE_EQ(price(p, l, "Prezzo4"), 50.0);
            EXPECT_DOUBLE_EQ(price(p, l, "PrezzoPromozionale"), 10.0);
        }
    }
    EXPECT_DOUBLE_EQ(price(4, "it", "Prezzo3"), 40.0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE")).toInt(), 6);
}

TEST_F(PriceListFixture, AllCategoriesChangeEachLinkedProductOnce)
{
    PriceListUpdate::Options o;
    o.percentage = -10;
    o.list = PriceListUpdate::AllLists;
    o.promotional = true;
    EXPECT_EQ(PriceListUpdate::productCount(*db, 0), 4);
    // Product 4 has no Prezzo4 in Italian: it stays empty.
    db->execute(QStringLiteral("UPDATE ProdottiLingue SET Prezzo4=NULL WHERE IDProdotto=4 AND CodiceLingua='it'"));
    const PriceListUpdate::Report report = PriceListUpdate::run(*db, o);
    EXPECT_EQ(report.rows, 8);
    EXPECT_EQ(report.prices, 8 * 5 - 1);
    EXPECT_EQ(report.products, 4);
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT Prezzo4 FROM ProdottiLingue WHERE IDProdotto=4 AND CodiceLingua='it'")).isNull());
    // Product 3 has two links and is lowered by 10% only once.
    for (int p : {1, 3, 4}) {
        EXPECT_NEAR(price(p, "en", "Prezzo1"), 18.0, 1e-9);
        EXPECT_NEAR(price(p, "it", "Prezzo2"), 27.0, 1e-9);
        EXPECT_NEAR(price(p, "en", "Prezzo4"), 45.0, 1e-9);
        EXPECT_NEAR(price(p, "it", "PrezzoPromozionale"), 9.0, 1e-9);
    }
    // A product with no category link is not touched.
    EXPECT_DOUBLE_EQ(price(5, "it", "Prezzo1"), 20.0);
}

TEST_F(PriceListFixture, ZeroPercentMarksRowsWithoutChangingPrices)
{
    PriceListUpdate::Options o;
    o.categoryId = 20;
    o.percentage = 0;
    o.list = 1;
    const PriceListUpdate::Report report = PriceListUpdate::run(*db, o);
    EXPECT_EQ(report.rows, 4);
    EXPECT_EQ(report.prices, 0);
    EXPECT_DOUBLE_EQ(price(4, "it", "Prezzo1"), 20.0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE AND IDProdotto IN (3, 4)")).toInt(), 4);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=TRUE")).toInt(), 4);
}
