#include "TemplateFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString s(const char *text) { return QString::fromUtf8(text); }

TEST(StylesheetGenerator, RuleLayoutUnitsAndBorders)
{
    TemplateFixture f;
    f.node(20, 0, s(""));
    f.model.addClass({5, 20, 1, s(".Blocco")});
    f.attribute(1, 5, 0, s("100"));
    f.attribute(2, 5, 5, s("#FF0000"));
    f.attribute(3, 5, 1, s("50%"));
    f.attribute(4, 5, 32, s("10px"));  // already has its unit: never "10pxpx"
    f.attribute(5, 5, 6, s(""));       // empty: no declaration, never "px"
    f.attribute(6, 5, 27, s("10 20"));
    f.attribute(7, 5, 11, s("solid"));
    f.attribute(8, 5, 12, s("#000000"));
    f.attribute(9, 5, 10, s("1"));
    f.attribute(10, 5, 16, s("3"));
    f.attribute(11, 5, 17, s("none"));
    f.attribute(12, 5, 18, s("#123456"));
    // Style and colour of the right border without a width row: not written.
    f.attribute(13, 5, 14, s("dotted"));
    f.model.addAttribute({14, 5, 2, QString(), true});
    EXPECT_EQ(f.stylesheet(1), s(".Blocco5\n{\n"
                                 "\twidth: 100px;\n"
                                 "\tcolor: #FF0000;\n"
                                 "\theight: 50%;\n"
                                 "\tfont-size: 10px;\n"
                                 "\tbackground-position: 10px 20px;\n"
                                 "\tborder-top: 1px solid #000000;\n"
                                 "\tborder-bottom: none;\n"
                                 "}\n\n"));
}

TEST(StylesheetGenerator, SelectorsFollowOrdine)
{
    TemplateFixture f;
    f.node(20, 0, s(""));
    // Compound before its simple class (by Ordine): written unchanged.
    f.model.addClass({7, 20, 1, s(".Menu a")});
    f.model.addClass({8, 20, 2, s(".Menu")});
    f.model.addClass({9, 20, 3, s(".Menu a:hover")});
    f.model.addClass({10, 20, 4, s("h1")});
    f.model.addClass({11, 20, 5, s(".Vuota")});  // no values: no rule
    for (int c : {7, 8, 9, 10})
        f.attribute(c, c, 5, s("#FFFFFF"));
    f.model.addAttribute({20, 11, 5, QString(), true});
    EXPECT_EQ(f.stylesheet(1), s(".Menu a\n{\n\tcolor: #FFFFFF;\n}\n\n"
                                 ".Menu8\n{\n\tcolor: #FFFFFF;\n}\n\n"
                                 ".Menu8 a:hover\n{\n\tcolor: #FFFFFF;\n}\n\n"
                                 "h1\n{\n\tcolor: #FFFFFF;\n}\n\n"));
}

TEST(StylesheetGenerator, OnlyActiveNodesOfTheCategoryAndNothingForAReference)
{
    TemplateFixture f;
    f.node(20, 0, s(""));
    f.node(21, 0, s("")).attivo = false;
    f.node(22, 0, s(""), 1, 2);
    f.node(23, 0, s(""), 5, 0).idRiferimento = 20;
    for (int n : {20, 21, 22}) {
        f.model.addClass({n, n, 1, s(".C")});
        f.attribute(n, n, 31, s("bold"));
    }
    StylesheetGenerator gen(f.model, f.project(), f.writer);
    gen.updateStylesheet(23);
    EXPECT_FALSE(QFile::exists(f.css(s("base.css"))));
    gen.updateStylesheet(20);
    EXPECT_EQ(f.read(f.css(s("base.css"))), ".C20\r\n{\r\n\tfont-weight: bold;\r\n}\r\n\r\n");
    EXPECT_FALSE(QFile::exists(f.css(s("menu.css"))));
    gen.updateAll();
    EXPECT_EQ(f.read(f.css(s("menu.css"))), ".C22\r\n{\r\n\tfont-weight: bold;\r\n}\r\n\r\n");
}

} // namespace
