#include "preview/AspFields.h"
#include "preview/AspRequest.h"
#include "preview/AspText.h"
#include "preview/HttpRequestParser.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace preview;

TEST(UrlDecode, DecodesAsTheSiteExpects)
{
    EXPECT_EQ(urlDecode("%41%42+c"), "AB c");
    EXPECT_EQ(urlDecode("50%25"), "50%");           // a decoded "%" is not decoded again
    EXPECT_EQ(urlDecode("100%%"), "100%");
    EXPECT_EQ(urlDecode("%%41"), "A");              // "%%" first, then the escape it leaves
    EXPECT_EQ(urlDecode("%e8%E8"), "\xe8\xe8");     // lower-case hexadecimal digits too
    EXPECT_EQ(urlDecode("%zz%4"), "%zz%4");         // not an escape: kept
    EXPECT_EQ(urlDecode("a%2Bb+c"), "a+b c");
}

TEST(UrlDecode, TextIsUtf8WhenValidElseOneBytePerCharacter)
{
    EXPECT_EQ(decodeText(urlDecode("caff%C3%A8")), QStringLiteral("caffè"));
    EXPECT_EQ(decodeText(urlDecode("caff%E8")), QStringLiteral("caffè"));
}

TEST(ParseRequest, FillsTheThreeCollections)
{
    vbs::Ref<AspRequest> r = vbs::makeRef<AspRequest>();
    r->parseRequest("GET /?a=1&a=2&x=%41%42+c&p=50%25&vuoto=&solo HTTP/1.1\r\nHost: h\r\n\r\n");
    EXPECT_EQ(r->serverVariables().item(QStringLiteral("REQUEST_METHOD")), QStringLiteral("GET"));
    EXPECT_EQ(r->serverVariables().item(QStringLiteral("SCRIPT_NAME")), QStringLiteral("/default.asp"));
    EXPECT_EQ(r->serverVariables().item(QStringLiteral("QUERY_STRING")),
              QStringLiteral("a=1&a=2&x=%41%42+c&p=50%25&vuoto=&solo"));
    EXPECT_EQ(r->queryString().item(QStringLiteral("a")), QStringLiteral("1,2"));
    EXPECT_EQ(r->queryString().item(QStringLiteral("x")), QStringLiteral("AB c"));
    EXPECT_EQ(r->queryString().item(QStringLiteral("p")), QStringLiteral("50%"));
    EXPECT_EQ(r->queryString().count(), 4); // a, x, p, vuoto; "solo" has no "="
    EXPECT_EQ(r->form().count(), 0);
}

TEST(ParseRequest, PostBodyFillsFormAndRequestPrefersTheQuery)
{
    vbs::Ref<AspRequest> r = vbs::makeRef<AspRequest>();
    r->parseRequest("POST /f.asp?n=q&e= HTTP/1.1\r\nContent-Length: 19\r\n\r\nn=modulo&e=ok&Z=1+2");
    EXPECT_EQ(r->serverVariables().item(QStringLiteral("SCRIPT_NAME")), QStringLiteral("/f.asp"));
    EXPECT_EQ(r->form().item(QStringLiteral("n")), QStringLiteral("modulo"));
    EXPECT_EQ(r->item(QStringLiteral("n")), QStringLiteral("q"));
    EXPECT_EQ(r->item(QStringLiteral("e")), QStringLiteral("ok"));   // empty in the query: falls to Form
    EXPECT_EQ(r->item(QStringLiteral("z")), QStringLiteral("1 2"));  // names in any case, as on IIS
    EXPECT_EQ(r->item(QStringLiteral("Z")), QStringLiteral("1 2"));
    EXPECT_EQ(r->item(QStringLiteral("request_method")), QStringLiteral("POST"));  // last: server variables

    // The Content-Length header may be written in any letter case.
    vbs::Ref<AspRequest> lower = vbs::makeRef<AspRequest>();
    lower->parseRequest("POST /f.asp HTTP/1.1\r\ncontent-LENGTH: 3\r\n\r\na=1");
    EXPECT_EQ(lower->form().item(QStringLiteral("a")), QStringLiteral("1"));
    // A GET body is never a form.
    vbs::Ref<AspRequest> get = vbs::makeRef<AspRequest>();
    get->parseRequest("GET /f.asp HTTP/1.1\r\nContent-Length: 3\r\n\r\na=1");
    EXPECT_EQ(get->form().count(), 0);
    EXPECT_EQ(get->serverVariables().item(QStringLiteral("QUERY_STRING")), QString());
}

TEST(ParseRequest, LargeFormsTakeLinearTimeAndFieldsAreCapped)
{
    // About 1 MB of form in as many fields as a request may carry.
    QByteArray body;
    const int fields = HttpLimits::kMaxFormFields;
    const QByteArray value(1024 * 1024 / fields, 'v');
    for (int i = 0; i < fields; ++i)
        body += "campo" + QByteArray::number(i) + '=' + value + '&';
    body += "campo7=ancora";
    const QByteArray head = "POST /f.asp?" + body.left(200000) + " HTTP/1.1\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n";
    QElapsedTimer clock;
    clock.start();
    vbs::Ref<AspRequest> r = vbs::makeRef<AspRequest>();
    r->parseRequest(head + body);
    EXPECT_LT(clock.elapsed(), 400);  // a loaded machine takes a few tens of ms
    EXPECT_EQ(r->form().count(), fields);
    EXPECT_EQ(r->form().item(QStringLiteral("campo7")), QString::fromLatin1(value) + QStringLiteral(",ancora"));
    EXPECT_EQ(r->form().item(QString::number(fields)), QString::fromLatin1(value));  // the last field

    // Past the cap further pairs are not read.
    vbs::Ref<AspRequest> many = vbs::makeRef<AspRequest>();
    QByteArray query;
    for (int i = 0; i < fields + 50; ++i)
        query += "n" + QByteArray::number(i) + "=1&";
    EXPECT_EQ(countPairs(query), fields + 50);
    many->parseRequest("GET /f.asp?" + query + " HTTP/1.1\r\n\r\n");
    EXPECT_EQ(many->queryString().count(), fields);
}

TEST(AspFields, PositionsByLeadingDigitsAndNamesInAnyCase)
{
    vbs::Ref<AspFields> f = vbs::makeRef<AspFields>();
    f->add(QStringLiteral("uno"), QStringLiteral("1"));
    f->add(QStringLiteral("Due"), QStringLiteral("2"));
    f->add(QStringLiteral("3tre"), QStringLiteral("3"));
    EXPECT_EQ(f->item(QStringLiteral("1")), QStringLiteral("1"));
    EXPECT_EQ(f->item(QStringLiteral("2x")), QStringLiteral("2"));
    EXPECT_EQ(f->item(QStringLiteral("3tre")), QStringLiteral("3"));  // read as position 3
    EXPECT_EQ(f->item(QStringLiteral("0")), QString());
    EXPECT_EQ(f->item(QString()), QString());
    EXPECT_EQ(f->item(QStringLiteral("4")), QString());
    EXPECT_EQ(f->item(QStringLiteral("99999999999999999999")), QString());
    EXPECT_EQ(f->item(QStringLiteral("due")), QStringLiteral("2"));
    f->add(QStringLiteral("DUE"), QStringLiteral("b"));
    EXPECT_EQ(f->item(QStringLiteral("Due")), QStringLiteral("2,b"));
    EXPECT_EQ(f->count(), 3);
}

TEST(AspText, EncodesForHtmlAndUrls)
{
    EXPECT_EQ(htmlEncode(QStringLiteral("<a href=\"x\">D&G</a>")),
              QStringLiteral("&lt;a href=&quot;x&quot;&gt;D&amp;G&lt;/a&gt;"));
    EXPECT_EQ(urlEncode(QStringLiteral("a b&c=è")), QStringLiteral("a+b%26c%3D%C3%A8"));
}
