#include "ServedSite.h"

#include "preview/AspApplication.h"
#include "preview/AspSession.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace preview;

TEST(AspRequest, ServerVariablesBodyAndBinaryReadOfARealRequest)
{
    ServedSite s;
    s.page(QStringLiteral("info.asp"),
           "<% For Each v In Array(\"HTTP_HOST\", \"SERVER_NAME\", \"SERVER_PORT\", \"HTTPS\", \"REMOTE_ADDR\", "
           "\"REQUEST_METHOD\", \"URL\", \"SCRIPT_NAME\", \"PATH_INFO\", \"QUERY_STRING\", \"HTTP_REFERER\", "
           "\"http_user_agent\", \"CONTENT_TYPE\", \"CONTENT_LENGTH\", \"SERVER_PROTOCOL\", \"HTTP_ACCEPT_LANGUAGE\")\r\n"
           "Response.Write v & \"=\" & Request.ServerVariables(v) & vbLf\r\nNext\r\n"
           "Response.Write \"ALL_HTTP=\" & (InStr(Request.ServerVariables(\"ALL_HTTP\"), \"HTTP_USER_AGENT:Prova/1.0\") > 0) & vbLf\r\n"
           "Response.Write \"TotalBytes=\" & Request.TotalBytes & vbLf\r\n"
           "n = 4 : dati = Request.BinaryRead(n)\r\n"
           "For i = 0 To UBound(dati) : Response.Write Chr(dati(i)) : Next\r\n"
           "Response.Write \"|\" & n & \"|\" & TypeName(dati(0)) & \"|\" & Request.Form(\"b\") %>");
    const QByteArray body = "a=12&b=x+y";
    auto a = s.request("POST", "/info.asp?id=7&c=%C3%A8",
                       "Referer: http://127.0.0.1/lista.asp\r\nUser-Agent: Prova/1.0\r\n"
                       "Accept-Language: it-IT\r\nContent-Type: application/x-www-form-urlencoded\r\n",
                       body);
    ASSERT_TRUE(a);
    const QString port = QString::number(s.server.port());
    EXPECT_EQ(a->body.toStdString(),
              QStringLiteral("HTTP_HOST=127.0.0.1:%1\nSERVER_NAME=127.0.0.1\nSERVER_PORT=%1\nHTTPS=off\n"
                             "REMOTE_ADDR=127.0.0.1\nREQUEST_METHOD=POST\nURL=/info.asp\nSCRIPT_NAME=/info.asp\n"
                             "PATH_INFO=/info.asp\nQUERY_STRING=id=7&c=%C3%A8\n"
                             "HTTP_REFERER=http://127.0.0.1/lista.asp\nhttp_user_agent=Prova/1.0\n"
                             "CONTENT_TYPE=application/x-www-form-urlencoded\nCONTENT_LENGTH=10\n"
                             "SERVER_PROTOCOL=HTTP/1.1\nHTTP_ACCEPT_LANGUAGE=it-IT\nALL_HTTP=Vero\n"
                             "TotalBytes=10\na=12|4|Byte|x y")
                  .arg(port).toStdString());
}

TEST(AspApplication, CountersLocksAndGlobalAsaEvents)
{
    ServedSite s;
    s.page(QStringLiteral("global.asa"),
           "<SCRIPT LANGUAGE=\"VBScript\" RUNAT=\"Server\">\r\n"
           "Sub Application_OnStart\r\n  Application(\"avvio\") = \"avviata\"\r\n  Application(\"visitatori\") = 0\r\nEnd Sub\r\n"
           "Sub Session_OnStart\r\n  Application.Lock\r\n  Application(\"visitatori\") = Application(\"visitatori\") + 1\r\n"
           "  Application.UnLock\r\n  Session(\"inizio\") = Session.SessionID\r\nEnd Sub\r\n"
           "Sub Session_OnEnd\r\n  Application(\"finite\") = Application(\"finite\") + 1\r\nEnd Sub\r\n"
           "</SCRIPT>\r\n");
    s.page(QStringLiteral("contatore.asp"),
           "<% Application.Lock\r\nApplication(\"pagine\") = Application(\"pagine\") + 1\r\nApplication.Unlock %>"
           "<%= Application(\"avvio\") %>|<%= Application(\"pagine\") %>|<%= Application(\"visitatori\") %>|"
           "<%= Session(\"inizio\") = Session.SessionID %>|<%= Application.Contents.Count %>");
    s.page(QStringLiteral("esci.asp"), "<% Session.Abandon %><%= Session(\"inizio\") = Session.SessionID %>");
    auto page = [&](const char *target) {
        auto a = s.get(target);
        return a ? QString::fromUtf8(a->body) : QString();
    };
    EXPECT_EQ(page("/contatore.asp"), QStringLiteral("avviata|1|1|Vero|3"));
    EXPECT_EQ(page("/contatore.asp"), QStringLiteral("avviata|2|1|Vero|3"));
    const int firstId = s.server.processor().session().sessionId();
    // The abandoned session still answers its page, then a new one starts.
    EXPECT_EQ(page("/esci.asp"), QStringLiteral("Vero"));
    EXPECT_EQ(page("/contatore.asp"), QStringLiteral("avviata|3|2|Vero|4"));
    EXPECT_NE(s.server.processor().session().sessionId(), firstId);
    EXPECT_EQ(s.server.processor().application().contents().value(QStringLiteral("finite")).toLong(), 1);
    EXPECT_FALSE(s.server.processor().application().isLocked());
}

TEST(AspSession, TimeoutEndsTheSessionAndObjectsLiveAcrossPages)
{
    ServedSite s;
    qint64 now = 1000000;
    s.server.processor().setClock([&now] { return now; });
    s.page(QStringLiteral("metti.asp"),
           "<% Session.Timeout = 5\r\nSet d = Server.CreateObject(\"Scripting.Dictionary\")\r\n"
           "d.Add \"P1\", 2 : Set Session(\"carrello\") = d : Session(\"utente\") = \"anna\" %>"
           "<%= Session.Timeout %>");
    s.page(QStringLiteral("leggi.asp"),
           "<% If IsObject(Session(\"carrello\")) Then Session(\"carrello\")(\"P2\") = 1 : "
           "Response.Write Session(\"carrello\").Count %>|<%= Session(\"utente\") %>|<%= Session.Timeout %>");
    ASSERT_EQ(s.get("/metti.asp")->body, "5");
    now += 4 * 60000;
    EXPECT_EQ(s.get("/leggi.asp")->body, "2|anna|5");
    now += 4 * 60000;
    EXPECT_EQ(s.get("/leggi.asp")->body, "2|anna|5");
    now += 6 * 60000;  // more than the timeout without a page
    EXPECT_EQ(s.get("/leggi.asp")->body, "||20");
}

TEST(AspServer, ExecuteTransferAndTheirLimits)
{
    ServedSite s;
    s.page(QStringLiteral("sub/parte.asp"), "[parte <%= Request.QueryString(\"q\") %><% x = 5 %>]");
    s.page(QStringLiteral("chiamante.asp"),
           "<% x = 1 %>A<% Server.Execute \"sub/parte.asp\" %>B<%= x %><% Server.Execute \"/sub/parte.asp?q=ignorato\" %>C");
    EXPECT_EQ(s.get("/chiamante.asp?q=7")->body, "A[parte 7]B1[parte 7]C");

    s.page(QStringLiteral("passa.asp"),
           "prima<% Server.Transfer \"sub/arrivo.asp\" %><% Application(\"dopo\") = 1 %>mai");
    s.page(QStringLiteral("sub/arrivo.asp"), "|arrivo<% Response.Cookies(\"t\") = \"1\" %>");
    auto t = s.get("/passa.asp");
    EXPECT_EQ(t->body, "prima|arrivo");
    EXPECT_EQ(headerValues(*t, "Set-Cookie"), QList<QByteArray>{"t=1; path=/"});
    EXPECT_TRUE(s.server.processor().application().contents().value(QStringLiteral("dopo")).isEmpty());

    // Response.End in the called page ends the caller too; errors of the
    // called page appear where it ran.
    s.page(QStringLiteral("fine.asp"), "<% Server.Execute \"ferma.asp\" %>mai");
    s.page(QStringLiteral("ferma.asp"), "stop<% Response.End %>");
    EXPECT_EQ(s.get("/fine.asp")->body, "stop");
    s.page(QStringLiteral("rotta.asp"), "<% y = 1 / 0 %>");
    s.page(QStringLiteral("usa_rotta.asp"), "a<% Server.Execute \"rotta.asp\" %>b");
    const QByteArray broken = s.get("/usa_rotta.asp")->body;
    EXPECT_TRUE(broken.startsWith("a<p>")) << broken.toStdString();
    EXPECT_TRUE(broken.contains("rotta.asp, riga 1")) << broken.toStdString();
    EXPECT_TRUE(broken.endsWith("</p>b"));

    // Missing pages, pages outside the site and endless self-execution.
    s.page(QStringLiteral("errori.asp"),
           "<% On Error Resume Next\r\nServer.Execute \"manca.asp\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Server.Execute \"../../etc/passwd\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Server.Execute \"errori.asp\" : Response.Write Err.Number %>");
    const QByteArray errors = s.get("/errori.asp")->body;
    EXPECT_TRUE(errors.startsWith("5;5;")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("28")) << errors.toStdString();
}

TEST(AspServer, GetLastErrorAndScriptTimeout)
{
    ServedSite s;
    s.page(QStringLiteral("rotta.asp"), "riga 1\r\n<% x = 1\r\ny = CInt(\"a\") %>");
    s.page(QStringLiteral("errore.asp"),
           "<% Set e = Server.GetLastError %><%= e.Number = &H800A000D %>|<%= e.File %>|<%= e.Line %>|"
           "<%= e.Category %>|<%= e.Description <> \"\" %>");
    s.get("/rotta.asp");
    EXPECT_EQ(QString::fromUtf8(s.get("/errore.asp")->body),
              QStringLiteral("Vero|rotta.asp|3|Errore di run-time di VBScript|Vero"));

    s.page(QStringLiteral("tempo.asp"), "<%= Server.ScriptTimeout %><% Server.ScriptTimeout = 1 : Do : Loop %>");
    QElapsedTimer clock;
    clock.start();
    const QByteArray out = s.get("/tempo.asp")->body;
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_TRUE(out.startsWith("3<p>")) << out.toStdString();
}

TEST(AspSession, ARedirectInSessionStartAnswersBeforeThePageRuns)
{
    ServedSite s;
    s.page(QStringLiteral("global.asa"),
           "<script language=vbscript runat=server>\r\nSub Session_OnStart\r\n"
           "  If Request.Cookies(\"lingua\") = \"\" Then Response.Redirect \"/lingua.asp\"\r\nEnd Sub\r\n</script>");
    s.page(QStringLiteral("ordine.asp"), "<% Application(\"ordini\") = Application(\"ordini\") + 1 %>ordine");
    auto first = s.get("/ordine.asp");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->status, 302);
    EXPECT_EQ(first->header("Location"), "/lingua.asp");
    EXPECT_TRUE(s.server.processor().application().contents().value(QStringLiteral("ordini")).isEmpty());
    EXPECT_EQ(s.get("/ordine.asp")->body, "ordine");
}

TEST(AspRequest, ItemsHoldEveryValueAndMissingOnesAreEmpty)
{
    ServedSite s;
    s.page(QStringLiteral("scelte.asp"),
           "<%= IsEmpty(Request.Form(\"invia\")) %>|<%= IsEmpty(Request.Form(\"colore\")) %>|"
           "<%= Request.Form(\"colore\").Count %>|<%= Request.Form(\"colore\")(2) %>|<%= Request.Form(\"colore\") %>|"
           "<% For Each c In Request.Form(\"Colore\") %><%= UCase(c) %>;<% Next %>|"
           "<%= Request(\"colore\").Count %>|<%= Request.QueryString(\"manca\").Count %>|"
           "<%= Len(Request(\"colore\")) %>|<%= Request(\"colore\") = \"rosso,verde\" %>|"
           "<% x = Request.Form(\"colore\") %><%= TypeName(x) %>|<%= TypeName(Request.Form(\"colore\")) %>");
    auto a = s.request("POST", "/scelte.asp", {}, "colore=rosso&colore=verde");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->body, "Vero|Falso|2|verde|rosso,verde|ROSSO;VERDE;|2|0|11|Vero|String|IStringList");
}
