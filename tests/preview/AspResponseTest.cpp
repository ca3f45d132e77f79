#include "ServedSite.h"

#include "preview/AspApplication.h"

#include <gtest/gtest.h>

using namespace preview;

TEST(AspResponse, PagesSetTheStatusTypeHeadersAndCookiesOfTheirAnswer)
{
    ServedSite s;
    s.page(QStringLiteral("testa.asp"),
           "<% Response.Status = \"404 Not Found\"\r\n"
           "Response.ContentType = \"text/plain\"\r\n"
           "Response.AddHeader \"X-Negozio\", \"Zanfira\"\r\n"
           "Response.CacheControl = \"no-cache\"\r\n"
           "Response.Cookies(\"utente\")(\"nome\") = \"Mario Rossi\"\r\n"
           "Response.Cookies(\"utente\")(\"id\") = 42\r\n"
           "Response.Cookies(\"utente\").Expires = DateSerial(2030, 1, 15)\r\n"
           "Response.Cookies(\"utente\").Path = \"/negozio\"\r\n"
           "Response.Cookies(\"utente\").Domain = \"127.0.0.1\"\r\n"
           "Response.Cookies(\"utente\").Secure = True\r\n"
           "Response.Cookies(\"utente\").HttpOnly = True\r\n"
           "Response.Cookies(\"lingua\") = \"it\" %>non trovato");
    auto a = s.get("/testa.asp");
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->head.startsWith("HTTP/1.1 404 Not Found\r\n"));
    EXPECT_EQ(a->header("Content-Type"), "text/plain; charset=utf-8");
    EXPECT_EQ(a->header("X-Negozio"), "Zanfira");
    EXPECT_EQ(a->header("Cache-Control"), "no-cache");
    EXPECT_EQ(a->body, "non trovato");
    const QList<QByteArray> cookies = headerValues(*a, "Set-Cookie");
    ASSERT_EQ(cookies.size(), 2);
    EXPECT_TRUE(cookies[0].startsWith("utente=nome=Mario+Rossi&id=42; expires="));
    EXPECT_TRUE(cookies[0].contains("-Jan-2030 "));
    EXPECT_TRUE(cookies[0].endsWith("GMT; domain=127.0.0.1; path=/negozio; secure; HttpOnly"));
    EXPECT_EQ(cookies[1], "lingua=it; path=/");
}

TEST(AspResponse, ACookieSetOnOnePageIsReadOnTheNext)
{
    ServedSite s;
    s.page(QStringLiteral("accedi.asp"),
           "<% Response.Cookies(\"utente\")(\"nome\") = \"Anna D'Angelo\"\r\n"
           "Response.Cookies(\"utente\")(\"citta\") = \"Forlì\"\r\n"
           "Response.Cookies(\"visite\") = 3 %>ok");
    s.page(QStringLiteral("profilo.asp"),
           "<% If Request.Cookies(\"utente\") = \"\" Then Response.Write \"anonimo\" %>"
           "<%= Request.Cookies(\"Utente\")(\"nome\") %>|<%= Request.Cookies(\"utente\")(\"CITTA\") %>|"
           "<%= Request.Cookies(\"utente\").HasKeys %>|<%= Request.Cookies(\"visite\") + 1 %>|"
           "<%= Request.Cookies(\"visite\").HasKeys %>|<%= Request.Cookies(\"manca\")(\"x\") %>|"
           "<% For Each c In Request.Cookies %><%= c %>;<% Next %>|<%= Request.Cookies.Count %>|"
           "<%= Request(\"visite\") %>");
    auto set = s.get("/accedi.asp");
    ASSERT_TRUE(set);
    QByteArray cookieHeader;
    for (const QByteArray &c : headerValues(*set, "Set-Cookie"))
        cookieHeader += (cookieHeader.isEmpty() ? "" : "; ") + c.left(c.indexOf(';'));
    auto read = s.get("/profilo.asp", "Cookie: " + cookieHeader + "\r\n");
    ASSERT_TRUE(read);
    EXPECT_EQ(QString::fromUtf8(read->body),
              QStringLiteral("Anna D'Angelo|Forlì|Vero|4|Falso||utente;visite;|2|3"));
    auto none = s.get("/profilo.asp");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->body.startsWith("anonimo"));
}

TEST(AspResponse, HeadersRefuseLineBreaks)
{
    ServedSite s;
    s.page(QStringLiteral("vai.asp"),
           "<% Response.Redirect \"/x.asp\" & vbCrLf & \"Set-Cookie: rubato=1\" %>dopo");
    auto go = s.get("/vai.asp");
    ASSERT_TRUE(go);
    EXPECT_EQ(go->status, 200);
    EXPECT_TRUE(headerValues(*go, "Set-Cookie").isEmpty());
    EXPECT_TRUE(go->header("Location").isEmpty());
    EXPECT_TRUE(go->body.contains("800a0005"));

    s.page(QStringLiteral("teste.asp"),
           "<% On Error Resume Next\r\n"
           "Response.AddHeader \"X-A\", \"1\" & vbLf & \"X-B: 2\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.AddHeader \"X-C\" & vbCr, \"1\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.AddHeader \"X D\", \"1\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.Status = \"200 OK\" & vbCrLf & \"X-E: 1\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.ContentType = \"text/html\" & vbLf : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.Charset = \"utf-8\" & vbCr : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.Cookies(\"a\").Path = \"/\" & vbCrLf : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.Cookies(\"b\" & vbLf) = \"1\" : Response.Write Err.Number & \";\" : Err.Clear\r\n"
           "Response.Cookies(\"c\") = \"x\" & vbCrLf & \"y\" : Response.Write Err.Number %>");
    auto h = s.get("/teste.asp");
    ASSERT_TRUE(h);
    EXPECT_EQ(h->body, "5;5;5;5;5;5;5;5;0");
    EXPECT_TRUE(h->header("X-A").isEmpty());
    EXPECT_TRUE(h->header("X-B").isEmpty());
    EXPECT_TRUE(h->header("X-E").isEmpty());
    // A cookie value is URL-encoded, line ends included.
    const QList<QByteArray> cookies = headerValues(*h, "Set-Cookie");
    EXPECT_TRUE(cookies.contains("c=x%0D%0Ay; path=/")) << cookies.join(" | ").toStdString();
}

TEST(AspResponse, EndRedirectClearAndFlushAsPagesUseThem)
{
    ServedSite s;
    // Redirect ends the page: what follows it never runs.
    s.page(QStringLiteral("protetta.asp"),
           "<% If Session(\"utente\") = \"\" Then Response.Redirect \"login.asp?torna=protetta.asp\"\r\n"
           "Application(\"cancellati\") = \"tutto\" %>riservato");
    s.page(QStringLiteral("login.asp"),
           "<% Response.Cookies(\"prova\") = \"1\" %>");
    auto go = s.get("/protetta.asp");
    ASSERT_TRUE(go);
    EXPECT_EQ(go->status, 302);
    EXPECT_EQ(go->header("Location"), "login.asp?torna=protetta.asp");
    EXPECT_TRUE(go->body.isEmpty());
    EXPECT_TRUE(s.server.processor().application().contents().value(QStringLiteral("cancellati")).isEmpty());

    // A cookie set before a redirect goes out with it.
    s.page(QStringLiteral("esci.asp"), "<% Response.Cookies(\"utente\") = \"\" : Response.Redirect \"/\" %>");
    auto out = s.get("/esci.asp");
    ASSERT_TRUE(out);
    EXPECT_EQ(out->status, 302);
    EXPECT_EQ(headerValues(*out, "Set-Cookie"), QList<QByteArray>{"utente=; path=/"});

    s.page(QStringLiteral("fine.asp"),
           "prima<% Response.Clear %>dopo<% Response.Flush %>|<% Response.Write \"x\" : Response.Clear %>:"
           "<% On Error Resume Next : Response.AddHeader \"X-Tardi\", \"1\" : e = Err.Number : On Error GoTo 0 %>"
           "<%= e %><% Response.End %>mai<% Response.Write \"mai\" %>");
    auto end = s.get("/fine.asp");
    ASSERT_TRUE(end);
    EXPECT_EQ(end->body, "dopo:5");  // Clear drops only what came after Flush
    EXPECT_TRUE(end->header("X-Tardi").isEmpty());

    s.page(QStringLiteral("senza.asp"),
           "<% Response.Buffer = False %>a<% On Error Resume Next : Response.Clear : Response.Write Err.Number %>"
           "<%= Response.Buffer %>");
    auto unbuffered = s.get("/senza.asp");
    ASSERT_TRUE(unbuffered);
    EXPECT_EQ(unbuffered->body, "a5Falso");
}

TEST(AspResponse, Windows1252PagesAndTheAnswersCodePage)
{
    ServedSite s;
    // "Prezzo: € 10 – “offerta”" written on Windows.
    const QByteArray text1252 = "Prezzo: \x80 10 \x96 \x93offerta\x94 \xe8";
    const QString text = QStringLiteral("Prezzo: € 10 – “offerta” è");
    s.page(QStringLiteral("vecchia.asp"), "<p>" + text1252 + "</p>");
    auto utf8 = s.get("/vecchia.asp");
    ASSERT_TRUE(utf8);
    EXPECT_EQ(utf8->header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(QString::fromUtf8(utf8->body), QStringLiteral("<p>") + text + QStringLiteral("</p>"));

    // The page asks for its own code page: the bytes go out as written.
    s.page(QStringLiteral("cp.asp"),
           "<% Response.CodePage = 1252 %><p>" + text1252 + "</p><%= ChrW(937) %><%= Response.CodePage %>");
    auto cp = s.get("/cp.asp");
    ASSERT_TRUE(cp);
    EXPECT_EQ(cp->header("Content-Type"), "text/html; charset=windows-1252");
    EXPECT_EQ(cp->body, "<p>" + text1252 + "</p>&#937;1252");

    // So does the page directive.
    s.page(QStringLiteral("direttiva.asp"), "<%@ Language=VBScript CodePage=1252 %>\r\n<p>" + text1252 + "</p>");
    auto directive = s.get("/direttiva.asp");
    ASSERT_TRUE(directive);
    EXPECT_EQ(directive->header("Content-Type"), "text/html; charset=windows-1252");
    EXPECT_EQ(directive->body, "\r\n<p>" + text1252 + "</p>");

    // A charset alone decides the encoding too, so the declaration is true.
    s.page(QStringLiteral("cs.asp"), "<% Response.Charset = \"ISO-8859-1\" %>\xe8");
    auto cs = s.get("/cs.asp");
    ASSERT_TRUE(cs);
    EXPECT_EQ(cs->header("Content-Type"), "text/html; charset=ISO-8859-1");
    EXPECT_EQ(cs->body, "\xe8");

    // Session.CodePage holds for the pages that follow; a code page that
    // cannot be used is refused.
    s.page(QStringLiteral("sessione.asp"),
           "<% Session.CodePage = 1252 %><% On Error Resume Next : Response.CodePage = 12345 : "
           "Response.Write Err.Number %>");
    s.page(QStringLiteral("dopo.asp"), "\xe8");
    auto first = s.get("/sessione.asp");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->body, "5");
    auto after = s.get("/dopo.asp");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->header("Content-Type"), "text/html; charset=windows-1252");
    EXPECT_EQ(after->body, "\xe8");
}

TEST(AspResponse, OutputIsBoundedAndOversizedPagesAreRefused)
{
    ServedSite s;
    s.server.processor().setOutputLimit(1000);
    s.page(QStringLiteral("senza_fine.asp"),
           "<% On Error Resume Next\r\nDo\r\nResponse.Write \"0123456789\"\r\nLoop %>");
    auto endless = s.get("/senza_fine.asp");
    ASSERT_TRUE(endless);
    EXPECT_EQ(endless->status, 200);
    EXPECT_TRUE(endless->body.startsWith(QByteArray(1000 / 10, 'x').replace('x', "0123456789")));
    EXPECT_TRUE(endless->body.contains("<p>La pagina ha superato il limite di 1000 byte di output"));
    EXPECT_LT(endless->body.size(), 1200);

    // A page file past the size limit is an error, not an empty page.
    s.page(QStringLiteral("enorme.asp"), QByteArray(AspLimits::kMaxPageBytes + 1, 'a'));
    auto huge = s.get("/enorme.asp");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->status, 500);
    EXPECT_TRUE(huge->body.contains("enorme.asp supera la dimensione massima"));

    // The server goes on serving.
    s.page(QStringLiteral("ok.asp"), "<%= \"ok\" %>");
    auto ok = s.get("/ok.asp");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->body, "ok");
}
