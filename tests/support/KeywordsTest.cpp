#include "support/Keywords.h"

#include <gtest/gtest.h>

TEST(KeywordsTest, SplitsLowerCasesAndRemovesDuplicates)
{
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("Rosa Rossa, rosa ROSSA; profumo/ROSA")),
              QStringLiteral("rosa rossa profumo"));
    // Apostrophes, hyphens and brackets split words; the elided article goes.
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("Olio dell'oliva extra-vergine (bottiglia)")),
              QStringLiteral("olio oliva extra vergine bottiglia"));
}

TEST(KeywordsTest, DropsShortAndStopWordsOfBothLanguages)
{
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("La borsa di pelle con la tracolla e il manico")),
              QStringLiteral("borsa pelle tracolla manico"));
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("The leather bag with the strap and a handle")),
              QStringLiteral("leather bag strap handle"));
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("a e i o u di da in su")), QString());
    EXPECT_EQ(ElaboraKeywords(QString()), QString());
    EXPECT_TRUE(isKeywordStopWord(QStringLiteral("della")));
    EXPECT_FALSE(isKeywordStopWord(QStringLiteral("borsa")));
}

TEST(KeywordsTest, KeepsAccentsAndDigitsAndReadsThroughMarkup)
{
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("Caffè QUALITÀ 250g, Novità 2024")),
              QStringLiteral("caffè qualità 250g novità 2024"));
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("<p>Maglia <b>cotone</b>&nbsp;biologico, citt&agrave;&#33;</p>")),
              QStringLiteral("maglia cotone biologico città"));
    // A tag never glues two words together.
    EXPECT_EQ(ElaboraKeywords(QStringLiteral("seta<br>lana")), QStringLiteral("seta lana"));
}
