#include "common/TempDir.h"

#include "project/FolderPathCheck.h"
#include "project/ProgramFolder.h"
#include "project/ProjectNameRule.h"

#include "common/ScriptedUiPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(ProjectNameRule, AcceptsLowerCaseDigitsAndThreeMarksUpToFifteen)
{
    EXPECT_TRUE(ProjectNameRule::isValid(QStringLiteral("negozio-2_v.1")));
    EXPECT_TRUE(ProjectNameRule::isValid(QStringLiteral("abcdefghijklmno")));   // 15
    EXPECT_FALSE(ProjectNameRule::isValid(QStringLiteral("abcdefghijklmnop"))); // 16
    EXPECT_FALSE(ProjectNameRule::isValid(QStringLiteral("Negozio")));
    EXPECT_FALSE(ProjectNameRule::isValid(QStringLiteral("mio negozio")));
    EXPECT_FALSE(ProjectNameRule::isValid(QStringLiteral("negozio/a")));
    EXPECT_FALSE(ProjectNameRule::isValid(QStringLiteral("città")));
    EXPECT_FALSE(ProjectNameRule::isValid(QString()));
    // The field may be empty while typing, but OK needs a name.
    EXPECT_TRUE(ProjectNameRule::isAcceptable(QString()));
}

TEST(ProjectNameRule, DirectoryFollowsTheBaseFolderAndName)
{
    EXPECT_EQ(ProjectNameRule::directoryFor(QStringLiteral("/srv/projects"), QStringLiteral("shop")),
              QStringLiteral("/srv/projects/shop"));
    EXPECT_EQ(ProjectNameRule::directoryFor(QStringLiteral("/srv/projects/"), QStringLiteral("shop")),
              QStringLiteral("/srv/projects/shop"));
    EXPECT_EQ(ProjectNameRule::directoryFor(QStringLiteral("/"), QStringLiteral("shop")),
              QStringLiteral("/shop"));
}

TEST(ProjectNameRule, CreatesOneLevelAndRefusesAnExistingFolder)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("shop"));
    EXPECT_TRUE(ProjectNameRule::createProjectDirectory(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_FALSE(ProjectNameRule::createProjectDirectory(path));
    EXPECT_FALSE(ProjectNameRule::createProjectDirectory(dir.file(QStringLiteral("missing/shop"))));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("missing"))));
}

TEST(FolderPathCheck, ComponentRules)
{
    EXPECT_TRUE(FolderPathCheck::isWellFormed(QStringLiteral("/")));
    EXPECT_TRUE(FolderPathCheck::isWellFormed(QStringLiteral("/home/negozio/progetti")));
    EXPECT_TRUE(FolderPathCheck::isWellFormed(QStringLiteral("/home/a b/c.d")));
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("home/negozio")));   // not absolute
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/negozio/"))); // trailing separator
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home//negozio"))); // empty component
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/negozio.")));
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/.nascosta")));
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/ spazio")));
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/tab\t")));
    EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/..")));
    for (const char *bad : {"a\"b", "a*b", "a:b", "a<b", "a>b", "a?b", "a\\b", "a|b"})
        EXPECT_FALSE(FolderPathCheck::isWellFormed(QStringLiteral("/home/") + QString::fromLatin1(bad)))
            << bad;
}

TEST(FolderPathCheck, AcceptRejectsAsksAndCreatesTwoLevels)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const QString bad = dir.path() + QStringLiteral("/nuova.");
    EXPECT_FALSE(FolderPathCheck::accept(bad, ui.port()));
    ASSERT_EQ(ui->messages().size(), 1u);
    EXPECT_EQ(ui->lastMessage().text,
              QStringLiteral("Il nome per la cartella:\n\n%1\n\nnon è corretto. Scegli un altro nome.").arg(bad));
    EXPECT_EQ(ui->lastMessage().icon, UiPort::Icon::Exclamation);

    const QString deep = dir.path() + QStringLiteral("/uno/due");
    ui->queueAnswer(UiPort::Answer::No);
    EXPECT_FALSE(FolderPathCheck::accept(deep, ui.port()));
    EXPECT_EQ(ui->lastMessage().text,
              QStringLiteral("La cartella:\n\n%1\n\nnon esiste. Vuoi crearla?").arg(deep));
    EXPECT_EQ(ui->lastMessage().buttons, UiPort::Buttons::YesNo);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/uno")));

    ui->queueAnswer(UiPort::Answer::Yes);
    EXPECT_TRUE(FolderPathCheck::accept(deep, ui.port()));
    EXPECT_TRUE(QFileInfo(deep).isDir());

    ui->clearCalls();
    EXPECT_TRUE(FolderPathCheck::accept(deep, ui.port()));
    EXPECT_TRUE(ui->calls().empty());
}

TEST(FolderPathCheck, ALevelThatIsAFileCannotBeCreated)
{
    TempDir dir;
    QFile file(dir.file(QStringLiteral("occupato")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = dir.path() + QStringLiteral("/occupato/sotto");
    ScopedScriptedUi ui;
    ui->queueAnswer(UiPort::Answer::Yes);
    EXPECT_FALSE(FolderPathCheck::accept(path, ui.port()));
    EXPECT_EQ(ui->lastMessage().text,
              QStringLiteral("La cartella:\n\n%1\n\nnon può essere creata.").arg(path));
    EXPECT_TRUE(QFileInfo(file.fileName()).isFile());
}

TEST(ProgramFolder, OptionThenVariableThenBesideTheExecutable)
{
    TempDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("bin"));
    QDir(dir.path()).mkpath(QStringLiteral("programfolder/db"));
    const QString exeDir = dir.file(QStringLiteral("bin"));
    const QByteArray savedHome = qgetenv("ZANFIRA_HOME");

    qunsetenv("ZANFIRA_HOME");
    EXPECT_EQ(ProgramFolder::locate(QString(), exeDir).path(),
              QDir::cleanPath(dir.file(QStringLiteral("programfolder"))));
    QDir(dir.path()).mkpath(QStringLiteral("share/zanfira"));
    EXPECT_EQ(ProgramFolder::locate(QString(), exeDir).path(),
              QDir::cleanPath(dir.file(QStringLiteral("share/zanfira"))));
    EXPECT_EQ(ProgramFolder::locate(QString(), dir.file(QStringLiteral("nowhere/bin"))).path(),
              QDir::currentPath());

    qputenv("ZANFIRA_HOME", "/opt/zanfira-home");
    EXPECT_EQ(ProgramFolder::locate(QString(), exeDir).path(), QStringLiteral("/opt/zanfira-home"));
    EXPECT_EQ(ProgramFolder::locate(QStringLiteral("/opt/option"), exeDir).path(),
              QStringLiteral("/opt/option"));

    QStringList args{QStringLiteral("--program-folder"), QStringLiteral("/opt/x"), QStringLiteral("proj")};
    EXPECT_EQ(ProgramFolder::fromArguments(args).path(), QStringLiteral("/opt/x"));
    EXPECT_EQ(args, QStringList{QStringLiteral("proj")});
    args = QStringList{QStringLiteral("proj"), QStringLiteral("--program-folder=/opt/y")};
    EXPECT_EQ(ProgramFolder::fromArguments(args).path(), QStringLiteral("/opt/y"));
    EXPECT_EQ(args, QStringList{QStringLiteral("proj")});
    bool missing = false;
    args = QStringList{QStringLiteral("proj"), QStringLiteral("--program-folder")};
    ProgramFolder::fromArguments(args, &missing);
    EXPECT_TRUE(missing);

    if (savedHome.isNull())
        qunsetenv("ZANFIRA_HOME");
    else
        qputenv("ZANFIRA_HOME", savedHome);
}

} // namespace
