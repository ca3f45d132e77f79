#include "PreviewTestSupport.h"

#include "preview/AspProcessor.h"
#include "preview/AspServer.h"
#include "preview/AspSession.h"
#include "preview/SiteMap.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace preview;

namespace {

struct ProcessorSite : TestSite {
    SiteMap map;
    AspProcessor processor{map};
    ProcessorSite()
    {
        map.setRootFolder(root());
        map.addVirtualDirectory(QStringLiteral("/db"), db());
        map.addVirtualDirectory(QStringLiteral("/images"), images());
    }
    AspProcessor::Result run(const QString &name, const QByteArray &request = {})
    {
        const QByteArray text = request.isEmpty() ? "GET /" + name.toUtf8() + " HTTP/1.1\r\n\r\n" : request;
        return processor.processPage(root() + QLatin1Char('/') + name, text);
    }
    QString output(const QString &name, const QByteArray &request = {}) { return run(name, request).output; }
};

AspProcessor::Script script(const QString &page)
{
    AspProcessor::ExpandedPage p;
    p.text = page;
    return AspProcessor::toScript(p);
}

} // namespace

TEST(AspScript, LiteralTextBecomesNumberedChunks)
{
    auto plain = script(QStringLiteral("<p>solo testo</p>\r\n"));
    EXPECT_EQ(plain.chunks, QStringList{QStringLiteral("<p>solo testo</p>\r\n")});
    EXPECT_EQ(plain.text, QStringLiteral("\nResponse.WriteHTML(0)\n"));

    auto sum = script(QStringLiteral("Totale:\r\n<%= 1+1 %>"));
    EXPECT_EQ(sum.chunks, (QStringList{QStringLiteral("Totale:\r\n"), QString()}));
    EXPECT_EQ(sum.text, QStringLiteral("\nResponse.WriteHTML(0)\n\nResponse.Write 1+1 \n\nResponse.WriteHTML(1)\n"));

    auto unclosed = script(QStringLiteral("A<% x = 1"));
    EXPECT_EQ(unclosed.chunks, QStringList{QStringLiteral("A")});
    EXPECT_EQ(unclosed.text, QStringLiteral("\nResponse.WriteHTML(0)\n x = 1"));

    auto empty = script(QString());
    EXPECT_EQ(empty.chunks, QStringList{QString()});
    EXPECT_EQ(empty.text, QStringLiteral("\nResponse.WriteHTML(0)\n"));

    // Delimiters are recognised inside code too; "<%@ ... %>" is not code.
    auto directive = script(QStringLiteral("<%@ Language=VBScript %>\r\n<% a = 1 %>B"));
    EXPECT_FALSE(directive.text.contains(QLatin1String("Language")));
    EXPECT_EQ(directive.chunks, (QStringList{QStringLiteral("\r\n"), QStringLiteral("B")}));
}

TEST(AspProcessor, RunsPagesWithTheirOutputAndExpressions)
{
    ProcessorSite s;
    s.page(QStringLiteral("somma.asp"), "Totale:\r\n<%= 1+1 %>");
    EXPECT_EQ(s.output(QStringLiteral("somma.asp")), QStringLiteral("Totale:\r\n2"));
    s.page(QStringLiteral("ciclo.asp"),
           "<ul>\r\n<% For i = 1 To 3 %><li><%= i %></li><% Next %>\r\n</ul>");
    EXPECT_EQ(s.output(QStringLiteral("ciclo.asp")), QStringLiteral("<ul>\r\n<li>1</li><li>2</li><li>3</li>\r\n</ul>"));
    s.page(QStringLiteral("direttiva.asp"), "<%@ Language=VBScript %>\r\nok");
    EXPECT_EQ(s.output(QStringLiteral("direttiva.asp")), QStringLiteral("\r\nok"));
    s.page(QStringLiteral("zero.asp"), QByteArray("a\0b<%= \"c\" %>", 13));
    EXPECT_EQ(s.output(QStringLiteral("zero.asp")), QStringLiteral("abc"));
}

TEST(AspProcessor, IncludesNestAndKeepTheirLineEnds)
{
    ProcessorSite s;
    s.page(QStringLiteral("inc/a.inc"), "A1\r\n<!-- #include file=\"b.inc\" -->\r\nA2\r\n");
    s.page(QStringLiteral("inc/b.inc"), "B1\r\n");
    s.page(QStringLiteral("p.asp"), "prima <!--#include virtual=\"/inc/a.inc\"--> dopo\r\nX\r\n");
    const auto page = s.processor.expandIncludes(QStringLiteral("prima <!--#include virtual=\"/inc/a.inc\"--> dopo\r\nX\r\n"),
                                                 s.root() + QStringLiteral("/p.asp"));
    EXPECT_EQ(page.text, QStringLiteral("A1\nB1\nA2\nX\r\n"));
    ASSERT_EQ(page.lines.size(), 5);
    EXPECT_EQ(page.lines[0].file, QStringLiteral("inc/a.inc"));
    EXPECT_EQ(page.lines[1].file, QStringLiteral("inc/b.inc"));
    EXPECT_EQ(page.lines[2].line, 3);
    EXPECT_EQ(page.lines[3].file, QStringLiteral("p.asp"));
    EXPECT_EQ(page.lines[3].line, 2);
    EXPECT_TRUE(page.errors.isEmpty());
    EXPECT_EQ(s.output(QStringLiteral("p.asp")), QStringLiteral("A1\nB1\nA2\nX\r\n"));

    // Backslashes in the name, a missing file, a directive without quotes,
    // and a file outside the site contribute nothing and no error.
    writeFile(s.dir.file(QStringLiteral("fuori.inc")), "SEGRETO\r\n");
    s.page(QStringLiteral("vari.asp"),
           "<!--#include virtual=\"inc\\b.inc\"-->\r\n<!--#include virtual=\"nessuno.inc\"-->\r\n"
           "<!--#include virtual=inc/b.inc -->\r\n<!--#include file=\"../fuori.inc\"-->\r\nfine");
    EXPECT_EQ(s.output(QStringLiteral("vari.asp")), QStringLiteral("B1\nfine"));
}

TEST(AspProcessor, SelfInclusionStopsWithAnError)
{
    ProcessorSite s;
    s.page(QStringLiteral("se.inc"), "S\r\n<!--#include file=\"se.inc\"-->\r\n");
    s.page(QStringLiteral("x.inc"), "X\r\n<!--#include file=\"y.inc\"-->\r\n");
    s.page(QStringLiteral("y.inc"), "Y\r\n<!--#include virtual=\"x.inc\"-->\r\n");
    s.page(QStringLiteral("diretto.asp"), "<!--#include file=\"se.inc\"-->\r\n");
    s.page(QStringLiteral("indiretto.asp"), "<!--#include file=\"x.inc\"-->\r\n");
    s.page(QStringLiteral("pagina.asp"), "<!--#include file=\"pagina.asp\"-->\r\nP");
    EXPECT_EQ(s.output(QStringLiteral("diretto.asp")),
              QStringLiteral("S\n<p>Inclusione ricorsiva del file se.inc (se.inc, riga 2)</p>"));
    EXPECT_EQ(s.output(QStringLiteral("indiretto.asp")),
              QStringLiteral("X\nY\n<p>Inclusione ricorsiva del file x.inc (y.inc, riga 2)</p>"));
    EXPECT_EQ(s.output(QStringLiteral("pagina.asp")),
              QStringLiteral("P<p>Inclusione ricorsiva del file pagina.asp (pagina.asp, riga 1)</p>"));
}

TEST(AspProcessor, ErrorsNameThePageFileAndLine)
{
    ProcessorSite s;
    s.page(QStringLiteral("inc/testata.inc"), "<h1>T</h1>\r\n<% a = 1 %>\r\n");
    s.page(QStringLiteral("inc/rotto.inc"), "r1\r\nr2\r\n<% x = 1 / 0 %>\r\n");
    s.page(QStringLiteral("err.asp"),
           "<!--#include virtual=\"inc/testata.inc\"-->\r\nriga 2\r\n<% y = \"a\" * 2 %>\r\ndopo");
    const QString out = s.output(QStringLiteral("err.asp"));
    EXPECT_TRUE(out.startsWith(QStringLiteral("<h1>T</h1>\n\nriga 2\r\n<p>"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("800a000d"))) << out.toStdString();
    EXPECT_TRUE(out.endsWith(QStringLiteral("(err.asp, riga 3)</p>"))) << out.toStdString();

    s.page(QStringLiteral("inc.asp"), "a\r\n<!--#include virtual=\"inc/rotto.inc\"-->\r\n");
    const QString inc = s.output(QStringLiteral("inc.asp"));
    EXPECT_TRUE(inc.contains(QStringLiteral("(inc/rotto.inc, riga 3)</p>"))) << inc.toStdString();

    s.page(QStringLiteral("sintassi.asp"), "ok\r\n\r\n<% If Then %>");
    const QString syntax = s.output(QStringLiteral("sintassi.asp"));
    EXPECT_TRUE(syntax.contains(QStringLiteral("(sintassi.asp, riga 3)"))) << syntax.toStdString();
}

TEST(AspProcessor, EndlessPagesEndWithAnError)
{
    ProcessorSite s;
    s.processor.setPageTimeLimit(300);
    s.page(QStringLiteral("loop.asp"), "prima<% Do : Loop %>dopo");
    s.page(QStringLiteral("ricorsione.asp"), "<% Function F(n) : F = F(n + 1) : End Function : x = F(1) %>fine");
    QElapsedTimer clock;
    clock.start();
    const QString out = s.output(QStringLiteral("loop.asp"));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(out.startsWith(QStringLiteral("prima<p>"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("(loop.asp, riga 1)"))) << out.toStdString();
    const QString rec = s.output(QStringLiteral("ricorsione.asp"));
    EXPECT_TRUE(rec.contains(QStringLiteral("800a001c"))) << rec.toStdString();
    // The server goes on with the next page.
    s.page(QStringLiteral("ok.asp"), "<%= \"ok\" %>");
    EXPECT_EQ(s.output(QStringLiteral("ok.asp")), QStringLiteral("ok"));
}

TEST(AspProcessor, RedirectGivesNoOutputAndHidesErrors)
{
    ProcessorSite s;
    s.page(QStringLiteral("vai.asp"), "testo<% Response.Redirect \"altro.asp?a=1\" : x = 1 / 0 %>ancora");
    const auto r = s.run(QStringLiteral("vai.asp"));
    EXPECT_EQ(r.redirect, QStringLiteral("altro.asp?a=1"));
    EXPECT_EQ(r.output, QString());
    s.page(QStringLiteral("resta.asp"), "qui");
    EXPECT_EQ(s.run(QStringLiteral("resta.asp")).redirect, QString());
}

TEST(AspProcessor, GlobalAsaRunsOnceAtTheHeadOfTheFirstPage)
{
    ProcessorSite s;
    s.page(QStringLiteral("global.asa"),
           "<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\nSub Session_OnStart\r\n  Session(\"avvii\") = "
           "Session(\"avvii\") + 1\r\n  Response.Write \"[sessione]\"\r\nEnd Sub\r\n</SCRIPT>\r\n");
    s.page(QStringLiteral("p.asp"), "pagina <%= Session(\"avvii\") %>");
    EXPECT_TRUE(s.processor.globalAsaPending());
    EXPECT_EQ(s.output(QStringLiteral("p.asp")), QStringLiteral("[sessione]pagina 1"));
    EXPECT_FALSE(s.processor.globalAsaPending());
    EXPECT_EQ(s.output(QStringLiteral("p.asp")), QStringLiteral("pagina 1"));
}

TEST(AspProcessor, GlobalAsaCallsApplicationStartFirst)
{
    ProcessorSite s;
    s.page(QStringLiteral("global.asa"),
           "<script language=\"VBScript\" runat=\"Server\">\r\nSub Session_OnStart\r\n Session(\"o\") = "
           "Session(\"o\") & \"S\"\r\nEnd Sub\r\nSub Application_OnStart\r\n Session(\"o\") = "
           "Session(\"o\") & \"A\"\r\nEnd Sub\r\n</script>\r\n");
    s.page(QStringLiteral("p.asp"), "<%= Session(\"o\") %>");
    EXPECT_EQ(s.output(QStringLiteral("p.asp")), QStringLiteral("AS"));
}

TEST(AspProcessor, SessionKeepsTextValuesForTheServersLife)
{
    ProcessorSite s;
    s.page(QStringLiteral("scrivi.asp"), "<% Session(\"n\") = 5 : Session(\"N\") = \"grande\" %>");
    s.page(QStringLiteral("leggi.asp"),
           "<%= TypeName(Session(\"n\").Item) %>|<%= Session(\"n\") %>|<%= Session(\"N\") %>|"
           "<%= IsEmpty(Session(\"manca\")) %>|<%= Session(\"n\") + 1 %>");
    s.output(QStringLiteral("scrivi.asp"));
    EXPECT_EQ(s.output(QStringLiteral("leggi.asp")), QStringLiteral("String|5|grande|Vero|6"));
    EXPECT_EQ(s.processor.session().value(QStringLiteral("n")), QStringLiteral("5"));
    s.page(QStringLiteral("oggetto.asp"), "<% Set Session(\"d\") = CreateObject(\"Scripting.Dictionary\") %>");
    EXPECT_TRUE(s.output(QStringLiteral("oggetto.asp")).contains(QStringLiteral("800a000d")));
}

TEST(AspProcessor, RequestObjectAsPagesUseIt)
{
    ProcessorSite s;
    s.page(QStringLiteral("r.asp"),
           "<%= Request(\"a\") %>|<%= Request.QueryString(\"a\") %>|<%= Request.QueryString.Count %>|"
           "<% For Each k In Request.QueryString %><%= k %>=<%= Request.QueryString(k) %>;<% Next %>|"
           "<%= Request.Form(1) %>|<%= Request.Form(\"nome\") %>|<%= Request(\"nome\") %>|"
           "<%= Request.ServerVariables(\"REQUEST_METHOD\") %>|<%= Request.QueryString.Prova(\"x\") %>");
    const QByteArray body = "nome=Mario+Rossi&x=%e8";
    const QString out = s.output(QStringLiteral("r.asp"),
                                 "POST /r.asp?a=1&b=2&a=3 HTTP/1.1\r\nContent-Length: "
                                     + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    EXPECT_EQ(out, QStringLiteral("1,3|1,3|2|a=1,3;b=2;|Mario Rossi|Mario Rossi|Mario Rossi|POST|Hai passato #x#"));
}

TEST(AspProcessor, ResponseAndServerMembers)
{
    ProcessorSite s;
    s.page(QStringLiteral("m.asp"),
           "<% Response.Expires = -1 %><%= Response.Expires %>|<%= Server.MapPath(\"/db/database.mdb\") %>|"
           "<%= Server.MapPath(\"x.asp\") %>|<%= Server.HTMLEncode(\"<b>&\") %>|"
           "<%= Server.URLEncode(\"a b\") %>|<%= Server.CreateObject(\"Nessuno.Componente\") Is Nothing %>");
    EXPECT_EQ(s.output(QStringLiteral("m.asp")),
              QStringLiteral("0|%1/database.mdb|%2/x.asp|&lt;b&gt;&amp;|a+b|Vero").arg(s.db(), s.root()));
    s.page(QStringLiteral("w.asp"), "<% Response.WriteHTML 7 %>");
    EXPECT_TRUE(s.output(QStringLiteral("w.asp")).contains(QStringLiteral("800a0009")));
    s.page(QStringLiteral("membro.asp"), "<% Response.Flush %>");
    EXPECT_TRUE(s.output(QStringLiteral("membro.asp")).contains(QStringLiteral("800a01b6")));
}

// Folders beside the site's own whose names begin with theirs (asp2 beside
// asp, db2 beside db) are outside: for includes, and for files reached
// through MapPath by the file and database components.
TEST(AspProcessor, SiblingFoldersNamedLikeTheSitesAreOutsideIt)
{
    ProcessorSite s;
    writeFile(s.dir.file(QStringLiteral("asp2/x.inc")), "SEGRETO-ASP2\r\n");
    writeFile(s.dir.file(QStringLiteral("images2/y.inc")), "SEGRETO-IMAGES2\r\n");
    writeFile(s.dir.file(QStringLiteral("db2/z.txt")), "SEGRETO-DB2");
    s.page(QStringLiteral("dentro.txt"), "DENTRO");
    s.page(QStringLiteral("inc.asp"),
           "<!--#include file=\"../asp2/x.inc\"-->\r\n<!--#include virtual=\"/../images2/y.inc\"-->\r\nfine");
    EXPECT_EQ(s.output(QStringLiteral("inc.asp")), QStringLiteral("fine"));

    s.page(QStringLiteral("file.asp"),
           "<% On Error Resume Next\r\n"
           "Set fso = Server.CreateObject(\"Scripting.FileSystemObject\")\r\n"
           "Response.Write fso.OpenTextFile(Server.MapPath(\"dentro.txt\")).ReadAll\r\n"
           "Set f = fso.OpenTextFile(Server.MapPath(\"../asp2/x.inc\"))\r\n"
           "Response.Write \"|\" & Err.Number\r\n"
           "Err.Clear\r\n"
           "Set f = fso.OpenTextFile(Server.MapPath(\"/db\") & \"2/z.txt\")\r\n"
           "Response.Write \"|\" & Err.Number\r\n"
           "Err.Clear\r\n"
           "Set c = Server.CreateObject(\"ADODB.Connection\")\r\n"
           "c.Open \"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\" & Server.MapPath(\"/db\") & \"2/database.mdb\"\r\n"
           "Response.Write \"|\" & Err.Number %>");
    EXPECT_EQ(s.output(QStringLiteral("file.asp")), QStringLiteral("DENTRO|70|70|70"));
}

namespace {

struct Counters {
    int started = 0;
    int ended = 0;
    int destroyed = 0;
    bool sawContext = false;
};
Counters g_counters;

// A component with the page hooks, counting what happens to it.
class CountingComponent : public vbs::Dispatch {
public:
    ~CountingComponent() override { ++g_counters.destroyed; }
    QString typeName() const override { return QStringLiteral("Contatore"); }
    int findMember(const QString &name) const override { return table().find(name); }
    vbs::Variant call(int id, vbs::CallArgs &args, bool) override
    {
        if (id == 1) {
            ++g_counters.started;
            vbs::Variant server = vbs::callMember(args[0].objectValue(), QStringLiteral("Server"));
            g_counters.sawContext = server.isObject() && server.objectValue();
        } else if (id == 2) {
            ++g_counters.ended;
        } else if (id == 3) {
            return vbs::Variant(int32_t(42));
        }
        return {};
    }

private:
    static const vbs::MemberTable &table()
    {
        static const vbs::MemberTable t{"OnStartPage", "OnEndPage", "Valore"};
        return t;
    }
};

} // namespace

TEST(AspProcessor, CreatedComponentsGetPageHooksAndAreReleasedOnce)
{
    previewComponents().add(QStringLiteral("Prova.Contatore"),
                            [](vbs::Context &) { return vbs::Ref<vbs::Dispatch>(new CountingComponent); });
    g_counters = {};
    ProcessorSite s;
    s.page(QStringLiteral("c.asp"),
           "<% Set a = Server.CreateObject(\"Prova.Contatore\") : Set b = Server.CreateObject(\"prova.contatore\")\r\n"
           "Set d = Server.CreateObject(\"Scripting.Dictionary\") : d.Add \"k\", a.Valore %><%= d(\"k\") %>");
    EXPECT_EQ(s.output(QStringLiteral("c.asp")), QStringLiteral("42"));
    EXPECT_EQ(g_counters.started, 2);
    EXPECT_TRUE(g_counters.sawContext);
    EXPECT_EQ(g_counters.ended, 2);
    EXPECT_EQ(g_counters.destroyed, 2);
}
