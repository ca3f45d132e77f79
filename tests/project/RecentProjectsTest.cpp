#include "ProjectTestSupport.h"

#include "project/RecentProjects.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using projecttest::clearRecentProjects;

namespace {

class RecentProjectsTest : public ::testing::Test {
protected:
    void SetUp() override { clearRecentProjects(); }
    void TearDown() override { clearRecentProjects(); }

    // The stored values as the settings hold them, by number.
    static QString stored(int number)
    {
        QSettings s(QStringLiteral("Brellix"), QStringLiteral("Zanfira50"));
        return s.value(QStringLiteral("LRUProjects/Project%1").arg(number)).toString();
    }
    static bool has(int number)
    {
        QSettings s(QStringLiteral("Brellix"), QStringLiteral("Zanfira50"));
        return s.contains(QStringLiteral("LRUProjects/Project%1").arg(number));
    }
};

TEST_F(RecentProjectsTest, EmptyListHasNoNewestProject)
{
    RecentProjects recent;
    EXPECT_TRUE(recent.newest().isEmpty());
    EXPECT_TRUE(recent.newestFirst().isEmpty());
    EXPECT_FALSE(has(1));
}

TEST_F(RecentProjectsTest, ProjectsFillTheValuesFromOneUpwards)
{
    RecentProjects recent;
    recent.add(QStringLiteral("/p/a"));
    recent.add(QStringLiteral("/p/b"));
    EXPECT_EQ(stored(1), "/p/a");
    EXPECT_EQ(stored(2), "/p/b");
    EXPECT_FALSE(has(3));
    EXPECT_EQ(recent.newest(), "/p/b");
    EXPECT_EQ(recent.newestFirst(), (QStringList{"/p/b", "/p/a"}));
}

TEST_F(RecentProjectsTest, FifthProjectDropsTheOldest)
{
    RecentProjects recent;
    for (const char *p : {"/p/1", "/p/2", "/p/3", "/p/4", "/p/5"})
        recent.add(QString::fromLatin1(p));
    EXPECT_EQ(recent.values(), (QStringList{"/p/2", "/p/3", "/p/4", "/p/5"}));
    EXPECT_FALSE(has(5));
    EXPECT_EQ(recent.newest(), "/p/5");
}

TEST_F(RecentProjectsTest, ReopeningMovesToTheNewestPlaceAndNewestStays)
{
    RecentProjects recent;
    for (const char *p : {"/p/1", "/p/2", "/p/3", "/p/4"})
        recent.add(QString::fromLatin1(p));
    recent.add(QStringLiteral("/p/3"));   // second-newest: swaps with the newest
    EXPECT_EQ(recent.values(), (QStringList{"/p/1", "/p/2", "/p/4", "/p/3"}));
    recent.add(QStringLiteral("/p/3"));   // the newest: nothing changes
    EXPECT_EQ(recent.values(), (QStringList{"/p/1", "/p/2", "/p/4", "/p/3"}));
    recent.add(QStringLiteral("/p/1"));   // the oldest: the others move down
    EXPECT_EQ(recent.values(), (QStringList{"/p/2", "/p/4", "/p/3", "/p/1"}));
}

TEST_F(RecentProjectsTest, PathsAreComparedAsExactText)
{
    RecentProjects recent;
    recent.add(QStringLiteral("/p/Progetto"));
    recent.add(QStringLiteral("/p/progetto"));
    EXPECT_EQ(recent.values().size(), 2);
}

TEST_F(RecentProjectsTest, RemovingMovesTheLaterValuesDown)
{
    RecentProjects recent;
    for (const char *p : {"/p/1", "/p/2", "/p/3"})
        recent.add(QString::fromLatin1(p));
    recent.remove(QStringLiteral("/p/2"));
    EXPECT_EQ(stored(1), "/p/1");
    EXPECT_EQ(stored(2), "/p/3");
    EXPECT_FALSE(has(3));
    recent.remove(QStringLiteral("/p/absent"));
    EXPECT_EQ(recent.values(), (QStringList{"/p/1", "/p/3"}));
    recent.remove(QStringLiteral("/p/3"));
    recent.remove(QStringLiteral("/p/1"));
    EXPECT_TRUE(recent.newest().isEmpty());
}

TEST_F(RecentProjectsTest, NewestLooksFromFourDownAndAddStopsAtAGap)
{
    {
        QSettings s(QStringLiteral("Brellix"), QStringLiteral("Zanfira50"));
        s.setValue(QStringLiteral("LRUProjects/Project3"), QStringLiteral("/p/x"));
    }
    RecentProjects recent;
    EXPECT_EQ(recent.newest(), "/p/x");
    EXPECT_TRUE(recent.values().isEmpty());
    recent.add(QStringLiteral("/p/y"));
    EXPECT_EQ(stored(1), "/p/y");
    EXPECT_EQ(stored(3), "/p/x");
}

TEST_F(RecentProjectsTest, IniFileKeepsTheListApart)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("recent.ini"));
    {
        RecentProjects own(ini);
        own.add(QStringLiteral("/p/own"));
    }
    EXPECT_EQ(RecentProjects(ini).newest(), "/p/own");
    EXPECT_TRUE(RecentProjects().newest().isEmpty());
}

} // namespace
