#include "ProjectTestSupport.h"
#include "common/TempDir.h"
#include "common/TempProject.h"

#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "project/DatabaseUpgrade.h"
#include "project/StructureCheck.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using projecttest::execSql;
using projecttest::fileHash;
using projecttest::scalarInt;
using projecttest::scalarText;

namespace {

// Turns the project's fresh database into one made by an older version.
// Version 0 has no VersioneDB column, keeps keywords on the product language
// rows and one category per product; version 31 has VersioneDB and one
// section per article; version 40 only differs in its rates.
void makeOldDatabase(const QString &db, int version)
{
    // Older versions had no triggers.
    QStringList triggers;
    {
        SQLite::Database d(db.toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement q(d, "SELECT name FROM sqlite_master WHERE type='trigger'");
        while (q.executeStep())
            triggers << QString::fromStdString(q.getColumn(0).getString());
    }
    for (const QString &t : triggers)
        execSql(db, QStringLiteral("DROP TRIGGER \"%1\"").arg(t));
    QString sql = QStringLiteral(
        "UPDATE MSysTables SET DateUpdate='2004-01-01 00:00:00';"
        "CREATE TABLE Obsoleta (ID INTEGER, Testo TEXT);"
        "INSERT INTO Obsoleta VALUES (1, 'persa');"
        "ALTER TABLE Valute DROP COLUMN Simbolo;"
        "INSERT INTO Valute (ID, Nome, Cambio) VALUES"
        " (2, 'Dollaro', 1.234567), (3, 'Yen', 0.123456789), (4, 'Sterlina', 0.86),"
        " (5, 'Mezzo', 1.234565), (6, 'Franco', 1.00001), (7, 'Nulla', NULL);"
        "DELETE FROM DizionarioLin WHERE IDCodice = (SELECT ID FROM DizionarioGen WHERE Codice='VBENVENUTO');"
        "DELETE FROM DizionarioGen WHERE Codice='VBENVENUTO';"
        "UPDATE DizionarioLin SET Testo='Mio testo' WHERE CodiceLingua='it' AND"
        " IDCodice = (SELECT ID FROM DizionarioGen WHERE Codice='VNOMEPRODOTTO');"
        "DELETE FROM Opzioni WHERE Codice='FORUM';");
    if (version == 0 || version == 31) {
        sql += QStringLiteral(
            "DROP TABLE CategorieProdotti; DROP TABLE SezioniArticoli;"
            "ALTER TABLE Prodotti ADD COLUMN IDCategorie INTEGER;"
            "ALTER TABLE Articoli ADD COLUMN IDSezione INTEGER;"
            // True was -1 in the older files.
            "INSERT INTO Prodotti (ID, Codice, Attivo, IDCategorie) VALUES"
            " (1, 'P1', -1, 7), (2, 'P2', 0, 8), (3, 'P3', 1, NULL), (4, 'P4', 1, 0);"
            "INSERT INTO Articoli (ID, Codice, Attivo, IDSezione) VALUES (1, 'A1', -1, 3), (2, 'A2', 1, 4),"
            " (3, 'A3', 1, 0);");
    } else {
        sql += QStringLiteral("INSERT INTO Prodotti (ID, Codice, Attivo) VALUES (1, 'P1', 1);");
    }
    if (version == 0) {
        sql += QStringLiteral(
            "DROP TABLE ParoleChiave;"
            "ALTER TABLE Configurazione DROP COLUMN VersioneDB;"
            "ALTER TABLE ProdottiLingue ADD COLUMN Keywords TEXT;"
            "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, Keywords) VALUES"
            " (1, 1, 'it', 'Sedia', 'sedia legno'), (2, 1, 'en', 'Chair', 'chair wood'),"
            " (3, 2, 'it', 'Tavolo', NULL), (4, 99, 'it', 'Orfano', 'nessuno');");
    } else {
        sql += QStringLiteral("UPDATE Configurazione SET VersioneDB=%1;").arg(version);
    }
    execSql(db, sql);
}

class DatabaseUpgradeTest : public ::testing::Test {
protected:
    QString db() const { return project.folder().database(); }
    QString blank() const { return project.program().blankDatabase(); }
    DatabaseUpgrade::Result upgrade(int version)
    {
        makeOldDatabase(db(), version);
        DatabaseUpgrade up(project.program(), project.folder());
        const DatabaseUpgrade::Result r = up.run();
        summary = up.summary();
        error = up.errorText();
        return r;
    }

    TempProject project;
    DatabaseUpgrade::Summary summary;
    QString error;
};

TEST_F(DatabaseUpgradeTest, VersionZeroConvertsKeywordsCategoriesAndRates)
{
    ASSERT_TRUE(project.isValid());
    ASSERT_EQ(upgrade(0), DatabaseUpgrade::Result::Done) << error.toStdString();
    EXPECT_EQ(summary.oldVersion, 0);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT VersioneDB FROM Configurazione")), 50);
    EXPECT_TRUE(project.folder().tempDatabaseFiles().isEmpty());

    // Keywords: one row per language row that has a product, numbered from 1.
    EXPECT_EQ(scalarText(db(), QStringLiteral(
                  "SELECT group_concat(ID || ':' || Tipo || ':' || IDRecord || ':' || CodiceLingua || ':'"
                  " || ifnull(Keywords, '-') || ':' || Attivo, ' ') FROM (SELECT * FROM ParoleChiave ORDER BY ID)")),
              QStringLiteral("1:1:1:it:sedia legno:1 2:1:1:en:chair wood:1 3:1:2:it:-:0"));
    // One category link per product that had a category; 0 meant none.
    EXPECT_EQ(scalarText(db(), QStringLiteral(
                  "SELECT group_concat(ID || ':' || IDCategoria || ':' || IDProdotto, ' ')"
                  " FROM (SELECT * FROM CategorieProdotti ORDER BY ID)")),
              QStringLiteral("1:7:1 2:8:2"));
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM SezioniArticoli")), 0);
    // The rows themselves came across; the legacy columns did not.
    EXPECT_EQ(scalarText(db(), QStringLiteral("SELECT Nome FROM ProdottiLingue WHERE ID=2")), QStringLiteral("Chair"));
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 4);
    EXPECT_EQ(summary.droppedTables, QStringList{QStringLiteral("Obsoleta")});
    EXPECT_FALSE(StructureCheck::compare(blank(), db()).upgradeNeeded);

    // The upgraded database has the blank database's triggers, and they work:
    // deleting a product deletes its language rows and category links. (The
    // data layer adds its boolean triggers to every file it writes.)
    const QString triggers = QStringLiteral(
        "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type='trigger'"
        " AND name NOT GLOB 'zf_bool_*' ORDER BY name)");
    EXPECT_FALSE(scalarText(blank(), triggers).isEmpty());
    EXPECT_EQ(scalarText(db(), triggers), scalarText(blank(), triggers));
    execSql(db(), QStringLiteral("DELETE FROM Prodotti WHERE ID=1"));
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=1")), 0);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=1")), 0);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=2")), 1);
}

TEST_F(DatabaseUpgradeTest, VersionThirtyOneAlsoLinksArticlesToSections)
{
    ASSERT_EQ(upgrade(31), DatabaseUpgrade::Result::Done) << error.toStdString();
    EXPECT_EQ(summary.oldVersion, 31);
    EXPECT_EQ(scalarText(db(), QStringLiteral(
                  "SELECT group_concat(ID || ':' || IDSezione || ':' || IDArticolo, ' ')"
                  " FROM (SELECT * FROM SezioniArticoli ORDER BY ID)")),
              QStringLiteral("1:3:1 2:4:2"));
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti")), 2);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM ParoleChiave")), 0);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT VersioneDB FROM Configurazione")), 50);
    // Every true value is stored as 1, so "Attivo=True" finds them all.
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Attivo=1")), 3);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM Articoli WHERE Attivo=1")), 3);
}

TEST_F(DatabaseUpgradeTest, RatesKeepFiveDecimalsWithTiesGoingDown)
{
    ASSERT_EQ(upgrade(40), DatabaseUpgrade::Result::Done) << error.toStdString();
    auto rate = [&](int id) {
        SQLite::Database d(db().toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement q(d, "SELECT Cambio FROM Valute WHERE ID = ?");
        q.bind(1, id);
        EXPECT_TRUE(q.executeStep());
        return q.getColumn(0).getDouble();
    };
    EXPECT_DOUBLE_EQ(rate(2), 1.23457);
    EXPECT_DOUBLE_EQ(rate(3), 0.12346);
    EXPECT_DOUBLE_EQ(rate(4), 0.86);
    EXPECT_DOUBLE_EQ(rate(5), 1.23456);
    EXPECT_DOUBLE_EQ(rate(6), 1.00001);
    EXPECT_EQ(scalarText(db(), QStringLiteral("SELECT Cambio FROM Valute WHERE ID=7")), QString());
    EXPECT_EQ(summary.ratesRounded, 3);
    // Version 40 gets no links.
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti")), 0);
    // A column the old table lacked takes its default.
    EXPECT_EQ(scalarText(db(), QStringLiteral("SELECT Simbolo FROM Valute WHERE ID=1")), QString());
}

TEST(DatabaseUpgradeRounding, DecimalHalfDown)
{
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(1.234567), 1.23457);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(0.123456789), 0.12346);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(1.234565), 1.23456);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(1.2345650001), 1.23457);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(9.999995), 9.99999);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(9.9999951), 10.0);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(0.000005), 0.0);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(1e-7), 0.0);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(123456.123456), 123456.12346);
    EXPECT_DOUBLE_EQ(DatabaseUpgrade::roundRate(-1.234567), -1.23457);
    EXPECT_EQ(DatabaseUpgrade::roundRate(0.1), 0.1);
    EXPECT_EQ(DatabaseUpgrade::roundRate(2.0), 2.0);
}

TEST_F(DatabaseUpgradeTest, ReferenceDataAddedOnceAndOwnTextsKept)
{
    ASSERT_EQ(upgrade(40), DatabaseUpgrade::Result::Done) << error.toStdString();
    EXPECT_EQ(summary.dictionaryEntries, 1);
    EXPECT_EQ(summary.dictionaryTexts, 2);
    EXPECT_EQ(summary.options, 1);
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM DizionarioGen")),
              scalarInt(blank(), QStringLiteral("SELECT COUNT(*) FROM DizionarioGen")));
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(DISTINCT Codice) FROM DizionarioGen")),
              scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM DizionarioGen")));
    EXPECT_EQ(scalarText(db(), QStringLiteral(
                  "SELECT group_concat(t, '|') FROM (SELECT l.CodiceLingua || '=' || l.Testo || ':' || l.Modificato"
                  " || g.Modificato AS t FROM DizionarioGen g JOIN DizionarioLin l ON l.IDCodice = g.ID"
                  " WHERE g.Codice='VBENVENUTO' ORDER BY l.ID)")),
              QStringLiteral("it=Benvenuto nel nostro negozio online.:11|en=Welcome to our online shop.:11"));
    // The new entry takes the largest ID + 1.
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT ID FROM DizionarioGen WHERE Codice='VBENVENUTO'")),
              scalarInt(db(), QStringLiteral("SELECT MAX(ID) FROM DizionarioGen")));
    EXPECT_EQ(scalarText(db(), QStringLiteral(
                  "SELECT Testo FROM DizionarioLin WHERE CodiceLingua='it' AND"
                  " IDCodice = (SELECT ID FROM DizionarioGen WHERE Codice='VNOMEPRODOTTO')")),
              QStringLiteral("Mio testo"));
    EXPECT_EQ(scalarText(db(), QStringLiteral(
                  "SELECT Descrizione || ':' || Modificato FROM Opzioni WHERE Codice='FORUM'")),
              QStringLiteral("Forum dei visitatori:1"));
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT COUNT(*) FROM Opzioni")),
              scalarInt(blank(), QStringLiteral("SELECT COUNT(*) FROM Opzioni")));
}

TEST_F(DatabaseUpgradeTest, ProgressReportsTablesRowsAndCurrencies)
{
    makeOldDatabase(db(), 0);
    const int oldTables = int(Database(db(), Database::OpenMode::ReadOnly).tableNames().size());
    DatabaseUpgrade up(project.program(), project.folder());
    QStringList tableLabels, recordLabels;
    QList<int> phases;
    int pumps = 0, tableMax = -1;
    DatabaseUpgrade::Progress p;
    p.tableLabel = [&](const QString &t) { tableLabels << t; };
    p.recordLabel = [&](const QString &t) { recordLabels << t; };
    p.tableRange = [&](int, int max) { tableMax = max; };
    p.pump = [&] { ++pumps; };
    p.phaseStarted = [&](int phase) { phases << phase; };
    up.setProgress(p);
    ASSERT_EQ(up.run(), DatabaseUpgrade::Result::Done);
    EXPECT_EQ(phases, (QList<int>{1, 2, 3, 4}));
    EXPECT_TRUE(tableLabels.contains(QStringLiteral("Aggiornamento tabella Prodotti in corso...")));
    EXPECT_FALSE(tableLabels.contains(QStringLiteral("Aggiornamento tabella MSysTables in corso...")));
    EXPECT_TRUE(recordLabels.contains(QStringLiteral("Aggiornamento record 3/3 in corso...")));
    EXPECT_TRUE(recordLabels.contains(QStringLiteral("Aggiornamento valuta 7/7 in corso...")));
    EXPECT_TRUE(tableLabels.last().isEmpty());
    EXPECT_EQ(tableMax, oldTables - 1);
    EXPECT_GT(pumps, 20);
}

TEST_F(DatabaseUpgradeTest, CancelLeavesTheDatabaseByteForByte)
{
    makeOldDatabase(db(), 0);
    { Database wal(db()); }   // as the program leaves it: write-ahead log mode
    const QByteArray before = fileHash(db());
    DatabaseUpgrade up(project.program(), project.folder());
    int rows = 0;
    DatabaseUpgrade::Progress p;
    p.pump = [&] { if (++rows == 1) up.cancel(); };
    int phase4 = 0;
    p.phaseStarted = [&](int phase) { if (phase == 4) ++phase4; EXPECT_NE(phase, 2); };
    up.setProgress(p);
    EXPECT_EQ(up.run(), DatabaseUpgrade::Result::Cancelled);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(phase4, 1);
    EXPECT_EQ(fileHash(db()), before);
    // Neither the copy nor its journal files are left.
    EXPECT_EQ(project.folder().tempDatabaseFiles(), QStringList());
    EXPECT_TRUE(StructureCheck::compare(blank(), db()).upgradeNeeded);
}

TEST_F(DatabaseUpgradeTest, FailureLeavesTheDatabaseAndRemovesTheCopy)
{
    makeOldDatabase(db(), 40);
    const QByteArray before = fileHash(db());
    // A blank database that is not one: the upgrade fails, nothing is lost.
    TempDir broken;
    QDir(broken.path()).mkpath(QStringLiteral("db"));
    projecttest::writeFile(broken.file(QStringLiteral("db/database.mdb")), "rotto");
    DatabaseUpgrade up(ProgramFolder(broken.path()), project.folder());
    EXPECT_EQ(up.run(), DatabaseUpgrade::Result::Failed);
    EXPECT_FALSE(up.errorText().isEmpty());
    EXPECT_EQ(fileHash(db()), before);
    EXPECT_TRUE(project.folder().tempDatabaseFiles().isEmpty());
}

// Runs the upgrade in a child process that kills itself at the chosen
// moment. Returns whether the child died by the signal.
bool upgradeKilledAt(const TempProject &project, int phase, int row, int fileStep)
{
    const pid_t pid = fork();
    if (pid == 0) {
        DatabaseUpgrade up(project.program(), project.folder());
        DatabaseUpgrade::Progress p;
        int rows = 0;
        p.pump = [&] {
            if (phase == 1 && ++rows == row)
                raise(SIGKILL);
        };
        p.phaseStarted = [&](int started) {
            if (started == phase && phase != 1 && fileStep < 0)
                raise(SIGKILL);
            if (started == 4 && fileStep >= 0)
                DatabaseFiles::setStepHook([fileStep](int step) {
                    if (step == fileStep)
                        raise(SIGKILL);
                });
        };
        up.setProgress(p);
        up.run();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

TEST_F(DatabaseUpgradeTest, KilledUpgradeLeavesTheOldDatabaseWhole)
{
    makeOldDatabase(db(), 0);
    const QByteArray before = fileHash(db());
    struct Moment { int phase, row, fileStep; };
    for (const Moment m : {Moment{1, 5, -1}, Moment{1, 60, -1}, Moment{3, 0, -1}, Moment{4, 0, -1}}) {
        ASSERT_TRUE(upgradeKilledAt(project, m.phase, m.row, m.fileStep)) << m.phase << "/" << m.row;
        EXPECT_EQ(fileHash(db()), before) << m.phase << "/" << m.row;
    }
    // Killed inside the final replacement: either the old file or the new one, whole.
    for (int step = 0; step < 8; ++step) {
        if (!upgradeKilledAt(project, 4, 0, step))
            continue;
        if (fileHash(db()) != before) {
            EXPECT_EQ(scalarText(db(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
            EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT VersioneDB FROM Configurazione")), 50);
            return;
        }
    }
    // After every interruption the upgrade still runs to the end.
    DatabaseUpgrade up(project.program(), project.folder());
    EXPECT_EQ(up.run(), DatabaseUpgrade::Result::Done) << up.errorText().toStdString();
    EXPECT_EQ(scalarInt(db(), QStringLiteral("SELECT VersioneDB FROM Configurazione")), 50);
}

} // namespace
