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
    EXPECT_EQ(sum.text, QStringLiteral("\nResponse.WriteHTML(0)\n\nResponse.Write  1+1 \n\nResponse.WriteHTML(1)\n"));

    auto unclosed = script(QStringLiteral("A<% x = 1"));
    EXPECT_EQ(unclosed.chunks, QStringList{QStringLiteral("A")});
    EXPECT_EQ(unclosed.text, QStringLiteral("\nResponse.WriteHTML(0)\n x = 1"));

    auto empty = script(QString());
    EXPECT_EQ(empty.chunks, QStringList{QString()});
    EXPECT_EQ(empty.text, QStringLiteral("\nResponse.WriteHTML(0)\n"));

    // "<%@ ... %>" is not code.
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

TEST(AspScript, ExpressionsAndDirectivesWithOrWithoutBlanks)
{
    auto tight = script(QStringLiteral("<%=x%>|<% =y %>|<%  = z%>"));
    EXPECT_EQ(tight.text, QStringLiteral("\nResponse.Write x\n\nResponse.WriteHTML(0)\n\nResponse.Write y \n"
                                         "\nResponse.WriteHTML(1)\n\nResponse.Write  z\n\nResponse.WriteHTML(2)\n"));

    auto spaced = script(QStringLiteral("<% @Language = VBScript  CodePage=65001 %>A"));
    EXPECT_EQ(spaced.directives.language, QStringLiteral("VBScript"));
    EXPECT_EQ(spaced.directives.codePage, 65001);
    EXPECT_EQ(spaced.chunks, QStringList{QStringLiteral("A")});
    auto quoted = script(QStringLiteral("<%@LANGUAGE=\"VBSCRIPT\" CODEPAGE=\"1252\" LCID=1033%>"));
    EXPECT_TRUE(AspProcessor::isVBScript(quoted.directives.language));
    EXPECT_EQ(quoted.directives.codePage, 1252);
    EXPECT_EQ(quoted.directives.lcid, 1033);
    EXPECT_FALSE(AspProcessor::isVBScript(QStringLiteral("JScript")));
}

TEST(AspScript, InsideCodeOnlyTheClosingDelimiterCounts)
{
    // "<%" in a comment or a string is code; "%>" ends the block even
    // inside a string.
    auto s = script(QStringLiteral("<% ' vecchio <% commento\r\nx = \"<%\" %>T<% y = \"a%>b\" %>"));
    EXPECT_EQ(s.text, QStringLiteral(" ' vecchio <% commento\r\nx = \"<%\" \n\nResponse.WriteHTML(0)\n y = \"a\n"
                                     "\nResponse.WriteHTML(1)\n"));
    EXPECT_EQ(s.chunks, (QStringList{QStringLiteral("T"), QStringLiteral("b\" %>")}));
}

TEST(AspProcessor, PagesRunWhateverTheirLineEnds)
{
    ProcessorSite s;
    s.page(QStringLiteral("inc/i.inc"), "I1\nI2\n");
    s.page(QStringLiteral("lf.asp"), "A\n<!--#include file=\"inc/i.inc\"-->\nB\n<% x = 1 / 0 %>\nC");
    const QString lf = s.output(QStringLiteral("lf.asp"));
    EXPECT_TRUE(lf.startsWith(QStringLiteral("A\nI1\nI2\n\nB\n<p>"))) << lf.toStdString();
    EXPECT_TRUE(lf.endsWith(QStringLiteral("(lf.asp, riga 4)</p>"))) << lf.toStdString();

    s.page(QStringLiteral("cr.asp"), "A\r<%\rDim v\rv = 2\r%><%=v%>\r<% y = \"a\" * 2 %>");
    const QString cr = s.output(QStringLiteral("cr.asp"));
    EXPECT_TRUE(cr.startsWith(QStringLiteral("A\r2\r<p>"))) << cr.toStdString();
    EXPECT_TRUE(cr.endsWith(QStringLiteral("(cr.asp, riga 6)</p>"))) << cr.toStdString();

    s.page(QStringLiteral("misto.asp"), "1\r\n2\n3\r<% z = 1 / 0 %>");
    EXPECT_TRUE(s.output(QStringLiteral("misto.asp")).endsWith(QStringLiteral("(misto.asp, riga 4)</p>")));
}

TEST(AspProcessor, IncludesReplaceOnlyTheirDirective)
{
    ProcessorSite s;
    s.page(QStringLiteral("inc/a.inc"), "A1\r\n<!-- #include file=\"b.inc\" -->\r\nA2\r\n");
    s.page(QStringLiteral("inc/b.inc"), "B1\n");
    const QString text = QStringLiteral("prima <!--#include virtual=\"/inc/a.inc\"--> dopo\r\nX\r\n");
    const auto page = s.processor.expandIncludes(text, s.root() + QStringLiteral("/p.asp"));
    EXPECT_EQ(page.text, QStringLiteral("prima A1\r\nB1\n\r\nA2\r\n dopo\r\nX\r\n"));
    ASSERT_EQ(page.lines.size(), 7);
    EXPECT_EQ(page.lines[0].file, QStringLiteral("p.asp"));
    EXPECT_EQ(page.lines[1].file, QStringLiteral("inc/b.inc"));
    EXPECT_EQ(page.lines[2].file, QStringLiteral("inc/a.inc"));
    EXPECT_EQ(page.lines[2].line, 2);
    EXPECT_EQ(page.lines[3].line, 3);
    EXPECT_EQ(page.lines[4].file, QStringLiteral("p.asp"));
    EXPECT_EQ(page.lines[4].line, 1);
    EXPECT_EQ(page.lines[5].line, 2);
    EXPECT_TRUE(page.errors.isEmpty());

    // Code on both sides of a directive, in the same line, still runs;
    // names and directives in any letter case are found.
    s.page(QStringLiteral("inc/Valore.INC"), "<% v = v * 10 %>");
    s.page(QStringLiteral("codice.asp"),
           "<% v = 4 %><!-- #INCLUDE FILE=\"inc/valore.inc\" --><%= v + 1 %> fine<% w = 1 / 0 %>");
    const QString out = s.output(QStringLiteral("codice.asp"));
    EXPECT_TRUE(out.startsWith(QStringLiteral("41 fine<p>"))) << out.toStdString();
    EXPECT_TRUE(out.endsWith(QStringLiteral("(codice.asp, riga 1)</p>"))) << out.toStdString();

    // Backslashes in the name work; a missing file, a directive without
    // quotes and a file outside the site contribute nothing and are noted.
    writeFile(s.dir.file(QStringLiteral("fuori.inc")), "SEGRETO\r\n");
    s.page(QStringLiteral("vari.asp"),
           "<!--#include virtual=\"inc\\b.inc\"-->|<!--#include virtual=\"nessuno.inc\"-->|"
           "<!--#include virtual=inc/b.inc -->|<!--#include file=\"../fuori.inc\"-->|fine");
    EXPECT_EQ(s.output(QStringLiteral("vari.asp")), QStringLiteral("B1\n||||fine"));
    const auto vari = s.processor.expandIncludes(
        QStringLiteral("<!--#include virtual=\"nessuno.inc\"-->\n<!--#include virtual=inc/b.inc -->"),
        s.root() + QStringLiteral("/vari.asp"));
    EXPECT_EQ(vari.unresolved,
              (QStringList{QStringLiteral("File di inclusione non trovato: nessuno.inc (vari.asp, riga 1)"),
                           QStringLiteral("Direttiva di inclusione non valida (vari.asp, riga 2)")}));
}

TEST(AspProcessor, ServerScriptBlocksAndDirectivesInsideCode)
{
    ProcessorSite s;
    s.page(QStringLiteral("plugin.inc"), "<% x = 1 %>");
    // A directive inside code is code (here a comment), not an include.
    s.page(QStringLiteral("commento.asp"), "<% '<!-- #include file=\"plugin.inc\" --> %>A<%= IsEmpty(x) %>");
    EXPECT_EQ(s.output(QStringLiteral("commento.asp")), QStringLiteral("AVero"));
    // <script runat="server"> code runs after the page's code; other
    // script tags are text.
    s.page(QStringLiteral("blocchi.asp"),
           "<script>c()</script><%= Doppio(2) %>|<% t = \"p\" %>\n<SCRIPT LANGUAGE=\"VBScript\" RUNAT=\"Server\">\n"
           "Function Doppio(n) : Doppio = n * 2 : End Function\nResponse.Write t & \"!\"\n</SCRIPT>fine\n"
           "<script runat=server language=JScript>function f() {}</script>");
    EXPECT_EQ(s.output(QStringLiteral("blocchi.asp")),
              QStringLiteral("<script>c()</script>4|\nfine\np!<p>Linguaggio di script non supportato: JScript "
                             "(blocchi.asp)</p>"));
    s.page(QStringLiteral("errore.asp"), "a\n<script runat=\"server\">\nSub S\n  x = 1 / 0\nEnd Sub\n</script>\n<% S %>");
    EXPECT_TRUE(s.output(QStringLiteral("errore.asp")).endsWith(QStringLiteral("(errore.asp, riga 4)</p>")));
}

TEST(AspProcessor, PageDirectivesReachThePage)
{
    ProcessorSite s;
    s.page(QStringLiteral("d.asp"), "<% @Language = VBScript  CodePage = 65001 %>\r\n<%=1+1%>|<% =\"x\" %>");
    const auto r = s.run(QStringLiteral("d.asp"));
    EXPECT_EQ(r.output, QStringLiteral("\r\n2|x"));
    EXPECT_EQ(r.codePage, 65001);
    s.page(QStringLiteral("lcid.asp"), "<%@ LCID=1033 %><%= FormatNumber(1234.5, 1) %>");
    EXPECT_EQ(s.output(QStringLiteral("lcid.asp")), QStringLiteral("1,234.5"));
    s.page(QStringLiteral("js.asp"), "<%@ Language=JScript %>A<% var x = 1; %>");
    EXPECT_EQ(s.output(QStringLiteral("js.asp")),
              QStringLiteral("<p>Linguaggio di script non supportato: JScript (js.asp)</p>"));
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
              QStringLiteral("S\r\n\r\n\r\n<p>Inclusione ricorsiva del file se.inc (se.inc, riga 2)</p>"));
    EXPECT_EQ(s.output(QStringLiteral("indiretto.asp")),
              QStringLiteral("X\r\nY\r\n\r\n\r\n\r\n<p>Inclusione ricorsiva del file x.inc (y.inc, riga 2)</p>"));
    EXPECT_EQ(s.output(QStringLiteral("pagina.asp")),
              QStringLiteral("\r\nP<p>Inclusione ricorsiva del file pagina.asp (pagina.asp, riga 1)</p>"));
}

TEST(AspProcessor, ErrorsNameThePageFileAndLine)
{
    ProcessorSite s;
    s.page(QStringLiteral("inc/testata.inc"), "<h1>T</h1>\r\n<% a = 1 %>\r\n");
    s.page(QStringLiteral("inc/rotto.inc"), "r1\r\nr2\r\n<% x = 1 / 0 %>\r\n");
    s.page(QStringLiteral("err.asp"),
           "<!--#include virtual=\"inc/testata.inc\"-->\r\nriga 2\r\n<% y = \"a\" * 2 %>\r\ndopo");
    const QString out = s.output(QStringLiteral("err.asp"));
    EXPECT_TRUE(out.startsWith(QStringLiteral("<h1>T</h1>\r\n\r\n\r\nriga 2\r\n<p>"))) << out.toStdString();
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

TEST(AspProcessor, SessionKeepsValuesAndObjectsForTheServersLife)
{
    ProcessorSite s;
    s.page(QStringLiteral("scrivi.asp"),
           "<% Session(\"n\") = 5 : Session(\"Nome\") = \"Mario\" : Session(\"lista\") = Array(1, 2, 3)\r\n"
           "Set d = Server.CreateObject(\"Scripting.Dictionary\") : d.Add \"k\", \"v\"\r\n"
           "Set Session(\"carrello\") = d %>");
    s.page(QStringLiteral("leggi.asp"),
           "<%= TypeName(Session(\"n\")) %>|<%= Session(\"N\") + 1 %>|<%= Session(\"nome\") %>|"
           "<%= IsEmpty(Session(\"manca\")) %>|<%= Session(\"lista\")(2) %>|<%= Session(\"carrello\")(\"k\") %>|"
           "<%= Session.Contents.Count %>|<% For Each k In Session.Contents %><%= k %>;<% Next %>");
    s.output(QStringLiteral("scrivi.asp"));
    EXPECT_EQ(s.output(QStringLiteral("leggi.asp")),
              QStringLiteral("Integer|6|Mario|Vero|3|v|4|n;Nome;lista;carrello;"));
    // Script class instances die with their page's engine: refused.
    s.page(QStringLiteral("classe.asp"), "<% Class C : End Class : Set Session(\"c\") = New C %>");
    EXPECT_TRUE(s.output(QStringLiteral("classe.asp")).contains(QStringLiteral("Session o Application")));
    s.page(QStringLiteral("togli.asp"),
           "<% Session.Contents.Remove \"n\" : Session.Contents.Remove 1 %><%= Session.Contents.Count %>"
           "<% Session.Contents.RemoveAll %>|<%= Session.Contents.Count %>");
    EXPECT_EQ(s.output(QStringLiteral("togli.asp")), QStringLiteral("2|0"));
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
    s.page(QStringLiteral("membro.asp"), "<% Response.Volo %>");
    EXPECT_TRUE(s.output(QStringLiteral("membro.asp")).contains(QStringLiteral("800a01b6")));
}

// Folders beside the site's own whose names begin with theirs (asp2 beside
// asp, db2 beside db) are outside: for includes, and for files reached
// through MapPath by the file and database components.
TEST(AspProcessor, RelativeMapPathStartsFromThePagesFolder)
{
    ProcessorSite s;
    s.page(QStringLiteral("negozio/dati.txt"), "DATI");
    s.page(QStringLiteral("negozio/p.asp"),
           "<%= Server.MapPath(\"dati.txt\") %>|<%= Server.MapPath(\"../x.asp\") %>|"
           "<% Set fso = Server.CreateObject(\"Scripting.FileSystemObject\") %>"
           "<%= fso.OpenTextFile(Server.MapPath(\"dati.txt\")).ReadAll %>");
    EXPECT_EQ(s.output(QStringLiteral("negozio/p.asp")),
              QStringLiteral("%1/negozio/dati.txt|%1/x.asp|DATI").arg(s.root()));
}

TEST(AspProcessor, SiblingFoldersNamedLikeTheSitesAreOutsideIt)
{
    ProcessorSite s;
    writeFile(s.dir.file(QStringLiteral("asp2/x.inc")), "SEGRETO-ASP2\r\n");
    writeFile(s.dir.file(QStringLiteral("images2/y.inc")), "SEGRETO-IMAGES2\r\n");
    writeFile(s.dir.file(QStringLiteral("db2/z.txt")), "SEGRETO-DB2");
    s.page(QStringLiteral("dentro.txt"), "DENTRO");
    s.page(QStringLiteral("inc.asp"),
           "<!--#include file=\"../asp2/x.inc\"-->\r\n<!--#include virtual=\"/../images2/y.inc\"-->\r\nfine");
    const QString included = s.output(QStringLiteral("inc.asp"));
    EXPECT_FALSE(included.contains(QLatin1String("SEGRETO"))) << included.toStdString();
    EXPECT_TRUE(included.endsWith(QLatin1String("fine"))) << included.toStdString();

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
