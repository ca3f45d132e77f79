#pragma once

#include <QByteArray>

namespace preview {

// Limits of one request. A request past any of them is answered with an
// error and its connection is closed.
struct HttpLimits {
    static constexpr int kMaxHeadBytes = 16 * 1024;        // request line and headers
    static constexpr int kMaxRequestLineBytes = 8 * 1024;  // method, target and version
    static constexpr int kMaxHeaderLines = 100;
    static constexpr qint64 kMaxBodyBytes = 4 * 1024 * 1024;
    static constexpr int kMaxFormFields = 10000;  // distinct names of a query string or of a form
};

// Finds one request at the start of a byte buffer, without a socket.
//
// GET and POST are the only methods. The head ends at the first empty line;
// a GET is complete there (plus its body when it gives a Content-Length),
// a POST when as many body bytes as its Content-Length have arrived. Bytes
// after that belong to the next request on the connection.
class HttpRequestParser {
public:
    enum class State { Incomplete, Invalid, Complete };

    struct Result {
        State state = State::Incomplete;
        int status = 0;            // Invalid: the HTTP status to answer with
        qint64 length = 0;         // Complete: bytes of this request in the buffer
        qint64 headLength = 0;     // Complete: bytes up to and including the empty line
        qint64 contentLength = 0;  // Complete: body bytes
        QByteArray method;
        QByteArray target;         // as received, not decoded
        bool keepAlive = true;     // false for "Connection: close" and HTTP/1.0 without keep-alive
    };

    static Result parse(const QByteArray &buffer);
};

} // namespace preview
