#include "editors/catalogue/CTabelleTaglieDlg.h"

#include "../EditorTestProject.h"
#include "common/ScriptedUiPort.h"

#include "controls/CValidatedEdit.h"

#include <QListWidget>

#include <gtest/gtest.h>

namespace {

struct SizeTablesFixture : ::testing::Test {
    ScopedScriptedUi ui;
    EditorTestProject project;
    QString taglie(int id)
    {
        return project.db().scalar(QStringLiteral("SELECT Taglie FROM ValoriTaglie WHERE ID=%1").arg(id)).toString();
    }
};

} // namespace

TEST_F(SizeTablesFixture, TablesAreAddedRenamedAndDeletedWithTheirProductsReset)
{
    SizeTables tables(project.db());
    EXPECT_EQ(SizeTables::checkText("  "), "Campo obbligatorio!");
    EXPECT_TRUE(SizeTables::checkText("S").isEmpty());
    const int shoes = tables.addTable(" Scarpe ");
    const int shirts = tables.addTable("Camicie");
    tables.setSizes(shoes, {"38", "39\n40", " ", "41"});
    EXPECT_EQ(taglie(shoes), "38\n39 40\n41");
    EXPECT_EQ(tables.sizes(shoes), (QStringList{"38", "39 40", "41"}));
    tables.renameTable(shirts, "Camicie uomo");
    ASSERT_EQ(tables.tables().size(), 2);
    EXPECT_EQ(tables.tables()[0], (QPair<int, QString>{shirts, "Camicie uomo"}));
    EXPECT_EQ(tables.tables()[1].second, "Scarpe");

    for (const auto &[product, table] : {std::pair{1, shoes}, std::pair{2, shirts}})
        project.db().execute(QStringLiteral("INSERT INTO Prodotti (ID, IDTabellaTaglie, TagliaDa, TagliaA) "
                                            "VALUES (%1, %2, 0, 2)")
                                 .arg(product)
                                 .arg(table));
    tables.deleteTable(shoes);
    EXPECT_EQ(tables.tables().size(), 1);
    EXPECT_EQ(project.count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE "
                                           "NomeTabella='ValoriTaglie' AND IDRecord=%1")
                                .arg(shoes)),
              1);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=1"), 0);
    EXPECT_EQ(project.count("SELECT TagliaDa FROM Prodotti WHERE ID=1"), -1);
    EXPECT_EQ(project.count("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=2"), shirts);
}

TEST_F(SizeTablesFixture, DialogEditsTablesAndSizesOneALine)
{
    CTabelleTaglieDlg dialog(project.db());
    EXPECT_EQ(dialog.windowTitle(), "Tabelle Taglie");
    EXPECT_FALSE(dialog.addTable());
    EXPECT_EQ(ui->lastMessage().text, "Campo obbligatorio!");
    dialog.tableNameEdit()->SetValue("Internazionali");
    ASSERT_TRUE(dialog.addTable());
    ASSERT_EQ(dialog.tableList()->count(), 1);
    EXPECT_EQ(dialog.tableList()->currentRow(), 0);
    const int id = dialog.tableList()->item(0)->data(Qt::UserRole).toInt();

    for (const char *size : {"S", "M", "XL"}) {
        dialog.sizeEdit()->SetValue(size);
        ASSERT_TRUE(dialog.addSize());
    }
    EXPECT_EQ(taglie(id), "S\nM\nXL");
    dialog.sizeList()->setCurrentRow(2);
    dialog.sizeEdit()->SetValue("L");
    ASSERT_TRUE(dialog.modifySize());
    EXPECT_EQ(taglie(id), "S\nM\nL");
    dialog.sizeList()->setCurrentRow(0);
    ui->queueAnswer(UiPort::Answer::Yes);
    ASSERT_TRUE(dialog.deleteSize());
    EXPECT_EQ(taglie(id), "M\nL");
    EXPECT_EQ(dialog.sizeList()->count(), 2);

    dialog.tableNameEdit()->SetValue("Europee");
    ASSERT_TRUE(dialog.modifyTable());
    EXPECT_EQ(project.db().scalar("SELECT Nome FROM ValoriTaglie").toString(), "Europee");
    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_FALSE(dialog.deleteTable());
    ui->queueAnswer(UiPort::Answer::Yes);
    ASSERT_TRUE(dialog.deleteTable());
    EXPECT_EQ(dialog.tableList()->count(), 0);
    EXPECT_EQ(dialog.sizeList()->count(), 0);
    EXPECT_EQ(project.count("SELECT COUNT(*) FROM ValoriTaglie"), 0);
}
