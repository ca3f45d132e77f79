#include "ProjectTestSupport.h"
#include "common/TempProject.h"

#include "project/ProjectLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using Result = ProjectLock::Result;

TEST(ProjectLockTest, OneHolderAtATimeNamedByProgramHostAndProcess)
{
    TempProject project;
    ProjectLock first(project.folder());
    ASSERT_EQ(first.tryAcquire(), Result::Acquired);
    EXPECT_TRUE(QFileInfo::exists(project.folder().lockFile()));

    ProjectLock second(project.folder());
    EXPECT_EQ(second.tryAcquire(), Result::Held);
    EXPECT_EQ(second.holder().pid, QCoreApplication::applicationPid());
    EXPECT_FALSE(second.holder().host.isEmpty());
    EXPECT_EQ(second.holder().program, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    const QString text = second.refusalText();
    EXPECT_TRUE(text.contains(second.holder().program)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("processo %1").arg(second.holder().pid))) << text.toStdString();
    ASSERT_TRUE(ProjectLock::currentHolder(project.folder()).has_value());

    first.release();
    EXPECT_FALSE(ProjectLock::currentHolder(project.folder()).has_value());
    EXPECT_EQ(second.tryAcquire(), Result::Acquired);
}

TEST(ProjectLockTest, ALockLeftByADeadProcessIsTakenOver)
{
    TempProject project;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Takes the lock and dies without letting it go, as a crash would.
        ProjectLock lock(project.folder());
        _exit(lock.tryAcquire() == Result::Acquired ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(project.folder().lockFile()));

    EXPECT_FALSE(ProjectLock::currentHolder(project.folder()).has_value());
    ProjectLock lock(project.folder());
    EXPECT_EQ(lock.tryAcquire(), Result::Acquired);
}

TEST(ProjectLockTest, ANamelessLockFileBlocksOnlyWhileItIsFresh)
{
    TempProject project;
    const QString path = project.folder().lockFile();
    ASSERT_TRUE(projecttest::writeFile(path, ""));
    ProjectLock lock(project.folder());
    EXPECT_EQ(lock.tryAcquire(), Result::Held);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(lock.tryAcquire(), Result::Acquired);
}

TEST(ProjectLockTest, AFolderWithoutDbCannotBeLocked)
{
    TempDir dir;
    ProjectLock lock{ProjectFolder(dir.path())};
    EXPECT_EQ(lock.tryAcquire(), Result::Failed);
    EXPECT_TRUE(lock.refusalText().startsWith(QStringLiteral("Impossibile riservare il progetto")));
}
