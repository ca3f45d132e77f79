#include "ProjectTestSupport.h"
#include "common/TempDir.h"
#include "common/TempProject.h"

#include "project/ProjectCreator.h"
#include "project/ProjectFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// A program folder of the test's own: the build's blank databases and a few
// system pages, one of them read-only as an installed folder would have it.
struct FakeProgramFolder {
    TempDir dir;
    ProgramFolder program;

    FakeProgramFolder()
    {
        const ProgramFolder real = TempProject::testProgramFolder();
        QDir root(dir.path());
        root.mkpath(QStringLiteral("db"));
        root.mkpath(QStringLiteral("template/system/sub"));
        QFile::copy(real.blankDatabase(), dir.file(QStringLiteral("db/database.mdb")));
        QFile::copy(real.blankTemplateDatabase(), dir.file(QStringLiteral("db/progettografico.mdb")));
        projecttest::writeFile(dir.file(QStringLiteral("template/system/default.asp")), "<% ' home %>");
        projecttest::writeFile(dir.file(QStringLiteral("template/system/global.asa")), "<script></script>");
        projecttest::writeFile(dir.file(QStringLiteral("template/system/sub/inner.asp")), "x");
        QFile::setPermissions(dir.file(QStringLiteral("template/system/global.asa")), QFileDevice::ReadOwner);
        program = ProgramFolder(dir.path());
    }
};

TEST(ProjectCreator, MakesEveryFolderCopiesDatabasesAndSystemPages)
{
    FakeProgramFolder fake;
    TempDir target;
    const ProjectFolder project(target.file(QStringLiteral("shop")));
    ASSERT_TRUE(QDir().mkdir(project.path()));

    const ProjectCreator::Report report = ProjectCreator::create(project, fake.program);
    EXPECT_TRUE(report.ok()) << report.failures.join('\n').toStdString();
    EXPECT_EQ(report.createdFolders, ProjectFolder::subfolders());
    for (const QString &folder : ProjectFolder::subfolders())
        EXPECT_TRUE(QFileInfo(project.file(folder)).isDir()) << folder.toStdString();

    EXPECT_EQ(projecttest::fileHash(project.database()),
              projecttest::fileHash(fake.program.blankDatabase()));
    EXPECT_EQ(projecttest::fileHash(project.templateDatabase()),
              projecttest::fileHash(fake.program.blankTemplateDatabase()));
    EXPECT_TRUE(QFileInfo::exists(project.file(QStringLiteral("website/asp/default.asp"))));
    // Files only: the subfolder of the system pages is not copied.
    EXPECT_FALSE(QFileInfo::exists(project.file(QStringLiteral("website/asp/sub"))));
    // A read-only source page arrives writable.
    EXPECT_TRUE(QFileInfo(project.file(QStringLiteral("website/asp/global.asa"))).permission(QFileDevice::WriteOwner));
    EXPECT_TRUE(project.looksLikeProject());
}

TEST(ProjectCreator, OverwritesPagesAndGoesOnPastFailures)
{
    FakeProgramFolder fake;
    TempDir target;
    const ProjectFolder project(target.file(QStringLiteral("shop")));
    ASSERT_TRUE(QDir().mkpath(project.file(QStringLiteral("website/asp"))));
    projecttest::writeFile(project.file(QStringLiteral("website/asp/default.asp")), "old");
    // A file where a folder must go: that folder fails, the rest is made.
    projecttest::writeFile(project.file(QStringLiteral("website/demo")), "in the way");
    QFile::remove(fake.dir.file(QStringLiteral("db/progettografico.mdb")));

    const ProjectCreator::Report report = ProjectCreator::create(project, fake.program);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.failures.size(), 4);   // demo, its two subfolders, the template database
    EXPECT_TRUE(QFileInfo(project.file(QStringLiteral("website/images/prodotti/colori/dettagli"))).isDir());
    EXPECT_TRUE(QFileInfo::exists(project.database()));
    QFile page(project.file(QStringLiteral("website/asp/default.asp")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_EQ(page.readAll(), QByteArray("<% ' home %>"));
}

TEST(ProjectCreator, RefusesAFolderThatIsNotThere)
{
    FakeProgramFolder fake;
    const QString cwd = QDir::currentPath();
    TempDir target;
    QDir::setCurrent(target.path());
    const ProjectCreator::Report empty = ProjectCreator::create(ProjectFolder(), fake.program);
    const ProjectCreator::Report missing =
        ProjectCreator::create(ProjectFolder(target.file(QStringLiteral("manca"))), fake.program);
    QDir::setCurrent(cwd);
    EXPECT_FALSE(empty.ok());
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(QDir(target.path()).isEmpty());
}

TEST(ProjectCreator, TempProjectUsesTheBuildProgramFolder)
{
    TempProject project;
    ASSERT_TRUE(project.isValid()) << project.report().failures.join('\n').toStdString();
    EXPECT_TRUE(project.folder().looksLikeProject());
    EXPECT_EQ(projecttest::scalarInt(project.folder().database(),
                                     QStringLiteral("SELECT VersioneDB FROM Configurazione")),
              50);
}

} // namespace
