#include "catalogue/CategoryTree.h"
#include "catalogue/ProductPictures.h"
#include "catalogue/ProductRecords.h"

#include "common/ProjectDatabase.h"
#include "common/ScriptedUiPort.h"

#include "support/imaging/Image.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct CategoryFixture : ::testing::Test {
    ScopedScriptedUi ui;
    LanguageTestProject project;
    CategoryTree tree{project.db(), project, project.projectFolder()};

    int add(int parent, const QString &name, const QString &code = {})
    {
        static int n = 0;
        // Every category needs a distinct code: an empty one may be held once.
        const QString c = code.isEmpty() ? QStringLiteral("C%1").arg(++n) : code;
        const int id = tree.insert(parent, {c, name, name + " descr"});
        EXPECT_GT(id, 0) << name.toStdString();
        return id;
    }
    QStringList names(const QList<TreeNode> &nodes)
    {
        QStringList out;
        for (const TreeNode &n : nodes)
            out << n.name;
        return out;
    }
    int rows(const QString &sql) { return project.count(sql); }
};

} // namespace

TEST_F(CategoryFixture, ValidationChecksNameThenCodeThenDuplicates)
{
    EXPECT_EQ(tree.insert(0, {"123", "", ""}), 0);
    EXPECT_EQ(tree.lastFailure(), TreeRecords::Field::Name);
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    EXPECT_EQ(ui->lastMessage().title, "Validazione campi");
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Stop);

    EXPECT_EQ(tree.insert(0, {"123", "Vini", ""}), 0);
    EXPECT_EQ(tree.lastFailure(), TreeRecords::Field::Code);
    EXPECT_EQ(ui->lastMessage().text, "Il primo carattere del codice categoria non può essere un numero!");

    const int id = tree.insert(0, {"abc", "Vini", ""});
    ASSERT_GT(id, 0);
    EXPECT_EQ(project.db().scalar(QStringLiteral("SELECT Codice FROM Categorie WHERE ID=%1").arg(id)).toString(),
              "ABC");

    ui->clearCalls();
    EXPECT_EQ(tree.insert(0, {"Abc", "Birre", ""}), 0);
    EXPECT_EQ(ui->lastMessage().text, "Codice categoria già presente in archivio!");
    EXPECT_EQ(tree.lastFailure(), TreeRecords::Field::Code);

    // Saving with its own code is no duplicate; another's code is.
    // A quote in the code never breaks the search.
    EXPECT_GT(tree.insert(0, {"D'B", "Birre", ""}), 0);
    EXPECT_EQ(tree.insert(0, {"d'b", "Birre", ""}), 0);
    EXPECT_EQ(ui->lastMessage().text, "Codice categoria già presente in archivio!");
    const int beers = tree.insert(0, {"BIR", "Birre", ""});
    ASSERT_GT(beers, 0);
    ui->clearCalls();
    EXPECT_TRUE(tree.save(id, {"abc", "Vini rossi", "x"}));
    EXPECT_TRUE(ui->messages().empty());
    EXPECT_FALSE(tree.save(beers, {"ABC", "Birre", ""}));
    EXPECT_EQ(ui->lastMessage().text, "Codice categoria già presente in archivio!");

    // No code, empty or Null, is no duplicate: many categories may have none.
    const int empty = tree.insert(0, {"", "Senza codice", ""});
    EXPECT_GT(empty, 0);
    project.db().execute("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre, Codice) VALUES (90, 90, 0, NULL)");
    ui->clearCalls();
    EXPECT_GT(tree.insert(0, {"", "Altro senza codice", ""}), 0);
    EXPECT_TRUE(tree.save(empty, {"", "Senza codice 2", ""}));
    EXPECT_TRUE(ui->messages().empty());
}

TEST_F(CategoryFixture, InsertOutsideDefaultLanguageWritesBothLanguagesAndTreeFallsBack)
{
    const int it = add(0, "Vini");
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=%1").arg(it)), 1);

    project.current = "en";
    const int en = add(0, "Wines");
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=%1").arg(en)), 2);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=%1 AND "
                                  "CodiceLingua='it' AND Nome='Wines' AND Creato=TRUE").arg(en)), 1);
    EXPECT_EQ(project.db().scalar(QStringLiteral("SELECT Ordine FROM Categorie WHERE ID=%1").arg(en)).toInt(), en);

    // "Vini" has no English row: shown with its Italian name.
    EXPECT_EQ(names(tree.loadChildren(0)), (QStringList{"Vini", "Wines"}));

    // Saving in English adds the English row and leaves the Italian one.
    ASSERT_TRUE(tree.save(it, {"", "Wines of Italy", ""}));
    EXPECT_EQ(names(tree.loadChildren(0)), (QStringList{"Wines of Italy", "Wines"}));
    project.current = "it";
    EXPECT_EQ(names(tree.loadChildren(0)), (QStringList{"Vini", "Wines"}));
    TreeTexts texts;
    ASSERT_TRUE(tree.loadTexts(it, texts));
    EXPECT_EQ(texts.name, "Vini");
    EXPECT_EQ(texts.description, "Vini descr");
}

TEST_F(CategoryFixture, OrderSwapAndSubtreeLoading)
{
    const int a = add(0, "A");
    const int b = add(0, "B");
    const int a1 = add(a, "A1");
    add(a1, "A1x");
    tree.swapOrder(a, b);
    const QList<TreeNode> top = tree.loadChildren(0);
    EXPECT_EQ(names(top), (QStringList{"B", "A"}));
    ASSERT_EQ(top[1].children.size(), 1);
    EXPECT_EQ(top[1].children[0].children[0].name, "A1x");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Categorie WHERE Modificato=TRUE"), 4);
    const TreeNode single = tree.loadNode(a1);
    EXPECT_EQ(single.name, "A1");
    EXPECT_EQ(names(single.children), QStringList{"A1x"});
}

TEST_F(CategoryFixture, DropsOnItselfItsChildOrItsParentAreRefused)
{
    const int a = add(0, "A");
    const int a1 = add(a, "A1");
    const int a11 = add(a1, "A11");
    const int b = add(0, "B");
    const int before = rows("SELECT COUNT(*) FROM Categorie");
    EXPECT_FALSE(tree.move(a, a));
    EXPECT_FALSE(tree.move(a, a11));
    EXPECT_FALSE(tree.move(a1, a));
    EXPECT_EQ(tree.copy(a, a1), 0);
    EXPECT_EQ(tree.copy(a1, a), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Categorie"), before);
    EXPECT_EQ(tree.parentOf(a1), a);

    project.db().execute("UPDATE Categorie SET Modificato=FALSE");
    EXPECT_TRUE(tree.move(a1, b));
    EXPECT_EQ(tree.parentOf(a1), b);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Categorie WHERE Modificato=TRUE"), 1);
    EXPECT_EQ(tree.parentOf(a11), a1);
}

TEST_F(CategoryFixture, CopiesTakeTheSubtreeWithEmptyCodesAndMayBeRepeated)
{
    const int a = add(0, "A", "AAA");
    const int a1 = add(a, "A1");
    add(a1, "A11");
    const int b = add(0, "B");
    const int c = add(0, "C");
    project.db().execute(QStringLiteral("UPDATE Categorie SET DatiAggiuntivi='extra' WHERE ID=%1").arg(a));

    const int first = tree.copy(a, b);
    ASSERT_GT(first, 0);
    const int second = tree.copy(a, c);
    ASSERT_GT(second, 0);
    EXPECT_EQ(tree.parentOf(first), b);
    const TreeNode copy = tree.loadNode(second);
    EXPECT_EQ(copy.name, "A");
    ASSERT_EQ(copy.children.size(), 1);
    EXPECT_EQ(copy.children[0].name, "A1");
    EXPECT_EQ(copy.children[0].children[0].name, "A11");
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE ID=%1 AND Codice='' "
                                  "AND DatiAggiuntivi='extra' AND Ordine=ID").arg(second)), 1);
    // The source is untouched.
    EXPECT_EQ(tree.subtreeIds(a).size(), 3);
}

TEST_F(CategoryFixture, DeletingASubtreeRemovesOrphanProductsAndKeepsSharedOnes)
{
    const int top = add(0, "Top");
    const int mid = add(top, "Mid");
    const int leaf = add(mid, "Leaf");
    const int keep = add(0, "Keep");
    Database &db = project.db();
    db.execute("INSERT INTO Prodotti (ID, Codice, IDProdottoBase) VALUES (1, 'ORPHAN', 0)");
    db.execute("INSERT INTO Prodotti (ID, Codice, IDProdottoBase) VALUES (2, 'SHARED', 0)");
    db.execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome) VALUES (1, 1, 'it', 'o')");
    db.execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome) VALUES (2, 2, 'it', 's')");
    db.execute("INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua) VALUES (1, 1, 1, 'it')");
    db.execute("INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua) VALUES (2, 3, 1, 'it')");
    db.execute("INSERT INTO ProdottiColori (ID, IDProdotto, Codice) VALUES (1, 1, 'RED')");
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, %1, 1)").arg(leaf));
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (2, %1, 1)").arg(mid));
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (3, %1, 2)").arg(leaf));
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (4, %1, 2)").arg(keep));

    const QList<int> deleted = tree.deleteSubtree(top);
    EXPECT_EQ(deleted, (QList<int>{leaf, mid, top}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Categorie"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM CategorieLingue"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Prodotti WHERE ID=1"), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=1"), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ParoleChiave WHERE Tipo=1"), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ParoleChiave WHERE Tipo=3"), 1); // an article's row stays
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ProdottiColori"), 0);
    // The shared product stays, with its link to the surviving category.
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Prodotti WHERE ID=2"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=2"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM CategorieProdotti"), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=%1").arg(keep)), 1);

    // Every deleted row is in the log for the next publication.
    auto logged = [&](const char *table, int id) {
        return rows(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='%1' AND IDRecord=%2")
                        .arg(table).arg(id));
    };
    EXPECT_EQ(logged("Prodotti", 1), 1);
    EXPECT_EQ(logged("Prodotti", 2), 0);
    EXPECT_EQ(logged("ProdottiLingue", 1), 1);
    EXPECT_EQ(logged("ParoleChiave", 1), 1);
    EXPECT_EQ(logged("ProdottiColori", 1), 1);
    for (int link : {1, 2, 3})
        EXPECT_EQ(logged("CategorieProdotti", link), 1) << link;
    EXPECT_EQ(logged("CategorieProdotti", 4), 0);
    for (int cat : {top, mid, leaf})
        EXPECT_EQ(logged("Categorie", cat), 1) << cat;
    EXPECT_EQ(rows("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='CategorieLingue'"), 3);
}

TEST_F(CategoryFixture, ImagesAreResizedToTheConfiguredWidthAndKeepTheirKind)
{
    const int id = add(0, "Vini");
    QImage small(100, 50, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QString bmp = project.file("small.bmp");
    ASSERT_TRUE(small.save(bmp, "BMP"));

    const QString stored = tree.storeImage(id, bmp, 200, {});
    EXPECT_EQ(stored, project.projectFolder() + QStringLiteral("website/images/categorie/it/%1.jpg").arg(id));
    QImage back(stored);
    EXPECT_EQ(back.size(), QSize(200, 100));
    EXPECT_EQ(tree.currentImage(id), stored);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=%1 AND Immagine=TRUE").arg(id)), 1);

    // A GIF stays a GIF; in a language without a row, one is added.
    const QString gif = project.file("small.gif");
    ASSERT_TRUE(Image(small).saveGif(gif));
    project.current = "en";
    const QString storedGif = tree.storeImage(id, gif, 50, {"", "Wines", "d"});
    EXPECT_TRUE(storedGif.endsWith(QStringLiteral("/categorie/en/%1.gif").arg(id)));
    EXPECT_EQ(QImage(storedGif).size(), QSize(50, 25));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=%1 AND "
                                  "CodiceLingua='en' AND Nome='Wines' AND Immagine=TRUE AND Creato=TRUE").arg(id)), 1);

    tree.removeImages(id);
    EXPECT_FALSE(QFileInfo::exists(storedGif));
    EXPECT_TRUE(tree.currentImage(id).isEmpty());
    project.current = "it";
    EXPECT_TRUE(QFileInfo::exists(stored)); // other languages keep theirs
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=%1 AND "
                                  "CodiceLingua='en' AND Immagine=FALSE").arg(id)), 1);

    // Deleting the category removes its images in every language.
    tree.storeImage(id, gif, 50, {});
    project.current = "en";
    tree.storeImage(id, gif, 50, {});
    tree.deleteSubtree(id);
    EXPECT_FALSE(QFileInfo::exists(stored));
    EXPECT_TRUE(tree.currentImage(id).isEmpty());
}

TEST_F(CategoryFixture, DeletingACategoryRemovesItsProductsFilesSoAReusedIdStartsClean)
{
    const int cat = add(0, "Sedie");
    Database &db = project.db();
    db.execute("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice) VALUES (1, 1, 0, 'A1')");
    db.execute("INSERT INTO Prodotti (ID, Ordine, IDProdottoBase, Codice) VALUES (2, 2, 1, 'A1-R')");
    db.execute("INSERT INTO ProdottiColori (ID, IDProdotto, Codice) VALUES (3, 2, 'ROSSO')");
    db.execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, %1, 1)").arg(cat));
    const ProductPictures pictures(project.projectFolder());
    const QStringList files{pictures.productImage(1), pictures.productThumbnail(1),
                            pictures.productImage(2), pictures.colourPhoto(3), pictures.colourDetail(3)};
    for (const QString &file : files) {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    }

    ASSERT_EQ(tree.deleteSubtree(cat), QList<int>{cat});
    for (const QString &file : files)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    // The variant went with its base product and is logged too.
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Prodotti"), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND IDRecord=2"), 1);

    // The next product takes the freed identifier and shows no picture.
    ProductRecords records{db, project, project.projectFolder()};
    const int reused = records.reserveId();
    EXPECT_EQ(reused, 1);
    ProductFields fields;
    fields.code = "B1";
    fields.name = "Tavolo";
    records.saveNew(reused, 0, fields);
    EXPECT_FALSE(records.load(reused).hasImageFile);
}
