#include "TemplateFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString s(const char *text) { return QString::fromUtf8(text); }

TEST(AspGenerator, ChildrenAndClassesResolveAtTheInnermostLevel)
{
    TemplateFixture f;
    f.page(10, "home.asp", "<html>##LINKCSS##\n##CODICEFIGLIO##</html>\n");
    f.node(20, 10, s("<div class=\"Blocco\">##CODICEFIGLIO##</div>"));
    f.node(30, 20, s("<td class='Blocco' id=\"c%%SYSID%%\"><span class=\"Testo\">x</span></td>"), 3);
    // The parent and the child both own ".Blocco"; the child's own row wins
    // inside it, the parent's outside. "Testo" is resolved by node 1.
    f.model.addClass({5, 20, 5, s(".Blocco")});
    f.model.addClass({7, 30, 7, s(".Blocco ")});
    f.node(1, 99, s(""), 6);
    f.model.addClass({3, 1, 3, s(".Testo")});
    f.model.addClass({4, 20, 4, s(".Due parole")});

    f.updateAsp(30);
    const QByteArray page = f.read(f.asp(s("home.asp")));
    EXPECT_EQ(page,
              "<html><link rel=\"stylesheet\" href=\"/images/base.css\" type=\"text/css\">\r\n\r\n"
              "<div class=\"Blocco5\"><td class='Blocco7' id=\"c30\"><span class=\"Testo3\">x</span></td>\r\n"
              "</div>\r\n</html>\r\n\r\n");
}

TEST(AspGenerator, SharedNodeGoesToItsIncludeAndIsInlinedWhenNoLongerShared)
{
    TemplateFixture f;
    f.page(10, "shop.asp", "<body>##CODICEFIGLIO##</body>\n");
    f.node(12, 10, s("<p>%%SYSID%%</p>")).condiviso = true;

    f.updateAsp(10);
    EXPECT_EQ(f.read(f.asp(s("shop.asp"))),
              "<body><!-- #include virtual=\"/include12.asp\"-->\r\n</body>\r\n\r\n");
    EXPECT_EQ(f.read(f.asp(s("include12.asp"))), "<p>12</p>\r\n");

    const_cast<TemplateNode *>(f.model.node(12))->condiviso = false;
    f.updateAsp(12);
    EXPECT_FALSE(QFile::exists(f.asp(s("include12.asp"))));
    EXPECT_EQ(f.read(f.asp(s("shop.asp"))), "<body><p>12</p>\r\n</body>\r\n\r\n");
    EXPECT_TRUE(f.writer.failures().isEmpty());
}

TEST(AspGenerator, InactiveChildIsLeftOutAndItsFileUntouched)
{
    TemplateFixture f;
    f.page(10, "p.asp", "[##CODICEFIGLIO##]");
    TemplateNode &off = f.node(12, 10, s("hidden"));
    off.attivo = false;
    off.condiviso = true;
    f.node(13, 10, s("shown"));
    f.put(f.asp(s("include12.asp")), "old");

    f.updateAsp(13);
    EXPECT_EQ(f.read(f.asp(s("p.asp"))), "[shown\r\n]\r\n\r\n");
    EXPECT_EQ(f.read(f.asp(s("include12.asp"))), "old");
}

TEST(AspGenerator, OnOffAndChoiceParameters)
{
    TemplateFixture f;
    f.node(20, 0, s("a%%Box%%b%%/Box%%c|%%Col=0%%zero%%/Col=0%%%%Col=1%%one%%/Col=1%%|%%Titolo%%"));
    f.model.addParameter({1, 20, 1, 3, s("Box"), s("0"), {}});
    f.model.addParameter({2, 20, 2, 4, s("Col"), s("1"), s("rosso,verde")});
    f.model.addParameter({3, 20, 3, 0, s("Titolo"), s("Benvenuti"), {}});
    EXPECT_EQ(f.generate(20), s("ac|one|Benvenuti"));

    const_cast<TemplateParameter *>(f.model.parametersOf(20)[0])->valore = s("1");
    const_cast<TemplateParameter *>(f.model.parametersOf(20)[1])->valore = QString();
    EXPECT_EQ(f.generate(20), s("abc||Benvenuti"));

    // With no options the choice markers stay as they are.
    const_cast<TemplateParameter *>(f.model.parametersOf(20)[1])->opzioni = QString();
    EXPECT_EQ(f.generate(20), s("abc|%%Col=0%%zero%%/Col=0%%%%Col=1%%one%%/Col=1%%|Benvenuti"));
}

TEST(AspGenerator, MalformedSectionsEndWithTheTextUnchanged)
{
    TemplateFixture f;
    f.node(20, 0, s("x%%/Box%%y%%Box%%z"));
    f.model.addParameter({1, 20, 1, 3, s("Box"), s("0"), {}});
    f.node(21, 0, s("%%/Col=0%%q%%Col=0%%"));
    f.model.addParameter({2, 21, 1, 4, s("Col"), s("1"), s("a,b")});
    EXPECT_EQ(f.generate(20), s("x%%/Box%%y%%Box%%z"));
    EXPECT_EQ(f.generate(21), s("%%/Col=0%%q%%Col=0%%"));
}

TEST(AspGenerator, NearestAncestorParameterFillsWhatTheChildLeaves)
{
    TemplateFixture f;
    f.node(20, 0, s("<%%Colore%%>##CODICEFIGLIO##"));
    f.node(21, 20, s("[%%Colore%%]"));
    f.model.addParameter({1, 20, 1, 0, s("Colore"), s("rosso"), {}});
    EXPECT_EQ(f.generate(20), s("<rosso>[rosso]\n"));
}

TEST(AspGenerator, PerLanguageBackgroundImageIsWrittenInline)
{
    TemplateFixture f;
    f.node(20, 0, s("<div class=\"Logo\"></div><td class='Logo'>"));
    f.model.addClass({8, 20, 8, s(".Logo")});
    f.attribute(1, 8, 26, s("url(/images/<%=Lingua%>/logo.gif)"));
    f.attribute(2, 8, 4, s("#FF0000"));
    EXPECT_EQ(f.generate(20),
              s("<div class=\"Logo8\" style=\"background-image:url(/images/<%=Lingua%>/logo.gif);\"></div>"
                "<td class='Logo8' style='background-image:url(/images/<%=Lingua%>/logo.gif);'>"));
    EXPECT_EQ(f.stylesheet(1), s(".Logo8\n{\n\tbackground-color: #FF0000;\n}\n\n"));
}

TEST(AspGenerator, LinkCssOnlyInPagesAndReferencesLinkTheirTarget)
{
    TemplateFixture f;
    f.node(30, 0, s("menu ##LINKCSS##"), 1, 2);
    f.node(31, 30, s("voce"), 1, 2).attivo = false;
    f.model.addCategory({3, s("voci.css")});
    const_cast<TemplateNode *>(f.model.node(31))->idCategoria = 3;
    f.page(10, "p.asp", "##LINKCSS##|##CODICEFIGLIO##");
    TemplateNode &ref = f.node(11, 10, s("<!-- #include virtual=\"/include30.asp\"-->"), 5, 0);
    ref.idRiferimento = 30;

    f.updateAsp(11);
    EXPECT_EQ(f.read(f.asp(s("p.asp"))),
              "<link rel=\"stylesheet\" href=\"/images/base.css\" type=\"text/css\">\r\n"
              "<link rel=\"stylesheet\" href=\"/images/menu.css\" type=\"text/css\">\r\n"
              "<link rel=\"stylesheet\" href=\"/images/voci.css\" type=\"text/css\">\r\n"
              "|<!-- #include virtual=\"/include30.asp\"-->\r\n\r\n\r\n");
    EXPECT_EQ(f.generate(30), s("menu ##LINKCSS##"));
}

TEST(AspGenerator, MissingPageFileLeavesItsPathAndWritesNothing)
{
    TemplateFixture f;
    f.node(10, 0, s("\\pagine\\manca.asp"), 0);
    EXPECT_EQ(f.generate(10), s("\\pagine\\manca.asp"));
}

TEST(AspGenerator, RegenerateCopiesSystemPagesButDefault)
{
    TemplateFixture f;
    f.put(f.program() + s("/template/system/default.asp"), "system default");
    f.put(f.program() + s("/template/system/carrello.asp"), "cart");
    f.put(f.asp(s("default.asp")), "mine");
    f.put(f.asp(s("carrello.asp")), "old cart");
    f.page(10, "a.asp", "A##CODICEFIGLIO##");
    f.node(11, 10, s("1"));
    f.page(20, "b.asp", "B");

    AspGenerator gen(f.model, f.project(), f.program(), f.writer);
    gen.regenerateProject();
    EXPECT_EQ(f.read(f.asp(s("default.asp"))), "mine");
    EXPECT_EQ(f.read(f.asp(s("carrello.asp"))), "cart");
    EXPECT_EQ(f.read(f.asp(s("a.asp"))), "A1\r\n\r\n\r\n");
    // A page without children is not rebuilt.
    EXPECT_FALSE(QFile::exists(f.asp(s("b.asp"))));
}

TEST(AspGenerator, UnwritableOutputIsReportedOnceAndTheRestGoesOn)
{
    TemplateFixture f;
    f.page(10, "p.asp", "P##CODICEFIGLIO##");
    f.node(12, 10, s("shared")).condiviso = true;
    // A folder where the include file should go makes it unwritable.
    QDir().mkpath(f.asp(s("include12.asp/x")));

    f.updateAsp(10);
    f.updateAsp(10);
    ASSERT_EQ(f.writer.failures().size(), 1);
    EXPECT_TRUE(f.writer.failures()[0].startsWith(s("Impossibile scrivere il file ")));
    EXPECT_EQ(f.read(f.asp(s("p.asp"))),
              "P<!-- #include virtual=\"/include12.asp\"-->\r\n\r\n\r\n");
}

TEST(AspGenerator, UnicodeIsWrittenAsUtf8)
{
    TemplateFixture f;
    f.page(10, "u.asp", "\xc3\xa8##CODICEFIGLIO##");
    f.node(11, 10, s("\xe2\x82\xac \xc3\x9f"));
    f.updateAsp(10);
    EXPECT_EQ(f.read(f.asp(s("u.asp"))), "\xc3\xa8\xe2\x82\xac \xc3\x9f\r\n\r\n\r\n");
}

} // namespace

namespace {

TEST(AspGenerator, DamagedTreeWithAParentRingEnds)
{
    TemplateFixture f;
    f.node(20, 21, QStringLiteral("a##CODICEFIGLIO##"));
    f.node(21, 20, QStringLiteral("b##CODICEFIGLIO##"));
    f.updateAsp(20);
    EXPECT_EQ(f.generate(20), QStringLiteral("ab\n\n"));
}

} // namespace
