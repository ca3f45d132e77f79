#include "ProjectSession.h"

#include "data/DatabaseFiles.h"
#include "project/DatabaseProbe.h"
#include "project/LockWatcher.h"
#include "project/ProjectLock.h"
#include "project/RecentProjects.h"
#include "project/StructureCheck.h"
#include "support/UiPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

using Icon = UiPort::Icon;

// --- texts ----------------------------------------------------------------

QString ProjectSession::readOnlyText(const QString &path)
{
    return QStringLiteral("La cartella del progetto è in sola lettura:\n\n%1\n\n"
                          "Il progetto non può essere aperto finché non è possibile modificarne i file.")
        .arg(path);
}

QString ProjectSession::damagedDatabaseText(const QString &path, const QString &reason)
{
    return QStringLiteral("Il database del progetto non può essere usato:\n\n%1\n\n(%2)\n\n"
                          "Il progetto non è stato aperto e i suoi file non sono stati modificati.")
        .arg(path, reason);
}

QString ProjectSession::damagedBackupText(const QString &path, const QString &reason)
{
    return QStringLiteral("La copia del database lasciata da una chiusura non regolare "
                          "dell'anteprima o della progettazione grafica è danneggiata:\n\n%1\n\n(%2)\n\n"
                          "Il progetto non è stato aperto e i suoi file non sono stati modificati.")
        .arg(path, reason);
}

QString ProjectSession::recoveryFailedText(const QString &reason)
{
    return QStringLiteral("Impossibile ripristinare la copia del database del progetto:\n\n%1\n\n"
                          "Il progetto non è stato aperto.")
        .arg(reason);
}

QString ProjectSession::blankDatabaseText(const QString &path, const QString &reason)
{
    return QStringLiteral("Il database vuoto della cartella del programma non può essere letto:\n\n%1\n\n(%2)\n\n"
                          "Impossibile verificare la struttura del progetto, che non è stato aperto.")
        .arg(path, reason);
}

QString ProjectSession::upgradeFailedText(const QString &reason)
{
    return QStringLiteral("Errore durante l'aggiornamento del progetto:\n\n%1\n\n"
                          "Il database del progetto non è stato modificato.")
        .arg(reason);
}

QString ProjectSession::externalFolderMissingText(const QString &path)
{
    return QStringLiteral("La cartella dei dati esterni indicata nel file path.ini non esiste:\n\n%1")
        .arg(path);
}

QString ProjectSession::backupFailedText(const QString &reason)
{
    return QStringLiteral("Impossibile creare la copia di sicurezza del database:\n\n%1").arg(reason);
}

QString ProjectSession::restoreFailedText(const QString &reason)
{
    return QStringLiteral("Impossibile ripristinare la copia di sicurezza del database:\n\n%1\n\n"
                          "La copia è rimasta nel file db/backup.mdb e verrà ripristinata "
                          "alla prossima apertura del progetto.")
        .arg(reason);
}

// --- life -----------------------------------------------------------------

ProjectSession::ProjectSession(const ProgramFolder &program, RecentProjects &recent, ProjectHooks hooks)
    : m_program(program), m_recent(recent), m_hooks(std::move(hooks))
{
}

ProjectSession::~ProjectSession()
{
    m_db.close();
    m_lock.reset();
}

void ProjectSession::setTitle(const QString &title)
{
    m_title = title;
    if (m_hooks.titleChanged)
        m_hooks.titleChanged(title);
}

// --- start-up and commands ------------------------------------------------

ProjectSession::OpenResult ProjectSession::startUp(const std::function<ProjectChoice()> &chooseProject)
{
    m_recent.rememberProgramFolder(m_program.path());

    QString path = m_recent.newest();
    bool counts = false;
    if (path.isEmpty()) {
        const ProjectChoice choice = chooseProject ? chooseProject() : ProjectChoice();
        switch (choice.kind) {
        case ProjectChoice::Kind::Cancel:
            return OpenResult::Cancelled;
        case ProjectChoice::Kind::Create:
            if (choice.path.isEmpty())
                return OpenResult::Cancelled;
            path = choice.path;
            createProject(path);
            counts = true;
            break;
        case ProjectChoice::Kind::Open:
            path = choice.path;
            break;
        }
    }
    if (path.isEmpty())
        return OpenResult::Cancelled;
    if (!counts && !acceptProjectFolder(path))
        return OpenResult::NotOpened;
    return openProject(path);
}

ProjectSession::OpenResult ProjectSession::openCommand(const std::function<ProjectChoice()> &chooseProject)
{
    closeProject();
    const ProjectChoice choice = chooseProject ? chooseProject() : ProjectChoice();
    switch (choice.kind) {
    case ProjectChoice::Kind::Cancel:
        return OpenResult::Cancelled;
    case ProjectChoice::Kind::Create:
        if (choice.path.isEmpty())
            return OpenResult::Cancelled;
        createProject(choice.path);
        return openProject(choice.path);
    case ProjectChoice::Kind::Open:
        if (choice.path.isEmpty())
            return OpenResult::Cancelled;
        if (!acceptProjectFolder(choice.path))
            return OpenResult::NotOpened;
        return openProject(choice.path);
    }
    return OpenResult::Cancelled;
}

ProjectSession::OpenResult ProjectSession::newCommand(const std::function<QString()> &chooseNewFolder)
{
    const QString path = chooseNewFolder ? chooseNewFolder() : QString();
    if (path.isEmpty()) {
        if (!m_open)
            setTitle(AppTitle);
        return OpenResult::Cancelled;
    }
    closeProject();
    createProject(path);
    return openProject(path);
}

bool ProjectSession::acceptProjectFolder(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        ui().tell(AppTitle, MissingProjectText, Icon::Stop);
        m_recent.remove(path);
        return false;
    }
    if (!ProjectFolder(path).looksLikeProject()) {
        // Also a recent entry that names a file: the entry goes, the file stays.
        ui().tell(AppTitle, InvalidProjectText, Icon::Stop);
        m_recent.remove(path);
        return false;
    }
    m_recent.add(path);
    return true;
}

ProjectCreator::Report ProjectSession::createProject(const QString &path, bool notify)
{
    const ProjectCreator::Report report = ProjectCreator::create(ProjectFolder(path), m_program);
    m_recent.add(path);
    if (notify)
        ui().tell(ProjectCreator::NoticeTitle,
                  m_hooks.newProjectNotice ? m_hooks.newProjectNotice() : ProjectCreator::NoticeText,
                  Icon::Information);
    return report;
}

// --- opening ----------------------------------------------------------------

ProjectSession::OpenResult ProjectSession::openProject(const QString &path)
{
    closeProject();
    m_project = ProjectFolder(path);
    m_abandoned = false;
    // A project that does not open is not kept locked.
    struct ReleaseUnlessOpen {
        ProjectSession &session;
        ~ReleaseUnlessOpen()
        {
            if (!session.m_open)
                session.m_lock.reset();
        }
    } releaseUnlessOpen{*this};

    // A project whose database cannot be written cannot be edited, recovered
    // or upgraded: refuse it before touching anything.
    const QFileInfo dbFolder(m_project.file(QStringLiteral("db")));
    const QFileInfo dbFile(m_project.database());
    if (!dbFolder.isWritable() || (dbFile.exists() && !dbFile.isWritable())) {
        ui().tell(AppTitle, readOnlyText(m_project.path()), Icon::Stop);
        return OpenResult::NotOpened;
    }

    // Nothing else writes the project while it is open here: no command-line
    // import, statement or preview, no second client.
    if (!takeLock())
        return m_abandoned ? OpenResult::Abandoned : OpenResult::NotOpened;

    if (!recoverBackup())
        return OpenResult::NotOpened;

    const DatabaseProbe::State state = DatabaseProbe::check(m_project.database());
    if (state != DatabaseProbe::State::Ok) {
        ui().tell(AppTitle, damagedDatabaseText(m_project.database(), DatabaseProbe::describe(state)),
                  Icon::Stop);
        return OpenResult::NotOpened;
    }

    if (!checkStructure())
        return OpenResult::NotOpened;

    setTitle(QStringLiteral("%1 - [%2]").arg(AppTitle, m_project.name()));

    checkExternalData();

    if (!openDatabase()) {
        setTitle(AppTitle);
        return OpenResult::NotOpened;
    }
    m_open = true;

    bool anyLanguage = false;
    try {
        anyLanguage = m_languages.load(m_db);
    } catch (const DataError &e) {
        ui().tell(AppTitle, damagedDatabaseText(m_project.database(), e.text()), Icon::Stop);
        closeProject();
        return OpenResult::NotOpened;
    }
    if (m_hooks.languagesChanged)
        m_hooks.languagesChanged();
    if (!anyLanguage) {
        ui().tell(AppTitle, NoLanguageText, Icon::Exclamation);
        if (m_hooks.openLanguagesEditor)
            m_hooks.openLanguagesEditor();
    }
    return OpenResult::Opened;
}

bool ProjectSession::takeLock()
{
    auto lock = std::make_unique<ProjectLock>(m_project);
    for (;;) {
        switch (lock->tryAcquire()) {
        case ProjectLock::Result::Acquired:
            m_lock = std::move(lock);
            return true;
        case ProjectLock::Result::Failed:
            ui().tell(AppTitle, lock->refusalText(), Icon::Stop);
            return false;
        case ProjectLock::Result::Held:
            break;
        }
        if (!m_hooks.waitForLock) {
            ui().tell(AppTitle, lock->refusalText(), Icon::Stop);
            return false;
        }
        LockWatcher watcher(m_project);
        watcher.start();
        const bool released = m_hooks.waitForLock(watcher, lock->refusalText());
        watcher.stop();
        if (!released) {
            m_abandoned = true;
            return false;
        }
        // Free now; another process may still come first, then wait again.
    }
}

bool ProjectSession::recoverLeftoverBackup(const ProjectFolder &project, QString *error)
{
    if (!project.hasBackup())
        return true;
    const DatabaseProbe::State state = DatabaseProbe::check(project.backup());
    if (state != DatabaseProbe::State::Ok) {
        *error = damagedBackupText(project.backup(), DatabaseProbe::describe(state));
        return false;
    }
    try {
        DatabaseFiles::replace(project.backup(), project.database());
    } catch (const DataError &e) {
        *error = recoveryFailedText(e.text());
        return false;
    }
    return true;
}

bool ProjectSession::recoverBackup()
{
    QString error;
    if (recoverLeftoverBackup(m_project, &error))
        return true;
    ui().tell(AppTitle, error, Icon::Stop);
    return false;
}

bool ProjectSession::checkStructure()
{
    const QString blankPath = m_program.blankDatabase();
    const DatabaseProbe::State blankState = DatabaseProbe::check(blankPath);
    if (blankState != DatabaseProbe::State::Ok) {
        ui().tell(AppTitle, blankDatabaseText(blankPath, DatabaseProbe::describe(blankState)), Icon::Stop);
        return false;
    }

    StructureCheck::Result check;
    {
        Database blank;
        try {
            blank.open(blankPath, Database::OpenMode::ReadOnly);
        } catch (const DataError &e) {
            ui().tell(AppTitle, blankDatabaseText(blankPath, e.text()), Icon::Stop);
            return false;
        }
        try {
            Database project(m_project.database(), StructureCheck::readModeFor(m_project.database()));
            check = StructureCheck::compare(blank, project);
        } catch (const DataError &e) {
            ui().tell(AppTitle, damagedDatabaseText(m_project.database(), e.text()), Icon::Stop);
            return false;
        }
    }
    if (!check.upgradeNeeded)
        return true;

    if (!ui().ask(AppTitle, UpgradeQuestion)) {
        ui().tell(AppTitle, NotUpgradedText, Icon::Exclamation);
        return false;
    }
    DatabaseUpgrade upgrade(m_program, m_project);
    const DatabaseUpgrade::Result result =
        m_hooks.runUpgrade ? m_hooks.runUpgrade(upgrade) : upgrade.run();
    if (result == DatabaseUpgrade::Result::Done) {
        ui().tell(AppTitle, UpgradeDoneText, Icon::Information);
        return true;
    }
    if (result == DatabaseUpgrade::Result::Failed)
        ui().tell(DatabaseUpgrade::Title, upgradeFailedText(upgrade.errorText()), Icon::Stop);
    ui().tell(AppTitle, NotUpgradedText, Icon::Exclamation);
    return false;
}

void ProjectSession::checkExternalData()
{
    QFile ini(m_project.pathIni());
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&ini);
    const QString line = in.readLine().trimmed();
    ini.close();
    if (line.isEmpty())
        return;

    const QString folder = QDir(m_project.path()).absoluteFilePath(line);
    if (!QFileInfo(folder).isDir()) {
        ui().tell(AppTitle, externalFolderMissingText(folder), Icon::Exclamation);
        return;
    }
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("g*")});
    dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    // Files already imported end in ".ok"; they alone must not bring the
    // question back at every opening.
    const QStringList entries = dir.entryList();
    const bool pending = std::any_of(entries.begin(), entries.end(), [](const QString &name) {
        return !name.endsWith(QStringLiteral(".ok"), Qt::CaseInsensitive);
    });
    if (!pending)
        return;
    if (!m_hooks.importExternalData)
        return;
    if (ui().ask(AppTitle, ExternalDataQuestion))
        m_hooks.importExternalData(m_project.path(), folder);
}

bool ProjectSession::openDatabase()
{
    try {
        m_db.open(m_project.database(), Database::OpenMode::ReadWrite);
    } catch (const DataError &e) {
        ui().tell(AppTitle, damagedDatabaseText(m_project.database(), e.text()), Icon::Stop);
        return false;
    }
    return true;
}

void ProjectSession::closeProject()
{
    const bool hadLanguages = !m_languages.isEmpty();
    m_db.close();
    m_open = false;
    m_lock.reset();
    m_languages.reset();
    if (hadLanguages && m_hooks.languagesChanged)
        m_hooks.languagesChanged();
    if (m_title != AppTitle)
        setTitle(AppTitle);
}

bool ProjectSession::reloadLanguages()
{
    if (!m_open)
        return false;
    bool any = false;
    try {
        any = m_languages.load(m_db);
    } catch (const DataError &) {
        any = false;
    }
    if (m_hooks.languagesChanged)
        m_hooks.languagesChanged();
    return any;
}

// --- database copies --------------------------------------------------------

bool ProjectSession::backupDatabase()
{
    return withDatabaseClosed([this] {
        DatabaseFiles::backup(m_project.database(), m_project.backup());
    }, &ProjectSession::backupFailedText);
}

bool ProjectSession::restoreDatabase()
{
    return withDatabaseClosed([this] {
        if (m_project.hasBackup())
            DatabaseFiles::replace(m_project.backup(), m_project.database());
    }, &ProjectSession::restoreFailedText);
}

bool ProjectSession::withDatabaseClosed(const std::function<void()> &fileWork,
                                        QString (*failedText)(const QString &))
{
    if (!m_open)
        return false;
    m_db.close();
    bool ok = true;
    try {
        fileWork();
    } catch (const DataError &e) {
        ok = false;
        ui().tell(AppTitle, failedText(e.text()), Icon::Stop);
    }
    if (!openDatabase()) {
        m_open = false;
        return false;
    }
    return ok;
}

// --- closing ----------------------------------------------------------------

bool ProjectSession::confirmExit()
{
    if (m_project.isEmpty() || !m_project.hasUpdateMarker())
        return true;
    const UiPort::Answer answer =
        ui().message(ExitReminderTitle, ExitReminderText, Icon::Exclamation, UiPort::Buttons::YesNo);
    return answer != UiPort::Answer::Yes;
}
