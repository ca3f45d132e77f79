#include "DataFixture.h"

#include "data/NextId.h"
#include "data/Recordset.h"

TEST_F(DataTest, NextIdIsOneOnAnEmptyTable)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.open();
    EXPECT_EQ(nextId(rs), 1);
    EXPECT_EQ(nextId(*db, QStringLiteral("Categorie")), 1);
}

TEST_F(DataTest, NextIdCountsTheWholeTableAndLeavesTheSetAlone)
{
    native("INSERT INTO Categorie (ID, IDCategoriaPadre, Codice) VALUES (3,0,'c'),(9,1,'a'),(5,0,'b'),(7,0,'d')");
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setFilter(QStringLiteral("IDCategoriaPadre=0"));  // hides the largest ID
    rs.setSort(QStringLiteral("Codice DESC"));
    rs.open();
    rs.moveNext();  // ID 3
    // A row added through the set stays at its end.
    rs.addNew();
    rs.setValue(QStringLiteral("ID"), 8);
    rs.setValue(QStringLiteral("Codice"), QStringLiteral("z"));
    rs.update();

    EXPECT_EQ(nextId(rs), 10);
    EXPECT_EQ(rs.filter(), QStringLiteral("IDCategoriaPadre=0"));
    EXPECT_EQ(rs.sort(), QStringLiteral("Codice DESC"));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
    EXPECT_EQ(rs.absolutePosition(), 1);
    rs.moveLast();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 8);

    // Numbering rows one after another through the same set.
    for (int expected = 10; expected < 13; ++expected) {
        const int id = nextId(rs);
        EXPECT_EQ(id, expected);
        rs.addNew();
        rs.setValue(QStringLiteral("ID"), id);
        rs.update();
    }
}

TEST_F(DataTest, TemplateDesignerNumbersWithTheSameRule)
{
    native("CREATE TABLE CodiceASP (ID INTEGER PRIMARY KEY, IDPadre INTEGER, Ordine INTEGER);"
           "INSERT INTO CodiceASP VALUES (1,0,1),(4,1,4)");
    Recordset rs(*db, QStringLiteral("CodiceASP"));
    rs.setFilter(QStringLiteral("IDPadre=0"));
    rs.open();
    EXPECT_EQ(NextId(rs), 5);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
}

TEST_F(DataTest, LocalKeysStartAboveOneBillion)
{
    Recordset users(*db, QStringLiteral("Clienti"));
    users.open();
    EXPECT_EQ(nextLocalId(users), 1000000001);
    // Keys of site-registered users do not move the local range.
    native("INSERT INTO Clienti (ID) VALUES (5),(999999999),(1000000000)");
    EXPECT_EQ(nextLocalId(users), 1000000001);
    native("INSERT INTO Clienti (ID) VALUES (1000000001),(1000000005)");
    EXPECT_EQ(nextLocalId(users), 1000000006);
    EXPECT_EQ(nextLocalId(*db, QStringLiteral("InteressiUtenti")), 1000000001);
    EXPECT_EQ(nextId(users), 1000000006);
    native("INSERT INTO Clienti (ID) VALUES (2147483647)");
    EXPECT_THROW(nextLocalId(users), DataError);
}

TEST_F(DataTest, NumberingReachesTheLargestKeyAndThenStops)
{
    native("INSERT INTO Categorie (ID) VALUES (2147483646)");
    native("INSERT INTO Clienti (ID) VALUES (2147483646)");
    Recordset users(*db, QStringLiteral("Clienti"));
    users.open();
    EXPECT_EQ(nextId(*db, QStringLiteral("Categorie")), 2147483647);
    EXPECT_EQ(nextLocalId(users), 2147483647);
    native("INSERT INTO Categorie (ID) VALUES (2147483647)");
    try {
        nextId(*db, QStringLiteral("Categorie"));
        ADD_FAILURE() << "a key beyond 2147483647 was handed out";
    } catch (const DataError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Numerazione esaurita per la tabella Categorie"));
    }
}

TEST_F(DataTest, NextIdNeedsATable)
{
    Recordset rs(*db);
    rs.open(QStringLiteral("SELECT Count(*) AS N FROM Categorie"));
    EXPECT_THROW(nextId(rs), DataError);
}
