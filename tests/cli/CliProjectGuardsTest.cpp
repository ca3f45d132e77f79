// The verbs that write into a project refuse what would harm it, and say so
// with a failing exit status; the sql verb reports a failing statement as a
// failure.
#include "CliRun.h"
#include "TempDir.h"
#include "data/Database.h"

#include <QFile>
#include <QLockFile>

#include <memory>

#include <gtest/gtest.h>

namespace {

QString databaseOf(const QString &project)
{
    return project + QStringLiteral("/db/database.mdb");
}

int countRows(const QString &project, const QString &sql)
{
    Database db(databaseOf(project), Database::OpenMode::ReadOnly);
    return db.scalar(sql).toInt();
}

} // namespace

TEST(CliGuardsTest, NewOverAnExistingProjectLeavesItAlone)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("new"), project}).code, 0);
    {
        Database db(databaseOf(project));
        db.execute(QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (1, 1, 'MIO')"));
    }
    const CliRun again = runCli(home, {QStringLiteral("new"), project});
    EXPECT_EQ(again.code, 1);
    EXPECT_FALSE(again.err.isEmpty());
    EXPECT_EQ(countRows(project, QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='MIO'")), 1);
}

TEST(CliGuardsTest, SqlPrintsRowsAndFailsOnABadStatement)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("new"), project}).code, 0);

    CliRun r = runCli(home, {QStringLiteral("sql"), project,
                             QStringLiteral("INSERT INTO Prodotti (ID, Ordine, Codice) VALUES (7, 1, 'D''Angelo')")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Righe modificate: 1\n"));
    r = runCli(home, {QStringLiteral("sql"), project, QStringLiteral("SELECT ID, Codice FROM Prodotti")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("ID\tCodice\n7\tD'Angelo\n"));

    r = runCli(home, {QStringLiteral("sql"), project, QStringLiteral("SELECT * FROM NonEsiste")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QLatin1String("Errore: "))) << r.err.toStdString();
    r = runCli(home, {QStringLiteral("sql"), project, QStringLiteral("UPDATE NonEsiste SET A=1")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(runCli(home, {QStringLiteral("sql"), home.file(QStringLiteral("manca")), QStringLiteral("SELECT 1")}).code, 1);
}

TEST(CliGuardsTest, ImportIntoAProjectInUseIsRefused)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("new"), project}).code, 0);
    {
        Database db(databaseOf(project));
        db.execute(QStringLiteral("INSERT INTO Categorie (ID, Ordine, IDCategoriaPadre) VALUES (12, 12, 0)"));
    }
    const QString file = home.file(QStringLiteral("listino.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ABC|Rose|Rose rosse|9.50|12|20|\n");
    }
    // Another program holds the project: its lock file is there.
    auto lock = std::make_unique<QLockFile>(project + QStringLiteral("/db/sync.lck"));
    ASSERT_TRUE(lock->tryLock(0));
    const QStringList import{QStringLiteral("import"), project, file, QStringLiteral("--fields"),
                             QStringLiteral("codice,nome,descrizione-estesa,prezzo1,categoria,iva"),
                             QStringLiteral("--separator"), QStringLiteral("|")};
    const CliRun r = runCli(home, import);
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_EQ(countRows(project, QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 0);

    // Once it has let go, the same import goes through.
    lock.reset();
    EXPECT_EQ(runCli(home, import).code, 0);
    EXPECT_EQ(countRows(project, QStringLiteral("SELECT COUNT(*) FROM Prodotti")), 1);
}
