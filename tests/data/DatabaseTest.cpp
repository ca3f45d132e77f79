#include "DataFixture.h"

#include "data/Recordset.h"

#include <sqlite3.h>

TEST_F(DataTest, StructureIsListedForTheUpgradeAndTheCheck)
{
    const QStringList tables = db->tableNames();
    EXPECT_EQ(tables.first(), QStringLiteral("Categorie"));
    EXPECT_TRUE(tables.contains(QStringLiteral("RecordsEliminati")));
    EXPECT_TRUE(db->tableExists(QStringLiteral("Prodotti")));
    EXPECT_FALSE(db->tableExists(QStringLiteral("prodotti")));  // names compare exactly
    EXPECT_FALSE(db->tableExists(QStringLiteral("NonEsiste")));

    const QList<ColumnInfo> cols = db->columns(QStringLiteral("Prodotti"));
    ASSERT_EQ(cols.size(), 11);
    EXPECT_EQ(cols[0].name, QStringLiteral("ID"));
    EXPECT_TRUE(cols[0].primaryKey);
    EXPECT_EQ(cols[0].kind, ColumnKind::Integer);
    EXPECT_EQ(cols[2].kind, ColumnKind::Text);
    EXPECT_EQ(cols[4].kind, ColumnKind::Bool);
    EXPECT_EQ(cols[4].defaultSql, QStringLiteral("0"));
    EXPECT_EQ(cols[9].kind, ColumnKind::Real);
    EXPECT_EQ(cols[10].kind, ColumnKind::DateTime);
    EXPECT_TRUE(db->columns(QStringLiteral("NonEsiste")).isEmpty());

    EXPECT_EQ(columnKindFromDeclaredType(QStringLiteral("VARCHAR(50)")), ColumnKind::Text);
    EXPECT_EQ(columnKindFromDeclaredType(QStringLiteral("bit")), ColumnKind::Bool);
    EXPECT_EQ(columnKindFromDeclaredType(QStringLiteral("CURRENCY")), ColumnKind::Real);
    EXPECT_EQ(columnKindFromDeclaredType(QString()), ColumnKind::Dynamic);
}

TEST_F(DataTest, ConnectionIsConfigured)
{
    EXPECT_EQ(db->queryRows(QStringLiteral("SELECT 1")).size(), 1);
    QStringList mode;
    auto pragma = [&](const char *sql) {
        Database &d = *db;
        sqlite3_stmt *s = d.cachedStatement(QString::fromUtf8(sql));
        sqlite3_step(s);
        const QString v = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
        sqlite3_reset(s);
        return v;
    };
    EXPECT_EQ(pragma("PRAGMA journal_mode"), QStringLiteral("wal"));
    EXPECT_EQ(pragma("PRAGMA foreign_keys"), QStringLiteral("0"));
    EXPECT_NE(pragma("PRAGMA busy_timeout"), QStringLiteral("0"));
    // Double quotes never turn a misspelt name into a string.
    EXPECT_THROW(db->executeNative(QStringLiteral("SELECT \"NonEsiste\" FROM Prodotti")), DataError);
}

TEST_F(DataTest, OpeningAMissingFileFailsClearly)
{
    Database other;
    try {
        other.open(dir.file(QStringLiteral("manca.mdb")));
        ADD_FAILURE() << "opened a missing file";
    } catch (const DataError &e) {
        EXPECT_TRUE(e.statement().endsWith(QLatin1String("manca.mdb")));
    }
    EXPECT_FALSE(other.isOpen());
    EXPECT_THROW(other.execute(QStringLiteral("DELETE FROM Prodotti")), DataError);
}

TEST_F(DataTest, TransactionsCommitOrRollBackOnScopeExit)
{
    {
        Transaction t(*db);
        db->execute(QStringLiteral("INSERT INTO Configurazione (ID, VersioneDB) VALUES (1, 40)"));
    }
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT Count(*) FROM Configurazione")).toInt() == 0);
    {
        Transaction t(*db);
        db->execute(QStringLiteral("INSERT INTO Configurazione (ID, VersioneDB) VALUES (1, 40)"));
        {
            // A nested scope that fails takes back only its own work.
            Transaction inner(*db);
            db->execute(QStringLiteral("UPDATE Configurazione SET VersioneDB=50"));
        }
        EXPECT_FALSE(t.isActive() == false);
        t.commit();
        EXPECT_THROW(t.commit(), DataError);
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT VersioneDB FROM Configurazione")).toInt(), 40);
    EXPECT_FALSE(db->inTransaction());

    // A set that saw rows of a rolled-back insert skips them.
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.open();
    {
        Transaction t(*db);
        rs.addNew();
        rs.setValue(QStringLiteral("ID"), 9);
        rs.update();
    }
    EXPECT_EQ(rs.recordCount(), 0);
    rs.moveFirst();
    EXPECT_TRUE(rs.isEOF());
}

TEST_F(DataTest, ExecuteReportsChangedRows)
{
    native("INSERT INTO Prodotti (ID, Modificato) VALUES (1,1),(2,1),(3,0)");
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE Prodotti SET Modificato=False WHERE Modificato=True")), 2);
    EXPECT_EQ(db->execute(QStringLiteral("DELETE * FROM Prodotti WHERE ID>=2")), 2);
    EXPECT_EQ(db->execute(QStringLiteral("SELECT * FROM Prodotti")), 0);
}
