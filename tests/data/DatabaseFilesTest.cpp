#include "common/TempDir.h"

#include "data/DatabaseFiles.h"
#include "data/Database.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A database holding one marker text.
void makeDatabase(const QString &path, const QString &marker, int padRows = 200)
{
    Database db(path, Database::OpenMode::ReadWriteCreate);
    db.executeNative(QStringLiteral("CREATE TABLE M (ID INTEGER PRIMARY KEY, Testo TEXT)"));
    db.executeNative(QStringLiteral("INSERT INTO M (ID, Testo) VALUES (1, '%1')").arg(marker));
    // Some bulk so the files span many pages.
    db.executeNative(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                                    "INSERT INTO M (ID, Testo) SELECT i, hex(randomblob(100)) FROM n")
                         .arg(padRows));
}

// The marker of a database, or an empty string when the file is missing or
// not a complete database.
QString markerOf(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QString();
    try {
        Database db(path, Database::OpenMode::ReadOnly);
        const QVariant check = db.scalar(QStringLiteral("SELECT Count(*) FROM M"));
        if (check.toInt() < 1)
            return QString();
        return db.scalar(QStringLiteral("SELECT Testo FROM M WHERE ID=1")).toString();
    } catch (const DataError &) {
        return QString();
    }
}

// Runs `operation` in a child process that kills itself at `killAtStep`.
void runAndKill(const std::function<void()> &operation, int killAtStep)
{
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        DatabaseFiles::setStepHook([killAtStep](int step) {
            if (step == killAtStep)
                ::kill(::getpid(), SIGKILL);
        });
        try {
            operation();
        } catch (...) {
            _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "step " << killAtStep << " status " << status;
}

} // namespace

TEST(DatabaseFiles, CopyBackupAndReplace)
{
    TempDir dir;
    const QString a = dir.file(QStringLiteral("a.mdb"));
    const QString b = dir.file(QStringLiteral("b.mdb"));
    const QString c = dir.file(QStringLiteral("c.mdb"));
    makeDatabase(a, QStringLiteral("A"));
    makeDatabase(b, QStringLiteral("B"));

    DatabaseFiles::copy(a, c);
    EXPECT_EQ(markerOf(c), QStringLiteral("A"));
    DatabaseFiles::backup(b, c);  // over an existing file
    EXPECT_EQ(markerOf(c), QStringLiteral("B"));
    EXPECT_EQ(markerOf(b), QStringLiteral("B"));

    DatabaseFiles::replace(a, c);
    EXPECT_EQ(markerOf(c), QStringLiteral("A"));
    EXPECT_FALSE(QFileInfo::exists(a));
    // No side copy is left beside the target.
    for (const QString &f : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_FALSE(f.contains(QLatin1String(".tmp"))) << f.toStdString();

    EXPECT_THROW(DatabaseFiles::copy(dir.file(QStringLiteral("manca.mdb")), c), DataError);
    EXPECT_THROW(DatabaseFiles::replace(dir.file(QStringLiteral("manca.mdb")), c), DataError);
    EXPECT_EQ(markerOf(c), QStringLiteral("A"));
}

TEST(DatabaseFiles, PendingLogIsFoldedInAndStaleLogNeverMeetsTheNewFile)
{
    TempDir dir;
    const QString live = dir.file(QStringLiteral("live.mdb"));
    const QString crashed = dir.file(QStringLiteral("crashed.mdb"));
    const QString target = dir.file(QStringLiteral("target.mdb"));
    makeDatabase(target, QStringLiteral("VECCHIO"));
    {
        // Copy a database together with its -wal, as a crash leaves them:
        // the last change lives only in the log.
        Database db(live, Database::OpenMode::ReadWriteCreate);
        db.executeNative(QStringLiteral("PRAGMA wal_autocheckpoint=0; CREATE TABLE M (ID INTEGER PRIMARY KEY, Testo TEXT);"
                                        "INSERT INTO M VALUES (1, 'NEL LOG')"));
        ASSERT_TRUE(QFile::copy(live, crashed));
        ASSERT_TRUE(QFile::copy(live + QStringLiteral("-wal"), crashed + QStringLiteral("-wal")));
    }
    // An old log beside the target, from a session that died.
    {
        Database db(target);
        db.executeNative(QStringLiteral("PRAGMA wal_autocheckpoint=0; UPDATE M SET Testo='VECCHIO2' WHERE ID=1"));
        ASSERT_TRUE(QFile::copy(target + QStringLiteral("-wal"), dir.file(QStringLiteral("stale-wal"))));
    }
    ASSERT_TRUE(QFile::copy(dir.file(QStringLiteral("stale-wal")), target + QStringLiteral("-wal")));

    DatabaseFiles::replace(crashed, target);
    EXPECT_EQ(markerOf(target), QStringLiteral("NEL LOG"));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("-wal")) &&
                 QFileInfo(target + QStringLiteral("-wal")).size() > 0);
}

TEST(DatabaseFiles, CopyOfAnOpenDatabaseHoldsTheCommitStillInItsLog)
{
    TempDir dir;
    const QString live = dir.file(QStringLiteral("database.mdb"));
    const QString copy = dir.file(QStringLiteral("copia.mdb"));
    const QString backup = dir.file(QStringLiteral("backup.mdb"));
    Database db(live, Database::OpenMode::ReadWriteCreate);
    db.executeNative(QStringLiteral("PRAGMA wal_autocheckpoint=0; CREATE TABLE M (ID INTEGER PRIMARY KEY, Testo TEXT);"
                                    "INSERT INTO M VALUES (1, 'NEL LOG')"));
    ASSERT_GT(QFileInfo(live + QStringLiteral("-wal")).size(), 0);

    DatabaseFiles::copy(live, copy);
    EXPECT_EQ(markerOf(copy), QStringLiteral("NEL LOG"));
    db.executeNative(QStringLiteral("UPDATE M SET Testo='DOPO' WHERE ID=1"));
    DatabaseFiles::backup(live, backup);
    EXPECT_EQ(markerOf(backup), QStringLiteral("DOPO"));

    // The open connection goes on working on its file, and what it writes
    // after the copies is there for the next reader.
    db.executeNative(QStringLiteral("INSERT INTO M VALUES (2, 'ANCORA')"));
    EXPECT_EQ(markerOf(live), QStringLiteral("DOPO"));
    db.close();
    Database reopened(live, Database::OpenMode::ReadOnly);
    EXPECT_EQ(reopened.scalar(QStringLiteral("SELECT Testo FROM M WHERE ID=2")).toString(), QStringLiteral("ANCORA"));
}

TEST(DatabaseFiles, KilledReplaceLeavesOldOrNewComplete)
{
    for (int step = 2; step <= 5; ++step) {
        TempDir dir;
        const QString target = dir.file(QStringLiteral("database.mdb"));
        const QString fresh = dir.file(QStringLiteral("tempdb.mdb"));
        makeDatabase(target, QStringLiteral("VECCHIO"), 2000);
        makeDatabase(fresh, QStringLiteral("NUOVO"), 2000);
        runAndKill([&] { DatabaseFiles::replace(fresh, target); }, step);
        const QString marker = markerOf(target);
        SCOPED_TRACE(step);
        EXPECT_TRUE(marker == QLatin1String("VECCHIO") || marker == QLatin1String("NUOVO")) << marker.toStdString();
        if (step >= 4)
            EXPECT_EQ(marker, QStringLiteral("NUOVO"));
        // Where the old one survived, the new one is still there to retry with.
        if (marker == QLatin1String("VECCHIO"))
            EXPECT_EQ(markerOf(fresh), QStringLiteral("NUOVO"));
    }
}

TEST(DatabaseFiles, KilledCopyLeavesOldOrNewComplete)
{
    for (int step = 1; step <= 5; ++step) {
        TempDir dir;
        const QString source = dir.file(QStringLiteral("sorgente.mdb"));
        const QString target = dir.file(QStringLiteral("copia.mdb"));
        makeDatabase(source, QStringLiteral("NUOVO"), 2000);
        makeDatabase(target, QStringLiteral("VECCHIO"), 2000);
        runAndKill([&] { DatabaseFiles::backup(source, target); }, step);
        SCOPED_TRACE(step);
        const QString marker = markerOf(target);
        EXPECT_TRUE(marker == QLatin1String("VECCHIO") || marker == QLatin1String("NUOVO")) << marker.toStdString();
        EXPECT_EQ(markerOf(source), QStringLiteral("NUOVO"));
        // A later copy cleans up after the killed one.
        DatabaseFiles::copy(source, target);
        EXPECT_EQ(markerOf(target), QStringLiteral("NUOVO"));
    }
}
