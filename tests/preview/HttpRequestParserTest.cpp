#include "preview/HttpRequestParser.h"

#include <gtest/gtest.h>

using preview::HttpLimits;
using preview::HttpRequestParser;
using State = HttpRequestParser::State;

TEST(HttpRequestParser, GetIsCompleteAtTheEmptyLineAndLeavesTheNextRequest)
{
    const QByteArray first = "GET /a.asp?x=1 HTTP/1.1\r\nHost: h\r\n\r\n";
    const QByteArray second = "GET /b.gif HTTP/1.1\r\n\r\n";
    auto r = HttpRequestParser::parse(first + second);
    ASSERT_EQ(r.state, State::Complete);
    EXPECT_EQ(r.length, first.size());
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.target, "/a.asp?x=1");
    EXPECT_TRUE(r.keepAlive);

    for (qsizetype n = 1; n < first.size(); ++n)
        EXPECT_EQ(HttpRequestParser::parse(first.left(n)).state, State::Incomplete) << n;
}

TEST(HttpRequestParser, PostWaitsForItsWholeBody)
{
    const QByteArray head = "POST /f.asp HTTP/1.1\r\nContent-Length: 7\r\n\r\n";
    EXPECT_EQ(HttpRequestParser::parse(head).state, State::Incomplete);
    EXPECT_EQ(HttpRequestParser::parse(head + "a=1&b").state, State::Incomplete);
    auto r = HttpRequestParser::parse(head + "a=1&b=2GET / HTTP/1.1\r\n\r\n");
    ASSERT_EQ(r.state, State::Complete);
    EXPECT_EQ(r.length, head.size() + 7);
    EXPECT_EQ(r.contentLength, 7);
    // Header names in any letter case count.
    EXPECT_EQ(HttpRequestParser::parse("POST / HTTP/1.1\r\ncontent-length: 0\r\n\r\n").state, State::Complete);
}

TEST(HttpRequestParser, ConnectionCloseAndHttp10EndTheConnection)
{
    EXPECT_FALSE(HttpRequestParser::parse("GET / HTTP/1.1\r\nConnection: close\r\n\r\n").keepAlive);
    EXPECT_FALSE(HttpRequestParser::parse("GET / HTTP/1.0\r\n\r\n").keepAlive);
    EXPECT_TRUE(HttpRequestParser::parse("GET / HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\n").keepAlive);
}

// Requests that must be refused, with the answer each gets.
TEST(HttpRequestParser, HostileRequestsGetTheirErrorStatus)
{
    const QByteArray hugeHeader = "GET / HTTP/1.1\r\nX: " + QByteArray(HttpLimits::kMaxHeadBytes, 'a') + "\r\n\r\n";
    const QByteArray endlessHead = "GET / HTTP/1.1\r\nX: " + QByteArray(HttpLimits::kMaxHeadBytes + 10, 'a');
    const QByteArray longLine = "GET /" + QByteArray(HttpLimits::kMaxRequestLineBytes + 1, 'a');
    QByteArray manyHeaders = "GET / HTTP/1.1\r\n";
    for (int i = 0; i <= HttpLimits::kMaxHeaderLines; ++i)
        manyHeaders += "A: b\r\n";
    manyHeaders += "\r\n";
    const struct {
        QByteArray request;
        int status;
    } cases[] = {
        {"HEAD / HTTP/1.1\r\n\r\n", 501},
        {"PUT /x HTTP/1.1\r\n\r\n", 501},
        {"DELETE", 501},
        {"get / HTTP/1.1\r\n\r\n", 501},
        {"\x16\x03\x01\x02", 501},                                  // TLS hello on a plain port
        {"POST /f.asp HTTP/1.1\r\n\r\n", 411},                      // no Content-Length
        {"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 12abc\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 999999999999\r\n\r\n", 413},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", 501},
        {"GET / HTTP/2.0\r\n\r\n", 505},
        {"GET / FTP\r\n\r\n", 400},
        {"GET  / HTTP/1.1\r\n\r\n", 400},
        {QByteArray("GET /a\0b HTTP/1.1\r\n\r\n", 22), 400},
        {"GET / HTTP/1.1\r\nbad header line\r\n\r\n", 400},
        {"GET / HTTP/1.1\nHost: x\r\n\r\n", 400},
        {hugeHeader, 431},
        {endlessHead, 431},
        {manyHeaders, 431},
        {longLine, 414},
    };
    for (const auto &c : cases) {
        const auto r = HttpRequestParser::parse(c.request);
        EXPECT_EQ(r.state, State::Invalid) << c.request.left(60).toStdString();
        EXPECT_EQ(r.status, c.status) << c.request.left(60).toStdString();
        EXPECT_FALSE(r.keepAlive);
    }
}

TEST(HttpRequestParser, KnownMethodPrefixesWaitForMoreBytes)
{
    for (const char *start : {"G", "GE", "GET", "P", "PO", "POS", "POST"})
        EXPECT_EQ(HttpRequestParser::parse(start).state, State::Incomplete) << start;
    EXPECT_EQ(HttpRequestParser::parse("").state, State::Incomplete);
}
