#pragma once

#include "editors/common/EditorHost.h"
#include "project/ProgramFolder.h"
#include "project/ProjectSession.h"
#include "project/RecentProjects.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CChildFrame;
class CMainFrame;
class Database;
class LanguageList;
class LockWatcher;
class QDialog;
class QPrinter;

// The application object: it starts the program, owns the one open project
// and its database connection, keeps the recent-project list, runs the
// project commands (New, Open) and opens the editor windows of the command
// table, one at a time.
class CVendraApp : public QObject, public EditorHost {
    Q_OBJECT
public:
    struct Options {
        QString project;          // --project DIR: open this project directly
        bool splash = true;
    };
    // Reads the program's own options (--project DIR) out of args; false
    // with a message in *error when an option is malformed.
    static bool parseArguments(QStringList &args, Options *options, QString *error);

    explicit CVendraApp(QObject *parent = nullptr);
    ~CVendraApp() override;

    // Start-up, in the fixed order: splash, main window, program folder,
    // recent project or the "Progetti" dialog, project opening. Returns
    // false when the program must end (the user abandoned the wait for a
    // locked project).
    bool InitInstance(const Options &options);
    bool InitInstance() { return InitInstance(Options()); }
    // Closes the project database connection.
    void ExitInstance();

    CMainFrame *mainFrame() const;

    // --- state ------------------------------------------------------------
    bool isProjectOpen() const { return m_session && m_session->isOpen(); }
    bool isEditorOpen() const { return m_editorOpen; }
    bool hasCdViewer() const { return m_cdViewer; }
    bool startupResult() const { return m_startupResult; }
    // The project folder without a trailing separator (empty when none).
    QString projectPath() const;
    const ProgramFolder &programFolder() const { return m_program; }
    // The open project's database, null when no project is open.
    Database *projectDatabase() const;
    // The open project and the rules that open and close it.
    ProjectSession &session() { return *m_session; }
    LanguageList &languages();
    RecentProjects &recentProjects() { return m_recent; }

    // --- EditorHost ---------------------------------------------------------
    Database &database() override;
    QString projectFolder() const override;
    bool reloadLanguages() override;
    bool openSecondaryEditor(QWidget *view, int secondary) override;
    QString currentLanguageCode() const override;
    QString defaultLanguageCode() const override;
    bool isDefaultLanguage() const override;
    void selectDefaultLanguage() override;

    // --- projects -----------------------------------------------------------
    // Opens the project of path; true when it is open and usable.
    bool OpenProject(const QString &path);
    // Used by the preview and the designer: copy the database aside when they
    // open, put the copy back when they close.
    bool BackupDatabase();
    bool RestoreDatabase();

    // --- commands ---------------------------------------------------------
    void onCommand(int id);
    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnHelpIndex();
    void OnFilePrintSetup();
    // Opens the editor of a command of the table; null when it cannot be
    // opened now (no project, an editor already open, no editor for it).
    CChildFrame *OpenEditor(int commandId);
    // Closing the main window: the site-update reminder and the open
    // editor's close rule. False keeps the program running.
    bool queryExit();

    // The printer of the program (set up by "Imposta stampante").
    QPrinter &printer();

    // Every modal dialog of the application is run through this function
    // (QDialog::exec by default); tests replace it to drive the dialogs.
    using DialogRunner = std::function<int(QDialog &)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

signals:
    void projectStateChanged();

private:
    int runDialog(QDialog &dialog);
    ProjectChoice chooseProject();
    // Runs "Nuovo progetto"; the created folder, or empty when cancelled.
    QString chooseNewFolder();
    ProjectHooks makeHooks();
    bool waitForLock(LockWatcher &watcher, const QString &holderText);
    DatabaseUpgrade::Result runUpgrade(DatabaseUpgrade &upgrade);
    void updateCommandUi();

    QPointer<CMainFrame> m_mainFrame;
    ProgramFolder m_program;
    RecentProjects m_recent;
    std::unique_ptr<ProjectSession> m_session;
    std::unique_ptr<QPrinter> m_printer;
    bool m_editorOpen = false;
    bool m_cdViewer = false;
    bool m_startupResult = false;
    DialogRunner m_runDialog;
};
