#include "DataFixture.h"

#include "data/JetText.h"
#include "data/Recordset.h"
#include "data/SqlQuote.h"

#include <sqlite3.h>

namespace {

int cmp(const char *a, const char *b)
{
    const int r = jettext::compare(a, int(qstrlen(a)), b, int(qstrlen(b)));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

QString rawText(sqlite3 *h, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(h, sql, -1, &s, nullptr);
    QString out;
    while (sqlite3_step(s) == SQLITE_ROW)
        out += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0))) + QLatin1Char(' ');
    sqlite3_finalize(s);
    return out.trimmed();
}

} // namespace

TEST(JetText, ComparesEveryLetterWithoutRegardToCase)
{
    EXPECT_EQ(cmp("CITTÀ PERCHÉ", "Città perché"), 0);
    EXPECT_EQ(cmp("ÆSIR ÐÖŒ", "æsir ðöœ"), 0);
    EXPECT_EQ(cmp("ΑΘΉΝΑ", "αθήνα"), 0);
    // ASCII as SQLite's own NOCASE orders it, byte by byte with A-Z as a-z.
    EXPECT_EQ(cmp("abc", "ABD"), -1);
    EXPECT_EQ(cmp("ABC_", "abc"), 1);
    EXPECT_EQ(cmp("Z", "_"), 1);
    EXPECT_EQ(cmp("", "a"), -1);
    // Past the ASCII part, by folded character.
    EXPECT_EQ(cmp("Àb", "àa"), 1);
    EXPECT_EQ(cmp("caffè", "CAFFÈ LUNGO"), -1);
    EXPECT_EQ(cmp("a\xff", "A\xff"), 0);  // bytes that are no UTF-8 still compare

    EXPECT_TRUE(jettext::like(u"Città perché", u"CITTÀ P*"));
    EXPECT_TRUE(jettext::like(u"ÉLAN", u"[à-ê]lan"));
    EXPECT_FALSE(jettext::like(u"Città", u"CITTA"));  // accents still count
}

TEST_F(DataTest, FiltersFindsLikeAndUniquenessIgnoreCaseOfEveryLetter)
{
    native("INSERT INTO Clienti (ID, Cognome, UserID) VALUES (1, 'Città perché', 'élodie'), (2, 'Rossi', 'mario'),"
           " (3, 'ÅSTRÖM', 'Ørjan');");
    Recordset rs(*db, QStringLiteral("Clienti"));
    rs.setFilter(QStringLiteral("Cognome='CITTÀ PERCHÉ' OR Cognome Like 'åström'"));
    rs.open();
    EXPECT_EQ(rs.recordCount(), 2);
    rs.setFilter(QString());
    rs.requery();
    ASSERT_TRUE(rs.findFirst(QStringLiteral("UserID='ØRJAN'")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 3);
    ASSERT_TRUE(rs.findFirst(QStringLiteral("Cognome Like 'CITTÀ P*'")));
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
    // The uniqueness checks of the editors count rows with the same text.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM Clienti WHERE UserID=%1 AND ID<>2")
                             .arg(sqlQuote(QStringLiteral("ÉLODIE"))))
                  .toInt(),
              1);
    db->executeNative(QStringLiteral("CREATE UNIQUE INDEX Clienti_UserID ON Clienti (UserID)"));
    EXPECT_THROW(db->execute(QStringLiteral("INSERT INTO Clienti (ID, UserID) VALUES (4, 'ÉLODIE')")), DataError);
    // The sort puts equal texts together whatever their case.
    native("INSERT INTO Clienti (ID, Cognome) VALUES (5, 'città perché'), (6, 'CITTÀ');");
    EXPECT_EQ(db->queryRows(QStringLiteral("SELECT ID FROM Clienti WHERE Cognome Like 'città*' ORDER BY Cognome, ID"))
                  .size(),
              3);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(DISTINCT Cognome) FROM Clienti WHERE Cognome Like 'città*'"))
                  .toInt(),
              2);
}

TEST_F(DataTest, WildcardsTypedInAPrefixMatchThemselves)
{
    EXPECT_EQ(sqlLikeEscape(QStringLiteral("A*B?[#]")), QStringLiteral("A[*]B[?][[][#]]"));
    native("INSERT INTO Prodotti (ID, Codice) VALUES (1, 'A*1'), (2, 'AB1'), (3, 'A[1'), (4, '#12'), (5, '112');");
    auto count = [&](const QString &typed) {
        return db->scalar(QStringLiteral("SELECT Count(*) FROM Prodotti WHERE Codice Like %1")
                              .arg(sqlQuote(sqlLikeEscape(typed) + QLatin1Char('*'))))
            .toInt();
    };
    EXPECT_EQ(count(QStringLiteral("A*")), 1);
    EXPECT_EQ(count(QStringLiteral("A?")), 0);
    EXPECT_EQ(count(QStringLiteral("A[")), 1);
    EXPECT_EQ(count(QStringLiteral("#")), 1);
    EXPECT_EQ(count(QStringLiteral("a")), 3);
}

TEST_F(DataTest, IndexesMadeBySqliteAloneAreRebuiltInOurOrder)
{
    // A file made without the program's collation, with keys whose order
    // differs between SQLite's NOCASE (bytes) and ours (folded letters).
    const QString path = dir.file(QStringLiteral("sqlite.mdb"));
    sqlite3 *h = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &h), SQLITE_OK);
    sqlite3_exec(h, "CREATE TABLE Parole (ID INTEGER PRIMARY KEY, Testo TEXT COLLATE NOCASE);"
                    "CREATE INDEX Parole_Testo ON Parole (Testo);", nullptr, nullptr, nullptr);
    const char *letters[] = {"À", "à", "É", "é", "Ö", "ö", "A", "e"};
    QStringList words;
    for (int i = 0; i < 400; ++i)
        words << QString::fromUtf8(letters[i % 8]) + QString::fromUtf8(letters[(i / 8) % 8])
                     + QString::number(i % 7);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < words.size(); ++i) {
        const QByteArray sql = QStringLiteral("INSERT INTO Parole VALUES (%1, %2)").arg(i).arg(sqlQuote(words[i])).toUtf8();
        sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(h);

    Database opened(path);
    EXPECT_EQ(rawText(opened.handle(), "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(rawText(opened.handle(), "PRAGMA user_version"), QString::number(Database::kFileLevel));
    // Every word is found through the index under its upper-case spelling.
    for (int i = 0; i < words.size(); i += 13) {
        const QString sql = QStringLiteral("SELECT Count(*) FROM Parole INDEXED BY Parole_Testo WHERE Testo=%1 AND ID=%2")
                                .arg(sqlQuote(words[i].toUpper()))
                                .arg(i);
        sqlite3_stmt *s = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(opened.handle(), sql.toUtf8().constData(), -1, &s, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_int(s, 0), 1) << words[i].toStdString();
        sqlite3_finalize(s);
    }
}
