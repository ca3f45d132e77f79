#include "ProjectTestSupport.h"
#include "common/ScriptedUiPort.h"
#include "common/TempDir.h"
#include "common/TempProject.h"

#include "data/DatabaseFiles.h"
#include "project/LockWatcher.h"
#include "project/ProjectLock.h"
#include "project/ProjectSession.h"
#include "project/RecentProjects.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using projecttest::execSql;
using projecttest::fileHash;
using projecttest::scalarInt;
using projecttest::scalarText;
using projecttest::writeFile;
using Icon = UiPort::Icon;
using Result = ProjectSession::OpenResult;

namespace {

class ProjectSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        projecttest::clearRecentProjects();
        ui->setStrict(true);
    }
    void TearDown() override { projecttest::clearRecentProjects(); }

    ScopedScriptedUi ui;
    RecentProjects recent;
    ProjectSession session{TempProject::testProgramFolder(), recent};
};

// A chooser that must not be called.
ProjectChoice noChooser()
{
    ADD_FAILURE() << "the Progetti dialog was shown";
    return {};
}

// --- start-up -----------------------------------------------------------------

TEST_F(ProjectSessionTest, FirstStartAsksAndCreatesTheChosenProject)
{
    int asked = 0;
    EXPECT_EQ(session.startUp([&] { ++asked; return ProjectChoice{}; }), Result::Cancelled);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(session.isOpen());
    EXPECT_TRUE(ui->calls().empty());

    TempDir dir;
    const QString path = dir.file(QStringLiteral("negozio"));
    ASSERT_TRUE(QDir().mkdir(path));
    const Result r = session.startUp([&] {
        ++asked;
        return ProjectChoice{ProjectChoice::Kind::Create, path};
    });
    EXPECT_EQ(r, Result::Opened);
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().text, ProjectCreator::NoticeText);
    EXPECT_EQ(ui->lastMessage().icon, Icon::Information);
    EXPECT_EQ(session.windowTitle(), QStringLiteral("Zanfira - [negozio]"));
    EXPECT_EQ(recent.newest(), path);
    EXPECT_TRUE(session.database().isOpen());
}

TEST_F(ProjectSessionTest, StartUpReopensTheNewestProjectWithoutAsking)
{
    TempProject older(QStringLiteral("vecchio"));
    TempProject newer(QStringLiteral("nuovo"));
    recent.add(older.path());
    recent.add(newer.path());
    QString title;
    session.hooks().titleChanged = [&](const QString &t) { title = t; };

    EXPECT_EQ(session.startUp(noChooser), Result::Opened);
    EXPECT_EQ(session.folder().path(), newer.path());
    EXPECT_EQ(title, QStringLiteral("Zanfira - [nuovo]"));
    EXPECT_TRUE(ui->calls().empty());
    EXPECT_EQ(session.languages().currentLanguageCode(), QStringLiteral("it"));
    EXPECT_TRUE(session.languages().isDefaultLanguage());
    // The program folder is recorded beside the list.
    QSettings settings(RecentProjects::Organisation, RecentProjects::Application);
    EXPECT_EQ(settings.value(ProjectSession::InstallationFolderKey).toString(),
              TempProject::testProgramFolder().path());
}

TEST_F(ProjectSessionTest, DeletedRecentFolderIsReportedAndLeavesTheList)
{
    TempProject kept(QStringLiteral("resta"));
    TempDir dir;
    const QString gone = dir.file(QStringLiteral("cancellato"));
    recent.add(kept.path());
    recent.add(gone);

    EXPECT_EQ(session.startUp(noChooser), Result::NotOpened);
    EXPECT_FALSE(session.isOpen());
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::MissingProjectText);
    EXPECT_EQ(ui->lastMessage().icon, Icon::Stop);
    EXPECT_EQ(recent.values(), QStringList{kept.path()});
    EXPECT_EQ(session.windowTitle(), QStringLiteral("Zanfira"));
}

TEST_F(ProjectSessionTest, RecentEntryNamingAFileIsRefusedAndTheFileKept)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("progetto.txt"));
    ASSERT_TRUE(writeFile(file, "not a project"));
    recent.add(file);

    EXPECT_EQ(session.startUp(noChooser), Result::NotOpened);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::InvalidProjectText);
    EXPECT_TRUE(recent.values().isEmpty());
    EXPECT_TRUE(QFileInfo(file).isFile());
}

TEST_F(ProjectSessionTest, OpenCommandClosesTheProjectAndValidatesTheChoice)
{
    TempProject first(QStringLiteral("primo"));
    ASSERT_EQ(session.openProject(first.path()), Result::Opened);
    TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("vuota/db")));
    const Result r = session.openCommand([&] {
        EXPECT_FALSE(session.isOpen());
        EXPECT_EQ(session.windowTitle(), QStringLiteral("Zanfira"));
        return ProjectChoice{ProjectChoice::Kind::Open, dir.file(QStringLiteral("vuota"))};
    });
    EXPECT_EQ(r, Result::NotOpened);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::InvalidProjectText);
    EXPECT_FALSE(session.isOpen());
}

TEST_F(ProjectSessionTest, NewCommandCancelledKeepsTheOpenProject)
{
    TempProject first(QStringLiteral("primo"));
    ASSERT_EQ(session.openProject(first.path()), Result::Opened);
    EXPECT_EQ(session.newCommand([] { return QString(); }), Result::Cancelled);
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(session.windowTitle(), QStringLiteral("Zanfira - [primo]"));
}

// --- lock file ----------------------------------------------------------------

TEST_F(ProjectSessionTest, LockWaitNamesTheHolderAndEndsWhenItLetsGo)
{
    TempProject project;
    auto holder = std::make_unique<ProjectLock>(project.folder());
    ASSERT_EQ(holder->tryAcquire(), ProjectLock::Result::Acquired);
    int waits = 0;
    session.hooks().waitForLock = [&](LockWatcher &watcher, const QString &text) {
        ++waits;
        EXPECT_TRUE(text.contains(QStringLiteral("processo %1").arg(QCoreApplication::applicationPid())))
            << text.toStdString();
        std::thread releaser([&holder] {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            holder->release();
        });
        // As the wait dialog does: run until the watcher reports.
        QEventLoop loop;
        QObject::connect(&watcher, &LockWatcher::released, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        releaser.join();
        return watcher.isReleased();
    };
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_EQ(waits, 1);
    // Now the session holds the project: nobody else may take it.
    ProjectLock other(project.folder());
    EXPECT_EQ(other.tryAcquire(), ProjectLock::Result::Held);
    session.closeProject();
    EXPECT_EQ(other.tryAcquire(), ProjectLock::Result::Acquired);
}

TEST_F(ProjectSessionTest, GivingUpTheLockWaitOpensNothing)
{
    TempProject project;
    ProjectLock holder(project.folder());
    ASSERT_EQ(holder.tryAcquire(), ProjectLock::Result::Acquired);
    const QByteArray before = fileHash(project.folder().database());
    session.hooks().waitForLock = [](LockWatcher &, const QString &) { return false; };
    EXPECT_EQ(session.openProject(project.path()), Result::Abandoned);
    EXPECT_FALSE(session.isOpen());
    EXPECT_TRUE(holder.isAcquired());
    EXPECT_EQ(fileHash(project.folder().database()), before);
    EXPECT_EQ(session.windowTitle(), QStringLiteral("Zanfira"));
}

TEST_F(ProjectSessionTest, WithoutAWaitTheHolderIsNamedAndAFailedOpenKeepsNoLock)
{
    TempProject project;
    {
        ProjectLock holder(project.folder());
        ASSERT_EQ(holder.tryAcquire(), ProjectLock::Result::Acquired);
        EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
        ASSERT_EQ(ui->messages().size(), 1u);
        EXPECT_TRUE(ui->messages().front().text.startsWith(QStringLiteral("Il progetto è già in uso da ")));
        EXPECT_EQ(ui->messages().front().icon, Icon::Stop);
    }
    // A project that fails to open later on (damaged database) lets go of the lock.
    ASSERT_TRUE(writeFile(project.folder().database(), "not a database"));
    EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
    ProjectLock after(project.folder());
    EXPECT_EQ(after.tryAcquire(), ProjectLock::Result::Acquired);
}

TEST(LockWatcher, StopsAtOnceAndNeverReportsToAClosedDialog)
{
    TempProject project;
    auto holder = std::make_unique<ProjectLock>(project.folder());
    ASSERT_EQ(holder->tryAcquire(), ProjectLock::Result::Acquired);
    int reports = 0;
    {
        auto *dialog = new QObject;
        LockWatcher watcher(project.folder(), 60000);
        QObject::connect(&watcher, &LockWatcher::released, dialog, [&] { ++reports; });
        watcher.start();
        QElapsedTimer clock;
        clock.start();
        delete dialog;        // the user closes the dialog first
        watcher.stop();
        EXPECT_LT(clock.elapsed(), 2000);
        holder->release();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(reports, 0);

    // Released while the owner is not yet listening: waitReleased still sees it.
    LockWatcher again(project.folder(), 5);
    EXPECT_TRUE(again.waitReleased(1000));
    ASSERT_EQ(holder->tryAcquire(), ProjectLock::Result::Acquired);
    LockWatcher held(project.folder(), 5);
    EXPECT_FALSE(held.waitReleased(100));
}

// --- leftover backup, damaged and read-only files --------------------------------

TEST_F(ProjectSessionTest, LeftoverBackupReplacesTheDatabase)
{
    TempProject project;
    const ProjectFolder &f = project.folder();
    ASSERT_TRUE(QFile::copy(f.database(), f.backup()));
    execSql(f.database(), QStringLiteral("UPDATE Valute SET Nome='Modificata'"));

    ASSERT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_FALSE(QFileInfo::exists(f.backup()));
    EXPECT_EQ(session.database().scalar(QStringLiteral("SELECT Nome FROM Valute WHERE ID=1")).toString(),
              QStringLiteral("Euro"));
}

TEST_F(ProjectSessionTest, DamagedBackupKeepsBothFiles)
{
    TempProject project;
    const ProjectFolder &f = project.folder();
    ASSERT_TRUE(writeFile(f.backup(), QByteArray(4096, 'x')));
    const QByteArray db = fileHash(f.database());
    const QByteArray backup = fileHash(f.backup());

    EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
    EXPECT_EQ(ui->lastMessage().icon, Icon::Stop);
    EXPECT_TRUE(ui->lastMessage().text.contains(f.backup()));
    EXPECT_EQ(fileHash(f.database()), db);
    EXPECT_EQ(fileHash(f.backup()), backup);
    EXPECT_FALSE(session.isOpen());
}

TEST_F(ProjectSessionTest, DamagedDatabasesAreRefusedUntouched)
{
    TempProject project;
    const QString path = project.folder().database();
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    const QList<QByteArray> damaged = {
        QByteArray("questo non è un database\n"),
        bytes.left(bytes.size() / 2),     // truncated
        QByteArray(),                     // empty
    };
    for (const QByteArray &content : damaged) {
        ASSERT_TRUE(writeFile(path, content));
        const QByteArray before = fileHash(path);
        ui->clearCalls();
        EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
        ASSERT_EQ(ui->messages().size(), 1u);
        EXPECT_TRUE(ui->lastMessage().text.startsWith(QStringLiteral("Il database del progetto non può essere usato")));
        EXPECT_EQ(fileHash(path), before);
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-wal")));
        EXPECT_FALSE(session.isOpen());
        EXPECT_EQ(session.windowTitle(), QStringLiteral("Zanfira"));
    }
}

TEST_F(ProjectSessionTest, ReadOnlyProjectIsRefused)
{
    TempProject project;
    const QByteArray before = fileHash(project.folder().database());
    projecttest::ReadOnlyFolder readOnly(project.folder().file(QStringLiteral("db")));
    if (!readOnly.ok())
        GTEST_SKIP() << "cannot make a folder read-only here";
    EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::readOnlyText(project.path()));
    EXPECT_EQ(fileHash(project.folder().database()), before);
}

// --- upgrade question -----------------------------------------------------------

TEST_F(ProjectSessionTest, OlderProjectAnsweredNoStaysClosedAndUnchanged)
{
    TempProject project;
    execSql(project.folder().database(), QStringLiteral("DROP TABLE SezioniArticoli"));
    const QByteArray before = fileHash(project.folder().database());
    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
    const auto messages = ui->messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, ProjectSession::UpgradeQuestion);
    EXPECT_EQ(messages[0].icon, Icon::Question);
    EXPECT_EQ(messages[1].text, ProjectSession::NotUpgradedText);
    EXPECT_EQ(messages[1].icon, Icon::Exclamation);
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(fileHash(project.folder().database()), before);
}

TEST_F(ProjectSessionTest, OlderProjectAnsweredYesIsUpgradedAndOpened)
{
    TempProject project;
    execSql(project.folder().database(), QStringLiteral("DROP TABLE SezioniArticoli"));
    ui->queueAnswer(UiPort::Answer::Yes);
    int runs = 0;
    session.hooks().runUpgrade = [&](DatabaseUpgrade &upgrade) {
        ++runs;
        return upgrade.run();
    };
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ui->messages().at(1).text, ProjectSession::UpgradeDoneText);
    EXPECT_TRUE(session.database().tableExists(QStringLiteral("SezioniArticoli")));
    EXPECT_TRUE(project.folder().tempDatabaseFiles().isEmpty());
}

TEST_F(ProjectSessionTest, CancelledUpgradeLeavesNoProject)
{
    TempProject project;
    execSql(project.folder().database(), QStringLiteral("DROP TABLE SezioniArticoli"));
    ui->queueAnswer(UiPort::Answer::Yes);
    session.hooks().runUpgrade = [](DatabaseUpgrade &upgrade) {
        upgrade.setProgress({.pump = [&upgrade] { upgrade.cancel(); }});
        return upgrade.run();
    };
    EXPECT_EQ(session.openProject(project.path()), Result::NotOpened);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::NotUpgradedText);
    EXPECT_FALSE(session.isOpen());
}

// --- external data, languages, exit ------------------------------------------------

TEST_F(ProjectSessionTest, ExternalDataFolderRules)
{
    TempProject project;
    TempDir external;
    QStringList imported;
    session.hooks().importExternalData = [&](const QString &, const QString &folder) { imported << folder; };

    // A folder that is not there: said, and the project opens all the same.
    const QString missing = external.file(QStringLiteral("manca"));
    ASSERT_TRUE(writeFile(project.folder().pathIni(), missing.toUtf8() + "\r\nseconda riga\r\n"));
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::externalFolderMissingText(missing));
    EXPECT_EQ(ui->lastMessage().icon, Icon::Exclamation);

    // A folder without g* entries: nothing is asked.
    ASSERT_TRUE(writeFile(project.folder().pathIni(), external.path().toUtf8() + "\n"));
    ASSERT_TRUE(writeFile(external.file(QStringLiteral("altro.txt")), "x"));
    ui->clearCalls();
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_TRUE(ui->calls().empty());

    // Files already imported (renamed to end in .OK, in any case) ask
    // nothing either.
    ASSERT_TRUE(writeFile(external.file(QStringLiteral("g0000.txt.OK")), "x"));
    ui->clearCalls();
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_TRUE(ui->calls().empty());
    ASSERT_TRUE(writeFile(external.file(QStringLiteral("g0001.txt.ok")), "x"));
    ui->clearCalls();
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_TRUE(ui->calls().empty());

    // With a g* entry the question comes; No imports nothing, Yes imports.
    ASSERT_TRUE(writeFile(external.file(QStringLiteral("G0001.dat")), "x"));
    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::ExternalDataQuestion);
    EXPECT_TRUE(imported.isEmpty());
    ui->queueAnswer(UiPort::Answer::Yes);
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_EQ(imported, QStringList{external.path()});
}

TEST_F(ProjectSessionTest, NoActiveLanguageWarnsAndOpensTheLanguagesEditor)
{
    TempProject project;
    execSql(project.folder().database(), QStringLiteral("UPDATE Lingue SET Attivo=0"));
    int editors = 0;
    session.hooks().openLanguagesEditor = [&] { ++editors; };
    EXPECT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::NoLanguageText);
    EXPECT_EQ(ui->lastMessage().icon, Icon::Exclamation);
    EXPECT_EQ(editors, 1);
    EXPECT_TRUE(session.languages().isEmpty());
}

TEST_F(ProjectSessionTest, LanguagesAreSortedWithTheDefaultSelected)
{
    TempProject project;
    execSql(project.folder().database(), QStringLiteral(
        "UPDATE Lingue SET Attivo=1;"
        "INSERT INTO Lingue (ID, Attivo, Codice, Descrizione) VALUES (3, 1, 'de', 'tedesco');"
        "INSERT INTO Lingue (ID, Attivo, Codice, Descrizione) VALUES (4, 0, 'fr', 'Francese');"
        "UPDATE Configurazione SET IDLinguaPredefinita=2"));
    ASSERT_EQ(session.openProject(project.path()), Result::Opened);
    LanguageList &list = session.languages();
    EXPECT_EQ(list.displayTexts(), (QStringList{"Inglese", "Italiano", "tedesco"}));
    EXPECT_EQ(list.defaultLanguageCode(), QStringLiteral("en"));
    EXPECT_EQ(list.currentLanguageCode(), QStringLiteral("en"));
    EXPECT_TRUE(list.isDefaultLanguage());
    list.setCurrentRow(list.rowOfCode(QStringLiteral("de")));
    EXPECT_EQ(list.currentLanguageCode(), QStringLiteral("de"));
    EXPECT_FALSE(list.isDefaultLanguage());
    list.selectDefaultLanguage();
    EXPECT_EQ(list.currentLanguageCode(), QStringLiteral("en"));

    // A default language that is not active: the first row stands in.
    session.database().execute(QStringLiteral("UPDATE Lingue SET Attivo=FALSE WHERE ID=2"));
    EXPECT_TRUE(session.reloadLanguages());
    EXPECT_FALSE(list.hasConfiguredDefault());
    EXPECT_EQ(list.defaultLanguageCode(), QStringLiteral("it"));
    EXPECT_EQ(list.currentLanguageCode(), QStringLiteral("it"));

    session.closeProject();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(list.currentLanguageCode().isEmpty());
}

TEST_F(ProjectSessionTest, ExitReminderOnlyWithTheMarker)
{
    TempProject project;
    ASSERT_EQ(session.openProject(project.path()), Result::Opened);
    EXPECT_TRUE(session.confirmExit());
    EXPECT_TRUE(ui->calls().empty());

    ASSERT_TRUE(writeFile(project.folder().updateMarker(), ""));
    ui->queueAnswer(UiPort::Answer::Yes);
    EXPECT_FALSE(session.confirmExit());
    EXPECT_EQ(ui->lastMessage().title, ProjectSession::ExitReminderTitle);
    EXPECT_EQ(ui->lastMessage().text, ProjectSession::ExitReminderText);
    EXPECT_EQ(ui->lastMessage().icon, Icon::Exclamation);
    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_TRUE(session.confirmExit());
}

// --- copies for the preview and the designer -----------------------------------------

TEST_F(ProjectSessionTest, RestoreDiscardsChangesMadeSinceTheBackup)
{
    TempProject project;
    ASSERT_EQ(session.openProject(project.path()), Result::Opened);
    ASSERT_TRUE(session.backupDatabase());
    EXPECT_TRUE(QFileInfo::exists(project.folder().backup()));
    session.database().execute(QStringLiteral("UPDATE Valute SET Nome='Anteprima' WHERE ID=1"));
    ASSERT_TRUE(session.restoreDatabase());
    EXPECT_FALSE(QFileInfo::exists(project.folder().backup()));
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(session.database().scalar(QStringLiteral("SELECT Nome FROM Valute WHERE ID=1")).toString(),
              QStringLiteral("Euro"));
}

} // namespace

namespace {

// Restores the database in a child process killed at one step of the file
// replacement. Returns whether the child died by the signal.
bool restoreKilledAtStep(const TempProject &project, const QString &ini, int step)
{
    const pid_t pid = fork();
    if (pid == 0) {
        RecentProjects recent(ini);
        ProjectSession session(TempProject::testProgramFolder(), recent);
        if (session.openProject(project.path()) != ProjectSession::OpenResult::Opened || !session.backupDatabase())
            _exit(3);
        session.database().execute(QStringLiteral("UPDATE Valute SET Nome='Anteprima' WHERE ID=1"));
        DatabaseFiles::setStepHook([step](int s) {
            if (s == step)
                raise(SIGKILL);
        });
        session.restoreDatabase();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

TEST_F(ProjectSessionTest, KilledRestoreNeverLosesTheBackedUpDatabase)
{
    TempDir settings;
    const QString ini = settings.file(QStringLiteral("recent.ini"));
    int kills = 0;
    for (int step = 0; step < 8; ++step) {
        TempProject project;
        if (!restoreKilledAtStep(project, ini, step))
            continue;
        ++kills;
        // The next opening finds the copy taken before the change, whole.
        ui->clearCalls();
        ASSERT_EQ(session.openProject(project.path()), Result::Opened) << step;
        EXPECT_EQ(session.database().scalar(QStringLiteral("SELECT Nome FROM Valute WHERE ID=1")).toString(),
                  QStringLiteral("Euro")) << step;
        session.closeProject();
        EXPECT_EQ(scalarText(project.folder().database(), QStringLiteral("PRAGMA integrity_check")),
                  QStringLiteral("ok"));
    }
    EXPECT_GT(kills, 0);
}

} // namespace
