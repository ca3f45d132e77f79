#include "HttpRequestParser.h"

#include <QList>

namespace preview {

namespace {

using Result = HttpRequestParser::Result;
using State = HttpRequestParser::State;

Result invalid(int status)
{
    Result r;
    r.state = State::Invalid;
    r.status = status;
    r.keepAlive = false;
    return r;
}

bool isKnownMethod(const QByteArray &m)
{
    return m == "GET" || m == "POST";
}

// True while the bytes so far could still become "GET " or "POST ".
bool couldBeKnownMethod(const QByteArray &start)
{
    static const QByteArray get("GET ");
    static const QByteArray post("POST ");
    return get.startsWith(start) || post.startsWith(start);
}

bool hasControlBytes(const QByteArray &text)
{
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            return true;
    }
    return false;
}

bool parseLength(const QByteArray &value, qint64 &out)
{
    const QByteArray v = value.trimmed();
    if (v.isEmpty() || v.size() > 18)
        return false;
    qint64 n = 0;
    for (char c : v) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    out = n;
    return true;
}

} // namespace

HttpRequestParser::Result HttpRequestParser::parse(const QByteArray &buffer)
{
    if (buffer.isEmpty())
        return {};

    // The method is known from the first bytes: refuse others at once.
    const qsizetype firstBlank = buffer.indexOf(' ');
    if (firstBlank < 0) {
        if (couldBeKnownMethod(buffer.left(5)))
            return {};
        return invalid(501);
    }
    const QByteArray method = buffer.left(firstBlank);
    if (!isKnownMethod(method))
        return invalid(501);

    const qsizetype lineEnd = buffer.indexOf("\r\n");
    if (lineEnd < 0 && buffer.size() > HttpLimits::kMaxRequestLineBytes)
        return invalid(414);
    if (lineEnd > HttpLimits::kMaxRequestLineBytes)
        return invalid(414);
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        if (buffer.size() > HttpLimits::kMaxHeadBytes)
            return invalid(431);
        return {};
    }
    const qint64 headLength = headEnd + 4;
    if (headLength > HttpLimits::kMaxHeadBytes)
        return invalid(431);

    QList<QByteArray> lines = buffer.left(headEnd + 2).split('\n');
    lines.removeLast(); // the empty piece after the head's last line end
    if (lines.size() - 1 > HttpLimits::kMaxHeaderLines)
        return invalid(431);

    QByteArray requestLine = lines.first();
    if (!requestLine.endsWith('\r'))
        return invalid(400); // a bare LF ends the request line
    requestLine.chop(1);
    const QList<QByteArray> words = requestLine.split(' ');
    if (words.size() != 3 || words[1].isEmpty() || hasControlBytes(requestLine))
        return invalid(400);
    const QByteArray &version = words[2];
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return invalid(version.startsWith("HTTP/") ? 505 : 400);

    bool keepAlive = version == "HTTP/1.1";
    bool haveLength = false;
    qint64 contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (!line.endsWith('\r'))
            return invalid(400); // a bare LF inside the head
        line.chop(1);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || hasControlBytes(line.left(colon)))
            return invalid(400);
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            qint64 n = 0;
            if (!parseLength(value, n) || (haveLength && n != contentLength))
                return invalid(400);
            haveLength = true;
            contentLength = n;
        } else if (name == "transfer-encoding") {
            return invalid(501);
        } else if (name == "connection") {
            const QByteArray v = value.toLower();
            if (v.contains("close"))
                keepAlive = false;
            else if (v.contains("keep-alive"))
                keepAlive = true;
        }
    }

    if (method == "POST" && !haveLength)
        return invalid(411);
    if (contentLength > HttpLimits::kMaxBodyBytes)
        return invalid(413);
    if (buffer.size() < headLength + contentLength)
        return {};

    Result r;
    r.state = State::Complete;
    r.length = headLength + contentLength;
    r.headLength = headLength;
    r.contentLength = contentLength;
    r.method = method;
    r.target = words[1];
    r.keepAlive = keepAlive;
    return r;
}

} // namespace preview
