#include "DataFixture.h"

#include "data/Recordset.h"

#include <QSet>

class RecordsetTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        // Codes sort differently from IDs, so order mistakes show.
        native("INSERT INTO Categorie (ID, IDCategoriaPadre, Ordine, Codice, Attivo) VALUES "
               "(1,0,5,'E',1),(2,0,4,'D',0),(3,1,3,'C',1),(4,1,2,'B',0),(5,1,1,'A',1)");
    }

    // IDs of the rows from the current position to the end.
    static QList<int> idsToEnd(Recordset &rs)
    {
        QList<int> ids;
        while (!rs.isEOF()) {
            ids << rs.intValue(QStringLiteral("ID"));
            rs.moveNext();
        }
        return ids;
    }
};

TEST_F(RecordsetTest, MovesFollowTheSortAndStopAtEofAndBof)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setSort(QStringLiteral("Codice"));
    rs.open();
    EXPECT_FALSE(rs.isBOF());
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 5);
    EXPECT_EQ(idsToEnd(rs), (QList<int>{5, 4, 3, 2, 1}));
    EXPECT_TRUE(rs.isEOF());
    EXPECT_FALSE(rs.isBOF());
    EXPECT_THROW(rs.moveNext(), DataError);
    EXPECT_THROW(rs.value(QStringLiteral("ID")), DataError);
    rs.movePrev();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
    rs.moveFirst();
    rs.movePrev();
    EXPECT_TRUE(rs.isBOF());
    EXPECT_FALSE(rs.isEOF());
    EXPECT_THROW(rs.movePrev(), DataError);
    rs.moveNext();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 5);
    rs.moveLast();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);

    rs.setSort(QStringLiteral("IDCategoriaPadre, Ordine DESC"));
    rs.setFilter(QStringLiteral("Attivo=TRUE"));
    rs.requery();
    EXPECT_EQ(idsToEnd(rs), (QList<int>{1, 3, 5}));
}

TEST_F(RecordsetTest, EmptySetIsAtEofAndBofTogether)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setFilter(QStringLiteral("ID>100"));
    rs.open();
    EXPECT_TRUE(rs.isEOF());
    EXPECT_TRUE(rs.isBOF());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(rs.absolutePosition(), -1);
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.isEOF());
    EXPECT_FALSE(rs.findFirst(QStringLiteral("ID=1")));
}

TEST_F(RecordsetTest, RecordCountIsExactWithoutMoveLast)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.open();
    EXPECT_EQ(rs.recordCount(), 5);
    // Counting leaves the position alone.
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
}

TEST_F(RecordsetTest, AbsolutePositionGetAndSet)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setSort(QStringLiteral("Ordine"));
    rs.open();
    rs.setAbsolutePosition(3);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 2);
    EXPECT_EQ(rs.absolutePosition(), 3);
    rs.moveNext();
    EXPECT_EQ(rs.absolutePosition(), 4);
    rs.moveNext();
    EXPECT_EQ(rs.absolutePosition(), -1);
    EXPECT_THROW(rs.setAbsolutePosition(5), DataError);
    EXPECT_THROW(rs.setAbsolutePosition(-1), DataError);
    // Deleted rows do not count.
    rs.setAbsolutePosition(1);
    rs.deleteCurrent();
    rs.setAbsolutePosition(1);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
}

TEST_F(RecordsetTest, AddedRowStaysAtTheEndUntilRequery)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setSort(QStringLiteral("Codice"));
    rs.setFilter(QStringLiteral("IDCategoriaPadre=1"));
    rs.open();
    rs.moveNext();  // on ID 4
    rs.addNew();
    rs.setValue(QStringLiteral("ID"), 6);
    rs.setValue(QStringLiteral("Codice"), QStringLiteral("0"));  // sorts first
    rs.setValue(QStringLiteral("IDCategoriaPadre"), 7);         // outside the filter
    rs.update();
    // The position is the one before addNew().
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 4);
    EXPECT_EQ(rs.recordCount(), 4);
    rs.moveLast();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 6);
    EXPECT_EQ(rs.textValue(QStringLiteral("Codice")), QStringLiteral("0"));
    rs.setBookmark(rs.lastModifiedBookmark());
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 6);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_FALSE(rs.findFirst(QStringLiteral("ID=6")));

    // Without the filter the new row takes its sorted place after requery.
    rs.setFilter(QString());
    rs.requery();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 6);
}

TEST_F(RecordsetTest, AddingToAnEmptySetLeavesItAtItsEnd)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setFilter(QStringLiteral("ID>100"));
    rs.open();
    rs.addNew();
    rs.setValue(QStringLiteral("ID"), 101);
    rs.update();
    EXPECT_TRUE(rs.isEOF());
    EXPECT_EQ(rs.recordCount(), 1);
    rs.moveFirst();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 101);
}

TEST_F(RecordsetTest, DeletedRowLeavesNoCurrentRowUntilAMove)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.open();
    rs.setAbsolutePosition(2);  // ID 3
    rs.deleteCurrent();
    EXPECT_FALSE(rs.isEOF());
    EXPECT_FALSE(rs.isBOF());
    EXPECT_THROW(rs.value(QStringLiteral("ID")), DataError);
    EXPECT_THROW(rs.edit(), DataError);
    EXPECT_THROW(rs.deleteCurrent(), DataError);
    EXPECT_THROW(rs.bookmark(), DataError);
    EXPECT_EQ(rs.absolutePosition(), -1);
    long id = -1;
    EXPECT_FALSE(rs.myGetFieldValue(QStringLiteral("ID"), id));
    EXPECT_EQ(rs.recordCount(), 4);
    rs.moveNext();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 4);
    rs.movePrev();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 2);

    rs.setAbsolutePosition(1);  // ID 2
    rs.deleteCurrent();
    rs.movePrev();
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
    EXPECT_EQ(idsToEnd(rs), (QList<int>{1, 4, 5}));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Categorie")).toInt(), 3);

    // Deleting every row empties the set.
    rs.moveFirst();
    while (!rs.isEOF()) {
        rs.deleteCurrent();
        rs.moveNext();
    }
    EXPECT_TRUE(rs.isEOF());
    EXPECT_TRUE(rs.isBOF());
    EXPECT_EQ(rs.recordCount(), 0);
}

TEST_F(RecordsetTest, BookmarksReturnToTheirRow)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setSort(QStringLiteral("Codice DESC"));
    rs.open();
    rs.moveNext();
    rs.moveNext();
    const Bookmark b = rs.bookmark();
    const int id = rs.intValue(QStringLiteral("ID"));
    rs.moveLast();
    rs.setBookmark(b);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), id);
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_THROW(rs.setBookmark(Bookmark()), DataError);
    rs.deleteCurrent();
    EXPECT_THROW(rs.setBookmark(b), DataError);
    // Edits are recorded as the last modified row.
    rs.moveFirst();
    rs.edit();
    rs.setValue(QStringLiteral("Ordine"), 99);
    rs.update();
    rs.moveLast();
    rs.setBookmark(rs.lastModifiedBookmark());
    EXPECT_EQ(rs.intValue(QStringLiteral("Ordine")), 99);
}

TEST_F(RecordsetTest, FindWalksTheSetInItsOrder)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.setSort(QStringLiteral("Codice"));  // 5,4,3,2,1
    rs.open();
    ASSERT_TRUE(rs.findFirst(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 5);
    ASSERT_TRUE(rs.findNext(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
    ASSERT_TRUE(rs.findNext(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
    // No further match: the position does not change.
    EXPECT_FALSE(rs.findNext(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
    ASSERT_TRUE(rs.findPrev(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
    ASSERT_TRUE(rs.findLast(QStringLiteral("Attivo=FALSE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 2);
    EXPECT_FALSE(rs.findFirst(QStringLiteral("Codice='Z'")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 2);
    ASSERT_TRUE(rs.findFirst(QStringLiteral("IDCategoriaPadre=1 AND Codice='c'")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
    // Rows outside the filter are never found.
    rs.setFilter(QStringLiteral("IDCategoriaPadre=0"));
    rs.requery();
    EXPECT_FALSE(rs.findFirst(QStringLiteral("ID=3")));
    EXPECT_THROW(rs.findFirst(QStringLiteral("ID=")), DataError);
}

TEST_F(RecordsetTest, FindOverManyMatchesKeepsOrder)
{
    // More matches than one query collects: rows are tested in set order.
    QString sql = QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Attivo) VALUES ");
    QStringList rows;
    for (int i = 1; i <= 1000; ++i)
        rows << QStringLiteral("(%1, %2, %3)").arg(i).arg(1000 - i).arg(i % 3 == 0 ? 1 : 0);
    db->executeNative(sql + rows.join(QLatin1Char(',')));
    Recordset rs(*db, QStringLiteral("Prodotti"));
    rs.setSort(QStringLiteral("Ordine"));
    rs.open();
    ASSERT_TRUE(rs.findFirst(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 999);
    ASSERT_TRUE(rs.findNext(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 996);
    ASSERT_TRUE(rs.findLast(QStringLiteral("Attivo=TRUE")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
    int n = 1;
    while (rs.findPrev(QStringLiteral("Attivo=TRUE")))
        ++n;
    EXPECT_EQ(n, 333);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 999);
}

TEST_F(RecordsetTest, NullsBooleansDatesAndMoneyRoundTrip)
{
    Recordset rs(*db, QStringLiteral("Prodotti"));
    rs.open();
    rs.addNew();
    rs.setValue(QStringLiteral("ID"), 1);
    rs.setValue(QStringLiteral("Attivo"), true);
    rs.setValue(QStringLiteral("Novita"), QVariant());
    rs.setValue(QStringLiteral("Prezzo"), 12.5);
    const QDateTime when(QDate(2026, 12, 6), QTime(10, 5, 30));
    rs.setValue(QStringLiteral("DataInserimento"), when);
    rs.setNull(QStringLiteral("Codice"));
    rs.mySetFieldValue(QStringLiteral("Ordine"), 42);
    rs.update();
    rs.requery();
    EXPECT_EQ(rs.value(QStringLiteral("Attivo")).typeId(), QMetaType::Bool);
    EXPECT_TRUE(rs.boolValue(QStringLiteral("Attivo")));
    EXPECT_TRUE(rs.isNull(QStringLiteral("Novita")));
    EXPECT_TRUE(rs.isNull(QStringLiteral("Codice")));
    EXPECT_FALSE(rs.isNull(QStringLiteral("Prezzo")));
    EXPECT_DOUBLE_EQ(rs.doubleValue(QStringLiteral("Prezzo")), 12.5);
    EXPECT_EQ(rs.value(QStringLiteral("DataInserimento")).typeId(), QMetaType::QDateTime);
    EXPECT_EQ(rs.dateValue(QStringLiteral("DataInserimento")), when);
    long ordine = 0;
    EXPECT_TRUE(rs.myGetFieldValue(QStringLiteral("ordine"), ordine));  // names ignore case
    EXPECT_EQ(ordine, 42);
    long unread = 7;
    EXPECT_FALSE(rs.myGetFieldValue(QStringLiteral("Codice"), unread));
    EXPECT_FALSE(rs.myGetFieldValue(QStringLiteral("NonEsiste"), unread));
    EXPECT_EQ(unread, 7);
    // Stored forms: 0/1, ISO text, REAL.
    QStringList names;
    const QList<QVariantList> raw = db->queryRows(
        QStringLiteral("SELECT CStr(Attivo), CStr(DataInserimento), Prezzo FROM Prodotti"), &names);
    ASSERT_EQ(raw.size(), 1);
    EXPECT_EQ(raw[0][0].toString(), QStringLiteral("1"));
    EXPECT_EQ(raw[0][1].toString(), QStringLiteral("2026-12-06 10:05:30"));
    // Dates given as QDate and booleans given as text are stored in the same forms.
    rs.edit();
    rs.setValue(QStringLiteral("DataInserimento"), QDate(2027, 1, 2));
    rs.setValue(QStringLiteral("Attivo"), QStringLiteral("0"));
    rs.setNull(QStringLiteral("Prezzo"), false);
    rs.update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT CStr(DataInserimento) FROM Prodotti")).toString(),
              QStringLiteral("2027-01-02 00:00:00"));
    EXPECT_FALSE(rs.boolValue(QStringLiteral("Attivo")));
    EXPECT_DOUBLE_EQ(rs.doubleValue(QStringLiteral("Prezzo")), 0.0);
    // Columns not set on addNew take the table's defaults.
    rs.addNew();
    EXPECT_EQ(rs.value(QStringLiteral("Modificato")).toBool(), false);
    EXPECT_FALSE(rs.isNull(QStringLiteral("Modificato")));
    rs.setValue(QStringLiteral("ID"), 2);
    rs.update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Modificato FROM Prodotti WHERE ID=2")).toInt(), 0);
}

TEST_F(RecordsetTest, EditingRulesAndCancel)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.open();
    EXPECT_THROW(rs.setValue(QStringLiteral("Codice"), QStringLiteral("x")), DataError);
    EXPECT_THROW(rs.update(), DataError);
    rs.edit();
    EXPECT_EQ(rs.editMode(), Recordset::EditMode::Edit);
    rs.setValue(QStringLiteral("Codice"), QStringLiteral("nuovo"));
    EXPECT_EQ(rs.textValue(QStringLiteral("Codice")), QStringLiteral("nuovo"));
    EXPECT_EQ(rs.intValue(QStringLiteral("Ordine")), 5);  // unchanged fields read through
    rs.cancelUpdate();
    EXPECT_EQ(rs.textValue(QStringLiteral("Codice")), QStringLiteral("E"));
    // Moving away drops an edit in progress.
    rs.edit();
    rs.setValue(QStringLiteral("Codice"), QStringLiteral("perso"));
    rs.moveNext();
    rs.movePrev();
    EXPECT_EQ(rs.textValue(QStringLiteral("Codice")), QStringLiteral("E"));
    EXPECT_THROW(rs.setValue(QStringLiteral("NonEsiste"), 1), DataError);
    EXPECT_THROW(rs.value(QStringLiteral("NonEsiste")), DataError);
    // A failing insert (duplicate key) throws and names the table.
    rs.addNew();
    rs.setValue(QStringLiteral("ID"), 1);
    EXPECT_THROW(rs.update(), DataError);
}

TEST_F(RecordsetTest, ChangesThroughAnotherSetAreSeenOnTheNextMove)
{
    Recordset reader(*db, QStringLiteral("Categorie"));
    reader.open();
    Recordset writer(*db, QStringLiteral("Categorie"));
    writer.open();
    ASSERT_TRUE(writer.findFirst(QStringLiteral("ID=2")));
    writer.edit();
    writer.setValue(QStringLiteral("Codice"), QStringLiteral("cambiato"));
    writer.update();
    ASSERT_TRUE(writer.findFirst(QStringLiteral("ID=3")));
    writer.deleteCurrent();
    db->execute(QStringLiteral("UPDATE Categorie SET Ordine=77 WHERE ID=4"));

    reader.moveNext();
    EXPECT_EQ(reader.textValue(QStringLiteral("Codice")), QStringLiteral("cambiato"));
    reader.moveNext();  // ID 3 is gone
    EXPECT_EQ(reader.intValue(QStringLiteral("ID")), 4);
    EXPECT_EQ(reader.intValue(QStringLiteral("Ordine")), 77);
    EXPECT_EQ(reader.recordCount(), 4);
}

TEST_F(RecordsetTest, UpdateOfARowDeletedBehindTheSetFails)
{
    Recordset editor(*db, QStringLiteral("Categorie"));
    editor.open();
    ASSERT_TRUE(editor.findFirst(QStringLiteral("ID=2")));
    editor.edit();
    editor.setValue(QStringLiteral("Codice"), QStringLiteral("cambiato"));

    Recordset other(*db, QStringLiteral("Categorie"));
    other.open();
    ASSERT_TRUE(other.findFirst(QStringLiteral("ID=2")));
    other.deleteCurrent();

    try {
        editor.update();
        ADD_FAILURE() << "the update of a deleted row reported success";
    } catch (const DataError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Il record non esiste più"));
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Categorie WHERE Codice='cambiato'")).toInt(), 0);
}

TEST_F(RecordsetTest, SortedSetSeesChangesMadeWhileItReadsAhead)
{
    QStringList rows;
    for (int i = 1; i <= 300; ++i)
        rows << QStringLiteral("(%1, %2, 'P%1')").arg(i).arg(1000 - i);
    db->executeNative(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES ") + rows.join(QLatin1Char(',')));
    // Sorted by Ordine descending-by-ID: the set walks IDs 300, 299, ...
    Recordset reader(*db, QStringLiteral("Prodotti"));
    reader.setSort(QStringLiteral("Ordine"));
    reader.open();
    ASSERT_EQ(reader.intValue(QStringLiteral("ID")), 300);
    reader.moveNext(); // 299: the next rows are now read ahead

    Recordset writer(*db, QStringLiteral("Prodotti"));
    writer.open();
    ASSERT_TRUE(writer.findFirst(QStringLiteral("ID=298")));
    writer.edit();
    writer.setValue(QStringLiteral("Codice"), QStringLiteral("cambiato"));
    writer.update();
    ASSERT_TRUE(writer.findFirst(QStringLiteral("ID=297")));
    writer.deleteCurrent();
    db->execute(QStringLiteral("DELETE FROM Prodotti WHERE ID=200"));

    reader.moveNext();
    EXPECT_EQ(reader.intValue(QStringLiteral("ID")), 298);
    EXPECT_EQ(reader.textValue(QStringLiteral("Codice")), QStringLiteral("cambiato"));
    reader.moveNext(); // 297 is gone
    EXPECT_EQ(reader.intValue(QStringLiteral("ID")), 296);
    int visited = 3;
    QList<int> ids;
    while (!reader.isEOF()) {
        ids << reader.intValue(QStringLiteral("ID"));
        reader.moveNext();
    }
    visited += ids.size();
    EXPECT_FALSE(ids.contains(200));
    EXPECT_EQ(visited, 298);
    // Back and forth across the batch gives the same rows.
    reader.movePrev();
    EXPECT_EQ(reader.intValue(QStringLiteral("ID")), 1);
    reader.moveFirst();
    EXPECT_EQ(reader.intValue(QStringLiteral("ID")), 300);
    EXPECT_EQ(reader.textValue(QStringLiteral("Codice")), QStringLiteral("P300"));
}

TEST_F(RecordsetTest, RowsAreVisitedOnceWhileTheLoopChangesThem)
{
    QStringList rows;
    for (int i = 1; i <= 300; ++i)
        rows << QStringLiteral("(%1, %2, 0)").arg(i).arg(i % 7);
    db->executeNative(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Modificato) VALUES ") + rows.join(QLatin1Char(',')));
    // Changing the filtered and the sorted column must neither skip nor repeat rows.
    Recordset rs(*db, QStringLiteral("Prodotti"));
    rs.setFilter(QStringLiteral("Modificato=FALSE"));
    rs.setSort(QStringLiteral("Ordine, ID"));
    rs.open();
    QSet<int> seen;
    int visits = 0;
    while (!rs.isEOF()) {
        ++visits;
        seen.insert(rs.intValue(QStringLiteral("ID")));
        rs.edit();
        rs.setValue(QStringLiteral("Modificato"), true);
        rs.setValue(QStringLiteral("Ordine"), rs.intValue(QStringLiteral("Ordine")) + 1000);
        rs.update();
        rs.moveNext();
    }
    EXPECT_EQ(visits, 300);
    EXPECT_EQ(seen.size(), 300);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Prodotti WHERE Modificato=FALSE")).toInt(), 0);
}

TEST_F(RecordsetTest, SetsOverStatements)
{
    Recordset rs(*db);
    rs.setSort(QStringLiteral("Ordine"));
    rs.open(QStringLiteral("SELECT * FROM Categorie WHERE IDCategoriaPadre=1"));
    EXPECT_TRUE(rs.canUpdate());
    EXPECT_EQ(rs.tableName(), QStringLiteral("Categorie"));
    EXPECT_EQ(idsToEnd(rs), (QList<int>{5, 4, 3}));
    rs.moveFirst();
    rs.edit();
    rs.setValue(QStringLiteral("Codice"), QStringLiteral("z"));
    rs.update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Codice FROM Categorie WHERE ID=5")).toString(), QStringLiteral("z"));

    Recordset ro(*db);
    ro.setFilter(QStringLiteral("N > 1"));
    ro.open(QStringLiteral("SELECT IDCategoriaPadre, Count(*) AS N FROM Categorie GROUP BY IDCategoriaPadre"));
    EXPECT_FALSE(ro.canUpdate());
    EXPECT_EQ(ro.fieldNames(), (QStringList{QStringLiteral("IDCategoriaPadre"), QStringLiteral("N")}));
    EXPECT_EQ(ro.recordCount(), 2);
    ASSERT_TRUE(ro.findFirst(QStringLiteral("IDCategoriaPadre=1")));
    EXPECT_EQ(ro.intValue(QStringLiteral("N")), 3);
    const Bookmark b = ro.bookmark();
    ro.moveFirst();
    ro.setBookmark(b);
    EXPECT_EQ(ro.intValue(QStringLiteral("IDCategoriaPadre")), 1);
    EXPECT_THROW(ro.edit(), DataError);
    EXPECT_THROW(ro.addNew(), DataError);
    EXPECT_THROW(ro.deleteCurrent(), DataError);

    Recordset missing(*db, QStringLiteral("NonEsiste"));
    EXPECT_THROW(missing.open(), DataError);
}

TEST_F(RecordsetTest, ClosingTheDatabaseClosesItsSets)
{
    Recordset rs(*db, QStringLiteral("Categorie"));
    rs.open();
    db->close();
    EXPECT_FALSE(rs.isOpen());
    EXPECT_THROW(rs.moveNext(), DataError);
}
