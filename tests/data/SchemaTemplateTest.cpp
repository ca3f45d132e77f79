// The blank template database and the model database of the program folder.
#include "SchemaSupport.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <set>

using namespace schema_test;

TEST(SchemaTemplate, TemplateAndModelShareOneStructure)
{
    auto blank = openReadOnly(programDb("progettografico.mdb"));
    auto model = openReadOnly(programDb("modellografico.mdb"));
    const std::vector<std::string> expected = {"AttributiCSS", "CategorieCodiciASP", "ClassiCSS",
                                               "CodiceASP", "MSysTables", "Parametri"};
    EXPECT_EQ(tables(blank), expected);
    EXPECT_EQ(tables(model), expected);
    for (const auto &t : expected) {
        const auto a = columns(blank, t);
        const auto b = columns(model, t);
        ASSERT_EQ(a.size(), b.size()) << t;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].name, b[i].name) << t;
            EXPECT_EQ(a[i].type, b[i].type) << t;
        }
    }
    // The node table keeps the designer's field order.
    std::vector<std::string> order;
    for (const auto &c : columns(blank, "CodiceASP"))
        order.push_back(c.name);
    EXPECT_EQ(order, (std::vector<std::string>{"ID", "IDCategoria", "IDPadre", "Nome", "Descrizione",
                                               "Ordine", "Attivo", "Codice", "Condiviso", "Tipo",
                                               "IDRiferimento", "IDModello"}));
}

TEST(SchemaTemplate, BlankTemplateHasAGeneratablePage)
{
    auto db = openReadOnly(programDb("progettografico.mdb"));
    // Node 1 is a page whose classes apply to every node; its code names a
    // page file below the program folder's template folder that links the
    // stylesheets.
    SQLite::Statement page(db, "SELECT Tipo, Attivo, Codice, IDCategoria FROM CodiceASP WHERE ID = 1");
    ASSERT_TRUE(page.executeStep());
    EXPECT_EQ(page.getColumn(0).getInt(), 0);
    EXPECT_EQ(page.getColumn(1).getInt(), 1);
    const QString code = QString::fromStdString(page.getColumn(2).getString());
    ASSERT_TRUE(code.startsWith(QLatin1Char('\\'))) << code.toStdString();
    QString relative = code.mid(1);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QFile file(QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/template/") + relative);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QByteArray pageText = file.readAll();
    EXPECT_TRUE(pageText.contains("##LINKCSS##"));
    EXPECT_TRUE(pageText.contains("##CODICEFIGLIO##"));

    // Category 1 (that of new blocks) names its stylesheet; every node's
    // category exists.
    EXPECT_FALSE(text(db, "SELECT FileCSS FROM CategorieCodiciASP WHERE ID = 1").empty());
    EXPECT_EQ(count(db, "SELECT count(*) FROM CodiceASP WHERE IDCategoria <> 0 AND "
                        "IDCategoria NOT IN (SELECT ID FROM CategorieCodiciASP)"), 0);
    // Classes, properties and parameters belong to existing owners.
    EXPECT_EQ(count(db, "SELECT count(*) FROM ClassiCSS WHERE IDCodiceASP NOT IN (SELECT ID FROM CodiceASP)"), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM AttributiCSS WHERE IDClasse NOT IN (SELECT ID FROM ClassiCSS) "
                        "OR IDAttributo NOT BETWEEN 0 AND 34"), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Parametri WHERE IDCodiceASP NOT IN (SELECT ID FROM CodiceASP)"), 0);
}

TEST(SchemaTemplate, ModelHoldsTheConditionalBlock)
{
    auto db = openReadOnly(programDb("modellografico.mdb"));
    SQLite::Statement node(db, "SELECT Tipo, Codice, IDCategoria FROM CodiceASP WHERE ID = 101");
    ASSERT_TRUE(node.executeStep());
    EXPECT_EQ(node.getColumn(0).getInt(), 7);
    const std::string code = node.getColumn(1).getString();
    EXPECT_NE(code.find("##CODICEFIGLIO##"), std::string::npos);
    EXPECT_EQ(count(db, "SELECT count(*) FROM CategorieCodiciASP WHERE ID = " +
                            std::to_string(node.getColumn(2).getInt())), 1);
    // Its on/off parameter has both markers in the code.
    SQLite::Statement q(db, "SELECT Nome FROM Parametri WHERE IDCodiceASP = 101 AND Tipo = 3");
    ASSERT_TRUE(q.executeStep());
    const std::string name = q.getColumn(0).getString();
    EXPECT_NE(code.find("%%" + name + "%%"), std::string::npos);
    EXPECT_NE(code.find("%%/" + name + "%%"), std::string::npos);
}

TEST(SchemaTemplate, DeletingANodeTakesItsClassesAndParameters)
{
    TempDir dir;
    SQLite::Database db(path(writableCopy("progettografico.mdb", dir.path())), SQLite::OPEN_READWRITE);
    db.exec(R"(
        INSERT INTO CodiceASP (ID, IDPadre, Nome, Tipo) VALUES (50, 1, 'Blocco', 1);
        INSERT INTO ClassiCSS (ID, IDCodiceASP, NomeCSS) VALUES (50, 50, '.Blocco');
        INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) VALUES (50, 50, 4, '#000000');
        INSERT INTO Parametri (ID, IDCodiceASP, Nome) VALUES (50, 50, 'X');
    )");
    const long long classes = count(db, "SELECT count(*) FROM ClassiCSS");
    const long long attributes = count(db, "SELECT count(*) FROM AttributiCSS");
    db.exec("DELETE FROM CodiceASP WHERE ID = 50");
    EXPECT_EQ(count(db, "SELECT count(*) FROM ClassiCSS"), classes - 1);
    EXPECT_EQ(count(db, "SELECT count(*) FROM AttributiCSS"), attributes - 1);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Parametri WHERE ID = 50"), 0);
    // The page's own classes are untouched.
    EXPECT_GT(count(db, "SELECT count(*) FROM ClassiCSS WHERE IDCodiceASP = 1"), 0);
}
