#include "CVendraApp.h"

#include "CAggiornamentoProgettoDlg.h"
#include "CChildFrame.h"
#include "CInformazioniDlg.h"
#include "CMainFrame.h"
#include "CNuovoProgettoDlg.h"
#include "CProgettiDlg.h"
#include "CSincronizzazioneDlg.h"
#include "CSplashWnd.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "editors/catalogue/import/CImportAutomaticoDlg.h"
#include "data/DataError.h"
#include "project/LockWatcher.h"
#include "support/LongOperation.h"
#include "support/UiPort.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QStringList>
#include <QStyle>
#include <QUrl>

namespace {

const QString kAppTitle = QStringLiteral("Zanfira");
const QString kHelpFailed = QStringLiteral("Impossibile aprire il file di help!");

// The addresses of the help menu's web pages.
const char *const kProductSite = "https://www.brellix.it/zanfira";
const char *const kSupportSite = "https://www.brellix.it/zanfira/supporto";
const char *const kMakerSite = "https://www.brellix.it";

} // namespace

bool CVendraApp::parseArguments(QStringList &args, Options *options, QString *error)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--project")) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("--project vuole la cartella del progetto");
                return false;
            }
            options->project = args.at(i + 1);
            args.remove(i, 2);
            --i;
        } else if (arg.startsWith(QLatin1String("--project="))) {
            options->project = arg.mid(10);
            args.remove(i);
            --i;
        } else if (arg == QLatin1String("--no-splash")) {
            options->splash = false;
            args.remove(i);
            --i;
        }
    }
    return true;
}

CVendraApp::CVendraApp(QObject *parent)
    : QObject(parent)
    , m_program(ProgramFolder::current())
{
    m_session = std::make_unique<ProjectSession>(m_program, m_recent, makeHooks());
    // While a long operation runs, nothing may start another one or close
    // the program under it.
    LongOperation::setBusyHook([this](bool) { updateCommandUi(); });
}

CVendraApp::~CVendraApp()
{
    LongOperation::setBusyHook(nullptr);
    ExitInstance();
    delete m_mainFrame.data();
}

ProjectHooks CVendraApp::makeHooks()
{
    ProjectHooks hooks;
    hooks.waitForLock = [this](LockWatcher &watcher, const QString &holderText) {
        return waitForLock(watcher, holderText);
    };
    hooks.runUpgrade = [this](DatabaseUpgrade &upgrade) { return runUpgrade(upgrade); };
    hooks.openLanguagesEditor = [this] { OpenEditor(Cmd::Lingue); };
    hooks.importExternalData = [this](const QString &project, const QString &folder) {
        runAutomaticImport(m_mainFrame, project, folder);
    };
    hooks.newProjectNotice = [] {
        // The notice sends the user to the parameter editors only when the
        // program has them.
        auto offered = [](int id) {
            const AppCommand *c = findAppCommand(id);
            return c && c->isAvailable();
        };
        return offered(Cmd::ParGenerali) && offered(Cmd::ParAziendali)
            ? ProjectCreator::NoticeText
            : ProjectCreator::NoticeWithoutParametersText;
    };
    hooks.titleChanged = [this](const QString &title) {
        if (m_mainFrame)
            m_mainFrame->setWindowTitle(title);
    };
    hooks.languagesChanged = [this] {
        if (m_mainFrame)
            m_mainFrame->showLanguageList();
    };
    return hooks;
}

int CVendraApp::runDialog(QDialog &dialog)
{
    if (m_runDialog)
        return m_runDialog(dialog);
    return dialog.exec();
}

bool CVendraApp::InitInstance(const Options &options)
{
    CSplashWnd::EnableSplashScreen(options.splash);

    m_mainFrame = new CMainFrame(*this);
    ui().setParentWindow(m_mainFrame);
    m_mainFrame->show();
    m_startupResult = true;

    m_cdViewer = m_program.hasCdViewer();

    ProjectSession::OpenResult result;
    if (!options.project.isEmpty()) {
        // Given on the command line: checked like a recent project.
        result = m_session->acceptProjectFolder(options.project)
            ? m_session->openProject(options.project)
            : ProjectSession::OpenResult::NotOpened;
    } else {
        result = m_session->startUp([this] { return chooseProject(); });
    }
    if (result == ProjectSession::OpenResult::Abandoned)
        m_startupResult = false;
    updateCommandUi();
    emit projectStateChanged();
    return m_startupResult;
}

void CVendraApp::ExitInstance()
{
    if (m_session && m_session->isOpen())
        m_session->closeProject();
}

ProjectChoice CVendraApp::chooseProject()
{
    ProjectChoice choice;
    CProgettiDlg dlg(m_recent.newestFirst(), m_mainFrame);
    if (runDialog(dlg) != QDialog::Accepted)
        return choice;
    if (dlg.choice() == CProgettiDlg::CreateNew) {
        choice.path = chooseNewFolder();
        choice.kind = choice.path.isEmpty() ? ProjectChoice::Kind::Cancel
                                            : ProjectChoice::Kind::Create;
    } else {
        choice.kind = ProjectChoice::Kind::Open;
        choice.path = dlg.folder();
    }
    return choice;
}

QString CVendraApp::chooseNewFolder()
{
    const QString parent = ProjectCreator::defaultParentFolder();
    QDir().mkpath(parent);
    CNuovoProgettoDlg dlg(parent, m_mainFrame);
    if (runDialog(dlg) != QDialog::Accepted)
        return {};
    return dlg.directory();
}

bool CVendraApp::waitForLock(LockWatcher &watcher, const QString &holderText)
{
    CSincronizzazioneDlg dlg(watcher, m_program.file(QStringLiteral("dataupd.gif")), holderText,
                             m_mainFrame);
    return runDialog(dlg) == QDialog::Accepted;
}

DatabaseUpgrade::Result CVendraApp::runUpgrade(DatabaseUpgrade &upgrade)
{
    // Modeless, centred on the main window, for the length of the upgrade.
    CAggiornamentoProgettoDlg dlg(upgrade, m_mainFrame);
    dlg.setWindowModality(Qt::NonModal);
    dlg.show();
    if (m_mainFrame)
        dlg.move(m_mainFrame->geometry().center() - dlg.rect().center());
    const DatabaseUpgrade::Result result = dlg.runUpgrade();
    dlg.hide();
    return result;
}

// --- state -------------------------------------------------------------------

CMainFrame *CVendraApp::mainFrame() const
{
    return m_mainFrame.data();
}

QString CVendraApp::projectPath() const
{
    return m_session->folder().path();
}

Database *CVendraApp::projectDatabase() const
{
    return m_session->isOpen() ? &m_session->database() : nullptr;
}

LanguageList &CVendraApp::languages()
{
    return m_session->languages();
}

Database &CVendraApp::database()
{
    return m_session->database();
}

QString CVendraApp::projectFolder() const
{
    const QString path = m_session->folder().path();
    return path.isEmpty() ? path : path + QLatin1Char('/');
}

bool CVendraApp::reloadLanguages()
{
    return m_mainFrame ? m_mainFrame->LoadLanguages() : m_session->reloadLanguages();
}

QString CVendraApp::currentLanguageCode() const
{
    return m_session->languages().currentLanguageCode();
}

QString CVendraApp::defaultLanguageCode() const
{
    return m_session->languages().defaultLanguageCode();
}

bool CVendraApp::isDefaultLanguage() const
{
    return m_session->languages().isDefaultLanguage();
}

void CVendraApp::selectDefaultLanguage()
{
    if (m_mainFrame)
        m_mainFrame->SelectDefaultLanguage();
    else
        m_session->languages().selectDefaultLanguage();
}

// --- projects ----------------------------------------------------------------

bool CVendraApp::OpenProject(const QString &path)
{
    const bool open = m_session->openProject(path) == ProjectSession::OpenResult::Opened;
    updateCommandUi();
    emit projectStateChanged();
    return open;
}

bool CVendraApp::BackupDatabase()
{
    return m_session->backupDatabase();
}

bool CVendraApp::RestoreDatabase()
{
    return m_session->restoreDatabase();
}

// --- commands ----------------------------------------------------------------

void CVendraApp::onCommand(int id)
{
    switch (id) {
    case Cmd::FileNew:
        OnFileNew();
        return;
    case Cmd::FileOpen:
        OnFileOpen();
        return;
    case Cmd::AppAbout:
        OnAppAbout();
        return;
    case Cmd::AppExit:
        if (m_mainFrame)
            m_mainFrame->close();
        return;
    case Cmd::FilePrintSetup:
        OnFilePrintSetup();
        return;
    case Cmd::HelpIndex:
        OnHelpIndex();
        return;
    case Cmd::HelpWeb:
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductSite)));
        return;
    case Cmd::HelpSupport:
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kSupportSite)));
        return;
    case Cmd::HelpMaker:
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerSite)));
        return;
    default:
        break;
    }
    const AppCommand *command = findAppCommand(id);
    if (!command)
        return;
    if (command->factory) {
        OpenEditor(id);
    } else if (command->dialog && isProjectOpen() && !m_editorOpen && !LongOperation::isBusy()) {
        command->dialog(*this, mainFrame());
        updateCommandUi();
    }
}

void CVendraApp::OnFileNew()
{
    if (m_editorOpen || LongOperation::isBusy())
        return;
    m_session->newCommand([this] { return chooseNewFolder(); });
    updateCommandUi();
    emit projectStateChanged();
}

void CVendraApp::OnFileOpen()
{
    if (m_editorOpen || LongOperation::isBusy())
        return;
    m_session->openCommand([this] { return chooseProject(); });
    updateCommandUi();
    emit projectStateChanged();
}

void CVendraApp::OnAppAbout()
{
    CInformazioniDlg dlg(m_mainFrame);
    runDialog(dlg);
}

void CVendraApp::OnHelpIndex()
{
    const QString help = m_program.helpFile();
    if (!QFileInfo(help).isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        ui().tell(kAppTitle, kHelpFailed, UiPort::Icon::Exclamation);
}

QPrinter &CVendraApp::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void CVendraApp::OnFilePrintSetup()
{
    ui().choosePrinter(printer());
}

CChildFrame *CVendraApp::OpenEditor(int commandId)
{
    const AppCommand *command = findAppCommand(commandId);
    if (!command || !command->factory || !m_mainFrame || !isProjectOpen() || m_editorOpen
        || LongOperation::isBusy())
        return nullptr;
    auto *frame = new CChildFrame(*this, command->params);
    try {
        if (!frame->createView(command->factory)) {
            delete frame;
            return nullptr;
        }
    } catch (const DataError &e) {
        delete frame;
        ui().tell(QString::fromUtf8(command->title), e.message(), UiPort::Icon::Stop);
        return nullptr;
    }
    frame->setWindowTitle(QString::fromUtf8(command->title));
    frame->setWindowIcon(QApplication::style()->standardIcon(command->icon));
    connect(frame, &CChildFrame::frameClosed, this, [this](CChildFrame *, bool endsEditorState) {
        if (endsEditorState)
            m_editorOpen = false;
        updateCommandUi();
    });
    m_editorOpen = true;
    m_mainFrame->showFrame(frame, command->frame == FrameKind::Maximised);
    updateCommandUi();
    return frame;
}

bool CVendraApp::openSecondaryEditor(QWidget *view, int secondary)
{
    if (!view || secondary == 0 || !m_mainFrame || !isProjectOpen())
        return false;
    FrameParams params;
    params.secondary = secondary;
    auto *frame = new CChildFrame(*this, params);
    frame->adoptView(view);
    frame->setWindowTitle(view->windowTitle());
    frame->setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon));
    connect(frame, &CChildFrame::frameClosed, this, [this](CChildFrame *, bool endsEditorState) {
        if (endsEditorState)
            m_editorOpen = false;
        updateCommandUi();
    });
    m_mainFrame->showFrame(frame, false);
    updateCommandUi();
    return true;
}

bool CVendraApp::queryExit()
{
    if (LongOperation::isBusy())
        return false;
    if (!m_session->confirmExit())
        return false;
    if (m_mainFrame) {
        // The open editor decides by its close rule whether it may go.
        const auto frames = m_mainFrame->mdiArea()->subWindowList();
        for (QMdiSubWindow *w : frames)
            if (!w->close())
                return false;
    }
    return true;
}

void CVendraApp::updateCommandUi()
{
    if (m_mainFrame)
        m_mainFrame->updateCommandUi();
}
