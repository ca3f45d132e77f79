#include "catalogue/ProductRecords.h"
#include "catalogue/ProductColours.h"

#include "common/ProjectDatabase.h"

#include "data/NextId.h"
#include "data/Recordset.h"
#include "support/imaging/Image.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

ProductFields validFields(const QString &code = "ABC1", const QString &name = "Sedia")
{
    ProductFields f;
    f.code = code;
    f.name = name;
    f.shortDescription = "Sedia in legno";
    f.vat = 22.0;
    f.prices[0] = 49.9;
    f.active = true;
    return f;
}

struct ProductRecordsFixture : ::testing::Test {
    LanguageTestProject project;
    ProductRecords records{project.db(), project, project.projectFolder()};

    int addProduct(int base = 0, const QString &code = "P")
    {
        const int id = records.reserveId();
        records.saveNew(id, base, validFields(code + QString::number(id)));
        return id;
    }
    int addCategory()
    {
        const int id = nextId(project.db(), "Categorie");
        project.db().execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, "
                                            "Codice) VALUES (%1, %1, 0, '')")
                                 .arg(id));
        return id;
    }
    int links(int category, int product)
    {
        return project.count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE "
                                            "IDCategoria=%1 AND IDProdotto=%2")
                                 .arg(category)
                                 .arg(product));
    }
};

} // namespace

TEST(ProductValidation, FieldsAreCheckedInOrderWithTheirPages)
{
    ProductFields f;
    auto failure = ProductRecords::validate(f, true);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, ProductField::Code);
    EXPECT_EQ(failure->page, -1);
    EXPECT_EQ(failure->message, "Campo obbligatorio!");

    f.code = "X1";
    EXPECT_EQ(ProductRecords::validate(f, true)->field, ProductField::Name);
    f.name = "Nome";
    failure = ProductRecords::validate(f, true);
    EXPECT_EQ(failure->field, ProductField::InvoiceDescription);
    EXPECT_EQ(failure->page, ProductRecords::General);
    // Any one of the three descriptions is enough.
    f.longDescription = "lunga";
    failure = ProductRecords::validate(f, true);
    EXPECT_EQ(failure->field, ProductField::Vat);
    EXPECT_EQ(failure->page, ProductRecords::Prices);
    f.vat = 0.0; // zero is a value, not an empty field
    EXPECT_EQ(ProductRecords::validate(f, true)->field, ProductField::Price1);
    // Outside the default language the prices are not required.
    EXPECT_FALSE(ProductRecords::validate(f, false));
    f.prices[0] = 10.0;
    EXPECT_FALSE(ProductRecords::validate(f, true));
}

TEST(ProductValidation, OfferNeedsTheChosenKindOfReduction)
{
    ProductFields f = validFields();
    f.offer = true;
    f.promoPriceChosen = false;
    EXPECT_EQ(ProductRecords::validate(f, true)->field, ProductField::Discount);
    f.promoPrice = 5.0; // the promotional price does not stand in for the percentage
    EXPECT_EQ(ProductRecords::validate(f, true)->field, ProductField::Discount);
    f.discount = 10.0;
    EXPECT_FALSE(ProductRecords::validate(f, true));

    f.promoPriceChosen = true;
    f.promoPrice.reset();
    EXPECT_EQ(ProductRecords::validate(f, true)->field, ProductField::PromoPrice);
    EXPECT_FALSE(ProductRecords::validate(f, false));
}

TEST_F(ProductRecordsFixture, NewProductIsStoredWithItsLanguageRowAndKeywords)
{
    const int id = records.reserveId();
    ProductFields f = validFields("SED01", "Sedia impagliata");
    f.barcode = "8001234567890";
    f.prices[1] = 45.0;
    f.validFrom = QDate(2026, 3, 1);
    f.weight = 2.5;
    records.saveNew(id, 0, f);

    const DisplayedProduct shown = records.load(id);
    EXPECT_EQ(shown.fields, f);
    EXPECT_EQ(shown.languageCode, "it");
    EXPECT_EQ(project.count(QStringLiteral("SELECT Ordine FROM Prodotti WHERE ID=%1").arg(id)), id);
    EXPECT_EQ(project.count(QStringLiteral("SELECT TagliaDa FROM Prodotti WHERE ID=%1").arg(id)), -1);
    EXPECT_TRUE(project.db()
                    .scalar(QStringLiteral("SELECT ValiditaAl FROM Prodotti WHERE ID=%1").arg(id))
                    .isNull());
    EXPECT_TRUE(project.db()
                    .scalar(QStringLiteral("SELECT Prezzo3 FROM ProdottiLingue WHERE IDProdotto=%1").arg(id))
                    .isNull());
    const QString keywords =
        project.db()
            .scalar(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE Tipo=1 AND IDRecord=%1 "
                                   "AND CodiceLingua='it'")
                        .arg(id))
            .toString();
    EXPECT_TRUE(keywords.startsWith("SED01/")) << keywords.toStdString();
    EXPECT_TRUE(keywords.contains("impagliata"));
    EXPECT_TRUE(keywords.contains("legno"));
}

TEST_F(ProductRecordsFixture, OtherLanguageFallsBackAndGetsItsOwnRowOnSave)
{
    const int id = addProduct();
    project.current = "en";
    DisplayedProduct shown = records.load(id);
    EXPECT_EQ(shown.languageCode, "it");
    EXPECT_EQ(shown.fields.name, "Sedia");

    ProductFields english = shown.fields;
    english.name = "Chair";
    english.prices[0].reset();
    records.saveModified(shown, english, false);

    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=%1").arg(id)), 2);
    EXPECT_EQ(records.load(id).fields.name, "Chair");
    project.current = "it";
    EXPECT_EQ(records.load(id).fields.name, "Sedia");
    EXPECT_DOUBLE_EQ(*records.load(id).fields.prices[0], 49.9);

    // A second save in English edits the English row, and each language
    // keeps one keywords row.
    project.current = "en";
    shown = records.load(id);
    english.name = "Armchair";
    records.saveModified(shown, english, false);
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=%1").arg(id)), 2);
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM ParoleChiave WHERE IDRecord=%1").arg(id)), 2);
    EXPECT_TRUE(project.db()
                    .scalar(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE IDRecord=%1 AND "
                                           "CodiceLingua='en'")
                                .arg(id))
                    .toString()
                    .contains("armchair"));
}

TEST_F(ProductRecordsFixture, ModifiedRecordKeepsCustomValuesUnlessThatPageWasLoaded)
{
    const int id = addProduct();
    project.db().execute(QStringLiteral("UPDATE ProdottiLingue SET ValoriCustom='Colore|rosso|' "
                                        "WHERE IDProdotto=%1").arg(id));
    DisplayedProduct shown = records.load(id);
    ProductFields f = shown.fields;
    f.customValues = "Colore|blu|";
    records.saveModified(shown, f, false);
    EXPECT_EQ(records.load(id).fields.customValues, "Colore|rosso|");
    records.saveModified(shown, f, true);
    EXPECT_EQ(records.load(id).fields.customValues, "Colore|blu|");
    EXPECT_TRUE(project.db()
                    .scalar(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE IDRecord=%1").arg(id))
                    .toString()
                    .contains("blu"));
}

TEST_F(ProductRecordsFixture, CategoryTickReachesVariantsTwoLevelsDeep)
{
    const int base = addProduct();
    const int variant = addProduct(base);
    const int variantOfVariant = addProduct(variant);
    const int other = addProduct();
    const int category = addCategory();

    EXPECT_TRUE(records.toggleCategory(base, category));
    EXPECT_EQ(links(category, base), 1);
    EXPECT_EQ(links(category, variant), 1);
    EXPECT_EQ(links(category, variantOfVariant), 1);
    EXPECT_EQ(links(category, other), 0);
    EXPECT_EQ(records.categories(variantOfVariant), QList<int>{category});

    EXPECT_FALSE(records.toggleCategory(base, category));
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM CategorieProdotti"), 0);

    // Ticking on a variant only goes down from there.
    EXPECT_TRUE(records.toggleCategory(variant, category));
    EXPECT_EQ(links(category, base), 0);
    EXPECT_EQ(links(category, variantOfVariant), 1);
}

TEST_F(ProductRecordsFixture, FilterCriteriaFromBoxesCategoryAndPrefixes)
{
    const int a = addProduct(0, "SED");
    const int b = addProduct(0, "TAV");
    const int category = addCategory();
    const int empty = addCategory();
    records.toggleCategory(a, category);
    project.db().execute(QStringLiteral("UPDATE Prodotti SET Novita=TRUE WHERE ID=%1").arg(b));

    ProductFilterInput in;
    EXPECT_TRUE(records.filterCriteria(in).isEmpty());
    in.active = Qt::Checked;
    in.novelty = Qt::Unchecked;
    in.category = category;
    in.code = "SE";
    const QStringList criteria = records.filterCriteria(in);
    EXPECT_EQ(criteria, (QStringList{"[Attivo]=TRUE", "[Novita]=FALSE",
                                     QStringLiteral("ID IN (%1)").arg(a), "[Codice] Like 'SE*'"}));

    auto select = [&](const QStringList &c) {
        Recordset set(project.db(), "Prodotti");
        set.setFilter(QStringList(ProductRecords::baseFilter(0)).join("") + (c.isEmpty() ? "" : " AND " + c.join(" AND ")));
        set.open();
        return set.recordCount();
    };
    EXPECT_EQ(select(criteria), 1);
    in = {};
    in.category = empty;
    EXPECT_EQ(select(records.filterCriteria(in)), 0);
    in = {};
    in.novelty = Qt::Checked;
    EXPECT_EQ(select(records.filterCriteria(in)), 1);
    in = {};
    in.code = "X'";
    EXPECT_EQ(select(records.filterCriteria(in)), 0);
    // A wildcard typed in the code is a character of the code.
    in.code = "S?";
    EXPECT_EQ(select(records.filterCriteria(in)), 0);
    EXPECT_EQ(ProductRecords::customDefinitionFilter({4, 9}), "IDCategoria=0 OR IDCategoria=4 OR IDCategoria=9");
}

TEST_F(ProductRecordsFixture, ImageStoredAtConfiguredWidthsWithVersion)
{
    project.db().execute("UPDATE Configurazione SET LarghezzaDettaglioProdotti=400, LarghezzaIndiceProdotti=100");
    const int id = addProduct();
    QImage source(800, 600, QImage::Format_ARGB32);
    source.fill(Qt::darkGreen);
    ASSERT_TRUE(records.saveImageFiles(id, Image(source)));
    EXPECT_EQ(QImage(records.imagePath(id)).size(), QSize(400, 300));
    EXPECT_EQ(QImage(records.thumbnailPath(id)).size(), QSize(100, 75));

    EXPECT_EQ(records.nextImageVersion(), 1);
    EXPECT_EQ(records.nextImageVersion(), 2);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ProgressivoVersioneRecord"), 1);
    DisplayedProduct shown = records.load(id);
    EXPECT_TRUE(shown.hasImageFile);
    records.saveModified(shown, shown.fields, false, 3);
    EXPECT_EQ(project.count(QStringLiteral("SELECT VersioneImmagine FROM Prodotti WHERE ID=%1").arg(id)), 3);

    ProductColours colours(project.db(), project.projectFolder());
    const int variant = addProduct(id);
    const int colour = colours.save(variant, 0, "R", "Rosso", true, Image(source), Image());
    ASSERT_TRUE(QFile::exists(colours.photoPath(colour)));

    records.deleteProduct(id);
    EXPECT_FALSE(QFile::exists(records.imagePath(id)));
    EXPECT_FALSE(QFile::exists(colours.photoPath(colour)));
    EXPECT_FALSE(QFile::exists(colours.thumbnailPath(colour)));
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=%1").arg(id)), 0);
}

TEST(ProductCustomValues, SplitAndJoinInPairs)
{
    using Pairs = QList<QPair<QString, QString>>;
    EXPECT_EQ(ProductRecords::splitCustomValues("Colore|rosso|Taglia|M|"),
              (Pairs{{"Colore", "rosso"}, {"Taglia", "M"}}));
    EXPECT_EQ(ProductRecords::splitCustomValues("Colore|rosso|Vuoto"), (Pairs{{"Colore", "rosso"}, {"Vuoto", ""}}));
    EXPECT_TRUE(ProductRecords::splitCustomValues("").isEmpty());
    EXPECT_EQ(ProductRecords::joinCustomValues({{"Colore", "rosso|blu"}, {"Peso", ""}}), "Colore|rosso/blu|Peso||");
}

TEST_F(ProductRecordsFixture, CustomFieldsOfCategoryZeroAndTheProductsCategories)
{
    const int category = addCategory();
    const int other = addCategory();
    project.db().execute("INSERT INTO DefCampiCustom (ID, IDCategoria, Nome) VALUES (1, 0, 'Materiale')");
    project.db().execute(QStringLiteral("INSERT INTO DefCampiCustom (ID, IDCategoria, Nome) VALUES (2, %1, 'Colore')").arg(category));
    project.db().execute(QStringLiteral("INSERT INTO DefCampiCustom (ID, IDCategoria, Nome) VALUES (3, %1, 'Voltaggio')").arg(other));
    EXPECT_EQ(records.customFieldNames({}), QStringList{"Materiale"});
    EXPECT_EQ(records.customFieldNames({category}), (QStringList{"Materiale", "Colore"}));
}
