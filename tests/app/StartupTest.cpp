#include "AppTestSupport.h"

#include "app/CInformazioniDlg.h"
#include "app/CNuovoProgettoDlg.h"
#include "app/CProgettiDlg.h"
#include "app/CSincronizzazioneDlg.h"
#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "project/ProjectCreator.h"
#include "project/ProjectLock.h"
#include "project/ProjectSession.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace apptest;

using StartupTest = AppFixture;

TEST_F(StartupTest, FirstStartOffersCreateWithOnlyOtherProjectsDisabled)
{
    bool seen = false;
    onDialog = [&](QDialog &dlg) {
        auto *p = qobject_cast<CProgettiDlg *>(&dlg);
        if (!p)
            return int(QDialog::Rejected);
        seen = true;
        EXPECT_TRUE(p->createButton()->isChecked());
        EXPECT_FALSE(p->openButton()->isChecked());
        EXPECT_EQ(p->list()->count(), 1);
        EXPECT_EQ(p->list()->item(0)->text(), QStringLiteral("Altri progetti..."));
        EXPECT_FALSE(p->list()->isEnabled());
        // Choosing "open" enables the list on "Altri progetti...".
        p->openButton()->click();
        EXPECT_TRUE(p->list()->isEnabled());
        EXPECT_EQ(p->list()->currentRow(), 0);
        return int(QDialog::Rejected);
    };
    EXPECT_TRUE(startNormally());
    EXPECT_TRUE(seen);
    EXPECT_FALSE(app->isProjectOpen());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Zanfira"));
    // Without a project only New, Open, help and Exit work.
    EXPECT_TRUE(frame().action(Cmd::FileNew)->isEnabled());
    EXPECT_TRUE(frame().action(Cmd::FileOpen)->isEnabled());
    EXPECT_FALSE(frame().action(Cmd::Dizionario)->isEnabled());
    EXPECT_TRUE(frame().action(Cmd::HelpIndex)->isEnabled());
}

TEST_F(StartupTest, FirstStartCreatesTheNewProject)
{
    TempDir parent;
    const QString target = parent.file(QStringLiteral("negozio"));
    const QString documentsProjects =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/projects");
    EXPECT_FALSE(documentsProjects.startsWith(TempProject::testProgramFolder().path()));
    onDialog = [&](QDialog &dlg) {
        if (auto *p = qobject_cast<CProgettiDlg *>(&dlg)) {
            p->accept();
            return dlg.result();
        }
        if (auto *n = qobject_cast<CNuovoProgettoDlg *>(&dlg)) {
            // New projects go below the user's documents, not the program folder.
            EXPECT_EQ(n->directoryEdit()->text(), documentsProjects);
            EXPECT_TRUE(QFileInfo(documentsProjects).isDir());
            typeText(n->nameEdit(), QStringLiteral("Negozio"));
            EXPECT_EQ(n->nameEdit()->text(), QStringLiteral("egozio"));
            n->nameEdit()->setText(QStringLiteral("negozio"));
            n->directoryEdit()->setText(target);
            n->accept();
            return dlg.result();
        }
        return int(QDialog::Rejected);
    };
    EXPECT_TRUE(startNormally());
    ASSERT_TRUE(app->isProjectOpen());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Zanfira - [negozio]"));
    EXPECT_TRUE(QFile::exists(target + QStringLiteral("/db/database.mdb")));
    EXPECT_EQ(app->recentProjects().newest(), target);
    // The notice names only commands this program offers.
    EXPECT_TRUE(scripted->messageTexts().contains(ProjectCreator::NoticeWithoutParametersText));
    EXPECT_FALSE(findAppCommand(Cmd::ParGenerali)->isAvailable());
    EXPECT_TRUE(findAppCommand(Cmd::Lingue)->isAvailable());
    EXPECT_TRUE(findAppCommand(Cmd::Valute)->isAvailable());
    EXPECT_EQ(dialogs, (QStringList{"CProgettiDlg", "CNuovoProgettoDlg"}));
}

TEST_F(StartupTest, NewestRecentProjectReopensWithoutDialog)
{
    TempProject older(QStringLiteral("vecchio"));
    TempProject newer(QStringLiteral("nuovo"));
    ASSERT_TRUE(older.isValid() && newer.isValid());
    {
        RecentProjects recent;
        recent.add(older.path());
        recent.add(newer.path());
    }
    EXPECT_TRUE(startNormally());
    EXPECT_TRUE(dialogs.isEmpty());
    ASSERT_TRUE(app->isProjectOpen());
    EXPECT_EQ(app->projectPath(), newer.path());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Zanfira - [nuovo]"));
    EXPECT_EQ(app->projectFolder(), newer.path() + QLatin1Char('/'));
}

TEST_F(StartupTest, DeletedRecentFolderIsReportedAndDropped)
{
    TempProject kept(QStringLiteral("resta"));
    TempDir gone;
    const QString missing = gone.file(QStringLiteral("sparito"));
    {
        RecentProjects recent;
        recent.add(kept.path());
        recent.add(missing);
    }
    EXPECT_TRUE(startNormally());
    EXPECT_FALSE(app->isProjectOpen());
    ASSERT_FALSE(scripted->messages().empty());
    EXPECT_EQ(scripted->messages().front().text, ProjectSession::MissingProjectText);
    EXPECT_EQ(scripted->messages().front().icon, UiPort::Icon::Stop);
    EXPECT_EQ(app->recentProjects().values(), QStringList{kept.path()});
}

TEST_F(StartupTest, CommandLineProjectOpensAndJoinsTheRecentList)
{
    TempProject project(QStringLiteral("diretto"));
    EXPECT_TRUE(startOn(project.path()));
    EXPECT_TRUE(app->isProjectOpen());
    EXPECT_EQ(app->recentProjects().newest(), project.path());
}

TEST_F(StartupTest, LockWaitEndsByItselfWhenTheLockGoes)
{
    TempProject project;
    ProjectLock holder(project.folder());
    ASSERT_EQ(holder.tryAcquire(), ProjectLock::Result::Acquired);
    onDialog = [&](QDialog &dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Sincronizzazione in corso..."));
        auto *sync = qobject_cast<CSincronizzazioneDlg *>(&dlg);
        EXPECT_TRUE(sync && sync->holderLabel()->text().startsWith(QStringLiteral("Il progetto è già in uso da ")));
        QTimer::singleShot(300, [&] { holder.release(); });
        return dlg.exec();
    };
    EXPECT_TRUE(startOn(project.path()));
    EXPECT_EQ(dialogs, QStringList{"CSincronizzazioneDlg"});
    EXPECT_TRUE(app->isProjectOpen());
}

TEST_F(StartupTest, ChiudiZanfiraDuringTheLockWaitEndsTheStartUp)
{
    TempProject project;
    ProjectLock holder(project.folder());
    ASSERT_EQ(holder.tryAcquire(), ProjectLock::Result::Acquired);
    onDialog = [&](QDialog &dlg) {
        auto *sync = qobject_cast<CSincronizzazioneDlg *>(&dlg);
        EXPECT_NE(sync, nullptr);
        if (sync) {
            EXPECT_EQ(sync->closeButton()->text(), QStringLiteral("Chiudi Zanfira"));
            QTimer::singleShot(100, sync->closeButton(), &QPushButton::click);
        }
        return dlg.exec();
    };
    EXPECT_FALSE(startOn(project.path()));
    EXPECT_FALSE(app->isProjectOpen());
}

TEST_F(StartupTest, AboutBoxShowsVersionAndBuild)
{
    EXPECT_TRUE(startNormally());
    QString version, build;
    onDialog = [&](QDialog &dlg) {
        if (auto *about = qobject_cast<CInformazioniDlg *>(&dlg)) {
            version = about->versionLabel()->text();
            build = about->buildLabel()->text();
        }
        return int(QDialog::Accepted);
    };
    frame().action(Cmd::AppAbout)->trigger();
    EXPECT_EQ(version, QStringLiteral("5.0"));
    EXPECT_EQ(build, QStringLiteral("(Build 4349)"));
}

TEST_F(StartupTest, MissingHelpFileIsReported)
{
    TempDir emptyProgram;
    ProgramFolder::setCurrent(ProgramFolder(emptyProgram.path()));
    CVendraApp other;
    other.setDialogRunner([](QDialog &) { return int(QDialog::Rejected); });
    other.OnHelpIndex();
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_EQ(scripted->lastMessage().text, QStringLiteral("Impossibile aprire il file di help!"));
    EXPECT_EQ(scripted->lastMessage().icon, UiPort::Icon::Exclamation);
}

TEST_F(StartupTest, NoActiveLanguageOpensTheLanguagesEditor)
{
    TempProject project;
    execSql(project.folder().database(), "UPDATE Lingue SET Attivo=0");
    EXPECT_TRUE(startOn(project.path()));
    EXPECT_TRUE(app->isProjectOpen());
    EXPECT_TRUE(scripted->messageTexts().contains(ProjectSession::NoLanguageText));
    if (findAppCommand(Cmd::Lingue)->factory) {
        ASSERT_NE(frame().activeFrame(), nullptr);
        EXPECT_EQ(frame().activeFrame()->windowTitle(), QStringLiteral("Lingue"));
        EXPECT_TRUE(app->isEditorOpen());
    }
}
