#include "AppTestSupport.h"

#include "app/CAggiornamentoProgettoDlg.h"
#include "app/CNuovoProgettoDlg.h"
#include "app/CMainFrame.h"
#include "app/CProgettiDlg.h"
#include "app/CommandIds.h"
#include "project/DatabaseUpgrade.h"
#include "project/ProjectSession.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QAction>
#include <QApplication>
#include <QComboBox>

using namespace apptest;

namespace {

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

TEST(NuovoProgettoDlgTest, NameRulesAndDirectory)
{
    ScopedScriptedUi scripted;
    TempDir base;
    CNuovoProgettoDlg dlg(base.path());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Nuovo progetto"));
    EXPECT_EQ(dlg.directoryEdit()->text(), QDir::toNativeSeparators(base.path()));
    EXPECT_FALSE(dlg.okButton()->isEnabled());

    typeText(dlg.nameEdit(), QStringLiteral("Ab c-1_.x"));
    EXPECT_EQ(dlg.nameEdit()->text(), QStringLiteral("bc-1_.x"));
    EXPECT_TRUE(dlg.okButton()->isEnabled());
    EXPECT_EQ(dlg.directoryEdit()->text(),
              QDir::toNativeSeparators(base.path() + QStringLiteral("/bc-1_.x")));

    dlg.nameEdit()->clear();
    typeText(dlg.nameEdit(), QStringLiteral("abcdefghijklmnopq"));
    EXPECT_EQ(dlg.nameEdit()->text(), QStringLiteral("abcdefghijklmno"));
    dlg.nameEdit()->clear();
    EXPECT_FALSE(dlg.okButton()->isEnabled());

    // A folder that exists already cannot be the new project.
    QDir(base.path()).mkdir(QStringLiteral("esiste"));
    typeText(dlg.nameEdit(), QStringLiteral("esiste"));
    dlg.accept();
    EXPECT_NE(dlg.result(), int(QDialog::Accepted));
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_EQ(scripted->lastMessage().title, QStringLiteral("Creazione directory"));
    EXPECT_EQ(scripted->lastMessage().text, QStringLiteral("Impossibile creare la directory!"));
    EXPECT_EQ(scripted->lastMessage().icon, UiPort::Icon::Stop);

    dlg.nameEdit()->setText(QStringLiteral("nuovo"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), int(QDialog::Accepted));
    EXPECT_EQ(dlg.directory(), base.path() + QStringLiteral("/nuovo"));
    EXPECT_TRUE(QFileInfo(dlg.directory()).isDir());
}

TEST(NuovoProgettoDlgTest, BrowseChecksTheTypedFolderAndCreatesMissingLevels)
{
    ScopedScriptedUi scripted;
    TempDir base;
    CNuovoProgettoDlg dlg(base.path());
    dlg.nameEdit()->setText(QStringLiteral("shop"));
    const QString deep = base.path() + QStringLiteral("/uno/due");
    scripted->queuePath(base.path() + QStringLiteral("/cattivo/"));  // trailing separator
    scripted->queuePath(deep);
    scripted->queueAnswer(UiPort::Answer::Yes);                      // create it?
    dlg.browse();
    const auto messages = scripted->messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Il nome per la cartella:")));
    EXPECT_TRUE(messages[1].text.startsWith(QStringLiteral("La cartella:")));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_EQ(dlg.baseFolder(), QDir::toNativeSeparators(deep));
    EXPECT_EQ(dlg.directoryEdit()->text(), QDir::toNativeSeparators(deep + QStringLiteral("/shop")));
}

TEST(ProgettiDlgTest, RecentProjectsNewestFirstAndOtherFolders)
{
    ScopedScriptedUi scripted;
    CProgettiDlg dlg({QStringLiteral("/p/nuovo"), QStringLiteral("/p/vecchio")});
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Progetti"));
    EXPECT_TRUE(dlg.openButton()->isChecked());
    EXPECT_TRUE(dlg.list()->isEnabled());
    ASSERT_EQ(dlg.list()->count(), 3);
    EXPECT_EQ(dlg.list()->currentRow(), 1);
    dlg.accept();
    EXPECT_EQ(dlg.choice(), CProgettiDlg::OpenExisting);
    EXPECT_EQ(dlg.folder(), QStringLiteral("/p/nuovo"));

    dlg.createButton()->click();
    EXPECT_FALSE(dlg.list()->isEnabled());
    dlg.accept();
    EXPECT_EQ(dlg.choice(), CProgettiDlg::CreateNew);

    // "Altri progetti..." asks for a folder; cancelling gives an empty one.
    TempDir other;
    dlg.openButton()->click();
    EXPECT_EQ(dlg.list()->currentRow(), 0);
    scripted->queuePath(other.path());
    dlg.accept();
    EXPECT_EQ(dlg.folder(), other.path());
    EXPECT_EQ(scripted->calls().back().title, QStringLiteral("Selezione directory"));
    dlg.accept();
    EXPECT_TRUE(dlg.folder().isEmpty());
}

class UpgradeDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(project.isValid());
        // A project of an older version: one table of the current structure
        // is missing.
        execSql(project.folder().database(), "DROP TABLE NotificaCliente");
        before = fileHash(project.folder().database());
    }
    TempProject project;
    QByteArray before;
};

TEST_F(UpgradeDialogTest, OpeningAnOlderProjectRunsTheUpgradeDialog)
{
    scripted->queueAnswer(UiPort::Answer::Yes);
    bool sawDialog = false;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<CAggiornamentoProgettoDlg *>(w) && w->isVisible())
                sawDialog = true;
    });
    timer.start();
    EXPECT_TRUE(startOn(project.path()));
    timer.stop();
    EXPECT_TRUE(sawDialog);
    EXPECT_TRUE(app->isProjectOpen());
    const QStringList texts = scripted->messageTexts();
    EXPECT_EQ(texts.value(0), ProjectSession::UpgradeQuestion);
    EXPECT_TRUE(texts.contains(ProjectSession::UpgradeDoneText));
    EXPECT_EQ(scalarText(project.folder().database(),
                         "SELECT COUNT(*) FROM sqlite_master WHERE name='NotificaCliente'"),
              QStringLiteral("1"));
}

TEST_F(UpgradeDialogTest, WhileTheUpgradeRunsNothingElseStartsAndTheProgramDoesNotClose)
{
    scripted->queueAnswer(UiPort::Answer::Yes);
    int checks = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        bool running = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            running = running || (qobject_cast<CAggiornamentoProgettoDlg *>(w) && w->isVisible());
        if (!running || checks > 0)
            return;
        ++checks;
        for (int id : {Cmd::FileNew, Cmd::FileOpen, Cmd::AppExit, Cmd::Lingue, Cmd::Anteprima})
            EXPECT_FALSE(frame().action(id)->isEnabled()) << id;
        EXPECT_FALSE(frame().languageSelector()->isEnabled());
        // The title bar's close and Esci keep the program running.
        EXPECT_FALSE(frame().close());
        app->onCommand(Cmd::AppExit);
        app->onCommand(Cmd::FileOpen);
        EXPECT_TRUE(frame().isVisible());
    });
    timer.start();
    EXPECT_TRUE(startOn(project.path()));
    timer.stop();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(dialogs, QStringList()); // Apri showed no "Progetti" dialog
    EXPECT_TRUE(app->isProjectOpen());
    for (int id : {Cmd::FileNew, Cmd::FileOpen, Cmd::AppExit, Cmd::Lingue})
        EXPECT_TRUE(frame().action(id)->isEnabled()) << id;
}

TEST_F(UpgradeDialogTest, ProgressIsShownAndAnnullaLeavesTheDatabaseUntouched)
{
    DatabaseUpgrade upgrade(project.program(), project.folder());
    CAggiornamentoProgettoDlg dlg(upgrade);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Aggiornamento progetto"));
    EXPECT_EQ(dlg.cancelButton()->text(), QStringLiteral("Annulla"));
    dlg.show();
    QStringList tableLabels, recordLabels;
    int rows = 0;
    dlg.setRowHook([&] {
        if (!dlg.tableLabel()->text().isEmpty())
            tableLabels.append(dlg.tableLabel()->text());
        if (!dlg.recordLabel()->text().isEmpty())
            recordLabels.append(dlg.recordLabel()->text());
        if (++rows == 40)
            dlg.cancelButton()->click();
    });
    EXPECT_EQ(dlg.runUpgrade(), DatabaseUpgrade::Result::Cancelled);
    ASSERT_FALSE(tableLabels.isEmpty());
    EXPECT_TRUE(tableLabels.first().startsWith(QStringLiteral("Aggiornamento tabella ")));
    EXPECT_TRUE(tableLabels.first().endsWith(QStringLiteral(" in corso...")));
    ASSERT_FALSE(recordLabels.isEmpty());
    EXPECT_TRUE(recordLabels.last().startsWith(QStringLiteral("Aggiornamento record ")));
    EXPECT_GT(dlg.tableBar()->maximum(), 0);
    EXPECT_EQ(fileHash(project.folder().database()), before);
    EXPECT_TRUE(project.folder().tempDatabaseFiles().isEmpty());
}

TEST_F(UpgradeDialogTest, CancelledUpgradeLeavesNoProjectOpen)
{
    scripted->queueAnswer(UiPort::Answer::Yes);
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dlg = qobject_cast<CAggiornamentoProgettoDlg *>(w))
                if (dlg->isVisible())
                    dlg->cancelButton()->click();
    });
    timer.start();
    EXPECT_TRUE(startOn(project.path()));
    timer.stop();
    EXPECT_FALSE(app->isProjectOpen());
    EXPECT_TRUE(scripted->messageTexts().contains(ProjectSession::NotUpgradedText));
    EXPECT_EQ(fileHash(project.folder().database()), before);
    EXPECT_TRUE(project.folder().tempDatabaseFiles().isEmpty());
}
