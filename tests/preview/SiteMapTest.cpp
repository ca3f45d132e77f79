#include "PreviewTestSupport.h"

#include "preview/SiteMap.h"

#include <gtest/gtest.h>

using preview::SiteMap;

namespace {

struct MappedSite : TestSite {
    SiteMap map;
    MappedSite()
    {
        map.setRootFolder(root());
        map.addVirtualDirectory(QStringLiteral("/images"), images());
        map.addVirtualDirectory(QStringLiteral("/db"), db());
    }
};

} // namespace

TEST(SiteMap, AliasesAreOrderedByLengthKeepingEqualOnesInOrder)
{
    SiteMap m;
    m.addVirtualDirectory(QStringLiteral("/images"), QStringLiteral("/i"));
    m.addVirtualDirectory(QStringLiteral("/db"), QStringLiteral("/d"));
    m.addVirtualDirectory(QStringLiteral("/xy"), QStringLiteral("/x"));
    m.addVirtualDirectory(QStringLiteral("/images/big"), QStringLiteral("/b"));
    EXPECT_EQ(m.aliases(), (QStringList{"/db", "/xy", "/images", "/images/big"}));
    EXPECT_EQ(m.folders(), (QStringList{"/d", "/x", "/i", "/b"}));
}

TEST(SiteMap, UrlsMapToTheRootAndTheAliasFolders)
{
    MappedSite s;
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/")), s.root() + QStringLiteral("/default.asp"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/sub/p.asp")), s.root() + QStringLiteral("/sub/p.asp"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/images/logo.gif")), s.images() + QStringLiteral("/logo.gif"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/db/x.mdb")), s.db() + QStringLiteral("/x.mdb"));
    // The alias is a prefix test; the character after it is skipped.
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/imagesX/a.gif")), s.images() + QStringLiteral("/a.gif"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/nome%20con%20spazi.htm")),
              s.root() + QStringLiteral("/nome con spazi.htm"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/caff%c3%a8.htm")), s.root() + QStringLiteral("/caffè.htm"));
}

TEST(SiteMap, PathsLeavingTheirFolderAreRefused)
{
    MappedSite s;
    writeFile(s.dir.file(QStringLiteral("segreto.txt")), "x");
    QFile::link(s.dir.path(), s.root() + QStringLiteral("/fuori"));
    const char *hostile[] = {
        "/../segreto.txt", "/..%2fsegreto.txt", "/%2e%2e/segreto.txt", "/%2E%2E%2Fsegreto.txt",
        "/a/../../segreto.txt", "/images/../../segreto.txt", "/images/..%2F..%2Fsegreto.txt",
        "/db/../asp/default.asp", "/./default.asp", "/..\\segreto.txt", "/%5c..%5csegreto.txt",
        "/default.asp%00.gif", "/a%00", "segreto.txt", "../segreto.txt", "http://x/default.asp",
        "/fuori/segreto.txt", "/FUORI/segreto.txt", "/Fuori/SEGRETO.TXT", "/%zz", "/%c3", "/images%2f..%2f..%2fsegreto.txt", "/images/..",
    };
    for (const char *url : hostile)
        EXPECT_EQ(s.map.mapUrl(QString::fromLatin1(url)), QString()) << url;
}

TEST(SiteMap, SiblingFolderStartingWithTheFoldersNameIsOutside)
{
    MappedSite s;
    writeFile(s.dir.file(QStringLiteral("asp2/x.inc")), "x");
    writeFile(s.dir.file(QStringLiteral("images2/y.gif")), "y");
    EXPECT_FALSE(SiteMap::isInside(s.dir.file(QStringLiteral("asp2/x.inc")), s.root()));
    EXPECT_FALSE(SiteMap::isInside(s.dir.file(QStringLiteral("asp2")), s.root()));
    EXPECT_TRUE(SiteMap::isInside(s.root() + QStringLiteral("/x.inc"), s.root()));
    EXPECT_TRUE(SiteMap::isInside(s.root(), s.root()));
    // Links inside the root and an alias folder that lead to the siblings.
    ASSERT_TRUE(QFile::link(s.dir.file(QStringLiteral("asp2")), s.root() + QStringLiteral("/vicino")));
    ASSERT_TRUE(QFile::link(s.dir.file(QStringLiteral("images2")), s.images() + QStringLiteral("/vicino")));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/vicino/x.inc")), QString());
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/images/vicino/y.gif")), QString());
}

TEST(SiteMap, NamesThatDifferOnlyInCaseAreFound)
{
    MappedSite s;
    s.page(QStringLiteral("Sub/Pagina.asp"), "p");
    s.page(QStringLiteral("a.asp"), "a");
    s.page(QStringLiteral("A.asp"), "A");
    writeFile(s.images() + QStringLiteral("/Logo.GIF"), "g");
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/sub/PAGINA.asp")), s.root() + QStringLiteral("/Sub/Pagina.asp"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/Images/logo.gif")), s.images() + QStringLiteral("/Logo.GIF"));
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/A.asp")), s.root() + QStringLiteral("/A.asp"));  // exact name first
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/sub/altra.asp")), s.root() + QStringLiteral("/sub/altra.asp"));  // no match: as written
    // A file added after the folder was first looked at is found too.
    s.page(QStringLiteral("Sub/Nuova.ASP"), "n");
    EXPECT_EQ(s.map.mapUrl(QStringLiteral("/SUB/nuova.asp")), s.root() + QStringLiteral("/Sub/Nuova.ASP"));
    EXPECT_EQ(s.map.mapPath(QStringLiteral("/DB/database.mdb")), s.db() + QStringLiteral("/database.mdb"));
}

TEST(SiteMap, MapPathFollowsTheSiteRules)
{
    SiteMap m;
    m.setRootFolder(QStringLiteral("/p/website/asp"));
    m.addVirtualDirectory(QStringLiteral("/db"), QStringLiteral("/p/db"));
    m.addVirtualDirectory(QStringLiteral("/images"), QStringLiteral("/p/website/images"));
    EXPECT_EQ(m.mapPath(QStringLiteral("/db")), QStringLiteral("/p/db"));
    EXPECT_EQ(m.mapPath(QStringLiteral("/db/database.mdb")), QStringLiteral("/p/db/database.mdb"));
    EXPECT_EQ(m.mapPath(QStringLiteral("/images/a.gif")), QStringLiteral("/p/website/images/a.gif"));
    EXPECT_EQ(m.mapPath(QStringLiteral("pagina.asp")), QStringLiteral("/p/website/asp/pagina.asp"));
    EXPECT_EQ(m.mapPath(QStringLiteral("/pagina.asp")), QStringLiteral("/p/website/asp/pagina.asp"));
    EXPECT_EQ(m.mapPath(QStringLiteral("\\dir\\x.txt")), QStringLiteral("/p/website/asp/dir/x.txt"));
    EXPECT_EQ(m.mapPath(QStringLiteral("/dbx")), QStringLiteral("/p/db/"));
}
