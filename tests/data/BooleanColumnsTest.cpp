#include "DataFixture.h"

#include "data/BooleanColumns.h"
#include "data/Recordset.h"

#include <sqlite3.h>

namespace {

// Runs SQL on a connection of its own, as another SQLite client would.
void rawExec(const QString &path, const char *sql)
{
    sqlite3 *h = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &h), SQLITE_OK);
    char *err = nullptr;
    const int rc = sqlite3_exec(h, sql, nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(h);
}

QString stored(Database &db, const QString &table, const QString &column, int id)
{
    return db.scalar(QStringLiteral("SELECT CStr(%1) FROM %2 WHERE ID=%3").arg(column, table).arg(id)).toString();
}

} // namespace

TEST_F(DataTest, EveryTrueValueIsStoredAsOneWhoeverWritesIt)
{
    // Jet statements (pages through ADODB, zanfira-cli sql), a record set,
    // and another SQLite client on the same file.
    db->execute(QStringLiteral("INSERT INTO Prodotti (ID, Attivo, Novita) VALUES (1, -1, 0)"));
    db->execute(QStringLiteral("INSERT INTO Prodotti (ID, Attivo, Novita) VALUES (2, 1, -1)"));
    db->execute(QStringLiteral("INSERT INTO Prodotti (ID, Attivo) VALUES (3, 0)"));
    db->execute(QStringLiteral("UPDATE Prodotti SET Attivo=-1 WHERE ID=3"));
    {
        Recordset rs(*db, QStringLiteral("Prodotti"));
        rs.open();
        rs.addNew();
        rs.setValue(QStringLiteral("ID"), 4);
        rs.setValue(QStringLiteral("Attivo"), -1);
        rs.update();
    }
    rawExec(db->path(), "INSERT INTO Prodotti (ID, Attivo, Modificato) VALUES (5, -1, 2);"
                        "INSERT INTO Prodotti (ID, Attivo, Offerta) VALUES (6, 'True', 'false');"
                        "INSERT INTO Prodotti (ID, Attivo, Novita) VALUES (7, NULL, 0.0);");

    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Prodotti WHERE Attivo=True")).toInt(), 6);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Prodotti WHERE Novita=True")).toInt(), 1);
    for (int id = 1; id <= 6; ++id)
        EXPECT_EQ(stored(*db, QStringLiteral("Prodotti"), QStringLiteral("Attivo"), id), QStringLiteral("1")) << id;
    EXPECT_EQ(stored(*db, QStringLiteral("Prodotti"), QStringLiteral("Modificato"), 5), QStringLiteral("1"));
    EXPECT_EQ(stored(*db, QStringLiteral("Prodotti"), QStringLiteral("Offerta"), 6), QStringLiteral("0"));
    EXPECT_EQ(stored(*db, QStringLiteral("Prodotti"), QStringLiteral("Novita"), 7), QStringLiteral("0"));
    // Null stays Null.
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT ID FROM Prodotti WHERE ID=7 AND Attivo IS NULL")).isValid());

    // Columns that are not BOOLEAN keep what was written.
    db->execute(QStringLiteral("UPDATE Prodotti SET Ordine=-1 WHERE ID=1"));
    EXPECT_EQ(stored(*db, QStringLiteral("Prodotti"), QStringLiteral("Ordine"), 1), QStringLiteral("-1"));
}

TEST_F(DataTest, AFileWrittenWithoutTheTriggersIsNormalisedWhenOpenedForWriting)
{
    const QString path = dir.file(QStringLiteral("vecchio.mdb"));
    rawExec(path, "CREATE TABLE Lingue (ID INTEGER PRIMARY KEY, Attivo BOOLEAN DEFAULT 0, Codice TEXT);"
                  "INSERT INTO Lingue VALUES (1, -1, 'it'), (2, 0, 'en'), (3, -1, 'de');");
    {
        // Reading alone leaves the file as it is.
        Database reader(path, Database::OpenMode::ReadOnly);
        EXPECT_EQ(stored(reader, QStringLiteral("Lingue"), QStringLiteral("Attivo"), 1), QStringLiteral("-1"));
    }
    Database other(path);
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT Count(*) FROM Lingue WHERE Attivo=True")).toInt(), 2);
    EXPECT_EQ(BooleanColumns::install(other), 0);  // already in place: nothing to do

    // A column added later is covered from then on.
    other.executeNative(QStringLiteral("ALTER TABLE Lingue ADD COLUMN Euro BOOLEAN DEFAULT 0"));
    other.execute(QStringLiteral("UPDATE Lingue SET Euro=-1 WHERE ID=2"));
    EXPECT_EQ(stored(other, QStringLiteral("Lingue"), QStringLiteral("Euro"), 2), QStringLiteral("1"));

    // Rows written while the triggers were away (the structure upgrade
    // copies rows with its triggers set aside).
    sqlite3_exec(other.handle(), "DROP TRIGGER zf_bool_update_Lingue; UPDATE Lingue SET Attivo=-1 WHERE ID=2", nullptr,
                 nullptr, nullptr);
    EXPECT_EQ(BooleanColumns::normalise(other), 1);
    EXPECT_EQ(stored(other, QStringLiteral("Lingue"), QStringLiteral("Attivo"), 2), QStringLiteral("1"));
}
