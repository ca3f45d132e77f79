#include "common/TempDir.h"
#include "data/Database.h"
#include "designer/TemplateModel.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(TemplateModel, LoadsTheTemplateDatabaseOnce)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("progettografico.mdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/db/progettografico.mdb"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Database db(path);
    for (const char *sql : {
             "DELETE FROM AttributiCSS", "DELETE FROM ClassiCSS", "DELETE FROM Parametri",
             "DELETE FROM CodiceASP", "DELETE FROM CategorieCodiciASP",
             "INSERT INTO CategorieCodiciASP (ID, Nome, FileCSS) VALUES (4, 'Menu', 'menu.css')",
             "INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Ordine, Attivo, Codice, Condiviso, Tipo)"
             " VALUES (10, 4, 0, 10, TRUE, '\\pagine\\a.asp', FALSE, 0)",
             "INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Ordine, Attivo, Codice, Condiviso, Tipo)"
             " VALUES (11, 4, 10, 30, TRUE, 'b', TRUE, 1)",
             "INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Ordine, Attivo, Codice, Condiviso, Tipo)"
             " VALUES (12, 4, 10, 20, FALSE, 'c', FALSE, 1)",
             "INSERT INTO ClassiCSS (ID, IDCodiceASP, Ordine, NomeCSS) VALUES (5, 11, 5, '.Blocco')",
             "INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) VALUES (1, 5, 0, '10')",
             "INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) VALUES (2, 5, 4, NULL)",
             "INSERT INTO Parametri (ID, IDCodiceASP, Ordine, Tipo, Nome, Valore, Opzioni)"
             " VALUES (3, 11, 1, 4, 'Col', '1', 'a,b')"})
        db.execute(QString::fromUtf8(sql));

    const TemplateModel model = TemplateModel::load(db);
    const auto children = model.children(10);
    ASSERT_EQ(children.size(), 2);
    EXPECT_EQ(children[0]->id, 12);  // by Ordine, not by ID
    EXPECT_FALSE(children[0]->attivo);
    EXPECT_TRUE(children[1]->condiviso);
    EXPECT_EQ(model.node(10)->codice, QStringLiteral("\\pagine\\a.asp"));
    EXPECT_EQ(model.category(4)->fileCss, QStringLiteral("menu.css"));
    const auto attrs = model.attributesOf(model.classesOf(11)[0]->id);
    ASSERT_EQ(attrs.size(), 2);
    EXPECT_FALSE(attrs[0]->valoreNull);
    EXPECT_TRUE(attrs[1]->valoreNull);
    EXPECT_EQ(model.parametersOf(11)[0]->opzioni, QStringLiteral("a,b"));
    EXPECT_EQ(model.node(99), nullptr);
}

} // namespace
