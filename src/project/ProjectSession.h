#pragma once

#include "data/Database.h"
#include "project/DatabaseUpgrade.h"
#include "project/LanguageList.h"
#include "project/ProgramFolder.h"
#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"

#include <QString>

#include <functional>
#include <memory>

class LockWatcher;
class ProjectLock;
class RecentProjects;

// What the "Progetti" dialog (or the command line) chose.
struct ProjectChoice {
    enum class Kind { Cancel, Create, Open };
    Kind kind = Kind::Cancel;
    // Create: the folder the new-project dialog made; Open: the folder
    // chosen (may be empty when the folder chooser was cancelled).
    QString path;
};

// The window layer plugs in here; the command line and the tests plug in
// their own. Every hook is optional.
struct ProjectHooks {
    // Called while another live process holds the project's lock, with the
    // watcher already running and the text that names the holder. Returns
    // true once the lock is free, false when the user gives up ("Chiudi
    // Zanfira"). Without a hook the holder is named and nothing is opened.
    std::function<bool(LockWatcher &watcher, const QString &holderText)> waitForLock;
    // Runs the upgrade ("Aggiornamento progetto" with its progress bars and
    // "Annulla"): connect the progress, call run(), return its result.
    // Without a hook the upgrade runs with no progress shown.
    std::function<DatabaseUpgrade::Result(DatabaseUpgrade &upgrade)> runUpgrade;
    // Imports the external data of folder ("Import automatico"). Without a
    // hook the external data check asks nothing.
    std::function<void(const QString &projectPath, const QString &folder)> importExternalData;
    // Opens the "Lingue" editor exactly as its menu command does.
    std::function<void()> openLanguagesEditor;
    // The notice shown once a new project exists (ProjectCreator::NoticeText
    // without a hook).
    std::function<QString()> newProjectNotice;
    // The main window's title changed.
    std::function<void(const QString &title)> titleChanged;
    // The language list was loaded or emptied: refill the selector.
    std::function<void()> languagesChanged;
};

// The project that is open at a time: its folder, its one database
// connection, its active languages, and the rules that open, create, close,
// back up and restore it. Every message goes through the UI port; windows
// come in only through the hooks.
class ProjectSession {
public:
    enum class OpenResult {
        Opened,      // the project is open and its database usable
        NotOpened,   // the user has been told why; no project is open
        Abandoned,   // the user gave up waiting for the lock: at start-up the program ends
        Cancelled    // a dialog was cancelled; nothing changed
    };

    static inline const QString AppTitle = QStringLiteral("Zanfira");

    // Texts of the flow.
    static inline const QString MissingProjectText =
        QStringLiteral("Il progetto non esiste più nella cartella specificata.");
    static inline const QString InvalidProjectText =
        QStringLiteral("La cartella selezionata non contiene un progetto valido.");
    static inline const QString UpgradeQuestion = QStringLiteral(
        "Il progetto è stato creato con una versione precedente di Zanfira\n"
        "ed è pertanto necessario aggiornarlo alla nuova versione.\n\nVuoi farlo ora?");
    static inline const QString UpgradeDoneText = QStringLiteral("Aggiornamento effettuato con successo.");
    static inline const QString NotUpgradedText =
        QStringLiteral("Il progetto non è stato aggiornato e pertanto non può essere aperto.");
    static inline const QString ExternalDataQuestion =
        QStringLiteral("Sono disponibili dati esterni da importare\n\nVuoi farlo ora?");
    static inline const QString NoLanguageText = QStringLiteral(
        "Nessuna lingua attiva.\nE' necessario attivare almeno una lingua per poter proseguire.");
    static inline const QString ExitReminderTitle = QStringLiteral("Aggiornamento sito");
    static inline const QString ExitReminderText = QStringLiteral(
        "E' stato modificato l'archivio dati ed e' pertanto necessario aggiornare il sito.\n\n"
        "Vuoi farlo ora?");
    static inline const QString InstallationFolderKey = QStringLiteral("CartellaInstallazione");

    // Texts of our own for inputs the flow must refuse (each with %1 = path
    // and, where present, %2 = the reason).
    static QString readOnlyText(const QString &path);
    static QString damagedDatabaseText(const QString &path, const QString &reason);
    static QString damagedBackupText(const QString &path, const QString &reason);
    static QString recoveryFailedText(const QString &reason);
    static QString blankDatabaseText(const QString &path, const QString &reason);
    static QString upgradeFailedText(const QString &reason);
    static QString externalFolderMissingText(const QString &path);
    static QString backupFailedText(const QString &reason);
    static QString restoreFailedText(const QString &reason);

    // Puts back the database copy that a preview or designer window left
    // when it did not close normally (it wins over the database, but only
    // if it is a whole database). Every process that writes a project does
    // this first, once it holds the project's lock. False with the reason
    // in *error (one of the texts above).
    static bool recoverLeftoverBackup(const ProjectFolder &project, QString *error);

    ProjectSession(const ProgramFolder &program, RecentProjects &recent, ProjectHooks hooks = {});
    ~ProjectSession();
    ProjectSession(const ProjectSession &) = delete;
    ProjectSession &operator=(const ProjectSession &) = delete;

    ProjectHooks &hooks() { return m_hooks; }
    const ProgramFolder &programFolder() const { return m_program; }
    RecentProjects &recentProjects() { return m_recent; }

    // --- the start-up and the two commands ----------------------------------
    // Start-up: records the program folder in the settings, reopens the
    // newest recent project or, without one, asks chooseProject (the
    // "Progetti" dialog). A created project is filled and opened.
    OpenResult startUp(const std::function<ProjectChoice()> &chooseProject);
    // "Apri...": closes the open project, then as start-up without the
    // recent list.
    OpenResult openCommand(const std::function<ProjectChoice()> &chooseProject);
    // "Nuovo": chooseNewFolder runs the new-project dialog and returns the
    // folder it created (empty when cancelled; the open project then stays).
    OpenResult newCommand(const std::function<QString()> &chooseNewFolder);

    // --- the steps ----------------------------------------------------------
    // Checks a chosen or recent folder: a missing folder or one that is not
    // a project is reported and leaves the recent list; a good one moves to
    // its newest place. Returns whether it may be opened.
    bool acceptProjectFolder(const QString &path);
    // Fills a new project folder and puts it on the recent list; with
    // notify, tells the user to configure the parameters first.
    ProjectCreator::Report createProject(const QString &path, bool notify = true);
    // Opens the project of path: lock wait, recovery of a leftover backup,
    // structure check and upgrade, title, external data, database, languages.
    OpenResult openProject(const QString &path);
    // Closes the database connection, empties the languages and releases
    // the project's lock.
    void closeProject();

    bool isOpen() const { return m_open; }
    const ProjectFolder &folder() const { return m_project; }
    Database &database() { return m_db; }
    LanguageList &languages() { return m_languages; }
    const LanguageList &languages() const { return m_languages; }
    // "Zanfira - [name]" while a project is open, "Zanfira" otherwise.
    QString windowTitle() const { return m_title; }
    // Reloads the languages (after the "Lingue" editor closes). Returns
    // false when no language is active.
    bool reloadLanguages();

    // --- database copies for the preview and the designer --------------------
    // Copies db/database.mdb over db/backup.mdb with the connection closed,
    // then reopens it. Returns false (after telling the user) on failure.
    bool backupDatabase();
    // Puts db/backup.mdb back in place of db/database.mdb and reopens it.
    bool restoreDatabase();

    // --- closing the program --------------------------------------------------
    // True when the program may close: without the upd.znf marker, or when
    // the user answers No to the reminder to update the site.
    bool confirmExit();

private:
    void setTitle(const QString &title);
    // Takes the project's lock, waiting (through the hook) while another
    // process holds it.
    bool takeLock();
    bool recoverBackup();
    bool checkStructure();
    void checkExternalData();
    bool openDatabase();
    // Closes the connection, runs fileWork on the database files (a failure
    // is told with failedText) and opens the connection again.
    bool withDatabaseClosed(const std::function<void()> &fileWork,
                            QString (*failedText)(const QString &));

    ProgramFolder m_program;
    RecentProjects &m_recent;
    ProjectHooks m_hooks;
    ProjectFolder m_project;
    // Held from the start of openProject until closeProject.
    std::unique_ptr<ProjectLock> m_lock;
    Database m_db;
    LanguageList m_languages;
    QString m_title = AppTitle;
    bool m_open = false;
    bool m_abandoned = false;
};
