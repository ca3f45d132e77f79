// Two processes on one project: every verb that writes takes the project's
// lock, refuses while someone else holds it, and never has its work undone
// by a preview's copy of the database.
#include "TempDir.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

#include <csignal>

namespace {

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

QProcessEnvironment cliEnvironment(const TempDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral(".config")));
    if (!env.contains(QStringLiteral("ZANFIRA_HOME")))
        env.insert(QStringLiteral("ZANFIRA_HOME"), QStringLiteral(ZANFIRA_PROGRAM_FOLDER));
    return env;
}

CliRun runCli(const TempDir &home, const QStringList &args)
{
    QProcess p;
    p.setProcessEnvironment(cliEnvironment(home));
    p.start(QStringLiteral(ZANFIRA_CLI), args);
    CliRun r;
    if (!p.waitForFinished(120000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A preview server of the project on a free port, running until stopped.
class PreviewProcess {
public:
    PreviewProcess(const TempDir &home, const QString &project)
    {
        m_process.setProcessEnvironment(cliEnvironment(home));
        m_process.start(QStringLiteral(ZANFIRA_CLI),
                        {QStringLiteral("preview"), project, QStringLiteral("--port"), QStringLiteral("0")});
        // Ready once it has said where it listens.
        while (m_process.waitForReadyRead(20000)) {
            m_out += QString::fromUtf8(m_process.readAllStandardOutput());
            if (m_out.contains(QLatin1String("Ctrl+C")))
                break;
        }
    }
    ~PreviewProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    bool isReady() const { return m_out.contains(QLatin1String("Ctrl+C")); }
    qint64 pid() const { return m_process.processId(); }
    // Ends it as Ctrl+C does; true when it ended normally.
    bool stop()
    {
        ::kill(pid_t(m_process.processId()), SIGINT);
        return m_process.waitForFinished(20000) && m_process.exitCode() == 0;
    }
    // Ends it as a crash would: no chance to put anything back.
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    QString output() const { return m_out; }

private:
    QProcess m_process;
    QString m_out;
};

QString price(const QString &project)
{
    Database db(project + QStringLiteral("/db/database.mdb"), Database::OpenMode::ReadOnly);
    return db.scalar(QStringLiteral("SELECT Prezzo1 FROM ProdottiLingue WHERE IDProdotto=1 AND CodiceLingua='it'"))
        .toString();
}

QStringList sqlUpdate(double value)
{
    return {QStringLiteral("UPDATE ProdottiLingue SET Prezzo1=%1 WHERE IDProdotto=1 AND CodiceLingua='it'")
                .arg(value)};
}

} // namespace

TEST(CliProjectLockTest, WritersRefuseWhileAPreviewRunsAndNothingIsUndoneAfterwards)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("demo"), project}).code, 0);
    ASSERT_EQ(runCli(home, QStringList{QStringLiteral("sql"), project} + sqlUpdate(10)).code, 0);

    {
        PreviewProcess preview(home, project);
        ASSERT_TRUE(preview.isReady()) << preview.output().toStdString();
        const QString holder = QStringLiteral("zanfira-cli (computer ");
        const QString pid = QStringLiteral("processo %1)").arg(preview.pid());
        for (const QStringList &args :
             {QStringList{QStringLiteral("sql"), project} + sqlUpdate(20),
              QStringList{QStringLiteral("upgrade"), project},
              QStringList{QStringLiteral("import"), project, home.file(QStringLiteral("nessuno.txt"))},
              QStringList{QStringLiteral("preview"), project, QStringLiteral("--port"), QStringLiteral("0")}}) {
            const CliRun r = runCli(home, args);
            EXPECT_EQ(r.code, 1) << args.first().toStdString();
            EXPECT_TRUE(r.err.startsWith(QStringLiteral("Il progetto è già in uso da ") + holder))
                << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(pid)) << r.err.toStdString();
        }
        // Reading is never refused.
        EXPECT_EQ(runCli(home, {QStringLiteral("sql"), project, QStringLiteral("SELECT COUNT(*) FROM Lingue")}).code, 0);
        ASSERT_TRUE(preview.stop());
    }
    // Once it has ended the project is free, and a change stays.
    ASSERT_EQ(runCli(home, QStringList{QStringLiteral("sql"), project} + sqlUpdate(30)).code, 0);
    EXPECT_EQ(price(project).toDouble(), 30.0);
    EXPECT_FALSE(QFileInfo::exists(project + QStringLiteral("/db/backup.mdb")));
}

TEST(CliProjectLockTest, ACrashedPreviewBlocksNobodyAndItsCopyNeverUndoesALaterChange)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("demo"), project}).code, 0);
    ASSERT_EQ(runCli(home, QStringList{QStringLiteral("sql"), project} + sqlUpdate(10)).code, 0);
    {
        PreviewProcess preview(home, project);
        ASSERT_TRUE(preview.isReady()) << preview.output().toStdString();
        // What a previewed page would write into the database.
        {
            Database db(project + QStringLiteral("/db/database.mdb"));
            db.execute(QStringLiteral("UPDATE ProdottiLingue SET Prezzo1=99 WHERE IDProdotto=1 AND CodiceLingua='it'"));
        }
        preview.crash();
    }
    ASSERT_TRUE(QFileInfo::exists(project + QStringLiteral("/db/backup.mdb")));
    ASSERT_TRUE(QFileInfo::exists(project + QStringLiteral("/db/sync.lck")));

    // The dead preview's lock is taken over; its copy goes back first, then the change.
    const CliRun r = runCli(home, QStringList{QStringLiteral("sql"), project} + sqlUpdate(40));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("Ripristinata la copia del database"))) << r.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(project + QStringLiteral("/db/backup.mdb")));
    EXPECT_EQ(price(project).toDouble(), 40.0);
}

TEST(CliProjectLockTest, TheDesktopClientsLockIsRespectedAndNewProjectsAreLocked)
{
    TempDir home;
    const QString project = home.file(QStringLiteral("negozio"));
    ASSERT_EQ(runCli(home, {QStringLiteral("new"), project}).code, 0);
    // This process plays the client that has the project open.
    QLockFile client(project + QStringLiteral("/db/sync.lck"));
    client.setStaleLockTime(0);
    ASSERT_TRUE(client.tryLock(0));
    const CliRun r = runCli(home, QStringList{QStringLiteral("sql"), project} + sqlUpdate(1));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("processo %1)").arg(QCoreApplication::applicationPid())))
        << r.err.toStdString();

    // A folder being filled by someone else is not filled twice.
    const QString other = home.file(QStringLiteral("altro"));
    ASSERT_TRUE(QDir().mkpath(other + QStringLiteral("/db")));
    QLockFile creating(other + QStringLiteral("/db/sync.lck"));
    ASSERT_TRUE(creating.tryLock(0));
    const CliRun n = runCli(home, {QStringLiteral("new"), other});
    EXPECT_EQ(n.code, 1);
    EXPECT_FALSE(QFileInfo::exists(other + QStringLiteral("/db/database.mdb")));
}

TEST(CliProjectLockTest, NewProjectsJoinTheRecentListOnlyWhenAsked)
{
    TempDir home;
    const QString settings = home.file(QStringLiteral(".config/Brellix/Zanfira50.conf"));
    auto recent = [&] {
        QSettings s(settings, QSettings::IniFormat);
        s.beginGroup(QStringLiteral("LRUProjects"));
        QStringList values;
        for (const QString &key : s.childKeys())
            values << s.value(key).toString();
        return values;
    };
    ASSERT_EQ(runCli(home, {QStringLiteral("new"), home.file(QStringLiteral("uno"))}).code, 0);
    EXPECT_TRUE(recent().isEmpty());
    const CliRun r = runCli(home, {QStringLiteral("new"), QStringLiteral("--recent"), home.file(QStringLiteral("due"))});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(recent(), QStringList{QFileInfo(home.file(QStringLiteral("due"))).absoluteFilePath()});
}
