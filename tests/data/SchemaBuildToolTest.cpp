// The build tool that makes the program folder's databases.
#include "SchemaSupport.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

using namespace schema_test;

namespace {

const QString kTool = QStringLiteral(ZANFIRA_BINARY_DIR "/resources/zf-resources");
const QString kSql = QStringLiteral(ZANFIRA_SOURCE_DIR "/resources/db/");

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

ToolRun buildDatabase(const QString &target, const QStringList &scripts)
{
    QProcess p;
    p.start(kTool, QStringList{QStringLiteral("database"), target} + scripts);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &file, const QByteArray &text)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

TEST(SchemaBuildTool, SameScriptsGiveTheSameBytes)
{
    TempDir dir;
    const QStringList scripts{kSql + QStringLiteral("project.sql"), kSql + QStringLiteral("project-seed.sql")};
    ASSERT_EQ(buildDatabase(dir.file(QStringLiteral("a.mdb")), scripts).exitCode, 0);
    ASSERT_EQ(buildDatabase(dir.file(QStringLiteral("b.mdb")), scripts).exitCode, 0);
    const QByteArray a = contents(dir.file(QStringLiteral("a.mdb")));
    EXPECT_FALSE(a.isEmpty());
    EXPECT_EQ(a, contents(dir.file(QStringLiteral("b.mdb"))));
    EXPECT_EQ(a, contents(programDb("database.mdb")));
}

TEST(SchemaBuildTool, AFailingScriptLeavesThePreviousFile)
{
    TempDir dir;
    const QString target = dir.file(QStringLiteral("x.mdb"));
    write(target, "previous");
    const QString bad = dir.file(QStringLiteral("bad.sql"));
    write(bad, "CREATE TABLE A (ID INTEGER PRIMARY KEY);\nINSERT INTO Nowhere VALUES (1);\n");

    const ToolRun run = buildDatabase(target, {bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("bad.sql"))) << run.errors.toStdString();
    EXPECT_EQ(contents(target), QByteArray("previous"));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".part")));
}

TEST(SchemaBuildTool, ATableWithoutStructureDateIsRefused)
{
    TempDir dir;
    const QString extra = dir.file(QStringLiteral("extra.sql"));
    write(extra, "CREATE TABLE Nuova (ID INTEGER PRIMARY KEY);\n");
    const QString target = dir.file(QStringLiteral("p.mdb"));

    const ToolRun run = buildDatabase(target, {kSql + QStringLiteral("project.sql"), extra});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Nuova"))) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

TEST(SchemaBuildTool, ProgramFolderIsAssembled)
{
    const QString root = QStringLiteral(ZANFIRA_PROGRAM_FOLDER);
    for (const char *file : {"db/database.mdb", "db/progettografico.mdb", "db/modellografico.mdb"})
        EXPECT_TRUE(QFile::exists(root + QStringLiteral("/") + QLatin1String(file))) << file;
    for (const char *folder : {"template/system"})
        EXPECT_TRUE(QFileInfo(root + QStringLiteral("/") + QLatin1String(folder)).isDir()) << folder;
    // The user guide is a real PDF of several pages.
    const QByteArray help = contents(root + QStringLiteral("/help/help.pdf"));
    EXPECT_TRUE(help.startsWith("%PDF-"));
    EXPECT_GE(help.count("/Type /Page\n") + help.count("/Type /Page\r") + help.count("/Type /Page "), 2);
}
