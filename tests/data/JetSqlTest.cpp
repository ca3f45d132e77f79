#include "DataFixture.h"

#include "data/JetSql.h"
#include "data/JetText.h"
#include "data/Recordset.h"
#include "data/SqlQuote.h"

#include <QFile>
#include <QTextStream>

namespace {

struct CorpusLine {
    QString kind;
    QString text;
};

QList<CorpusLine> readCorpus(const QString &path)
{
    QList<CorpusLine> lines;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        lines.push_back({line.left(colon), line.mid(colon + 1).trimmed()});
    }
    return lines;
}

QString corpusPath()
{
    return QStringLiteral(ZANFIRA_SOURCE_DIR "/tests/data/corpus/jet-statements.txt");
}

// Runs one corpus line through the record-set layer. Filters, sorts and
// criteria go against the table that holds every column they name.
void runCorpusLine(Database &db, const CorpusLine &l)
{
    if (l.kind == QLatin1String("filter")) {
        Recordset rs(db, QStringLiteral("Misto"));
        rs.setFilter(l.text);
        rs.open();
        rs.recordCount();
    } else if (l.kind == QLatin1String("sort")) {
        Recordset rs(db, QStringLiteral("Misto"));
        rs.setSort(l.text);
        rs.open();
        rs.recordCount();
    } else if (l.kind == QLatin1String("find")) {
        Recordset rs(db, QStringLiteral("Misto"));
        rs.open();
        rs.findFirst(l.text);
        rs.findNext(l.text);
    } else if (l.kind == QLatin1String("sql")) {
        if (l.text.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
            Recordset rs(db);
            rs.open(l.text);
            rs.recordCount();
        } else {
            db.execute(l.text);
        }
    } else {
        FAIL() << "unknown corpus line kind " << l.kind.toStdString();
    }
}

} // namespace

class JetSqlTest : public DataTest {
protected:
    // Value of the first column of the first row of a Jet SELECT.
    QVariant one(const QString &jet) { return db->scalar(jet); }
    int count(const QString &table, const QString &filter)
    {
        Recordset rs(*db, table);
        rs.setFilter(filter);
        rs.open();
        return rs.recordCount();
    }
};

TEST_F(JetSqlTest, EveryCorpusLineTranslatesAndRuns)
{
    native("INSERT INTO Misto (ID, Codice, CodiceLingua, IDCategoria, Valore, Attivo) VALUES "
           "(1,'ABC','it',12,'#fff',1),(2,'D''ANGELO','en',4,NULL,0),(3,'',NULL,9,'url(/images/logo.gif)',1);"
           "INSERT INTO Clienti (ID, TipoUtente, Nome, Cognome, Email, IDCliente) VALUES "
           "(1000000001,4,'Anna','Rossi','a@b.it',5),(2,0,'Mario',NULL,'',0);"
           "INSERT INTO Prodotti (ID, Codice, Attivo, Offerta, Ordine) VALUES (1,'ROSSO',1,1,3),(2,'ROX',0,1,2);"
           "INSERT INTO AttributiCSS (ID, IDClasse, Valore) VALUES (1,1,'#fff'),(2,2,'#fff'),(3,2,'url(x)');"
           "INSERT INTO InteressiUtenti (ID, IDUtente, IDInteresse) VALUES (1,1000000001,1),(2,1000000001,4);"
           "INSERT INTO Ordini (ID, IDCliente, DataOrdine) VALUES (3,1000000001,'2026-12-05 10:00:00');");
    const QList<CorpusLine> lines = readCorpus(corpusPath());
    ASSERT_GE(lines.size(), 58);
    for (const CorpusLine &l : lines) {
        SCOPED_TRACE(l.text.toStdString());
        try {
            // Translation alone must succeed...
            if (l.kind == QLatin1String("sort"))
                EXPECT_FALSE(JetSql::orderBy(l.text).isEmpty());
            else if (l.kind == QLatin1String("sql"))
                EXPECT_FALSE(JetSql::statement(l.text).isEmpty());
            else
                EXPECT_FALSE(JetSql::condition(l.text).isEmpty());
            // ...and so must running it.
            runCorpusLine(*db, l);
        } catch (const DataError &e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST_F(JetSqlTest, CorpusCopyHoldsEveryLineOfTheReference)
{
    const QList<CorpusLine> reference = readCorpus(QStringLiteral(ZANFIRA_SHARED_DIR "/data/jet-sql-corpus.txt"));
    if (reference.isEmpty())
        GTEST_SKIP() << "reference list not present beside the sources";
    const QList<CorpusLine> ours = readCorpus(corpusPath());
    for (const CorpusLine &r : reference) {
        const bool present = std::any_of(ours.begin(), ours.end(), [&](const CorpusLine &o) {
            return o.kind == r.kind && o.text == r.text;
        });
        EXPECT_TRUE(present) << r.kind.toStdString() << ": " << r.text.toStdString();
    }
}

TEST_F(JetSqlTest, CorpusStatementsRunOnTheBlankDatabases)
{
    // Statements on the template tables (AttributiCSS, ...) go to the
    // template database, all others to the project database.
    const QString blank = QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/db/database.mdb");
    const QString blankTemplate = QStringLiteral(ZANFIRA_PROGRAM_FOLDER "/db/progettografico.mdb");
    if (!QFile::exists(blank) || !QFile::exists(blankTemplate))
        GTEST_SKIP() << "program folder databases not built";
    const QString copy = dir.file(QStringLiteral("project.mdb"));
    const QString templateCopy = dir.file(QStringLiteral("template.mdb"));
    ASSERT_TRUE(QFile::copy(blank, copy));
    ASSERT_TRUE(QFile::copy(blankTemplate, templateCopy));
    Database project(copy);
    Database templ(templateCopy);
    const QStringList templateTables = templ.tableNames();
    for (const CorpusLine &l : readCorpus(corpusPath())) {
        if (l.kind != QLatin1String("sql"))
            continue;
        SCOPED_TRACE(l.text.toStdString());
        const bool onTemplate = std::any_of(templateTables.begin(), templateTables.end(), [&](const QString &t) {
            return !project.tableExists(t) && l.text.contains(QStringLiteral("FROM ") + t);
        });
        try {
            runCorpusLine(onTemplate ? templ : project, l);
        } catch (const DataError &e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST_F(JetSqlTest, LikeUsesJetWildcardsWithoutRegardToCase)
{
    EXPECT_TRUE(jettext::like(QStringLiteral("abcdef"), QStringLiteral("AB*")));
    EXPECT_FALSE(jettext::like(QStringLiteral("xabc"), QStringLiteral("AB*")));
    EXPECT_TRUE(jettext::like(QStringLiteral("a1c"), QStringLiteral("a#c")));
    EXPECT_FALSE(jettext::like(QStringLiteral("abc"), QStringLiteral("a#c")));
    EXPECT_TRUE(jettext::like(QStringLiteral("abc"), QStringLiteral("a?c")));
    EXPECT_FALSE(jettext::like(QStringLiteral("ac"), QStringLiteral("a?c")));
    EXPECT_TRUE(jettext::like(QStringLiteral("Bx"), QStringLiteral("[a-c]x")));
    EXPECT_FALSE(jettext::like(QStringLiteral("dx"), QStringLiteral("[a-c]x")));
    EXPECT_TRUE(jettext::like(QStringLiteral("dx"), QStringLiteral("[!a-c]x")));
    EXPECT_TRUE(jettext::like(QStringLiteral("a*b"), QStringLiteral("a[*]b")));
    EXPECT_FALSE(jettext::like(QStringLiteral("axb"), QStringLiteral("a[*]b")));
    EXPECT_TRUE(jettext::like(QStringLiteral("ÈLITE"), QStringLiteral("èlite")));
    EXPECT_TRUE(jettext::like(QString(), QStringLiteral("*")));
    EXPECT_FALSE(jettext::like(QStringLiteral("abc"), QStringLiteral("ab")));

    native("INSERT INTO Prodotti (ID, Codice, CodiceABarre) VALUES (1,'rosso','8001'),(2,'ROSA','9001'),"
           "(3,'verde','80'),(4,NULL,NULL)");
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("[Codice] Like 'RO*'")), 2);
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("[CodiceABarre] Like '80*'")), 2);
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("Codice Not Like 'RO*'")), 1);
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("CodiceABarre Like '####'")), 2);
}

TEST_F(JetSqlTest, TextComparesWithoutRegardToCase)
{
    native("INSERT INTO Clienti (ID, Nome, Cognome) VALUES (1,'Mario','Rossi'),(2,'Anna','Bianchi')");
    EXPECT_EQ(count(QStringLiteral("Clienti"), QStringLiteral("Cognome='ROSSI'")), 1);
    EXPECT_EQ(count(QStringLiteral("Clienti"), QStringLiteral("'rossi'=Cognome")), 1);
    // Computed text has no column collation: the literal brings it.
    EXPECT_EQ(count(QStringLiteral("Clienti"), QStringLiteral("Nome & ' ' & Cognome = 'mario rossi'")), 1);
    EXPECT_EQ(count(QStringLiteral("Clienti"), QStringLiteral("UCase(Left(Cognome,2))='RO'")), 1);

    // A find binds its text as a parameter; it compares as a filter does.
    Recordset rs(*db, QStringLiteral("Clienti"));
    rs.open();
    for (const char *criterion : {"UCase(Cognome)='rossi'", "Nome & ' ' & Cognome = 'mario rossi'", "Cognome='ROSSI'"}) {
        rs.moveFirst();
        ASSERT_TRUE(rs.findLast(QString::fromUtf8(criterion))) << criterion;
        EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1) << criterion;
        rs.moveLast();
        ASSERT_TRUE(rs.findPrev(QString::fromUtf8(criterion))) << criterion;
        EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1) << criterion;
    }
}

TEST_F(JetSqlTest, DatesAreReadMonthFirst)
{
    native("INSERT INTO Ordini (ID, DataOrdine) VALUES (1,'2026-12-01 00:00:00'),(2,'2026-12-31 23:00:00'),"
           "(3,'2027-01-01 00:00:00'),(4,'2026-01-12 00:00:00')");
    Recordset rs(*db);
    rs.setSort(QStringLiteral("ID"));
    rs.open(QStringLiteral("SELECT * FROM Ordini WHERE DataOrdine BETWEEN #12/01/2026# AND #12/31/2026 23:59:59#"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.intValue(QStringLiteral("ID")), 1);
    EXPECT_EQ(JetSql::condition(QStringLiteral("D=#1/2/26 3:04:05 PM#")), QStringLiteral("([D] = '2026-01-02 15:04:05')"));
    EXPECT_THROW(JetSql::condition(QStringLiteral("D=#13/40/2026#")), DataError);
}

TEST_F(JetSqlTest, EmptyInListIsFalseAndNotInEmptyIsTrue)
{
    native("INSERT INTO Prodotti (ID) VALUES (3),(5),(7)");
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("IDProdottoBase=0 AND ID IN ()")), 0);
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("ID NOT IN ()")), 3);
    EXPECT_EQ(count(QStringLiteral("Prodotti"), QStringLiteral("ID IN (3,5,9)")), 2);
}

TEST_F(JetSqlTest, OperatorsKeepJetPrecedenceAndMeaning)
{
    native("INSERT INTO Configurazione (ID, VersioneDB) VALUES (1, 50)");
    // & binds looser than +: (1+2) & 3.
    EXPECT_EQ(one(QStringLiteral("SELECT 1 + 2 & 3 FROM Configurazione")).toString(), QStringLiteral("33"));
    EXPECT_EQ(one(QStringLiteral("SELECT 7 \\ 2 FROM Configurazione")).toInt(), 3);
    EXPECT_EQ(one(QStringLiteral("SELECT 7 Mod 3 FROM Configurazione")).toInt(), 1);
    EXPECT_DOUBLE_EQ(one(QStringLiteral("SELECT 7 / 2 FROM Configurazione")).toDouble(), 3.5);
    EXPECT_DOUBLE_EQ(one(QStringLiteral("SELECT 2 ^ 3 FROM Configurazione")).toDouble(), 8.0);
    EXPECT_EQ(one(QStringLiteral("SELECT -VersioneDB + 1 FROM Configurazione")).toInt(), -49);
    // Null & text is the text; Null & Null stays Null.
    EXPECT_EQ(one(QStringLiteral("SELECT Null & 'x' FROM Configurazione")).toString(), QStringLiteral("x"));
    EXPECT_TRUE(one(QStringLiteral("SELECT Null & Null FROM Configurazione")).isNull());
    EXPECT_EQ(one(QStringLiteral("SELECT IIf(VersioneDB > 40, 'nuovo', 'vecchio') FROM Configurazione")).toString(),
              QStringLiteral("nuovo"));
    EXPECT_EQ(one(QStringLiteral("SELECT Nz(Null, '-') FROM Configurazione")).toString(), QStringLiteral("-"));
    EXPECT_EQ(one(QStringLiteral("SELECT Nz(VersioneDB, 0) FROM Configurazione")).toInt(), 50);
}

TEST_F(JetSqlTest, StringFunctionsFollowJet)
{
    native("INSERT INTO Configurazione (ID, VersioneDB) VALUES (1, 50)");
    auto s = [&](const char *expr) {
        return one(QStringLiteral("SELECT %1 FROM Configurazione").arg(QString::fromUtf8(expr))).toString();
    };
    EXPECT_EQ(s("Left('Zanfira', 3)"), QStringLiteral("Zan"));
    EXPECT_EQ(s("Right('Zanfira', 3)"), QStringLiteral("ira"));
    EXPECT_EQ(s("Right('Zanfira', 0)"), QString());
    EXPECT_EQ(s("Right('ab', 5)"), QStringLiteral("ab"));
    EXPECT_EQ(s("Mid('Zanfira', 3, 2)"), QStringLiteral("nf"));
    EXPECT_EQ(s("Mid('Zanfira', 4)"), QStringLiteral("fira"));
    EXPECT_EQ(s("Len('àèì')"), QStringLiteral("3"));
    EXPECT_EQ(s("UCase('àbc')"), QStringLiteral("ÀBC"));
    EXPECT_EQ(s("LCase('ÀBC')"), QStringLiteral("àbc"));
    EXPECT_EQ(s("Trim('  a b  ')"), QStringLiteral("a b"));
    EXPECT_EQ(s("Year(#12/31/2026#) & '-' & Month(#12/31/2026#) & '-' & Day(#12/31/2026#)"),
              QStringLiteral("2026-12-31"));
    EXPECT_EQ(s("InStr('Zanfira', 'FI')"), QStringLiteral("4"));
    EXPECT_EQ(s("Len(Date())"), QStringLiteral("19"));
    EXPECT_EQ(s("Year(Now()) > 2000"), QStringLiteral("1"));
}

TEST_F(JetSqlTest, TopDistinctrowAndFirstLastAggregates)
{
    native("INSERT INTO Prodotti (ID, Offerta, Ordine, Codice) VALUES (1,1,10,'a'),(2,1,30,'b'),(3,0,50,'c'),"
           "(4,1,20,'d'),(5,1,40,'e'),(6,1,60,'f'),(7,1,5,'g');"
           "INSERT INTO InteressiUtenti (ID, IDUtente, IDInteresse) VALUES (1,10,4),(2,10,1),(3,11,1);"
           "INSERT INTO Clienti (ID, TipoUtente) VALUES (10,0),(11,2)");
    Recordset top(*db);
    top.open(QStringLiteral("SELECT TOP 2 * FROM Prodotti WHERE Offerta=True ORDER BY Ordine DESC"));
    ASSERT_EQ(top.recordCount(), 2);
    EXPECT_EQ(top.intValue(QStringLiteral("ID")), 6);
    top.moveNext();
    EXPECT_EQ(top.intValue(QStringLiteral("ID")), 5);

    Recordset agg(*db);
    agg.open(QStringLiteral("SELECT InteressiUtenti.IDUtente, First(InteressiUtenti.IDInteresse) AS IDInt, "
                            "Last(InteressiUtenti.IDInteresse) AS Ultimo FROM InteressiUtenti "
                            "GROUP BY InteressiUtenti.IDUtente"));
    ASSERT_TRUE(agg.findFirst(QStringLiteral("IDUtente=10")));
    EXPECT_EQ(agg.intValue(QStringLiteral("IDInt")), 4);
    EXPECT_EQ(agg.intValue(QStringLiteral("Ultimo")), 1);

    Recordset dr(*db);
    dr.open(QStringLiteral("SELECT DISTINCTROW Prodotti.ID FROM Prodotti WHERE Prodotti.Codice Like \"[a-c]\""));
    EXPECT_EQ(dr.recordCount(), 3);
}

TEST_F(JetSqlTest, NotExistsAndJoins)
{
    native("INSERT INTO Clienti (ID, TipoUtente, IDCliente) VALUES (1,0,0),(2,4,1),(3,4,99);"
           "INSERT INTO Ordini (ID, IDCliente) VALUES (1,1),(2,50)");
    Recordset orphans(*db);
    orphans.open(QStringLiteral("SELECT * FROM Clienti C WHERE C.TipoUtente=4 AND NOT EXISTS "
                                "(SELECT ID FROM Clienti WHERE C.IDCliente=Clienti.ID)"));
    ASSERT_EQ(orphans.recordCount(), 1);
    EXPECT_EQ(orphans.intValue(QStringLiteral("ID")), 3);
    EXPECT_FALSE(orphans.canUpdate());

    Recordset joined(*db);
    joined.open(QStringLiteral("SELECT Ordini.ID, Clienti.TipoUtente FROM (Ordini INNER JOIN Clienti ON "
                               "Ordini.IDCliente = Clienti.ID) WHERE Clienti.ID=1"));
    EXPECT_EQ(joined.recordCount(), 1);
}

TEST_F(JetSqlTest, QuotedNamesWorkInFilterFindAndStatement)
{
    const QString name = QStringLiteral("D'Angelo");
    EXPECT_EQ(sqlQuote(name), QStringLiteral("'D''Angelo'"));
    EXPECT_EQ(sqlQuote(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(sqlDate(QDate(2026, 1, 2)), QStringLiteral("#01/02/2026#"));
    EXPECT_EQ(sqlBool(true), QStringLiteral("TRUE"));
    EXPECT_EQ(sqlName(QStringLiteral("Nome]; DROP")), QStringLiteral("[Nome; DROP]"));

    native("INSERT INTO Clienti (ID, Cognome) VALUES (1,'Rossi'),(2,'D''Angelo'),(3,'Bianchi')");
    Recordset filtered(*db, QStringLiteral("Clienti"));
    filtered.setFilter(QStringLiteral("Cognome=") + sqlQuote(name));
    filtered.open();
    ASSERT_EQ(filtered.recordCount(), 1);
    EXPECT_EQ(filtered.textValue(QStringLiteral("Cognome")), name);

    Recordset all(*db, QStringLiteral("Clienti"));
    all.open();
    ASSERT_TRUE(all.findFirst(QStringLiteral("Cognome=") + sqlQuote(QStringLiteral("d'angelo"))));
    EXPECT_EQ(all.intValue(QStringLiteral("ID")), 2);

    EXPECT_EQ(db->execute(QStringLiteral("UPDATE Clienti SET Nome=%1 WHERE Cognome=%2")
                              .arg(sqlQuote(QStringLiteral("L'Aquila")), sqlQuote(name))),
              1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Nome FROM Clienti WHERE ID=2")).toString(), QStringLiteral("L'Aquila"));
    // A double-quoted Jet string carries the apostrophe as it is.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT ID FROM Clienti WHERE Cognome=\"D'Angelo\"")).toInt(), 2);
    // Dates and booleans written by the helpers read back.
    EXPECT_EQ(JetSql::condition(QStringLiteral("D=") + sqlDateTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)))),
              QStringLiteral("([D] = '2026-03-04 05:06:07')"));
}

TEST_F(JetSqlTest, UntranslatableTextNamesTheStatement)
{
    const char *bad[] = {
        "SELECT * FROM Prodotti WHERE Codice = 'abc",
        "SELECT * FROM Prodotti WHERE Forms!Maschera.Campo = 1",
        "SELECT * FROM Prodotti WHERE Sconosciuta(Codice) = 1",
        "DROP TABLE Prodotti",
        "SELECT TOP 10 PERCENT * FROM Prodotti",
        "SELECT * FROM Prodotti WHERE (Codice = 'a'",
        "SELECT * FROM Prodotti WHERE Codice = 'a' garbage",
        "SELECT * FROM Prodotti WHERE Left(Codice) = 'a'",
    };
    for (const char *b : bad) {
        const QString jet = QString::fromUtf8(b);
        try {
            db->execute(jet);
            ADD_FAILURE() << "accepted: " << b;
        } catch (const DataError &e) {
            EXPECT_EQ(e.statement(), jet);
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(jet)) << e.what();
        }
    }
    // A statement SQLite rejects (unknown column) names it too.
    try {
        db->execute(QStringLiteral("UPDATE Prodotti SET Inesistente=1"));
        ADD_FAILURE() << "unknown column accepted";
    } catch (const DataError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String("Inesistente"))) << e.what();
    }
    // Filters and sorts are checked the same way.
    Recordset rs(*db, QStringLiteral("Prodotti"));
    rs.setFilter(QStringLiteral("Codice = = 1"));
    EXPECT_THROW(rs.open(), DataError);
    rs.setFilter(QString());
    rs.setSort(QStringLiteral("Codice DESC,"));
    EXPECT_THROW(rs.open(), DataError);
}

TEST_F(JetSqlTest, ParametrisedCriteriaShareOneShape)
{
    const SqlWithParams a = JetSql::conditionWithParams(QStringLiteral("ID=5 AND Codice='x'"));
    const SqlWithParams b = JetSql::conditionWithParams(QStringLiteral("ID=77 AND Codice='D''A'"));
    EXPECT_EQ(a.sql, b.sql);
    ASSERT_EQ(b.params.size(), 2);
    EXPECT_EQ(b.params[0].toInt(), 77);
    EXPECT_EQ(b.params[1].toString(), QStringLiteral("D'A"));
}
