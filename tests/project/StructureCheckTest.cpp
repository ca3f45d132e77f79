#include "ProjectTestSupport.h"
#include "common/TempProject.h"

#include "project/StructureCheck.h"

#include <gtest/gtest.h>

using projecttest::execSql;

namespace {

class StructureCheckTest : public ::testing::Test {
protected:
    StructureCheck::Result check()
    {
        return StructureCheck::compare(project.program().blankDatabase(), project.folder().database());
    }
    void sql(const QString &statements) { execSql(project.folder().database(), statements); }

    TempProject project;
};

TEST_F(StructureCheckTest, NewProjectNeedsNothing)
{
    ASSERT_TRUE(project.isValid());
    const StructureCheck::Result r = check();
    EXPECT_FALSE(r.upgradeNeeded) << r.summary().toStdString();
    EXPECT_TRUE(r.blankLatest.isValid());
    EXPECT_EQ(r.blankLatest, r.projectLatest);
}

TEST_F(StructureCheckTest, MissingTableNeedsUpgrade)
{
    sql(QStringLiteral("DROP TABLE SezioniArticoli"));
    const StructureCheck::Result r = check();
    EXPECT_TRUE(r.upgradeNeeded);
    EXPECT_EQ(r.missingTables, QStringList{QStringLiteral("SezioniArticoli")});
}

TEST_F(StructureCheckTest, ExtraTableNeedsUpgradeButSystemTablesAreIgnored)
{
    sql(QStringLiteral("CREATE TABLE MSysAltro (ID INTEGER)"));
    EXPECT_FALSE(check().upgradeNeeded);
    sql(QStringLiteral("CREATE TABLE Vecchia (ID INTEGER)"));
    const StructureCheck::Result r = check();
    EXPECT_TRUE(r.upgradeNeeded);
    EXPECT_EQ(r.extraTables, QStringList{QStringLiteral("Vecchia")});
}

TEST_F(StructureCheckTest, OnlyTheNewestDateCounts)
{
    // One table older than the blank database: the newest dates still match.
    sql(QStringLiteral("UPDATE MSysTables SET DateUpdate='2004-05-01 10:00:00' WHERE Name='Prodotti'"));
    EXPECT_FALSE(check().upgradeNeeded);
    // Every table older: made by an older version.
    sql(QStringLiteral("UPDATE MSysTables SET DateUpdate='2004-05-01 10:00:00'"));
    const StructureCheck::Result r = check();
    EXPECT_TRUE(r.upgradeNeeded);
    EXPECT_LT(r.projectLatest, r.blankLatest);
    // A project newer than the blank database is left alone.
    sql(QStringLiteral("UPDATE MSysTables SET DateUpdate='2099-01-01 00:00:00'"));
    EXPECT_FALSE(check().upgradeNeeded);
}

TEST_F(StructureCheckTest, ProjectWithoutCatalogueNeedsUpgrade)
{
    sql(QStringLiteral("DROP TABLE MSysTables"));
    const StructureCheck::Result r = check();
    EXPECT_TRUE(r.upgradeNeeded);
    EXPECT_TRUE(r.missingTables.isEmpty());
    EXPECT_FALSE(r.projectLatest.isValid());
}

} // namespace
